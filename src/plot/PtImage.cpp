#include "plot/PtImage.h"

#include "labels/DrawObjs.h"
#include "labels/custedit.h"
#include "math/CenterDlg.h"
#include "math/CenterErrorMsgDlg.h"
#include "model/SetGraph.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "plot/PtShared.h"
#include "plot/PtThread.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <string>

// ---- The picture widget ----

namespace {

TShiftState shiftStateOf(const QMouseEvent& event, bool doubleClick) {
    TShiftState s = 0;
    const Qt::KeyboardModifiers m = event.modifiers();
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    const Qt::MouseButtons b = event.buttons();
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    if (doubleClick) s |= ssDouble;
    return s;
}

bool buttonOf(Qt::MouseButton button, TMouseButton& out) {
    switch (button) {
    case Qt::LeftButton:
        out = mbLeft;
        return true;
    case Qt::RightButton:
        out = mbRight;
        return true;
    case Qt::MiddleButton:
        out = mbMiddle;
        return true;
    default:
        return false;
    }
}

int pixelOf(qreal v) {
    // Far outside any picture the position is clamped, so that the label arithmetic that
    // follows never sees values near the int range.
    return static_cast<int>(std::clamp<qreal>(std::floor(v), -1000000, 1000000));
}

} // namespace

TPlotImage::TPlotImage(QWidget* Parent) : QWidget(Parent) {
    setObjectName("Image");
    // Moves without a button reach the box too: the status line follows the mouse, and a
    // release that went elsewhere is noticed.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(0, 0);
}

void TPlotImage::FitToPicture() {
    resize(picture_.Width(), picture_.Height());
    update();
}

void TPlotImage::UpdateArea(const TRect& Area) {
    const QRect r = QRect(QPoint(Area.Left, Area.Top), QPoint(Area.Right - 1, Area.Bottom - 1)) & rect();
    if (!r.isEmpty()) update(r);
}

void TPlotImage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    std::lock_guard lock(picture_);
    const QRect area = event->rect() & QRect(0, 0, picture_.Width(), picture_.Height());
    if (!area.isEmpty()) painter.drawImage(area.topLeft(), picture_.Image(), area);
}

void TPlotImage::press(QMouseEvent* event, bool doubleClick) {
    TMouseButton button;
    if (!buttonOf(event->button(), button)) return;
    if (OnMouseDown)
        OnMouseDown(button, shiftStateOf(*event, doubleClick), pixelOf(event->position().x()),
                    pixelOf(event->position().y()));
}

void TPlotImage::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

void TPlotImage::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click comes as this event alone: note the double click,
    // then handle the press.
    if (event->button() == Qt::LeftButton && OnDblClick) OnDblClick();
    press(event, true);
}

void TPlotImage::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(shiftStateOf(*event, false), pixelOf(event->position().x()),
                    pixelOf(event->position().y()));
}

void TPlotImage::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!buttonOf(event->button(), button)) return;
    if (OnMouseUp)
        OnMouseUp(button, shiftStateOf(*event, false), pixelOf(event->position().x()),
                  pixelOf(event->position().y()));
}

// ---- Construction and wiring ----

TPlotImageBox::TPlotImageBox(QWidget* Owner) : QScrollArea(Owner) {
    setObjectName("ImageBox");
    setFocusPolicy(Qt::StrongFocus);
    setWidgetResizable(false);
    Image = new TPlotImage(this);
    setWidget(Image);
    TextEditor = new TCustomTextEdit(Image);
    TextEditor->OnEditStart = [this](QObject*, TPoint BitmapPos, int Width, int Height) {
        TextEditStarted(BitmapPos, Width, Height);
    };
    TextEditor->OnEditDone = [this](QObject*) { TextEditDone(); };
    Image->OnMouseDown = [this](TMouseButton b, TShiftState s, int x, int y) { imageMouseDown(b, s, x, y); };
    Image->OnMouseMove = [this](TShiftState s, int x, int y) { imageMouseMove(s, x, y); };
    Image->OnMouseUp = [this](TMouseButton b, TShiftState, int x, int y) { imageMouseUp(b, x, y); };
    Image->OnDblClick = [this] { doubleClickSeen_ = true; };
    ResetLabelWindowStatus();
}

TPlotImageBox::~TPlotImageBox() {
    // The children outlive this part of the object; nothing they do may call back into it.
    TextEditor->OnEditStart = nullptr;
    TextEditor->OnEditDone = nullptr;
    Image->OnMouseDown = nullptr;
    Image->OnMouseMove = nullptr;
    Image->OnMouseUp = nullptr;
    Image->OnDblClick = nullptr;
    if (dragCursor_ != crDefault) QApplication::restoreOverrideCursor();
    dragCursor_ = crDefault;
    if (!plotThread_) return;
    // A closing window shows no pictures and no error boxes any more.
    plotThread_->OnLabelsBitmap = nullptr;
    plotThread_->OnError = nullptr;
    plotThread_->OnStart = nullptr;
    plotThread_->OnEnd = nullptr;
    plotThread_->StopDrawingAndWait();
    plotThread_.reset();
}

TPlotImageBox::TUpdateScope::~TUpdateScope() {
    try {
        box_.EndUpdate();
    } catch (...) {
        // Marks that could not be drawn come back with the next picture.
    }
}

void TPlotImageBox::SetPlotThread(std::unique_ptr<TPlotThread> Controller) {
    plotThread_ = std::move(Controller);
    AttachPlotThread(*plotThread_);
}

void TPlotImageBox::AttachPlotThread(TPlotThread& Controller) {
    Controller.OnLabelsBitmap = [this](TBitmap& Bitmap) { PlotThreadLabelsBitmap(Bitmap); };
    Controller.OnError = [this](TPlotThread&, const std::string& Msg) { PlotThreadError(Msg); };
    Controller.OnStart = [this](TPlotThread&) {
        if (OnRunningStart) OnRunningStart(this);
    };
    Controller.OnEnd = [this](TPlotThread&) {
        if (OnRunningEnd) OnRunningEnd(this);
    };
}

TSequenceList<TDrawBaseClass>& TPlotImageBox::MasterLabelList() const {
    QX_ASSERT(plotThread_ != nullptr, "PlotThread is nil in TPlotImageBox");
    return plotThread_->MasterLabelList();
}

// ---- Status, brackets, cursor and the window's answers ----

void TPlotImageBox::SetLabelWindowStatus(TLabelWindowStatus Status) {
    TUpdateScope scope(*this);
    if (Status == labelWindowStatus_) return;
    labelWindowStatus_ = Status;
    if (OnLabelWinStatusChange) OnLabelWinStatusChange(this, Status);
}

void TPlotImageBox::ResetLabelWindowStatus() {
    labelWindowStatus_ = lwLabelSelected;
    SetLabelWindowStatus(lwNormal);
}

void TPlotImageBox::BeginUpdate() {
    // Only the outermost bracket starts afresh: a picture that arrived while an outer
    // bracket was open still gets its marks when that bracket closes.
    if (updateCount_++ == 0) repaintPending_ = false;
}

void TPlotImageBox::EndUpdate() {
    if (updateCount_ <= 0) return;
    if (--updateCount_ != 0 || !repaintPending_) return;
    repaintPending_ = false;
    RepaintLabelMarks();
}

void TPlotImageBox::SetDragCursor(TCursor Cursor) {
    TUpdateScope scope(*this);
    if (Cursor == dragCursor_) return;
    // One override cursor at most: set the first, change it after, restore it for none.
    if (dragCursor_ == crDefault)
        QApplication::setOverrideCursor(QCursor(CursorShapeOf(Cursor)));
    else if (Cursor == crDefault)
        QApplication::restoreOverrideCursor();
    else
        QApplication::changeOverrideCursor(QCursor(CursorShapeOf(Cursor)));
    dragCursor_ = Cursor;
}

void TPlotImageBox::ResetDragCursor() {
    TUpdateScope scope(*this);
    if (dragCursor_ == crDefault) return;
    dragCursor_ = crDefault;
    QApplication::restoreOverrideCursor();
}

TDrawingTool TPlotImageBox::GetDrawingTool() {
    TUpdateScope scope(*this);
    TDrawingTool tool = dtOff;
    if (OnGetDrawingTool) OnGetDrawingTool(tool);
    return tool;
}

bool TPlotImageBox::GetResizeLabelsMode() {
    TUpdateScope scope(*this);
    bool mode = false;
    if (OnGetResizeLabelsMode) OnGetResizeLabelsMode(mode);
    return mode;
}

TToolBarAttribClass* TPlotImageBox::GetToolBarAttrib() {
    TUpdateScope scope(*this);
    TToolBarAttribClass* attribs = nullptr;
    if (OnGetToolBarAttrib) OnGetToolBarAttrib(attribs);
    return attribs;
}

void TPlotImageBox::DoDisplayStatusMsg() {
    TUpdateScope scope(*this);
    if (OnDisplayStatusMsg) OnDisplayStatusMsg(this);
}

void TPlotImageBox::DoShowLabelPopupMenu(int ScreenX, int ScreenY, bool ShowInPlaceEditorItem) {
    TUpdateScope scope(*this);
    if (OnShowLabelPopupMenu) OnShowLabelPopupMenu(ScreenX, ScreenY, ShowInPlaceEditorItem);
}

void TPlotImageBox::DoTurnDrawToolOff() {
    TUpdateScope scope(*this);
    if (OnTurnDrawToolOff) OnTurnDrawToolOff(this);
}

// ---- Pictures from the controller ----

void TPlotImageBox::PlotThreadLabelsBitmap(TBitmap& Bitmap) {
    CopyBitmapToImage(Image->Picture(), Bitmap);
    Image->update();
    if (updateCount_ == 0) RepaintLabelMarks();
    repaintPending_ = true;
    if (OnDoneDrawing) OnDoneDrawing(this);
}

void TPlotImageBox::PlotThreadError(const std::string& Msg) {
    ShowCenterErrorMsg(Msg, window());
}

void TPlotImageBox::RepaintLabelMarks() {
    switch (labelWindowStatus_) {
    case lwDrawingNewLabel:
        if (selectedLabel_) repaintCreatedShape(*selectedLabel_);
        break;
    case lwDragResizeLabel:
        if (selectedLabel_) {
            selectedLabel_->DrawEditOutline(Image->Picture(), context_);
            updateLabelArea(*selectedLabel_);
        }
        break;
    case lwLabelSelected:
        if (selectedLabel_) redrawHandles(*selectedLabel_);
        break;
    case lwFloodFillsVisible:
        drawFloodFillMarks();
        break;
    case lwDrawingRegion:
    case lwRegionSelected:
        DrawRegionRect(regionCorner1_, regionCorner2_);
        break;
    default:
        break;
    }
}

void TPlotImageBox::repaintCreatedShape(TDrawBaseClass& Label) {
    // The shape being made is drawn from its own points, the way its creation shows it: a
    // rubber band, or for a free hand the curve so far in its final colours.
    if (auto* freeHand = dynamic_cast<TDrawFreeHand*>(&Label))
        freeHand->DrawShape(freeHand->P1, freeHand->P2, smFinal, Image->Picture(), context_);
    else if (auto* twoPoint = dynamic_cast<TDrawLabel*>(&Label))
        twoPoint->DrawShape(twoPoint->P1, twoPoint->P2, smXorOutline, Image->Picture(), context_);
    updateLabelArea(Label);
}

void TPlotImageBox::DrawRegionRect(TPoint P1, TPoint P2) {
    OrderCornerPoints(P1, P2);
    TCanvas& c = Image->Picture().Canvas();
    c.Pen.Mode = pmNotXor;
    c.Brush.Color = clWhite;
    c.Brush.Style = bsClear;
    c.Pen.Style = psDot;
    c.Pen.Color = clBlack;
    c.Pen.Width = 1;
    c.Rectangle(P1.X, P1.Y, P2.X, P2.Y);
    Image->UpdateArea(TRect(P1.X - 1, P1.Y - 1, P2.X + 2, P2.Y + 2));
}

// ---- Label drawing that keeps the shown picture current ----

TRect LabelPaintArea(const TDrawBaseClass& Label) {
    long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
    const auto add = [&](long long x, long long y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
    };
    // Selection handles reach 6 pixels around a point, crosses 7.
    long long margin = 10;
    if (const auto* fill = dynamic_cast<const TDrawFloodFill*>(&Label)) {
        add(fill->Location.X, fill->Location.Y);
        add(fill->EditP1.X, fill->EditP1.Y);
    } else if (const auto* two = dynamic_cast<const TDrawLabel*>(&Label)) {
        for (const TPoint& p : {two->P1, two->P2, two->EditP1, two->EditP2})
            add(p.X, p.Y);
        if (const auto* shape = dynamic_cast<const TDrawShape*>(two)) {
            if (shape->PenWidth > 64) return TRect(); // too wide to bother: repaint it all
            margin += std::max(shape->PenWidth, 1);
        }
        if (const auto* freeHand = dynamic_cast<const TDrawFreeHand*>(two)) {
            const TFreeHandBounds& b = freeHand->Bounds;
            for (const TPoint& o : {two->P1, two->EditP1}) {
                add(static_cast<long long>(o.X) + b.MinDX, static_cast<long long>(o.Y) + b.MinDY);
                add(static_cast<long long>(o.X) + b.MaxDX, static_cast<long long>(o.Y) + b.MaxDY);
            }
        }
    } else {
        return TRect();
    }
    const auto clampInt = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2));
    };
    return TRect(clampInt(left - margin), clampInt(top - margin), clampInt(right + margin + 1),
                 clampInt(bottom + margin + 1));
}

void TPlotImageBox::updateLabelArea(const TDrawBaseClass& Label) {
    const TRect area = LabelPaintArea(Label);
    if (area.IsEmpty())
        Image->update();
    else
        Image->UpdateArea(area);
}

void TPlotImageBox::labelMouseEdit(TDrawBaseClass& Label, int X, int Y, TLabelMouseOp Op) {
    const TRect before = LabelPaintArea(Label);
    Label.MouseEdit(X, Y, Op, Image->Picture(), context_);
    // A new flood fill paints an area of any shape at once.
    if (before.IsEmpty() || (Op == moNewBegin && dynamic_cast<TDrawFloodFill*>(&Label))) {
        Image->update();
        return;
    }
    Image->UpdateArea(before);
    updateLabelArea(Label);
}

void TPlotImageBox::toggleHandles(TDrawBaseClass& Label) {
    Label.ToggleSelectionHandles(Image->Picture(), context_);
    updateLabelArea(Label);
}

void TPlotImageBox::redrawHandles(TDrawBaseClass& Label) {
    Label.RedrawSelectionHandles(Image->Picture(), context_);
    updateLabelArea(Label);
}

// ---- Picture set-up and drawing ----

void TPlotImageBox::SetBitmapAttributes(int ColorDepth, int Width, int Height) {
    QX_ASSERT(IsValidPixelFormat(ColorDepth), "Invalid picture color depth");
    QX_ASSERT(Width <= MaxGraphBitmapSize, "Bitmap width to large");
    QX_ASSERT(Height <= MaxGraphBitmapSize, "Bitmap height to large");
    QX_ASSERT(Width >= MinGraphBitmapSize, "Bitmap width to small");
    QX_ASSERT(Height >= MinGraphBitmapSize, "Bitmap height to small");
    TBitmap& picture = Image->Picture();
    picture.SetPixelFormat(static_cast<TPixelFormat>(ColorDepth));
    picture.SetSize(Width, Height);
    Image->FitToPicture();
    context_ = {clWhite, Width, Height};
    plotThread_->SetBitmapAttributes(ColorDepth, Width, Height);
    context_.BackgroundColor = plotThread_->BmpAttribs().BackColor;
    ResetLabelWindowStatus();
}

bool TPlotImageBox::LoadFromFile(int ColorDepth, const std::string& FileName, TReadGraphFile& Reader) {
    QX_ASSERT(IsValidPixelFormat(ColorDepth), "Invalid picture color depth");
    const bool loaded = plotThread_->LoadFromFile(ColorDepth, FileName, Reader);
    if (!loaded) return false;
    const TSettingBmpAttribsObj& a = plotThread_->BmpAttribs();
    TBitmap& picture = Image->Picture();
    picture.SetPixelFormat(static_cast<TPixelFormat>(a.PixelFormat));
    picture.SetSize(a.Width, a.Height);
    Image->FitToPicture();
    context_ = {a.BackColor, a.Width, a.Height};
    plotThread_->AssignFieldsAndLabels();
    ResetLabelWindowStatus();
    return true;
}

void TPlotImageBox::Replot() {
    if (!confirmLabelsOffPicture()) {
        // No: the picture keeps its size, and with nothing else changed nothing is redrawn
        // or marked as changed.
        TSettingBmpAttribsObj& a = plotThread_->BmpAttribs();
        a.Width = context_.Width;
        a.Height = context_.Height;
        a.SizeChanged = false;
        if (!a.PixelFormatChanged && !a.BackColorChanged) return;
    }
    plotThread_->Replot([this] { applyPictureChanges(); });
}

// A smaller picture frees every label that lies wholly outside it, with no way to get them
// back; the user is asked first. True when no label would be lost or the user agreed.
bool TPlotImageBox::confirmLabelsOffPicture() {
    const TSettingBmpAttribsObj& a = plotThread_->BmpAttribs();
    if (!a.SizeChanged || !shrinksPicture(a)) return true;
    TLabelBmpAttribs smaller = context_;
    smaller.Width = a.Width;
    smaller.Height = a.Height;
    const auto& list = MasterLabelList();
    const auto lost = std::count_if(list.begin(), list.end(), offPicture(smaller));
    if (lost == 0) return true;
    const std::string question =
        lost == 1 ? std::string("1 label lies outside the new picture size and will be deleted. ")
                  : std::to_string(lost) + " labels lie outside the new picture size and will be deleted. ";
    return CenterMessageDlg(question + "Change the size anyway?", mtConfirmation, {mbYes, mbNo}, 0,
                            window()) == mrYes;
}

void TPlotImageBox::applyPictureChanges() {
    const TSettingBmpAttribsObj& a = plotThread_->BmpAttribs();
    TBitmap& picture = Image->Picture();
    if (a.PixelFormatChanged) picture.SetPixelFormat(static_cast<TPixelFormat>(a.PixelFormat));
    if (a.BackColorChanged) context_.BackgroundColor = a.BackColor;
    if (!a.SizeChanged) return;
    const bool shrinking = shrinksPicture(a);
    picture.SetSize(a.Width, a.Height);
    Image->FitToPicture();
    context_.Width = picture.Width();
    context_.Height = picture.Height();
    CenterBitmap();
    if (!shrinking) return;
    EndLabelOperation(false);
    removeLabelsOffPicture();
    plotThread_->CopyLabelsToBuffer(-1);
}

bool TPlotImageBox::shrinksPicture(const TSettingBmpAttribsObj& Attribs) const {
    return Attribs.Width < context_.Width || Attribs.Height < context_.Height;
}

std::function<bool(const std::unique_ptr<TDrawBaseClass>&)>
TPlotImageBox::offPicture(const TLabelBmpAttribs& Picture) {
    return [Picture](const std::unique_ptr<TDrawBaseClass>& l) { return !l || !l->IsOnBitmap(Picture); };
}

void TPlotImageBox::removeLabelsOffPicture() {
    std::erase_if(MasterLabelList(), offPicture(context_));
}

void TPlotImageBox::StartGraphDrawing() {
    plotThread_->StartGraphDrawing();
}

void TPlotImageBox::RedrawLabels(int ExcludedIndex) {
    plotThread_->StopLabelThreadAndWait();
    plotThread_->CopyLabelsToBuffer(ExcludedIndex);
    plotThread_->RestartLabelThread();
}

void TPlotImageBox::StopDrawingAndWait() {
    plotThread_->StopDrawingAndWait();
}

void TPlotImageBox::SignalStopDrawing() {
    plotThread_->SignalStopDrawing();
}

void TPlotImageBox::CenterBitmap() {
    // Scroll bars get their ranges only once the box is on screen.
    centrePending_ = !isVisible();
    applyCentre();
}

void TPlotImageBox::applyCentre() {
    horizontalScrollBar()->setValue(std::abs(Image->width() - viewport()->width()) / 2);
    verticalScrollBar()->setValue(std::abs(Image->height() - viewport()->height()) / 2);
}

void TPlotImageBox::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    if (!centrePending_) return;
    centrePending_ = false;
    // The scroll bars settle (and narrow the viewport) after the show; centre after them.
    QMetaObject::invokeMethod(
        this, [this] { applyCentre(); }, Qt::QueuedConnection);
}

void TPlotImageBox::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}

void TPlotImageBox::GetCaption(std::string& S) const {
    plotThread_->GetCaption(S);
}

void TPlotImageBox::GetFileName(std::string& S) const {
    S = plotThread_->FileName();
}

TSettingBmpAttribsObj& TPlotImageBox::GetBitmapAttribs() const {
    return plotThread_->BmpAttribs();
}

// ---- Geometry ----

void TPlotImageBox::ClampToBitmap(int& X, int& Y) const {
    X = std::clamp(X, 0, std::max(0, context_.Width - 1));
    Y = std::clamp(Y, 0, std::max(0, context_.Height - 1));
}

bool TPlotImageBox::IsInsideBitmap(int X, int Y) const {
    return PointInBitmap(X, Y, context_.Width, context_.Height);
}

int TPlotImageBox::ImageToClientX(int X) const {
    return X - horizontalScrollBar()->value();
}

int TPlotImageBox::ImageToClientY(int Y) const {
    return Y - verticalScrollBar()->value();
}
