#pragma once
// The view dialog of a polar graph: the centre as R and Theta, in graph units and in
// pixels, and the one zoom of both axes. The pixels are the master copy of the centre;
// leaving a field turns what was typed into pixels and shows every other form again.

#include "dialogs/ViewCalc.h"
#include "math/DialogBase.h"
#include "model/VwPoObj.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TEditMathConst;

class TChangePolarViewDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TChangePolarViewDlg(QWidget* parent = nullptr);

    void Load(const TViewPolarZoomObj& View);
    void Store(TViewPolarZoomObj& View);

    // The exits of the fields; false when the user must stay (a message was shown).
    bool ECartesianXExit();
    bool ECartesianYExit();
    bool EPolarRExit();
    bool EPolarThetaExit();
    bool EPixelsExit();
    bool EViewZoomExit();
    // Degrees or Radians clicked: Theta is shown in the chosen unit.
    void ThetaTypeClick();

    QGroupBox* GroupBox1;
    TEditMathConst* EPolarR;
    TEditMathConst* EPolarTheta;
    QGroupBox* ThetaBox;
    QRadioButton* EDegrees;
    QRadioButton* ERadians;
    QGroupBox* GroupBox2;
    TEditMathConst* ECartesianX;
    TEditMathConst* ECartesianY;
    QGroupBox* GroupBox3;
    QSpinBox* EPixelsX;
    QSpinBox* EPixelsY;
    QGroupBox* ZoomBox;
    TEditMathConst* EViewZoom;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    // The kept zoom, the pixel centre, the derived centre and the theta unit.
    TPolarViewCenter Center;

private:
    QGroupBox* buildPolarBox();
    QGroupBox* buildCartesianBox();
    QGroupBox* buildPixelsBox();
    QGroupBox* buildZoomBox();
    // The fields show Center.
    void showCenter();
    bool editExit(TEditMathConst* edit, void (TPolarViewCenter::*set)(long double));
};

// Edits View in the dialog; on OK stores, sets View.Changed and returns true.
bool ExecutePolarViewDlg(TViewPolarZoomObj& View);
