#include "plot/PtThGraf.h"

#include "platform/Errors.h"
#include "plot/PtBuffer.h"
#include "plot/PtGraph.h"
#include "plot/PtShared.h"

#include <mutex>

TGraphDrawingThread::~TGraphDrawingThread() {
    Terminate();
    WaitFor();
}

void TGraphDrawingThread::Execute() {
    ErrorText.clear();
    if (!Terminated()) {
        try {
            drawAndHandOver();
        } catch (...) {
            ErrorText = CurrentDrawingErrorText("Graph drawing");
        }
    }
    // Let go of everything borrowed before reporting: once OnDone has run, the owner may
    // start the next run on the same model or free it.
    if (Model) Model->SetIsAbortedEvent(nullptr);
    Model = nullptr;
    BmpBuffer = nullptr;
    const std::function<void(TGraphDrawingThread&)> onDone = std::move(OnDone);
    OnDone = nullptr;
    if (Terminated()) return;
    Synchronize([&] {
        if (!onDone) return;
        try {
            onDone(*this);
        } catch (...) {
            // The owner's handler failing must not turn a finished run into a failed one.
        }
    });
}

void TGraphDrawingThread::drawAndHandOver() {
    QX_ASSERT(Model != nullptr && BmpBuffer != nullptr,
              "Model or BmpBuffer = nil in TGraphDrawingThread.Execute");
    Model->SetIsAbortedEvent([this](bool& Value) { GetTerminated(Value); });
    if (Terminated()) return;
    TBitmap& plot = Model->PlotBitmap();
    std::lock_guard lock(plot);
    std::string drawError;
    Model->DrawGraph(drawError);
    ErrorText = drawError;
    // A message from the model does not stop the hand-over: the partly drawn picture is
    // still shown behind the message.
    if (!Terminated()) BmpBuffer->SetBufferBitmap(plot);
}

// ---------------------------------------------------------------------------------------
// TPlotThreadGraph

TPlotThreadGraph::TPlotThreadGraph() : bgPicture_(std::make_unique<TSettingGrBGPictObj>()) {}

TPlotThreadGraph::~TPlotThreadGraph() {
    ShutDown();
}

void TPlotThreadGraph::ShutDown() {
    UnhookEvents();
    StopDrawingAndWait();
    ReapRetired(true);
}

bool TPlotThreadGraph::IsBusy() const {
    return TPlotThread::IsBusy() || IsGraphThreadRunning();
}

void TPlotThreadGraph::DoAssignFieldObjects() {
    TPlotThread::DoAssignFieldObjects();
    QX_ASSERT(plotGraph_ != nullptr, "PlotGraph = nil in TPlotThreadGraph.DoAssignFieldObjects");
    TSettingBmpAttribsObj& a = BmpAttribs();
    TSettingGrBGPictObj& picture = *bgPicture_;
    if (picture.PlacementChanged) plotGraph_->SetPlacement(picture.Placement);
    if (a.BackColorChanged) plotGraph_->SetBackgroundColor(a.BackColor);
    if (a.SizeChanged) plotGraph_->SetGraphSize(a.Width, a.Height);
    if (a.PixelFormatChanged || picture.PictureChanged) applyBackgroundToModel();
    a.SetChanged(false);
    picture.SetChanged(false);
}

// Setting the depth drops the model's picture, so the picture goes in with the depth.
void TPlotThreadGraph::applyBackgroundToModel() {
    const int depth = BmpAttribs().PixelFormat;
    if (bgPicture_->Bitmap)
        plotGraph_->SetBackgroundBitmap(bgPicture_->Bitmap.get(), depth);
    else if (bgPicture_->JPEG)
        plotGraph_->SetBackgroundJPEG(bgPicture_->JPEG.get(), depth);
    else
        plotGraph_->SetColorDepth(depth);
}

void TPlotThreadGraph::SetBitmapAttributes(int ColorDepth, int Width, int Height) {
    TPlotThread::SetBitmapAttributes(ColorDepth, Width, Height);
    QX_ASSERT(plotGraph_ != nullptr, "PlotGraph = nil in TPlotThreadGraph.SetBitmapAttributes");
    plotGraph_->SetBitmapAttributes(ColorDepth, Width, Height);
}

void TPlotThreadGraph::StartGraphDrawing() {
    QX_ASSERT(plotGraph_ != nullptr, "PlotGraph = nil in TPlotThreadGraph.StartGraphDrawing");
    ReapRetired(false);
    const std::string oldError = StopAndFree(graphThread_);
    if (!oldError.empty()) DoError(oldError);
    if (graphThread_) return; // an error handler started one meanwhile
    auto worker = std::make_unique<TGraphDrawingThread>();
    TGraphDrawingThread* w = worker.get();
    w->OnDone = [this](TGraphDrawingThread& done) { OnGraphThreadDone(done); };
    w->Model = plotGraph_;
    w->BmpBuffer = &BmpBuffer();
    graphThread_ = std::move(worker);
    w->Resume();
    UpdateRunningState();
}

void TPlotThreadGraph::OnGraphThreadDone(TGraphDrawingThread& Worker) {
    if (graphThread_.get() != &Worker) return; // stopped meanwhile: its stopper reports
    const std::string text = Worker.ErrorText;
    Worker.Terminate();
    Retire(std::move(graphThread_));
    if (!text.empty())
        DoError(text); // the picture keeps what it shows
    else
        RequestLabelRedraw();
    UpdateRunningState();
}

void TPlotThreadGraph::SignalStopGraphDrawing() {
    if (graphThread_) graphThread_->Terminate();
}

void TPlotThreadGraph::StopGraphDrawingAndWait() {
    const std::string text = StopAndFree(graphThread_);
    if (!text.empty()) DoError(text);
    UpdateRunningState();
}

void TPlotThreadGraph::ReadBackgroundPicture(TReadGraphFile& Reader) {
    bgPicture_->ReadFromFile(Reader);
}

void TPlotThreadGraph::WriteBackgroundPicture(TWriteGraphFile& Writer) const {
    bgPicture_->WriteToFile(Writer);
}
