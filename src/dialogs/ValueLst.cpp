#include "dialogs/ValueLst.h"

#include "math/DialogRows.h"
#include "math/Floatstr.h"
#include "model/func2d.h"
#include "platform/FormatSettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 1020;
// Lists longer than this are shortened until the memo takes them whole.
constexpr std::size_t kShortenAbove = 5000;

} // namespace

void AppendRowValue(std::string& List, const TMathValue& Value, TRowValuesFormat Format) {
    if (!List.empty()) {
        List += FormatSettings().ListSeparator;
        List += ' ';
    }
    if (Value.Kind == mvFraction && Format != rvDecimal) {
        List += std::to_string(Value.Numerator);
        if (Format == rvFraction || Value.Denominator != 1) List += "/" + std::to_string(Value.Denominator);
        return;
    }
    List += FloatToStrGeneral(Value.FloatValue);
}

bool BuildRowValuesText(const TFunc2DSpecialItem& Item, TMathFunction& ValueFunc, TRowValuesFormat Format,
                        std::string& List) {
    List.clear();
    try {
        return ExpandSpecialItem(Item, ValueFunc,
                                 [&](const TMathValue& v) { AppendRowValue(List, v, Format); });
    } catch (...) {
        return false;
    }
}

TValueListMemo::TValueListMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TValueListMemo::SetText(const std::string& Text) {
    length_ = std::min(Text.size(), Capacity);
    setPlainText(QString::fromStdString(Text.substr(0, length_)));
}

TSpec2DValuesRowDlg::TSpec2DValuesRowDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("Row Values ");
    auto* layout = new QVBoxLayout(this);
    Label1 = MakeLabel("Calculated Point or Series Values", this);
    ValueListMemo = new TValueListMemo(this);
    ValueListMemo->setMinimumSize(360, 160);
    WasTruncatedLabel = MakeLabel("List Display Was Truncated", this);
    QFont bold = WasTruncatedLabel->font();
    bold.setBold(true);
    WasTruncatedLabel->setFont(bold);
    WasTruncatedLabel->hide();
    QGroupBox* formatBox = MakeGroupBox("Result Format", this);
    auto* formats = new QVBoxLayout(formatBox);
    EInteger = MakeRadioButton("Integer / Fraction", formatBox, true);
    EFraction = MakeRadioButton("Fraction", formatBox);
    EDecimal = MakeRadioButton("Decimal", formatBox);
    for (QRadioButton* b : {EInteger, EFraction, EDecimal}) {
        formats->addWidget(b);
        connect(b, &QRadioButton::clicked, this, &TSpec2DValuesRowDlg::EFormatTypeClick);
    }
    TDialogButtons buttons = MakeDialogButtons(*this, false);
    OKBtn = buttons.OKBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(Label1);
    layout->addWidget(ValueListMemo, 1);
    layout->addWidget(WasTruncatedLabel);
    layout->addWidget(formatBox);
    layout->addWidget(buttons.Row);
}

TRowValuesFormat TSpec2DValuesRowDlg::SelectedFormat() const {
    if (EDecimal->isChecked()) return rvDecimal;
    if (EFraction->isChecked()) return rvFraction;
    return rvIntegerFraction;
}

bool TSpec2DValuesRowDlg::BuildList() {
    ValueListMemo->SetText({});
    if (!Item || !ValueFunc) return false;
    std::string list;
    if (!BuildRowValuesText(*Item, *ValueFunc, SelectedFormat(), list)) return false;
    ValueListMemo->SetText(list);
    WasTruncatedLabel->setVisible(ValueListMemo->TextLength() != list.size());
    while (ValueListMemo->TextLength() != list.size() && list.size() > kShortenAbove) {
        list.resize(list.size() - (list.size() >= 100001 ? 1000 : 100));
        ValueListMemo->SetText(list);
    }
    return true;
}

void TSpec2DValuesRowDlg::EFormatTypeClick() {
    BuildList();
}

void ShowRowValuesDlg(const TFunc2DSpecialItem& Item, TMathFunction& ValueFunc, QWidget* OwnerForm) {
    TSpec2DValuesRowDlg dialog(OwnerForm);
    dialog.Item = &Item;
    dialog.ValueFunc = &ValueFunc;
    if (dialog.BuildList()) dialog.Execute(OwnerForm);
}
