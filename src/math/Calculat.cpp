#include "math/Calculat.h"

#include "math/CenterDlg.h"
#include "platform/UiHook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int kHelpContext = 4050;

std::string textOf(const QLineEdit* edit) {
    return edit->text().toStdString();
}
std::string textOf(const QComboBox* box) {
    return box->currentText().toStdString();
}

QComboBox* makeNameBox(QWidget* parent, const char* initial) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->addItems({"X", "Y", "Z", "T", "Theta"});
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCurrentText(initial);
    return box;
}

QLineEdit* makeValueEdit(QWidget* parent, int maxLength) {
    auto* edit = new QLineEdit("0", parent);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    return edit;
}

// An error ends with the character position it is about, so the result wraps onto as many
// as three lines instead of cutting the message at the field's edge.
QPlainTextEdit* makeResultArea(QWidget* parent) {
    constexpr int kLines = 3;
    auto* area = new QPlainTextEdit(parent);
    area->setReadOnly(true);
    area->setTabChangesFocus(true);
    area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    area->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int margins = 2 * (area->frameWidth() + int(area->document()->documentMargin()));
    area->setFixedHeight(kLines * area->fontMetrics().lineSpacing() + margins);
    return area;
}

} // namespace

TCaculatorDlg::TCaculatorDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Function Calculator");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* definition = new QGroupBox("Function Definition", this);
    auto* grid = new QGridLayout(definition);
    EFunctionStr = new QLineEdit(definition);
    EFunctionStr->setMaxLength(250);
    auto* functionLabel = new QLabel("&Function", definition);
    functionLabel->setBuddy(EFunctionStr);
    grid->addWidget(functionLabel, 0, 0, 1, 2);
    grid->addWidget(EFunctionStr, 1, 0, 1, 2);
    grid->addWidget(new QLabel("Variable Name", definition), 2, 0);
    grid->addWidget(new QLabel("Variable Value", definition), 2, 1);
    EVar1Name = makeNameBox(definition, "X");
    EVar2Name = makeNameBox(definition, "Y");
    EVar3Name = makeNameBox(definition, "Z");
    EVar1Value = makeValueEdit(definition, 50);
    EVar2Value = makeValueEdit(definition, 50);
    EVar3Value = makeValueEdit(definition, 0);
    grid->addWidget(EVar1Name, 3, 0);
    grid->addWidget(EVar1Value, 3, 1);
    grid->addWidget(EVar2Name, 4, 0);
    grid->addWidget(EVar2Value, 4, 1);
    grid->addWidget(EVar3Name, 5, 0);
    grid->addWidget(EVar3Value, 5, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);

    auto* resultBox = new QGroupBox("Function Result", this);
    auto* resultLayout = new QHBoxLayout(resultBox);
    EFunctionResult = makeResultArea(resultBox);
    resultLayout->addWidget(new QLabel("Y=f(x,z)=", resultBox), 0, Qt::AlignTop);
    resultLayout->addWidget(EFunctionResult, 1);

    auto* formatBox = new QGroupBox("Result Format", this);
    auto* formatLayout = new QGridLayout(formatBox);
    EDecimal = new QRadioButton("Decimal", formatBox);
    EScientific = new QRadioButton("Scientific", formatBox);
    EFraction = new QRadioButton("Fraction", formatBox);
    EMixedFrac = new QRadioButton("Mixed Fraction", formatBox);
    EIntegerFraction = new QRadioButton("Integer / Fraction", formatBox);
    EIntegerFraction->setChecked(true);
    formatLayout->addWidget(EDecimal, 0, 0);
    formatLayout->addWidget(EScientific, 0, 1);
    formatLayout->addWidget(EFraction, 0, 2);
    formatLayout->addWidget(EMixedFrac, 1, 0);
    formatLayout->addWidget(EIntegerFraction, 1, 1, 1, 2);
    for (QRadioButton* b : {EDecimal, EScientific, EFraction, EMixedFrac, EIntegerFraction})
        connect(b, &QRadioButton::clicked, this, &TCaculatorDlg::CalculateButtonClick);

    CalculateButton = new QPushButton("C&alculate", this);
    OKBtn = new QPushButton("&Close", this);
    HelpBtn = new QPushButton("&Help", this);
    for (QPushButton* b : {OKBtn, HelpBtn})
        b->setAutoDefault(false);
    CalculateButton->setDefault(true);
    connect(CalculateButton, &QPushButton::clicked, this, &TCaculatorDlg::CalculateButtonClick);
    connect(OKBtn, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(HelpBtn, &QPushButton::clicked, this, [] { ApplicationHelpContext(kHelpContext); });
    AddHelpKey(*this, [] { ApplicationHelpContext(kHelpContext); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CalculateButton);
    buttons->addWidget(OKBtn);
    buttons->addWidget(HelpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(definition);
    layout->addWidget(resultBox);
    layout->addWidget(formatBox);
    layout->addLayout(buttons);
    // Row by row, not in the order the controls were made.
    QWidget* order[] = {EFunctionStr, EVar1Name,       EVar1Value,      EVar2Name, EVar2Value, EVar3Name,
                        EVar3Value,   EFunctionResult, CalculateButton, OKBtn,     HelpBtn};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // A dialog border: the designed client width, the height its contents need.
    setFixedSize(489, sizeHint().height());
}

TCalcResultFormat TCaculatorDlg::SelectedFormat() const {
    if (EDecimal->isChecked()) return cfDecimal;
    if (EScientific->isChecked()) return cfScientific;
    if (EFraction->isChecked()) return cfFraction;
    if (EMixedFrac->isChecked()) return cfMixedFraction;
    return cfIntegerFraction;
}

void TCaculatorDlg::CalculateButtonClick() {
    std::array<TCalcRow, 3> rows = {TCalcRow{textOf(EVar1Name), textOf(EVar1Value)},
                                    TCalcRow{textOf(EVar2Name), textOf(EVar2Value)},
                                    TCalcRow{textOf(EVar3Name), textOf(EVar3Value)}};
    TCalcOutcome outcome = logic_.Calculate(textOf(EFunctionStr), rows, SelectedFormat());
    // A text longer than the area (a number of hundreds of digits) shows its start; the
    // tooltip holds all of it.
    const QString text = QString::fromStdString(outcome.Text);
    EFunctionResult->setPlainText(text);
    EFunctionResult->moveCursor(QTextCursor::Start);
    EFunctionResult->setToolTip(text);
    if (QWidget* w = controlOf(outcome.Focus)) w->setFocus();
}

QWidget* TCaculatorDlg::controlOf(TCalcControl control) const {
    switch (control) {
    case ccFunction:
        return EFunctionStr;
    case ccVarName1:
        return EVar1Name;
    case ccVarName2:
        return EVar2Name;
    case ccVarName3:
        return EVar3Name;
    case ccVarValue1:
        return EVar1Value;
    case ccVarValue2:
        return EVar2Value;
    case ccVarValue3:
        return EVar3Value;
    default:
        return nullptr;
    }
}

void TCaculatorDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EFunctionStr->setFocus();
}

void ShowFunctionCalculator() {
    TCaculatorDlg dialog;
    PositionDialog(&dialog, nullptr);
    UiHook().ExecModal(dialog);
}
