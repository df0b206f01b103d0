#include "shell/Win3D.h"

#include "dialogs/Set3dDlg.h"
#include "dialogs/Vw3dDlg.h"
#include "model/Set3dObj.h"
#include "model/SetGraph.h"
#include "model/Vw3dObj.h"
#include "model/func3dobj.h"
#include "plot/Imag3d.h"
#include "shell/MainForm.h"
#include "shell/MenuItems.h"
#include "shell/ViewStep.h"

#include <QMenu>

TWindow3D::TWindow3D() {
    setObjectName(QStringLiteral("Window3D"));
    buildGraphMenu();
    buildViewMenu();
}

TWindow3D::~TWindow3D() = default;

void TWindow3D::FormCreate() {
    TGraphWindow3D::FormCreate();
    ImageBox3D = new TImage3D(this);
    AttachImageBox(ImageBox3D);
}

void TWindow3D::buildGraphMenu() {
    Graph1 = new QMenu(QStringLiteral("&Graph"), this);
    Graph1->setObjectName(QStringLiteral("Graph1"));
    GraphSettings2 =
        AddMenuItem(Graph1, "GraphSettings2", "Graph &Settings...", QKeySequence(Qt::CTRL | Qt::Key_G));
    AddMenuSeparator(Graph1);
    New2DRotationXY1 = AddMenuItem(Graph1, "New2DRotationXY1", "New &2D Rotation (X,Y)...",
                                   QKeySequence(Qt::CTRL | Qt::Key_X));
    New3DFunctionXYZ1 = AddMenuItem(Graph1, "New3DFunctionXYZ1", "New &3D Function (X,Y,Z)...",
                                    QKeySequence(Qt::CTRL | Qt::Key_Y));
    EditFuctionList1 =
        AddMenuItem(Graph1, "EditFuctionList1", "&Edit Function List...", QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(GraphSettings2, &QAction::triggered, this, [this] {
        if (ImageBox3D && Execute3DSettingsDlg(ImageBox3D->GetSettings())) ImageBox3D->Replot();
    });
    connect(New2DRotationXY1, &QAction::triggered, this,
            [this] { AddNewFunction(std::make_unique<TFuncRotateObj>()); });
    connect(New3DFunctionXYZ1, &QAction::triggered, this,
            [this] { AddNewFunction(std::make_unique<TFunc3DObj>()); });
    connect(EditFuctionList1, &QAction::triggered, this, [this] { EditFunctionList(); });
}

void TWindow3D::buildViewMenu() {
    View1 = new QMenu(QStringLiteral("&View"), this);
    View1->setObjectName(QStringLiteral("View1"));
    ChangeView1 = AddMenuItem(View1, "ChangeView1", "C&hange View...", QKeySequence(Qt::CTRL | Qt::Key_V));
    AddMenuSeparator(View1);
    ZoomIn1 = AddMenuItem(View1, "ZoomIn1", "Zoom &In", QKeySequence(Qt::Key_F3));
    ZoomOut1 = AddMenuItem(View1, "ZoomOut1", "Zoom &Out", QKeySequence(Qt::Key_F4));
    AddMenuSeparator(View1);
    RotateNegX1 = AddMenuItem(View1, "RotateNegX1", "Rotate - to X Axis (Up)", QKeySequence(Qt::Key_F5));
    RotatePosX1 = AddMenuItem(View1, "RotatePosX1", "Rotate + to &X Axis (Down)", QKeySequence(Qt::Key_F6));
    RotateNegY1 = AddMenuItem(View1, "RotateNegY1", "Rotate - to Y Axis (Left)", QKeySequence(Qt::Key_F7));
    RotatePosY1 = AddMenuItem(View1, "RotatePosY1", "Rotate + to &Y Axis (Right)", QKeySequence(Qt::Key_F8));
    RotatePosZ1 =
        AddMenuItem(View1, "RotatePosZ1", "Rotate + to &Z Axis (Spin Left)", QKeySequence(Qt::Key_F9));
    RotateNegZ1 =
        AddMenuItem(View1, "RotateNegZ1", "Rotate - to Z Axis (Spin Right)", QKeySequence(Qt::Key_F10));
    AddMenuSeparator(View1);
    RotateAllAxistoZero1 = AddMenuItem(View1, "RotateAllAxistoZero1", "&Rotate All Axis to Zero",
                                       QKeySequence(Qt::SHIFT | Qt::Key_F2));
    connect(ChangeView1, &QAction::triggered, this, [this] {
        if (ImageBox3D && Execute3DViewDlg(view())) ImageBox3D->Replot();
    });
    ConnectSteps<TWindow3D>({
        {ZoomIn1, &TWindow3D::ZoomIn},
        {ZoomOut1, &TWindow3D::ZoomOut},
        {RotateNegX1, &TWindow3D::RotateNegX},
        {RotatePosX1, &TWindow3D::RotatePosX},
        {RotateNegY1, &TWindow3D::RotateNegY},
        {RotatePosY1, &TWindow3D::RotatePosY},
        {RotatePosZ1, &TWindow3D::RotatePosZ},
        {RotateNegZ1, &TWindow3D::RotateNegZ},
        {RotateAllAxistoZero1, &TWindow3D::CenterView},
    });
}

void TWindow3D::SetMainToolBarLayout() {
    if (MainForm) MainForm->SetToolBarLayout3D();
}

void TWindow3D::UpdateStatusLine() {
    if (!MainForm || !ImageBox3D) return;
    const TSettingBmpAttribsObj& attribs = ImageBox3D->GetBitmapAttribs();
    MainForm->StatusLine.Update3D(view(), attribs.Width, attribs.Height, ImageBox3D->LastMouseX(),
                                  ImageBox3D->LastMouseY());
}

TView3DZoomObj& TWindow3D::view() const {
    return ImageBox3D->GetViewZoom();
}

void TWindow3D::ZoomIn() {
    ApplyViewChange(Zoom3DIn(view(), MainForm->HotKeys3D));
}

void TWindow3D::ZoomOut() {
    ApplyViewChange(Zoom3DOut(view(), MainForm->HotKeys3D));
}

void TWindow3D::CenterView() {
    ApplyViewChange(CenterView3D(view()));
}

// A rotation redraws even when its step is 0.
void TWindow3D::rotate(uint8_t Axis, int Sign) {
    Rotate3D(view(), TRotationAxis(Axis), Sign * MainForm->HotKeys3D.Rotation3DIncAmt);
    ApplyViewChange(true);
}

void TWindow3D::RotatePosX() {
    rotate(raX, +1);
}

void TWindow3D::RotateNegX() {
    rotate(raX, -1);
}

void TWindow3D::RotatePosY() {
    rotate(raY, +1);
}

void TWindow3D::RotateNegY() {
    rotate(raY, -1);
}

void TWindow3D::RotatePosZ() {
    rotate(raZ, +1);
}

void TWindow3D::RotateNegZ() {
    rotate(raZ, -1);
}
