#pragma once
// The view dialog of a 3D graph: the three rotation angles in degrees, any constant
// expression each, and the zoom in pixels per graph unit. OK checks the three angles.

#include "math/DialogBase.h"
#include "model/Vw3dObj.h"

class QGroupBox;
class QPushButton;
class QSpinBox;
class TEditMathConst;

// The zooms the 3D view dialog offers, both inclusive.
inline constexpr int Min3DViewZoom = 1;
inline constexpr int Max3DViewZoom = 1000;

class TChange3DViewDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TChange3DViewDlg(QWidget* parent = nullptr);

    void Load(const TView3DZoomObj& View);
    void Store(TView3DZoomObj& View);

    QGroupBox* GroupBox1;
    TEditMathConst* ERotateX;
    TEditMathConst* ERotateY;
    TEditMathConst* ERotateZ;
    QGroupBox* GroupBox2;
    QSpinBox* EViewZoom;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

protected:
    bool CanCloseOk() override;
};

// Edits View in the dialog; on OK stores, sets View.Changed and returns true.
bool Execute3DViewDlg(TView3DZoomObj& View);
