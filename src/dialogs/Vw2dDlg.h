#pragma once
// The view dialog of a 2D cartesian graph: the centre in graph units and in pixels, and the
// zoom of each axis. The pixels are the master copy of the centre; leaving a field turns
// what was typed into pixels and shows the graph units again as the pixels hold them.

#include "dialogs/ViewCalc.h"
#include "math/DialogBase.h"
#include "model/Vw2dObj.h"

class QGroupBox;
class QPushButton;
class QSpinBox;
class TEditMathConst;

class TChange2DViewDlg : public TDialogBase {
    Q_OBJECT
public:
    explicit TChange2DViewDlg(QWidget* parent = nullptr);

    void Load(const TView2DZoomObj& View);
    void Store(TView2DZoomObj& View);

    // The exits of the fields; false when the user must stay (a message was shown).
    bool ECartesianXExit();
    bool ECartesianYExit();
    bool EPixelsExit();
    bool EXViewZoomExit();
    bool EYViewZoomExit();

    QGroupBox* GraphBox;
    TEditMathConst* ECartesianX;
    TEditMathConst* ECartesianY;
    QGroupBox* PixelsBox;
    QSpinBox* EPixelsX;
    QSpinBox* EPixelsY;
    QGroupBox* ZoomBox;
    TEditMathConst* EXViewZoom;
    TEditMathConst* EYViewZoom;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

    // The kept zooms, the pixel centre and the graph units derived from it.
    T2DViewCenter Center;

private:
    QGroupBox* buildGraphBox();
    QGroupBox* buildPixelsBox();
    QGroupBox* buildZoomBox();
    // The fields show Center.
    void showPixels();
    void showUnits();
    bool unitsExit(TEditMathConst* edit, void (T2DViewCenter::*set)(long double));
    bool zoomExit(TEditMathConst* edit, long double& kept, const char* axis);
};

// Edits View in the dialog; on OK stores, sets View.Changed and returns true.
bool Execute2DViewDlg(TView2DZoomObj& View);
