#pragma once
// The label worker's working area: a private mirror of the graph's labels and the bitmap
// they are painted on. The GUI thread changes it only while the label worker is stopped.

#include "labels/DrawObjs.h"
#include "labels/GrDraw.h"
#include "model/SeqList.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <functional>

// Asked before every label whether painting is to stop: sets Value to true to stop.
using TIsTerminatedEvent = std::function<void(bool& Value)>;

class TPlotLabelsBuffer {
public:
    TPlotLabelsBuffer();
    ~TPlotLabelsBuffer();
    TPlotLabelsBuffer(const TPlotLabelsBuffer&) = delete;
    TPlotLabelsBuffer& operator=(const TPlotLabelsBuffer&) = delete;

    // Brings the mirror in line with the master list (which keeps its own objects) and
    // remembers the one label not to paint (-1 for none).
    void SetLabels(TSequenceList<TDrawBaseClass>& Source, int32_t ExcludedIndex);
    void ClearLabels();

    void SetBackgroundColor(TColor Color) { context_.BackgroundColor = Color; }
    // Colour-depth code 2..7.
    void SetColorDepth(int PixelFormat);
    // Fails as CheckGraphBitmapSize does; the context always holds the bitmap's real size,
    // also after a failure.
    void SetSize(int Width, int Height);
    void SetBitmapAttributes(int ColorDepth, int Width, int Height);

    // Paints the labels in list order (index 0 lowest), all but ExcludedIndex, on the label
    // bitmap; asks IsTerminatedEvent before it starts and before every label. The caller
    // holds the label bitmap's lock.
    void PaintDrawLables(const TIsTerminatedEvent& IsTerminatedEvent);

    TBitmap& LabelBitmap() { return labelBitmap_; }
    const TLabelBmpAttribs& Context() const { return context_; }
    int32_t ExcludedIndex() const { return excludedIndex_; }
    const TSequenceList<TDrawBaseClass>& LabelList() const { return labelList_; }

private:
    int32_t excludedIndex_ = -1;
    TSequenceList<TDrawBaseClass> labelList_;
    TBitmap labelBitmap_;
    TLabelBmpAttribs context_;
};
