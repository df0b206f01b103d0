#include "labels/LabelDlgParts.h"

#include "math/ColorSample.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int kGlyphWidth = 32;
constexpr int kGlyphHeight = 16;

struct TButtonName {
    const char* Name; // the control's name
    const char* Hint; // its tool tip
};

TButtonName penName(uint8_t style) {
    static const TButtonName names[] = {
        {"SolidPen", "Solid Line"},
        {"DashPen", "Dash Line"},
        {"DotPen", "Dot Line"},
        {"DashDotPen", "Dash Dot Line"},
        {"DashDotDotPen", "Dash Dot Dot Line"},
        {"ClearPen", "Clear Line"},
    };
    return style < std::size(names) ? names[style] : TButtonName{"", ""};
}

TButtonName brushName(uint8_t style) {
    static const TButtonName names[] = {
        {"SolidBrush", "Solid Brush"},
        {"ClearBrush", "Clear Brush"},
        {"HorizontalBrush", "Horizontal Brush"},
        {"VerticalBrush", "Vertical Brush"},
        {"ForwardDiagonalBrush", "Forward Diagonal Brush"},
        {"BackwardDiagonalBrush", "Backward Diagonal Brush"},
        {"CrossBrush", "Cross Brush"},
        {"DiagonalCrossBrush", "Diagonal Diagonal Brush"},
    };
    return style < std::size(names) ? names[style] : TButtonName{"", ""};
}

TButtonName shapeName(uint8_t kind) {
    switch (kind) {
    case lkEllipse:
        return {"EllipseButton", "Ellipse Shape"};
    case lkRoundRect:
        return {"RoundRectButton", "Round Rectangle Shape"};
    default:
        return {"RectangleButton", "Rectangle Shape"};
    }
}

// The button's picture, drawn on a bitmap by the canvas the labels use, so that it shows
// the style as a label will.
QPixmap glyph(TStyleGlyph kind, uint8_t style) {
    TBitmap bitmap(kGlyphWidth, kGlyphHeight, pf24bit);
    TCanvas& c = bitmap.Canvas();
    c.Pen.Color = clBlack;
    c.Pen.Width = 1;
    c.Brush.Color = clBlack;
    switch (kind) {
    case sgPen:
        c.Brush.Style = bsClear; // a solid brush would fill the gaps of the dashes
        if (style == psClear) {
            c.Pen.Color = clSilver;
            c.Pen.Style = psDot;
            c.Brush.Style = bsClear;
            c.Rectangle(3, 3, kGlyphWidth - 3, kGlyphHeight - 3);
        } else {
            c.Pen.Style = static_cast<TPenStyle>(style);
            c.MoveTo(2, kGlyphHeight / 2);
            c.LineTo(kGlyphWidth - 2, kGlyphHeight / 2);
        }
        break;
    case sgBrush:
        c.Pen.Color = clGray;
        c.Brush.Style = static_cast<TBrushStyle>(style);
        c.Rectangle(2, 2, kGlyphWidth - 2, kGlyphHeight - 2);
        break;
    case sgShape:
        c.Brush.Style = bsClear;
        if (style == lkEllipse)
            c.Ellipse(2, 1, kGlyphWidth - 2, kGlyphHeight - 1);
        else if (style == lkRoundRect)
            c.RoundRect(2, 1, kGlyphWidth - 2, kGlyphHeight - 1, 8, 8);
        else
            c.Rectangle(2, 1, kGlyphWidth - 2, kGlyphHeight - 1);
        break;
    }
    return QPixmap::fromImage(bitmap.ToQImage());
}

TButtonName nameOf(TStyleGlyph kind, uint8_t style) {
    switch (kind) {
    case sgPen:
        return penName(style);
    case sgBrush:
        return brushName(style);
    default:
        return shapeName(style);
    }
}

} // namespace

TStyleButtons::TStyleButtons(QWidget* parent, TStyleGroup styles, TStyleGlyph glyphKind)
    : row_(new QWidget(parent)), group_(new QButtonGroup(row_)) {
    auto* layout = new QHBoxLayout(row_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (uint8_t style : styles) {
        const TButtonName name = nameOf(glyphKind, style);
        auto* b = new QToolButton(row_);
        b->setObjectName(name.Name);
        b->setToolTip(name.Hint);
        b->setAccessibleName(name.Hint);
        b->setCheckable(true);
        // The arrow keys move among the buttons of an auto-exclusive set only.
        b->setAutoExclusive(true);
        b->setFocusPolicy(Qt::TabFocus);
        const QPixmap picture = glyph(glyphKind, style);
        b->setIcon(QIcon(picture));
        b->setIconSize(picture.size());
        group_->addButton(b, static_cast<int>(buttons_.size()));
        TabStopAtChecked(b);
        buttons_.push_back(b);
        layout->addWidget(b);
    }
    layout->addStretch(1);
    group_->setExclusive(true);
}

std::optional<int> TStyleButtons::Down() const {
    const int id = group_->checkedId();
    if (id < 0) return std::nullopt;
    return id;
}

void TStyleButtons::SetDown(std::optional<int> button) {
    if (button && *button >= 0 && static_cast<std::size_t>(*button) < buttons_.size()) {
        buttons_[static_cast<std::size_t>(*button)]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button down; it lets go only while not exclusive.
    group_->setExclusive(false);
    for (QToolButton* b : buttons_)
        b->setChecked(false);
    group_->setExclusive(true);
}

TPenGroup::TPenGroup(QWidget* parent, TStyleGroup styles)
    : Box(MakeGroupBox("Pen Attributes", parent)), Styles(Box, styles, sgPen),
      Color(MakeColorRow(Box, "Color", "Pen Color Sample")),
      Width(MakeScrollRow(Box, MinDlgPenWidth, MaxDlgPenWidth)) {
    Color.Button->setObjectName("PenColorButton");
    Color.Button->setToolTip("Change Pen Color");
    Color.Sample->setObjectName("PenColorSample");
    Width.Bar->setObjectName("LabelPenWidthScroll");
    Width.Bar->setToolTip("Pen Width");
    Width.Bar->setFocusPolicy(Qt::StrongFocus); // the arrow keys set the width
    Width.Label->setObjectName("LabelPenSize");
    TFormRows rows(Box);
    rows.AddWide(Styles.Row());
    rows.AddRow(Color.Button, Color.Sample);
    rows.AddRow("Width", Width.Bar, Width.Label);
    rows.AddStretch();
}

void TPenGroup::Load(const TShapeStyleValues& values) {
    Styles.SetDown(values.PenButton);
    Color.Sample->SetSampleColor(values.PenColor);
    Width.Bar->setValue(values.PenWidth);
    Width.Label->setText(QString::number(Width.Bar->value()));
}

void TPenGroup::Store(TShapeStyleValues& values) const {
    values.PenButton = Styles.Down();
    values.PenColor = Color.Sample->SampleColor();
    values.PenWidth = Width.Bar->value();
}

TBrushGroup::TBrushGroup(QWidget* parent, const QString& title, TStyleGroup styles)
    : Box(MakeGroupBox(title, parent)), Styles(Box, styles, sgBrush),
      Color(MakeColorRow(Box, "Color", "Brush Color Sample")) {
    Color.Button->setObjectName("BrushColorButton");
    Color.Button->setToolTip("Change Brush Color");
    Color.Sample->setObjectName("BrushColorSample");
    TFormRows rows(Box);
    rows.AddWide(Styles.Row());
    rows.AddRow(Color.Button, Color.Sample);
    rows.AddStretch();
}

void TBrushGroup::Load(const TShapeStyleValues& values) {
    Styles.SetDown(values.BrushButton);
    Color.Sample->SetSampleColor(values.BrushColor);
}

void TBrushGroup::Store(TShapeStyleValues& values) const {
    values.BrushButton = Styles.Down();
    values.BrushColor = Color.Sample->SampleColor();
}

TPointGroup::TPointGroup(QWidget* parent, const QString& title, const char* xName, const char* yName)
    : Box(MakeGroupBox(title, parent)), X(MakeSpinEdit(Box, -100, 100, 0)),
      Y(MakeSpinEdit(Box, -100, 100, 0)) {
    X->setObjectName(xName);
    Y->setObjectName(yName);
    TFormRows rows(Box);
    rows.AddRow("X", X);
    rows.AddRow("Y", Y);
}

void TPointGroup::Load(const TPoint& value, const TSpinRange& xRange, const TSpinRange& yRange) {
    X->setRange(xRange.Min, xRange.Max);
    Y->setRange(yRange.Min, yRange.Max);
    X->setValue(value.X);
    Y->setValue(value.Y);
}

void TPointGroup::LoadOnBitmap(const TPoint& value, const TPoint& stored, int width, int height) {
    Load(value, CoordSpinRange(value.X, stored.X, width), CoordSpinRange(value.Y, stored.Y, height));
}

void TPointGroup::LoadOrigin(const TPoint& value) {
    Load(value, OriginSpinRange(value.X), OriginSpinRange(value.Y));
}

TPoint TPointGroup::Value() const {
    return {X->value(), Y->value()};
}
