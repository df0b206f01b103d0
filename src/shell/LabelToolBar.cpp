#include "shell/LabelToolBar.h"

#include "math/ColorSample.h"
#include "math/ComnDlgs.h"
#include "platform/Canvas.h"
#include "shell/LabelTools.h"
#include "shell/ToolGlyphs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

TLabelToolBar::TLabelToolBar(QWidget* parent) : QToolBar(QStringLiteral("Label Shape"), parent) {
    setObjectName(QStringLiteral("LabelShapeToolBar"));
    setIconSize(QSize(16, 16));
    buildToolGroup();
    addSeparator();
    buildPenControls();
    addSeparator();
    buildBrushControls();
    addSeparator();
    buildFontControls();
}

QToolButton* TLabelToolBar::addButton(const char* Name, const char* Hint, const QIcon& Icon, bool Checkable) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(Name));
    button->setToolTip(QLatin1String(Hint));
    button->setIcon(Icon);
    button->setCheckable(Checkable);
    button->setFocusPolicy(Qt::NoFocus);
    buttons_.push_back(button);
    addWidget(button)->setObjectName(QLatin1String(Name));
    return button;
}

void TLabelToolBar::buildToolGroup() {
    struct Tool {
        QToolButton** Button;
        const char* Name;
        const char* Hint;
        TDrawingTool Value;
    };
    const Tool tools[] = {
        {&ShapeOffButton, "ShapeOffButton", "Label Tools Off", dtOff},
        {&LineButton, "LineButton", "Draw Line", dtLine},
        {&RectangleButton, "RectangleButton", "Draw Rectangle", dtRectangle},
        {&EllipseButton, "EllipseButton", "Draw Ellipse", dtEllipse},
        {&RoundRectButton, "RoundRectButton", "Draw Round Rectangle", dtRoundRect},
        {&FreeHandButton, "FreeHandButton", "Draw Free Hand", dtFreeHand},
        {&FloodFillButton, "FloodFillButton", "Flood Fill", dtFloodFill},
        {&TextButton, "TextButton", "Text Label", dtText},
    };
    toolGroup_ = new QButtonGroup(this);
    for (const Tool& tool : tools) {
        *tool.Button = addButton(tool.Name, tool.Hint, LabelToolGlyph(tool.Value));
        toolGroup_->addButton(*tool.Button, tool.Value);
    }
    ShapeOffButton->setChecked(true);
    connect(toolGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (OnToolClick) OnToolClick(TDrawingTool(id));
    });
}

void TLabelToolBar::buildPenControls() {
    LabelPenColorButton = addButton("LabelPenColorButton", "Change Pen Color", ColorButtonGlyph(true), false);
    LabelPenColorSample = new TColorSample(this);
    LabelPenColorSample->setObjectName(QStringLiteral("LabelPenColorSample"));
    LabelPenColorSample->setToolTip(QStringLiteral("Pen Color Sample"));
    LabelPenColorSample->setFixedSize(20, 16);
    addWidget(LabelPenColorSample);
    connect(LabelPenColorButton, &QToolButton::clicked, this, [this] { pickColor(true); });
    connect(LabelPenColorSample, &TColorSample::clicked, this, [this] { pickColor(true); });

    struct Style {
        QToolButton** Button;
        const char* Name;
        const char* Hint;
        TPenStyle Value;
    };
    const Style styles[] = {
        {&ClearPen, "ClearPen", "Clear Line Pen", psClear},
        {&SolidPen, "SolidPen", "Solid Line Pen", psSolid},
        {&DashPen, "DashPen", "Dash Line Pen", psDash},
        {&DotPen, "DotPen", "Dot Line Pen", psDot},
        {&DashDotPen, "DashDotPen", "Dash Dot Line Pen", psDashDot},
        {&DashDotDotPen, "DashDotDotPen", "Dash Dot Dot Line Pen", psDashDotDot},
    };
    penGroup_ = new QButtonGroup(this);
    for (const Style& style : styles) {
        *style.Button = addButton(style.Name, style.Hint, PenStyleGlyph(style.Value));
        penGroup_->addButton(*style.Button, style.Value);
    }
    SolidPen->setChecked(true);
    connect(penGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (attrib_) attrib_->PenStyle = uint8_t(id);
    });

    LabelPenSize = new QLabel(QStringLiteral("1"), this);
    LabelPenSize->setObjectName(QStringLiteral("LabelPenSize"));
    LabelPenSize->setToolTip(QStringLiteral("Pen Width"));
    LabelPenSize->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("10")) + 6);
    LabelPenSize->setAlignment(Qt::AlignCenter);
    addWidget(LabelPenSize);
    LabelPenWidthScroll = new QScrollBar(Qt::Horizontal, this);
    LabelPenWidthScroll->setObjectName(QStringLiteral("LabelPenWidthScroll"));
    LabelPenWidthScroll->setToolTip(QStringLiteral("Pen Width"));
    LabelPenWidthScroll->setRange(1, 10);
    LabelPenWidthScroll->setValue(1);
    LabelPenWidthScroll->setFixedWidth(80);
    addWidget(LabelPenWidthScroll);
    connect(LabelPenWidthScroll, &QScrollBar::valueChanged, this, [this](int position) {
        LabelPenSize->setText(QString::number(position));
        if (attrib_) attrib_->PenWidth = position;
    });
}

void TLabelToolBar::buildBrushControls() {
    LabelBrushColorButton =
        addButton("LabelBrushColorButton", "Change Brush Color", ColorButtonGlyph(false), false);
    LabelBrushColorSample = new TColorSample(this);
    LabelBrushColorSample->setObjectName(QStringLiteral("LabelBrushColorSample"));
    LabelBrushColorSample->setToolTip(QStringLiteral("Brush Color Sample"));
    LabelBrushColorSample->setFixedSize(20, 16);
    addWidget(LabelBrushColorSample);
    connect(LabelBrushColorButton, &QToolButton::clicked, this, [this] { pickColor(false); });
    connect(LabelBrushColorSample, &TColorSample::clicked, this, [this] { pickColor(false); });

    struct Style {
        QToolButton** Button;
        const char* Name;
        const char* Hint;
        TBrushStyle Value;
    };
    const Style styles[] = {
        {&ClearBrush, "ClearBrush", "Clear Brush", bsClear},
        {&SolidBrush, "SolidBrush", "Solid Brush", bsSolid},
        {&HorizontalBrush, "HorizontalBrush", "Horizontal Brush", bsHorizontal},
        {&VerticalBrush, "VerticalBrush", "Vertical Brush", bsVertical},
        {&ForwardDiagonalBrush, "ForwardDiagonalBrush", "Forward Diagonal Brush", bsFDiagonal},
        {&BackwardDiagonalBrush, "BackwardDiagonalBrush", "Backward Diagonal Brush", bsBDiagonal},
        {&CrossBrush, "CrossBrush", "Cross Brush", bsCross},
        {&DiagonalCrossBrush, "DiagonalCrossBrush", "Diagonal Cross Brush", bsDiagCross},
    };
    brushGroup_ = new QButtonGroup(this);
    for (const Style& style : styles) {
        *style.Button = addButton(style.Name, style.Hint, BrushStyleGlyph(style.Value));
        brushGroup_->addButton(*style.Button, style.Value);
    }
    ClearBrush->setChecked(true);
    connect(brushGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (attrib_) attrib_->BrushStyle = uint8_t(id);
    });
}

void TLabelToolBar::buildFontControls() {
    FontNameCombo = new QComboBox(this);
    FontNameCombo->setObjectName(QStringLiteral("FontNameCombo"));
    FontNameCombo->setToolTip(QStringLiteral("Font Name"));
    FontNameCombo->setMaxVisibleItems(12);
    FontNameCombo->setMinimumContentsLength(12);
    FontNameCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    addWidget(FontNameCombo);
    connect(FontNameCombo, &QComboBox::currentTextChanged, this, [this] { FontNameComboChange(); });

    FontSizeCombo = new QComboBox(this);
    FontSizeCombo->setObjectName(QStringLiteral("FontSizeCombo"));
    FontSizeCombo->setToolTip(QStringLiteral("Font Size"));
    FontSizeCombo->setEditable(true);
    FontSizeCombo->setInsertPolicy(QComboBox::NoInsert);
    FontSizeCombo->setMaxVisibleItems(12);
    FontSizeCombo->lineEdit()->setMaxLength(LabelFontSizeChars);
    FontSizeCombo->setMinimumContentsLength(LabelFontSizeChars);
    FontSizeCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FontSizeCombo->lineEdit()->installEventFilter(this);
    addWidget(FontSizeCombo);
    connect(FontSizeCombo, &QComboBox::editTextChanged, this, [this] { FontSizeComboChange(); });

    BoldFontButton = addButton("BoldFontButton", "Bold Font", FontStyleGlyph(fsBold));
    ItalicFontButton = addButton("ItalicFontButton", "Italic Font", FontStyleGlyph(fsItalic));
    UnderlineFontButton = addButton("UnderlineFontButton", "Underline Font", FontStyleGlyph(fsUnderline));
    connect(BoldFontButton, &QToolButton::clicked, this, [this](bool on) { setFontStyle(fsBold, on); });
    connect(ItalicFontButton, &QToolButton::clicked, this, [this](bool on) { setFontStyle(fsItalic, on); });
    connect(UnderlineFontButton, &QToolButton::clicked, this,
            [this](bool on) { setFontStyle(fsUnderline, on); });
}

void TLabelToolBar::SetAttrib(TToolBarAttribClass* Attrib) {
    attrib_ = Attrib;
    ShowAttribColors();
}

QToolButton* TLabelToolBar::ToolButton(TDrawingTool Tool) const {
    return static_cast<QToolButton*>(toolGroup_->button(Tool));
}

void TLabelToolBar::ShapeOffDown() {
    ShapeOffButton->setChecked(true);
}

void TLabelToolBar::ShowAttribColors() {
    if (!attrib_) return;
    LabelPenColorSample->SetSampleColor(attrib_->PenColor);
    LabelBrushColorSample->SetSampleColor(attrib_->BrushColor);
}

void TLabelToolBar::pickColor(bool Pen) {
    if (!attrib_) return;
    TColorSample* sample = Pen ? LabelPenColorSample : LabelBrushColorSample;
    const TColor color = SelectColor(sample->SampleColor(), DialogOwner ? DialogOwner : window());
    sample->SetSampleColor(color);
    (Pen ? attrib_->PenColor : attrib_->BrushColor) = color;
}

void TLabelToolBar::setFontStyle(uint8_t Style, bool On) {
    if (!attrib_) return;
    if (On)
        attrib_->Font.Style |= Style;
    else
        attrib_->Font.Style &= uint8_t(~Style);
}

void TLabelToolBar::SetFlat(bool Flat) {
    for (QToolButton* button : buttons_)
        button->setAutoRaise(Flat);
}

// ---- Font controls ----

void TLabelToolBar::FillFontNames() {
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    const QSignalBlocker blocker(FontNameCombo);
    FontNameCombo->clear();
    FontNameCombo->addItems(families);
    FontNameCombo->setCurrentIndex(-1);
}

void TLabelToolBar::FillFontSizeCombo(int PixelsPerInch) {
    if (!attrib_) return;
    pixelsPerInch_ = PixelsPerInch;
    const std::vector<std::string> sizes =
        LabelFontSizeList(InstalledFontFaces(attrib_->Font.Name, PixelsPerInch), PixelsPerInch);
    // Filling an editable box selects its first item, which must not become the size.
    const QSignalBlocker blocker(FontSizeCombo);
    FontSizeCombo->clear();
    for (const std::string& size : sizes)
        FontSizeCombo->addItem(QString::fromStdString(size));
    FontSizeCombo->setCurrentIndex(-1);
    FontSizeCombo->setEditText(QString::number(attrib_->Font.Size));
}

void TLabelToolBar::SyncLabelFontControls(int PixelsPerInch) {
    if (!attrib_) return;
    {
        const QSignalBlocker blocker(FontNameCombo);
        FontNameCombo->setCurrentIndex(FontNameCombo->findText(QString::fromStdString(attrib_->Font.Name)));
    }
    FillFontSizeCombo(PixelsPerInch);
    BoldFontButton->setChecked(attrib_->Font.HasStyle(fsBold));
    ItalicFontButton->setChecked(attrib_->Font.HasStyle(fsItalic));
    UnderlineFontButton->setChecked(attrib_->Font.HasStyle(fsUnderline));
}

void TLabelToolBar::FontNameComboChange() {
    if (!attrib_) return;
    const std::string name = FontNameCombo->currentText().toStdString();
    if (name.empty() || name == attrib_->Font.Name) return;
    attrib_->Font.Name = name;
    FillFontSizeCombo(pixelsPerInch_);
}

void TLabelToolBar::FontSizeComboChange() {
    if (!attrib_) return;
    attrib_->Font.Size =
        LabelFontSizeFromText(FontSizeCombo->currentText().toStdString(), attrib_->Font.Size);
}

void TLabelToolBar::FontSizeComboExit() {
    if (!attrib_) return;
    FontSizeComboChange();
    const QSignalBlocker blocker(FontSizeCombo);
    FontSizeCombo->setEditText(QString::number(attrib_->Font.Size));
}

bool TLabelToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FontSizeCombo->lineEdit() && event->type() == QEvent::FocusOut) FontSizeComboExit();
    return QToolBar::eventFilter(watched, event);
}
