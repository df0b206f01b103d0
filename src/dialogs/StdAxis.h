#pragma once
// The standard axis lists of a polar graph: none, every 90, 45 or 30 degrees, or every
// given number of degrees. The polar settings dialog opens it on its working axis list.

#include "dialogs/SetPoLogic.h"
#include "math/DialogBase.h"

#include <array>
#include <cstdint>

class QPushButton;
class QRadioButton;
class TEditMathConst;

class TStdAxisListDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TStdAxisListDlg(QWidget* parent = nullptr);

    // The list the checked button stands for.
    TStdAxisChoice Choice() const;

    QRadioButton* ERadioNone;
    QRadioButton* ERadio90;
    QRadioButton* ERadio45;
    QRadioButton* ERadio30;
    QRadioButton* ERadioIntervals;
    TEditMathConst* EIntervalAmt;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    long double Interval = 15; // degrees, kept when OK closes with "Specified Intervals"

protected:
    bool CanCloseOk() override;
};

// Lets the user choose a standard list over OwnerForm; on OK Count and the first Count
// Angles take it and the result is true. Anything else changes nothing.
bool BuildStdAxisList(int32_t& Count, std::array<long double, MaxPolarAxes>& Angles, QWidget* OwnerForm);
