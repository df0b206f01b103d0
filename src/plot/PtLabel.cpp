#include "plot/PtLabel.h"

#include "platform/Errors.h"
#include "plot/PtShared.h"

#include <mutex>

TPlotLabelsBuffer::TPlotLabelsBuffer() {
    context_.BackgroundColor = clWhite;
    context_.Width = -1;
    context_.Height = -1;
}

TPlotLabelsBuffer::~TPlotLabelsBuffer() {
    ClearLabels();
}

void TPlotLabelsBuffer::SetLabels(TSequenceList<TDrawBaseClass>& Source, int32_t ExcludedIndex) {
    AssignSequenceLists(labelList_, Source);
    excludedIndex_ = ExcludedIndex;
}

void TPlotLabelsBuffer::ClearLabels() {
    for (auto& label : labelList_)
        label.reset();
    labelList_.clear();
}

void TPlotLabelsBuffer::SetColorDepth(int PixelFormat) {
    QX_ASSERT(IsValidPixelFormat(PixelFormat), "Invalid picture color depth");
    labelBitmap_.SetPixelFormat(TPixelFormat(PixelFormat));
}

void TPlotLabelsBuffer::SetSize(int Width, int Height) {
    std::lock_guard lock(labelBitmap_);
    try {
        CheckGraphBitmapSize(Width, Height);
        labelBitmap_.SetSize(Width, Height);
    } catch (...) {
        context_.Width = labelBitmap_.Width();
        context_.Height = labelBitmap_.Height();
        throw;
    }
    context_.Width = labelBitmap_.Width();
    context_.Height = labelBitmap_.Height();
}

void TPlotLabelsBuffer::SetBitmapAttributes(int ColorDepth, int Width, int Height) {
    SetColorDepth(ColorDepth);
    SetSize(Width, Height);
}

void TPlotLabelsBuffer::PaintDrawLables(const TIsTerminatedEvent& IsTerminatedEvent) {
    QX_ASSERT(IsTerminatedEvent != nullptr,
              "IsTerminatedEvent = nil in function TPlotLabelsBuffer.PaintDrawLables");
    bool terminated = false;
    IsTerminatedEvent(terminated);
    if (terminated) return;
    for (size_t i = 0; i < labelList_.size(); ++i) {
        IsTerminatedEvent(terminated);
        if (terminated) return;
        if (static_cast<int64_t>(i) == excludedIndex_ || !labelList_[i]) continue;
        labelList_[i]->Draw(labelBitmap_, context_);
    }
}
