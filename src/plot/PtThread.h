#pragma once
// The label worker: copies the buffered plot onto the label bitmap and paints the labels
// over it on a thread of its own.
//
// Use (on the GUI thread): create it (suspended), set OnDone, LabelsBuffer and BmpBuffer,
// Resume. When the run is complete and was not stopped, OnDone runs on the GUI thread with
// the finished label bitmap; ErrorText is "" or the one message of the failure. As with
// the graph worker, the references are cleared before OnDone, the owner never frees the
// worker inside OnDone, and it joins a finished worker before it starts another or frees
// the buffers.

#include "platform/Threads.h"

#include <functional>
#include <string>

class TBitmap;
class TPlotLabelsBuffer;
class TSafeBmpBuffer;

class TLabelDrawingThread : public TThread {
public:
    TLabelDrawingThread() = default;
    ~TLabelDrawingThread() override;

    std::string ErrorText;
    // An exception of the handler is not caught: it ends the worker's run as its fatal
    // exception (FatalErrorText), after the picture was delivered.
    std::function<void(TBitmap& LabelBitmap)> OnDone;
    TPlotLabelsBuffer* LabelsBuffer = nullptr;
    TSafeBmpBuffer* BmpBuffer = nullptr;

    void GetTerminated(bool& Value) const { Value = Terminated(); }

protected:
    void Execute() override;

private:
    void copyAndPaint();
};
