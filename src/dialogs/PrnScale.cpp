#include "dialogs/PrnScale.h"

#include "dialogs/PictDlgLogic.h"
#include "math/DialogRows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 4035;
} // namespace

TPrintScaleDlg::TPrintScaleDlg() : TDialogBase(nullptr, kHelpContext) {
    setWindowTitle("Print Scale");
    auto* grid = new QGridLayout(this);
    PercentBox = MakeGroupBox("Stretch or Shrink Before Printing (Percentage)", this);
    auto* row = new QHBoxLayout(PercentBox);
    EPercent = MakeSpinEdit(PercentBox, MinPrintScale, MaxPrintScale, 100, 4);
    row->addWidget(EPercent);
    row->addWidget(MakeLabel("%", PercentBox));
    row->addStretch(1);
    grid->addWidget(PercentBox, 0, 0);

    BPrint = MakeButton("&Print", this);
    connect(BPrint, &QPushButton::clicked, this, [this] { done(mrPrint); });
    ExemptFromExitChecks(BPrint);
    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    // Print stands first in the row of buttons.
    static_cast<QHBoxLayout*>(buttons.Row->layout())->insertWidget(1, BPrint);
    grid->addWidget(buttons.Row, 1, 0);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

bool ExecutePrintScaleDlg() {
    TPrintScaleDlg dialog;
    dialog.EPercent->setValue(PrintScalePercent);
    const int result = dialog.Execute(nullptr);
    return ApplyPrintScale(result, dialog.EPercent->value());
}
