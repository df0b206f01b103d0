#include "shell/Win2D.h"

#include "dialogs/Set2dDlg.h"
#include "dialogs/Vw2dDlg.h"
#include "model/Set2dObj.h"
#include "model/SetGraph.h"
#include "model/Vw2dObj.h"
#include "model/func2d.h"
#include "model/funcpara.h"
#include "plot/Imag2d.h"
#include "shell/MainForm.h"
#include "shell/MenuItems.h"
#include "shell/ViewStep.h"

#include <QMenu>

TWindow2D::TWindow2D() {
    setObjectName(QStringLiteral("Window2D"));
    buildGraphMenu();
    buildViewMenu();
}

TWindow2D::~TWindow2D() = default;

void TWindow2D::FormCreate() {
    TGraphWindow2D::FormCreate();
    ImageBox2D = new TImage2D(this);
    AttachImageBox(ImageBox2D);
}

void TWindow2D::buildGraphMenu() {
    Graph1 = new QMenu(QStringLiteral("&Graph"), this);
    Graph1->setObjectName(QStringLiteral("Graph1"));
    GraphSettings2 =
        AddMenuItem(Graph1, "GraphSettings2", "Graph &Settings...", QKeySequence(Qt::CTRL | Qt::Key_G));
    AddMenuSeparator(Graph1);
    New2DFunction1 =
        AddMenuItem(Graph1, "New2DFunction1", "&New 2D Function...", QKeySequence(Qt::CTRL | Qt::Key_X));
    NewParametricFunction1 = AddMenuItem(Graph1, "NewParametricFunction1", "New &Parametric Function...",
                                         QKeySequence(Qt::CTRL | Qt::Key_Y));
    EditFunctionList1 = AddMenuItem(Graph1, "EditFunctionList1", "&Edit Function List...",
                                    QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(GraphSettings2, &QAction::triggered, this, [this] {
        if (ImageBox2D && Execute2DSettingsDlg(ImageBox2D->GetSettings())) ImageBox2D->Replot();
    });
    connect(New2DFunction1, &QAction::triggered, this,
            [this] { AddNewFunction(std::make_unique<TFunc2DObj>()); });
    connect(NewParametricFunction1, &QAction::triggered, this,
            [this] { AddNewFunction(std::make_unique<TFuncParametricObj>()); });
    connect(EditFunctionList1, &QAction::triggered, this, [this] { EditFunctionList(); });
}

void TWindow2D::buildViewMenu() {
    View1 = new QMenu(QStringLiteral("&View"), this);
    View1->setObjectName(QStringLiteral("View1"));
    ChangeView1 = AddMenuItem(View1, "ChangeView1", "Change Vie&w...", QKeySequence(Qt::CTRL | Qt::Key_V));
    AddMenuSeparator(View1);
    ZoomIn1 = AddMenuItem(View1, "ZoomIn1", "Zoom &In", QKeySequence(Qt::Key_F3), 5000);
    ZoomOut1 = AddMenuItem(View1, "ZoomOut1", "Zoom &Out", QKeySequence(Qt::Key_F4), 5000);
    ZoomXAxisIn1 = AddMenuItem(View1, "ZoomXAxisIn1", "Zoo&m X Axis In", QKeySequence(Qt::Key_F9));
    ZoomXAxisOut1 = AddMenuItem(View1, "ZoomXAxisOut1", "Zoom X &Axis Out", QKeySequence(Qt::Key_F10));
    ZoomYAxisIn1 = AddMenuItem(View1, "ZoomYAxisIn1", "Zoom Y Axis I&n", QKeySequence(Qt::Key_F11));
    ZoomYAxisOut1 = AddMenuItem(View1, "ZoomYAxisOut1", "Zoom Y Axis Ou&t", QKeySequence(Qt::Key_F12));
    AddMenuSeparator(View1);
    AddScrollPageItems(View1);
    AddMenuSeparator(View1);
    SetXZoomEqualToY1 = AddMenuItem(View1, "SetXZoomEqualToY1", "Set &X Zoom Equal To Y");
    SetYZoomEqualToX1 = AddMenuItem(View1, "SetYZoomEqualToX1", "Set &Y Zoom Equal To X");
    AddMenuSeparator(View1);
    CenterFunctionView1 = AddMenuItem(View1, "CenterFunctionView1", "&Center Function View",
                                      QKeySequence(Qt::SHIFT | Qt::Key_F2));
    connect(ChangeView1, &QAction::triggered, this, [this] {
        if (ImageBox2D && Execute2DViewDlg(view())) ImageBox2D->Replot();
    });
    ConnectSteps<TWindow2D>({
        {ZoomIn1, &TWindow2D::ZoomIn},
        {ZoomOut1, &TWindow2D::ZoomOut},
        {ZoomXAxisIn1, &TWindow2D::ZoomXAxisIn},
        {ZoomXAxisOut1, &TWindow2D::ZoomXAxisOut},
        {ZoomYAxisIn1, &TWindow2D::ZoomYAxisIn},
        {ZoomYAxisOut1, &TWindow2D::ZoomYAxisOut},
        {SetXZoomEqualToY1, &TWindow2D::SetXZoomEqualToY},
        {SetYZoomEqualToX1, &TWindow2D::SetYZoomEqualToX},
        {CenterFunctionView1, &TWindow2D::CenterView},
    });
}

void TWindow2D::SetMainToolBarLayout() {
    if (MainForm) MainForm->SetToolBarLayout2D();
}

void TWindow2D::UpdateStatusLine() {
    if (!MainForm || !ImageBox2D) return;
    const TSettingBmpAttribsObj& attribs = ImageBox2D->GetBitmapAttribs();
    MainForm->StatusLine.Update2D(view(), attribs.Width, attribs.Height, ImageBox2D->LastMouseX(),
                                  ImageBox2D->LastMouseY());
}

TView2DZoomObj& TWindow2D::view() const {
    return ImageBox2D->GetViewZoom();
}

void TWindow2D::ZoomIn() {
    ApplyViewChange(Zoom2DIn(view(), MainForm->HotKeys2D));
}

void TWindow2D::ZoomOut() {
    ApplyViewChange(Zoom2DOut(view(), MainForm->HotKeys2D));
}

void TWindow2D::CenterView() {
    ApplyViewChange(CenterView2D(view()));
}

void TWindow2D::ZoomXAxisIn() {
    ApplyViewChange(ZoomAxisIn(view(), vaX, MainForm->HotKeys2D));
}

void TWindow2D::ZoomXAxisOut() {
    ApplyViewChange(ZoomAxisOut(view(), vaX, MainForm->HotKeys2D));
}

void TWindow2D::ZoomYAxisIn() {
    ApplyViewChange(ZoomAxisIn(view(), vaY, MainForm->HotKeys2D));
}

void TWindow2D::ZoomYAxisOut() {
    ApplyViewChange(ZoomAxisOut(view(), vaY, MainForm->HotKeys2D));
}

void TWindow2D::SetXZoomEqualToY() {
    ApplyViewChange(SetZoomEqual(view(), vaX));
}

void TWindow2D::SetYZoomEqualToX() {
    ApplyViewChange(SetZoomEqual(view(), vaY));
}

bool TWindow2D::MoveViewCenter(uint8_t Direction, long double Delta) {
    return StepViewCenter(view(), TViewDirection(Direction), Delta);
}

int TWindow2D::ScrollAmount() const {
    return MainForm->HotKeys2D.GrScrollAmt;
}
