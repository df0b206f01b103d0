#include "shell/WinPolar.h"

#include "dialogs/SetPoDlg.h"
#include "dialogs/VwPoDlg.h"
#include "model/SetGraph.h"
#include "model/SetPoObj.h"
#include "model/VwPoObj.h"
#include "model/funcpolr.h"
#include "plot/ImagPolr.h"
#include "shell/MainForm.h"
#include "shell/MenuItems.h"
#include "shell/ViewStep.h"

#include <QMenu>

TWindowPolar::TWindowPolar() {
    setObjectName(QStringLiteral("WindowPolar"));
    buildGraphMenu();
    buildViewMenu();
}

TWindowPolar::~TWindowPolar() = default;

void TWindowPolar::FormCreate() {
    TGraphWindowPolar::FormCreate();
    ImageBoxPolar = new TImagePolar(this);
    AttachImageBox(ImageBoxPolar);
}

void TWindowPolar::buildGraphMenu() {
    Graph1 = new QMenu(QStringLiteral("&Graph"), this);
    Graph1->setObjectName(QStringLiteral("Graph1"));
    GraphSettings2 =
        AddMenuItem(Graph1, "GraphSettings2", "Graph &Settings...", QKeySequence(Qt::CTRL | Qt::Key_G));
    AddMenuSeparator(Graph1);
    NewPolarFunction1 = AddMenuItem(Graph1, "NewPolarFunction1", "&New Polar Function...",
                                    QKeySequence(Qt::CTRL | Qt::Key_X));
    EditFunctionList1 = AddMenuItem(Graph1, "EditFunctionList1", "&Edit Function List...",
                                    QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(GraphSettings2, &QAction::triggered, this, [this] {
        if (ImageBoxPolar && ExecutePolarSettingsDlg(ImageBoxPolar->GetSettings())) ImageBoxPolar->Replot();
    });
    connect(NewPolarFunction1, &QAction::triggered, this,
            [this] { AddNewFunction(std::make_unique<TFuncPolarObj>()); });
    connect(EditFunctionList1, &QAction::triggered, this, [this] { EditFunctionList(); });
}

void TWindowPolar::buildViewMenu() {
    View1 = new QMenu(QStringLiteral("&View"), this);
    View1->setObjectName(QStringLiteral("View1"));
    ChangeView1 = AddMenuItem(View1, "ChangeView1", "Change Vie&w...", QKeySequence(Qt::CTRL | Qt::Key_V));
    AddMenuSeparator(View1);
    ZoomIn1 = AddMenuItem(View1, "ZoomIn1", "Zoom &In", QKeySequence(Qt::Key_F3), 5000);
    ZoomOut1 = AddMenuItem(View1, "ZoomOut1", "Zoom &Out", QKeySequence(Qt::Key_F4), 5000);
    AddMenuSeparator(View1);
    AddScrollPageItems(View1);
    AddMenuSeparator(View1);
    CenterFunctionView1 = AddMenuItem(View1, "CenterFunctionView1", "&Center Function View",
                                      QKeySequence(Qt::SHIFT | Qt::Key_F2));
    connect(ChangeView1, &QAction::triggered, this, [this] {
        if (ImageBoxPolar && ExecutePolarViewDlg(view())) ImageBoxPolar->Replot();
    });
    ConnectSteps<TWindowPolar>({
        {ZoomIn1, &TWindowPolar::ZoomIn},
        {ZoomOut1, &TWindowPolar::ZoomOut},
        {CenterFunctionView1, &TWindowPolar::CenterView},
    });
}

void TWindowPolar::SetMainToolBarLayout() {
    if (MainForm) MainForm->SetToolBarLayoutPolar();
}

void TWindowPolar::UpdateStatusLine() {
    if (!MainForm || !ImageBoxPolar) return;
    const TSettingBmpAttribsObj& attribs = ImageBoxPolar->GetBitmapAttribs();
    MainForm->StatusLine.UpdatePolar(view(), attribs.Width, attribs.Height, ImageBoxPolar->LastMouseX(),
                                     ImageBoxPolar->LastMouseY());
}

TViewPolarZoomObj& TWindowPolar::view() const {
    return ImageBoxPolar->GetViewZoom();
}

void TWindowPolar::ZoomIn() {
    ApplyViewChange(ZoomPolarIn(view(), MainForm->HotKeysPolar));
}

void TWindowPolar::ZoomOut() {
    ApplyViewChange(ZoomPolarOut(view(), MainForm->HotKeysPolar));
}

void TWindowPolar::CenterView() {
    ApplyViewChange(CenterViewPolar(view()));
}

bool TWindowPolar::MoveViewCenter(uint8_t Direction, long double Delta) {
    return StepViewCenter(view(), TViewDirection(Direction), Delta);
}

int TWindowPolar::ScrollAmount() const {
    return MainForm->HotKeysPolar.GrScrollAmt;
}
