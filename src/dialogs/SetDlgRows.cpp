#include "dialogs/SetDlgRows.h"

#include "dialogs/ViewCalc.h"
#include "labels/LabelDlgParts.h"
#include "math/CenterDlg.h"
#include "math/ColorSample.h"
#include "math/DialogRows.h"
#include "math/Floatstr.h"
#include "math/editmath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>

#include <algorithm>

TPenStyleButtons::TPenStyleButtons() = default;
TPenStyleButtons::~TPenStyleButtons() = default;
TPenStyleButtons::TPenStyleButtons(TPenStyleButtons&&) noexcept = default;
TPenStyleButtons& TPenStyleButtons::operator=(TPenStyleButtons&&) noexcept = default;

TPenStyleButtons MakePenStyleButtons(QWidget* parent, const QString& title) {
    TPenStyleButtons pen;
    pen.Box = MakeGroupBox(title, parent);
    auto* row = new QHBoxLayout(pen.Box);
    pen.Styles = std::make_unique<TStyleButtons>(pen.Box, PenStylesLine, sgPen);
    row->addWidget(pen.Styles->Row());
    SetPenStyle(pen, 0);
    return pen;
}

void SetPenStyle(const TPenStyleButtons& Pen, uint8_t Code) {
    Pen.Styles->SetDown(StyleButton(PenStylesLine, Code).value_or(0));
}

uint8_t PenStyleOf(const TPenStyleButtons& Pen) {
    return StyleOfButton(PenStylesLine, Pen.Styles->Down()).value_or(0);
}

QGroupBox* MakeBackColorBox(QWidget* parent, QPushButton*& Button, TColorSample*& Sample) {
    QGroupBox* box = MakeGroupBox("Background Color", parent);
    TFormRows rows(box);
    TColorRow back = MakeColorRow(box, "Color", "Background Color Sample");
    Button = back.Button;
    Sample = back.Sample;
    rows.AddRow(Button, Sample);
    rows.Layout()->setColumnStretch(2, 1);
    return box;
}

TScrollRow MakeSizeBar(QWidget* parent) {
    TScrollRow row = MakeScrollRow(parent, 1, 10);
    row.Bar->setFocusPolicy(Qt::StrongFocus);
    // Qt's scroll bars move the other way round for the arrow keys; a size grows to the right.
    row.Bar->setInvertedControls(false);
    return row;
}

TNumberFormatRows MakeNumberFormatRows(QWidget* parent, const QString& commaCaption,
                                       const QString& plusCaption, int maxDigits, int maxLength) {
    TNumberFormatRows rows;
    rows.Format = MakeDropDownList(parent, {});
    for (const char* name : NumberFormatNames)
        rows.Format->addItem(QString::fromUtf8(name));
    rows.Comma = MakeCheckBox(commaCaption, parent);
    rows.Plus = MakeCheckBox(plusCaption, parent);
    rows.Digits = MakeSpinEdit(parent, 0, maxDigits, 0, maxLength);
    rows.DigitsCaption = MakeLabel(DecimalPlacesCaption, parent);
    // The widest caption decides the width, so that switching captions moves nothing.
    rows.DigitsCaption->setMinimumWidth(
        std::max(rows.DigitsCaption->fontMetrics().horizontalAdvance(DecimalPlacesCaption),
                 rows.DigitsCaption->fontMetrics().horizontalAdvance(PrecisionCaption)));
    QObject::connect(rows.Format, &QComboBox::currentIndexChanged, rows.Format, [rows](int index) {
        RefreshLabelOptions(rows);
        rows.Digits->setValue(DefaultFormatDigits(IndexToNumberFormat(index)));
    });
    return rows;
}

void RefreshLabelOptions(const TNumberFormatRows& Rows) {
    bool thousands = true;
    bool plus = true;
    std::string caption;
    GetNumberFormatOptions(IndexToNumberFormat(Rows.Format->currentIndex()), thousands, plus, caption);
    Rows.Comma->setEnabled(thousands);
    Rows.Plus->setEnabled(plus);
    Rows.DigitsCaption->setText(QString::fromStdString(caption));
}

void LoadNumberFormatRows(const TNumberFormatRows& Rows, TNumberFormatKind Format, bool Thousands, bool Plus,
                          int32_t Digits) {
    Rows.Format->setCurrentIndex(NumberFormatToIndex(Format));
    Rows.Comma->setChecked(Thousands);
    Rows.Plus->setChecked(Plus);
    Rows.Digits->setValue(Digits);
}

void StoreNumberFormatRows(const TNumberFormatRows& Rows, TNumberFormatKind& Format, bool& Thousands,
                           bool& Plus, int32_t& Digits) {
    Format = IndexToNumberFormat(Rows.Format->currentIndex());
    Thousands = Rows.Comma->isChecked();
    Plus = Rows.Plus->isChecked();
    Digits = Rows.Digits->value();
}

QGroupBox* MakePixelCenterBox(QWidget* parent, QSpinBox*& X, QSpinBox*& Y) {
    QGroupBox* box = MakeGroupBox("View Center (Pixels From Center)", parent);
    TFormRows rows(box);
    X = MakeSpinEdit(box, -ViewPixelLimit, ViewPixelLimit, 0, 9);
    Y = MakeSpinEdit(box, -ViewPixelLimit, ViewPixelLimit, 0, 9);
    rows.AddRow("X=", X);
    rows.AddRow("Y=", Y);
    return box;
}

QLabel* MakeZoomNote(QWidget* parent) {
    return MakeLabel("Values given in Pixels Per Graph Unit.\nValues where (1 > Zoom > 0) Give\n"
                     "Multiple Graph Units Per Pixel.",
                     parent);
}

TEditMathConst* MakeNumberEdit(QWidget* parent, const QString& errorName) {
    TEditMathConst* edit = MakeMathEdit(parent, errorName);
    // A sign, 18 digits and a separator: the longest trimmed number.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(21, '8')) + 12);
    return edit;
}

void ShowNumber(TEditMathConst* Edit, long double X) {
    Edit->setText(QString::fromStdString(FloatToStrTrim(X)));
    Edit->setCursorPosition(0);
}

bool LeaveZoomEdit(TEditMathConst& Edit, long double& Kept, const std::string& Message, QWidget* Form,
                   const std::function<void()>& Taken) {
    if (!Edit.ValidateAndFocus()) return false;
    const long double typed = Edit.Value.FloatValue;
    if (ViewZoomInRange(typed)) {
        Kept = typed;
        Taken();
        return true;
    }
    bool ignored = false;
    switch (CenterMessageDlg(Message, mtError, {mbOK, mbCancel, mbIgnore}, 0, Form)) {
    case mrCancel:
        ShowNumber(&Edit, Kept);
        break;
    case mrIgnore:
        Kept = IgnoredViewZoom(typed);
        ShowNumber(&Edit, Kept);
        ignored = true;
        break;
    default: // OK: the typed text stays for the user to mend
        break;
    }
    Edit.setFocus(Qt::OtherFocusReason);
    if (ignored) Taken();
    return false;
}
