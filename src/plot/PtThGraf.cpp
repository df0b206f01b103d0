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
