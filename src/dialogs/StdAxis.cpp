#include "dialogs/StdAxis.h"

#include "math/DialogRows.h"
#include "math/editmath.h"
#include "platform/UiHook.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kHelpContext = 2005;
} // namespace

TStdAxisListDlg::TStdAxisListDlg(QWidget* parent) : TDialogBase(parent, kHelpContext) {
    setWindowTitle("Standard Axis Lists");
    auto* layout = new QVBoxLayout(this);
    QGroupBox* quick = MakeGroupBox("Quick Lists (Degrees)", this);
    auto* radios = new QVBoxLayout(quick);
    ERadioNone = MakeRadioButton("None", quick);
    ERadio90 = MakeRadioButton("0, 90, 180, 270", quick);
    ERadio45 = MakeRadioButton("0, 45, 90, 135, 180, 225, 270, 315", quick, true);
    ERadio30 = MakeRadioButton("0, 30, 60, 90, 120, 150, 180, 210, 240, 270, 300, 330", quick);
    ERadioIntervals = MakeRadioButton("Specified Intervals", quick);
    for (QRadioButton* b : {ERadioNone, ERadio90, ERadio45, ERadio30, ERadioIntervals})
        radios->addWidget(b);
    layout->addWidget(quick);

    QGroupBox* amount = MakeGroupBox("Interval  Amount (Degrees)", this);
    TFormRows rows(amount);
    EIntervalAmt =
        MakeMathEdit(amount, "Interval Amount",
                     {{CheckLoBound, LoBoundCanEqual, CheckHiBound, HiBoundCanEqual}, "1", 1, "359", 359});
    rows.AddWide(EIntervalAmt);
    layout->addWidget(amount);

    TDialogButtons buttons = MakeDialogButtons(*this);
    OKBtn = buttons.OKBtn;
    CancelBtn = buttons.CancelBtn;
    HelpBtn = buttons.HelpBtn;
    layout->addWidget(buttons.Row);
}

TStdAxisChoice TStdAxisListDlg::Choice() const {
    if (ERadio90->isChecked()) return sa90;
    if (ERadio45->isChecked()) return sa45;
    if (ERadio30->isChecked()) return sa30;
    if (ERadioIntervals->isChecked()) return saIntervals;
    return saNone;
}

bool TStdAxisListDlg::CanCloseOk() {
    if (!ERadioIntervals->isChecked()) return true;
    if (!EIntervalAmt->ValidateAndFocus()) return false;
    Interval = EIntervalAmt->Value.FloatValue;
    return true;
}

bool BuildStdAxisList(int32_t& Count, std::array<long double, MaxPolarAxes>& Angles, QWidget* OwnerForm) {
    TStdAxisListDlg dialog(OwnerForm);
    dialog.Interval = 15;
    dialog.EIntervalAmt->setText("15");
    if (dialog.Execute(OwnerForm) != mrOk) return false;
    const std::vector<long double> angles = StdAxisAngles(dialog.Choice(), dialog.Interval);
    std::copy(angles.begin(), angles.end(), Angles.begin());
    Count = int32_t(angles.size());
    return true;
}
