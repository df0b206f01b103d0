#include "shell/WinBase.h"

#include "dialogs/BmpSize.h"
#include "dialogs/FuncDlgs.h"
#include "dialogs/FuncList.h"
#include "math/CenterDlg.h"
#include "model/SetGraph.h"
#include "model/func2d.h"
#include "model/funcobj.h"
#include "plot/PtImList.h"
#include "plot/PtImage.h"
#include "plot/PtThList.h"
#include "shell/MainForm.h"
#include "shell/MenuItems.h"
#include "shell/ViewStep.h"
#include "shell/WindowArrange.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>

#include <algorithm>

#include <string_view>

namespace {

// Qt shows "[*]" in a title as the modified mark; a file name may hold it as text.
QString literalTitle(const std::string& Caption) {
    return QString::fromStdString(Caption).replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

} // namespace

TWindowBase::TWindowBase() {
    buildLabelMenu();
    buildLabelPopup();
}

TWindowBase::~TWindowBase() {
    // The picture control outlives this part of the window (Qt frees it with the frame),
    // and stopping its drawing may still report; from here on it reports to nobody.
    if (!ImageBox) return;
    ImageBox->OnDoneDrawing = nullptr;
    ImageBox->OnDisplayStatusMsg = nullptr;
    ImageBox->OnTurnDrawToolOff = nullptr;
    ImageBox->OnLabelWinStatusChange = nullptr;
    ImageBox->OnGetToolBarAttrib = nullptr;
    ImageBox->OnGetDrawingTool = nullptr;
    ImageBox->OnGetResizeLabelsMode = nullptr;
    ImageBox->OnShowLabelPopupMenu = nullptr;
    ImageBox->OnRunningEnd = nullptr;
    ImageBox->OnRunningStart = nullptr;
}

QList<QMenu*> TWindowBase::WindowMenus() const {
    QList<QMenu*> menus = GraphMenus();
    menus.append(Label1);
    return menus;
}

void TWindowBase::FormCreate() {
    ImageBox = nullptr;
    if (MainForm) MainForm->GraphWindowOpened();
    SetMainToolBarLayout();
    placeInArea();
}

// Where the desktop puts a new document window: three quarters of the free area, each
// new one a title bar further down and right than the one before, starting over at the
// top left after eight.
void TWindowBase::placeInArea() {
    QMdiArea* area = mdiArea();
    if (!area) return;
    const QSize room = area->viewport()->size();
    resize(std::max(room.width() * 3 / 4, 320), std::max(room.height() * 3 / 4, 240));
    const int step = CascadeStep(*this);
    const int place = int(area->subWindowList().size() - 1) % 8;
    move(place * step, place * step);
}

void TWindowBase::FormActivate() {
    SetMainToolBarLayout();
    if (ImageBox) ImageBox->ForgetMousePosition();
    UpdateStatusLine();
}

bool TWindowBase::IsActiveGraphWindow() const {
    return MainForm && MainForm->ActiveGraphWindow() == this;
}

// ---- Operations the main window calls ----

std::string TWindowBase::GetFileName() const {
    std::string name;
    if (ImageBox) ImageBox->GetFileName(name);
    return name;
}

void TWindowBase::CenterBitmap() {
    if (ImageBox) ImageBox->CenterBitmap();
}

bool TWindowBase::LoadGraph(uint8_t PixelFormat, const std::string& FileName, TReadGraphFile& Reader) {
    if (!ImageBox) return false;
    const bool loaded = ImageBox->LoadFromFile(PixelFormat, FileName, Reader);
    TakeCaptionFromImageBox();
    return loaded;
}

void TWindowBase::NewGraph(uint8_t PixelFormat, int Width, int Height) {
    if (!ImageBox) return;
    ImageBox->SetBitmapAttributes(PixelFormat, Width, Height);
    TakeCaptionFromImageBox();
}

void TWindowBase::RedrawGraph() {
    if (ImageBox) ImageBox->StartGraphDrawing();
}

void TWindowBase::StopDrawing() {
    if (ImageBox) ImageBox->StopDrawingAndWait();
}

void TWindowBase::PrepareStopDrawing() {
    if (ImageBox) ImageBox->SignalStopDrawing();
}

bool TWindowBase::SaveGraph() {
    if (!ImageBox) return false;
    const bool saved = ImageBox->SaveGraph();
    TakeCaptionFromImageBox();
    return saved;
}

bool TWindowBase::SaveGraphAs(const std::string& FileName) {
    if (!ImageBox) return false;
    const bool saved = ImageBox->SaveGraphAs(FileName);
    TakeCaptionFromImageBox();
    return saved;
}

void TWindowBase::PrintGraph(bool RegionOnly, int ScalePercent) {
    if (ImageBox) ImageBox->PrintBitmap(RegionOnly, ScalePercent);
}

void TWindowBase::SavePicture(const std::string& FileName, bool AsBitmap) {
    if (ImageBox) ImageBox->SavePictureFile(FileName, AsBitmap);
}

bool TWindowBase::HasSelectedRegion() {
    return ImageBox && ImageBox->IsRegionSelected();
}

void TWindowBase::ShowPictureSizeDialog() {
    if (ImageBox && ExecuteBmpSizeDlg(ImageBox->GetBitmapAttribs())) ImageBox->Replot();
}

void TWindowBase::ShowRegionDialog() {
    if (ImageBox) ImageBox->ShowRegionDialog();
}

void TWindowBase::CopyPictureToClipboard() {
    if (ImageBox) ImageBox->CopyBitmapToClipboard();
}

bool TWindowBase::CanCloseGraph() {
    if (!ImageBox) return true;
    // The question names the graph by its caption, which several windows may share: the
    // window asked about comes to the front first.
    if (ImageBox->HasUnsavedChanges()) BringToFront();
    const bool canClose = ImageBox->CanCloseGraph();
    TakeCaptionFromImageBox(); // a graph saved on the way shows its file while it stays open
    return canClose;
}

void TWindowBase::BringToFront() {
    if (isMinimized()) showNormal();
    if (QMdiArea* area = mdiArea()) area->setActiveSubWindow(this);
}

// ---- Caption ----

std::string TWindowBase::ShownCaption() const {
    return running_ ? caption_ + RunningSuffix : caption_;
}

void TWindowBase::SetCaption(const std::string& Caption) {
    caption_ = Caption;
    setWindowTitle(literalTitle(ShownCaption()));
}

void TWindowBase::TakeCaptionFromImageBox() {
    std::string caption;
    ImageBox->GetCaption(caption);
    SetCaption(caption);
}

// ---- The picture control's events ----

void TWindowBase::AttachImageBox(TPlotImageBox* Box) {
    ImageBox = Box;
    Box->OnDoneDrawing = [this](QObject*) { ImageBoxDoneDrawing(); };
    Box->OnDisplayStatusMsg = [this](QObject*) { ImageBoxDisplayStatusMsg(); };
    Box->OnTurnDrawToolOff = [this](QObject*) { ImageBoxTurnDrawToolOff(); };
    Box->OnLabelWinStatusChange = [this](QObject*, TLabelWindowStatus Status) {
        ImageBoxLabelWinStatusChange(Status);
    };
    Box->OnGetToolBarAttrib = [](TToolBarAttribClass*& Attrib) {
        Attrib = MainForm ? MainForm->ToolBarAttrib.get() : nullptr;
    };
    Box->OnGetDrawingTool = [](TDrawingTool& Tool) { Tool = MainForm ? MainForm->DrawingTool : dtOff; };
    Box->OnGetResizeLabelsMode = [](bool& Mode) { Mode = MainForm && MainForm->GetResizeLabelsMode(); };
    Box->OnShowLabelPopupMenu = [this](int ScreenX, int ScreenY, bool ShowInPlaceEditorItem) {
        ImageBoxShowLabelPopupMenu(ScreenX, ScreenY, ShowInPlaceEditorItem);
    };
    Box->OnRunningEnd = [this](QObject*) { ImageBoxRunningEnd(); };
    Box->OnRunningStart = [this](QObject*) { ImageBoxRunningStart(); };
    setWidget(Box);
}

void TWindowBase::ImageBoxDoneDrawing() {
    if (IsActiveGraphWindow()) UpdateStatusLine();
    repaint();
}

void TWindowBase::ImageBoxDisplayStatusMsg() {
    if (IsActiveGraphWindow()) UpdateStatusLine();
}

void TWindowBase::ImageBoxTurnDrawToolOff() {
    if (MainForm) MainForm->TurnDrawToolOff();
}

void TWindowBase::ImageBoxRunningEnd() {
    if (!running_) return;
    running_ = false;
    SetCaption(caption_);
}

void TWindowBase::ImageBoxRunningStart() {
    if (running_) return;
    running_ = true;
    SetCaption(caption_);
}

// ---- Close ----

void TWindowBase::closeEvent(QCloseEvent* event) {
    if (!CanCloseGraph()) {
        event->ignore();
        return;
    }
    // The books are kept only for a window that really goes.
    StopDrawing();
    if (MainForm) {
        MainForm->StatusLine.Clear();
        MainForm->GraphWindowClosed();
        MainForm->SetToolBarLayoutNone();
        MainForm->AddRecentFile(GetFileName());
    }
    QMdiSubWindow::closeEvent(event);
}

// ---- Functions and views of a graph window ----

TPlotImageFuncList* TWindowGraph::FuncListBox() const {
    return dynamic_cast<TPlotImageFuncList*>(ImageBox);
}

void TWindowGraph::AddNewFunction(std::unique_ptr<TBaseFuncObj> Func) {
    TPlotImageFuncList* box = FuncListBox();
    if (!box) return;
    if (!box->CanAddFunction()) {
        ShowTooManyFunctionsMsg(int(MaxGraphFunctions));
        return;
    }
    if (!AddFunctionDialog(*Func, box->GetNextFunctionColor(), nullptr,
                           GraphSpecialValueCount(box->GetFunctionList())))
        return;
    box->AddFunction(std::move(Func));
    box->Replot();
}

void TWindowGraph::EditFunctionList() {
    TPlotImageFuncList* box = FuncListBox();
    if (!box) return;
    bool modified = false, deleted = false, moved = false;
    ExecuteFuncListDlg(box->GetFunctionList(), modified, deleted, moved);
    if (modified || deleted || moved) box->Replot();
}

void TWindowGraph::ApplyViewChange(bool Changed) {
    if (Changed && ImageBox) ImageBox->Replot();
}

// ---- scroll and page steps of the 2D and polar windows ----

void TGraphWindowPlane::AddScrollPageItems(QMenu* View) {
    ScrollViewUp1 = AddMenuItem(View, "ScrollViewUp1", "Scroll View &Up", QKeySequence(Qt::Key_F5));
    ScrollViewDown1 = AddMenuItem(View, "ScrollViewDown1", "Scroll View &Down", QKeySequence(Qt::Key_F6));
    ScrollViewLeft1 = AddMenuItem(View, "ScrollViewLeft1", "Scroll View &Left", QKeySequence(Qt::Key_F7));
    ScrollViewRight1 = AddMenuItem(View, "ScrollViewRight1", "Scroll View &Right", QKeySequence(Qt::Key_F8));
    AddMenuSeparator(View);
    PageViewUp1 =
        AddMenuItem(View, "PageViewUp1", "Page View U&p", QKeySequence(Qt::SHIFT | Qt::Key_F5), 5000);
    PageViewDown1 =
        AddMenuItem(View, "PageViewDown1", "Page Vi&ew Down", QKeySequence(Qt::SHIFT | Qt::Key_F6), 5000);
    PageViewLeft1 =
        AddMenuItem(View, "PageViewLeft1", "Page View Le&ft", QKeySequence(Qt::SHIFT | Qt::Key_F7), 5000);
    PageViewRight1 =
        AddMenuItem(View, "PageViewRight1", "Page View Ri&ght", QKeySequence(Qt::SHIFT | Qt::Key_F8), 5000);
    ConnectSteps<TGraphWindowPlane>({
        {ScrollViewUp1, &TGraphWindowPlane::ScrollViewUp},
        {ScrollViewDown1, &TGraphWindowPlane::ScrollViewDown},
        {ScrollViewLeft1, &TGraphWindowPlane::ScrollViewLeft},
        {ScrollViewRight1, &TGraphWindowPlane::ScrollViewRight},
        {PageViewUp1, &TGraphWindowPlane::PageViewUp},
        {PageViewDown1, &TGraphWindowPlane::PageViewDown},
        {PageViewLeft1, &TGraphWindowPlane::PageViewLeft},
        {PageViewRight1, &TGraphWindowPlane::PageViewRight},
    });
}

void TGraphWindowPlane::scroll(uint8_t Direction) {
    const auto direction = TViewDirection(Direction);
    ApplyViewChange(MoveViewCenter(direction, ScrollDelta(direction, ScrollAmount())));
}

void TGraphWindowPlane::page(uint8_t Direction) {
    const auto direction = TViewDirection(Direction);
    const TSettingBmpAttribsObj& attribs = ImageBox->GetBitmapAttribs();
    ApplyViewChange(MoveViewCenter(direction, PageDelta(direction, attribs.Width, attribs.Height)));
}

void TGraphWindowPlane::ScrollViewUp() {
    scroll(vdUp);
}

void TGraphWindowPlane::ScrollViewDown() {
    scroll(vdDown);
}

void TGraphWindowPlane::ScrollViewLeft() {
    scroll(vdLeft);
}

void TGraphWindowPlane::ScrollViewRight() {
    scroll(vdRight);
}

void TGraphWindowPlane::PageViewUp() {
    page(vdUp);
}

void TGraphWindowPlane::PageViewDown() {
    page(vdDown);
}

void TGraphWindowPlane::PageViewLeft() {
    page(vdLeft);
}

void TGraphWindowPlane::PageViewRight() {
    page(vdRight);
}
