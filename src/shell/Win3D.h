#pragma once
// The 3D cartesian graph window: rotated curves and 3D functions, its settings and view
// dialogs, and the zoom and rotation steps of its view.

#include "shell/WinBase.h"

class TImage3D;
class TView3DZoomObj;

class TWindow3D : public TGraphWindow3D {
public:
    TWindow3D();
    ~TWindow3D() override;

    TImage3D* ImageBox3D = nullptr;

    void FormCreate() override;
    void SetMainToolBarLayout() override;
    void UpdateStatusLine() override;
    void ZoomIn() override;
    void ZoomOut() override;
    void CenterView() override;
    void RotatePosX() override;
    void RotateNegX() override;
    void RotatePosY() override;
    void RotateNegY() override;
    void RotatePosZ() override;
    void RotateNegZ() override;

    QMenu* Graph1;
    QAction* GraphSettings2;
    QAction* New2DRotationXY1;
    QAction* New3DFunctionXYZ1;
    QAction* EditFuctionList1;
    QMenu* View1;
    QAction* ChangeView1;
    QAction* ZoomIn1;
    QAction* ZoomOut1;
    QAction* RotateNegX1;
    QAction* RotatePosX1;
    QAction* RotateNegY1;
    QAction* RotatePosY1;
    QAction* RotatePosZ1;
    QAction* RotateNegZ1;
    QAction* RotateAllAxistoZero1;

protected:
    QList<QMenu*> GraphMenus() const override { return {Graph1, View1}; }

private:
    void buildGraphMenu();
    void buildViewMenu();
    TView3DZoomObj& view() const;
    void rotate(uint8_t Axis, int Sign);
};
