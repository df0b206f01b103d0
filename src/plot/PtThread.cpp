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
