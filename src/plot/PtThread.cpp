#include "plot/PtThread.h"

#include "platform/Errors.h"
#include "plot/PtBuffer.h"
#include "plot/PtLabel.h"
#include "plot/PtShared.h"

#include <mutex>

TLabelDrawingThread::~TLabelDrawingThread() {
    Terminate();
    WaitFor();
}

void TLabelDrawingThread::Execute() {
    ErrorText.clear();
    TBitmap* labelBitmap = LabelsBuffer ? &LabelsBuffer->LabelBitmap() : nullptr;
    if (!Terminated()) {
        try {
            copyAndPaint();
        } catch (...) {
            ErrorText = CurrentDrawingErrorText("Label drawing");
        }
    }
    LabelsBuffer = nullptr;
    BmpBuffer = nullptr;
    const std::function<void(TBitmap&)> onDone = std::move(OnDone);
    OnDone = nullptr;
    if (Terminated() || !labelBitmap) return;
    Synchronize([&] {
        if (onDone) onDone(*labelBitmap);
    });
}

void TLabelDrawingThread::copyAndPaint() {
    QX_ASSERT(LabelsBuffer != nullptr && BmpBuffer != nullptr,
              "LabelsBuffer or BmpBuffer = nil in TLabelDrawingThread.Execute");
    TBitmap& labelBitmap = LabelsBuffer->LabelBitmap();
    std::lock_guard lock(labelBitmap);
    BmpBuffer->GetBufferBitmap(labelBitmap);
    if (!Terminated()) LabelsBuffer->PaintDrawLables([this](bool& Value) { GetTerminated(Value); });
}

// ---------------------------------------------------------------------------------------
// TPlotThread

namespace {

std::string fileNameWithoutFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

TPlotThread::TPlotThread()
    : fPlotLabelsBuffer_(std::make_unique<TPlotLabelsBuffer>()),
      bmpBuffer_(std::make_unique<TSafeBmpBuffer>()), bmpAttribs_(std::make_unique<TSettingBmpAttribsObj>()) {
}

TPlotThread::~TPlotThread() {
    UnhookEvents();
    redrawPending_ = false;
    StopAndFree(labelThread_);
    ReapRetired(true);
}

void TPlotThread::UnhookEvents() {
    OnStart = nullptr;
    OnEnd = nullptr;
    OnError = nullptr;
    OnLabelsBitmap = nullptr;
}

void TPlotThread::Retire(std::unique_ptr<TThread> Worker) {
    retired_.push_back(std::move(Worker));
}

void TPlotThread::ReapRetired(bool All) {
    // A retired worker has let go of everything it borrowed; what is left of its run is
    // the return from its completion call.
    std::erase_if(retired_, [All](const std::unique_ptr<TThread>& w) {
        if (!All && !w->Finished()) return false;
        w->WaitFor();
        return true;
    });
}

bool TPlotThread::IsBusy() const {
    return IsLabelThreadRunning();
}

bool TPlotThread::AnyBitmapAttributeChanged() const {
    return bmpAttribs_->SizeChanged || bmpAttribs_->PixelFormatChanged || bmpAttribs_->BackColorChanged;
}

void TPlotThread::DoAssignFieldObjects() {
    const TSettingBmpAttribsObj& a = *bmpAttribs_;
    if (a.BackColorChanged) fPlotLabelsBuffer_->SetBackgroundColor(a.BackColor);
    if (a.PixelFormatChanged) {
        bmpBuffer_->SetColorDepth(a.PixelFormat);
        fPlotLabelsBuffer_->SetColorDepth(a.PixelFormat);
    }
    if (a.SizeChanged) {
        bmpBuffer_->SetSize(a.Width, a.Height);
        fPlotLabelsBuffer_->SetSize(a.Width, a.Height);
    }
}

void TPlotThread::SetBitmapAttributes(int ColorDepth, int Width, int Height) {
    if (IsBusy()) StopDrawingAndWait(); // both buffers change under the workers' feet otherwise
    bmpAttribs_->PixelFormat = static_cast<uint8_t>(ColorDepth);
    bmpAttribs_->Width = Width;
    bmpAttribs_->Height = Height;
    fPlotLabelsBuffer_->SetBitmapAttributes(ColorDepth, Width, Height);
    bmpBuffer_->SetBitmapAttributes(ColorDepth, Width, Height);
}

void TPlotThread::ModifyAndAssignFields() {
    SetModified();
    // What the assignment writes must not be in use: the model and the hand-over buffer by
    // the graph worker, the labels buffer by the label worker when its bitmap changes.
    ApplyPendingBackgroundColor();
    if (AnyBitmapAttributeChanged() && IsBusy())
        StopDrawingAndWait();
    else if (IsGraphThreadRunning())
        StopGraphDrawingAndWait();
    DoAssignFieldObjects();
}

void TPlotThread::AssignFieldsAndLabels() {
    if (IsBusy()) StopDrawingAndWait();
    DoAssignFieldObjects();
    fPlotLabelsBuffer_->SetLabels(masterLabelList_, -1);
}

void TPlotThread::CopyLabelsToBuffer(int32_t ExcludedIndex) {
    SetModified();
    // The mirror is the label worker's; it may change only while that worker is stopped.
    if (labelThread_) StopLabelThreadAndWait();
    fPlotLabelsBuffer_->SetLabels(masterLabelList_, ExcludedIndex);
}

// ---- Starting and stopping ----

void TPlotThread::RestartLabelThread() {
    redrawPending_ = false;
    ReapRetired(false);
    const std::string oldError = StopAndFree(labelThread_);
    if (!oldError.empty()) DoError(oldError);
    // A graph run that ended during the wait has started a label run of its own; it paints
    // the same mirror.
    if (labelThread_) return;
    auto worker = std::make_unique<TLabelDrawingThread>();
    TLabelDrawingThread* w = worker.get();
    w->LabelsBuffer = fPlotLabelsBuffer_.get();
    w->BmpBuffer = bmpBuffer_.get();
    w->OnDone = [this, w](TBitmap&) { OnLabelThreadDone(*w); };
    labelThread_ = std::move(worker);
    w->Resume();
    UpdateRunningState();
}

void TPlotThread::OnLabelThreadDone(TLabelDrawingThread& Worker) {
    if (labelThread_.get() != &Worker) return; // stopped meanwhile: its stopper reports
    const std::string text = Worker.ErrorText;
    Worker.Terminate();
    Retire(std::move(labelThread_));
    if (!text.empty())
        DoError(text);
    else
        DoLabelsBitmap();
    if (redrawPending_) RestartLabelThread();
    UpdateRunningState();
}

void TPlotThread::RequestLabelRedraw() {
    // A running worker delivers first, then runs once more. One that was told to stop
    // without a wait (SignalStopDrawing) never delivers, so a request left pending on it
    // would be lost: it is replaced at once.
    if (IsLabelThreadRunning() && !labelThread_->Terminated())
        redrawPending_ = true;
    else
        RestartLabelThread();
}

void TPlotThread::SignalStopLabelThread() {
    redrawPending_ = false;
    if (labelThread_) labelThread_->Terminate();
}

void TPlotThread::StopLabelThreadAndWait() {
    redrawPending_ = false;
    const std::string text = StopAndFree(labelThread_);
    if (!text.empty()) DoError(text);
    UpdateRunningState();
}

void TPlotThread::SignalStopDrawing() {
    redrawPending_ = false;
    SignalStopGraphDrawing();
    SignalStopLabelThread();
}

void TPlotThread::StopDrawingAndWait() {
    redrawPending_ = false;
    SignalStopGraphDrawing();
    std::unique_ptr<TLabelDrawingThread> label = std::move(labelThread_);
    if (label) label->Terminate();
    // The label worker is out of its field before the first wait: a picture it was about
    // to deliver is dropped instead of reaching the window while the graph worker stops.
    StopGraphDrawingAndWait();
    const std::string text = StopAndFree(label);
    if (!text.empty()) DoError(text);
    UpdateRunningState();
}

void TPlotThread::Replot(const std::function<void()>& ApplyToPicture) {
    SetModified();
    // A new background colour in the pending settings changes the labels buffer's context,
    // which the label worker reads: it counts as a bitmap-attribute change.
    ApplyPendingBackgroundColor();
    if (AnyBitmapAttributeChanged())
        StopDrawingAndWait();
    else
        StopGraphDrawingAndWait();
    try {
        if (ApplyToPicture) ApplyToPicture();
        ModifyAndAssignFields();
        StartGraphDrawing();
    } catch (...) {
        // The model could not take the changes, or no worker could be made: the picture
        // keeps what it shows, and the user reads why.
        DoError(CurrentDrawingErrorText("Replot"));
        UpdateRunningState();
    }
}

// ---- Events ----

void TPlotThread::UpdateRunningState() {
    try {
        if (IsBusy()) {
            if (OnStart && runState_ != 'S') {
                runState_ = 'S';
                OnStart(*this);
            }
        } else if (OnEnd && runState_ != 'E') {
            runState_ = 'E';
            OnEnd(*this);
        }
    } catch (...) {
        runState_ = 'N'; // the next update fires again
    }
}

void TPlotThread::DoError(const std::string& Msg) {
    if (!OnError) return;
    const std::string text = Msg; // the handler may outlive the worker that wrote Msg
    try {
        OnError(*this, text);
    } catch (...) {
    }
}

void TPlotThread::DoLabelsBitmap() {
    if (!OnLabelsBitmap) return;
    try {
        OnLabelsBitmap(fPlotLabelsBuffer_->LabelBitmap());
    } catch (...) {
    }
}

// ---- Document ----

void TPlotThread::GetCaption(std::string& S) const {
    GetGraphTypeName(S);
    if (!fileName_.empty()) S += " - [" + fileNameWithoutFolder(fileName_) + "]";
}

void TPlotThread::GetShortFileName(std::string& S) const {
    S = fileName_.empty() ? std::string() : fileNameWithoutFolder(fileName_);
}

bool TPlotThread::Save() {
    if (!SaveToFile(fileName_)) return false;
    modified_ = false;
    return true;
}

bool TPlotThread::SaveAs(const std::string& Name) {
    if (!SaveToFile(Name)) return false;
    modified_ = false;
    fileName_ = Name;
    return true;
}

void TPlotThread::ReadBitmapAttribs(TReadGraphFile& Reader) {
    bmpAttribs_->ReadFromFile(Reader);
}

void TPlotThread::WriteBitmapAttribs(TWriteGraphFile& Writer) const {
    bmpAttribs_->WriteToFile(Writer);
}

void TPlotThread::ReadLabels(TReadGraphFile& Reader) {
    const TSettingBmpAttribsObj& a = *bmpAttribs_;
    QX_ASSERT(a.Width >= 1 && a.Height >= 1, "Error FPlotLabelsBuffer is not fully initalized");
    // The labels measure themselves on the bitmap they will be drawn on.
    if (labelThread_) StopLabelThreadAndWait();
    if (a.BackColorChanged) fPlotLabelsBuffer_->SetBackgroundColor(a.BackColor);
    if (a.PixelFormatChanged) fPlotLabelsBuffer_->SetColorDepth(a.PixelFormat);
    if (a.SizeChanged) fPlotLabelsBuffer_->SetSize(a.Width, a.Height);
    const TLabelBmpAttribs& context = fPlotLabelsBuffer_->Context();
    QX_ASSERT(context.Width >= 1 && context.Height >= 1, "Error FPlotLabelsBuffer is not fully initalized");
    ReadLabelList(Reader, context, masterLabelList_);
    fPlotLabelsBuffer_->SetLabels(masterLabelList_, -1);
}

void TPlotThread::WriteLabels(TWriteGraphFile& Writer) const {
    WriteLabelList(Writer, masterLabelList_);
}
