#pragma once
// The graph worker: lets the window's model draw its graph into the model's plot bitmap
// on a thread of its own, then hands the picture over to the buffer.
//
// Use (on the GUI thread): create it (suspended), set OnDone, Model and BmpBuffer, Resume.
// While it runs, the model's IsAborted asks this worker's stop request. When the run is
// complete and was not stopped, OnDone runs on the GUI thread with the worker; ErrorText
// is then "" or the one message of the failure.
//
// Before it reports, the worker has already let go of everything it borrowed (the model's
// call-back, Model, BmpBuffer, OnDone), so the owner may start the next run or free the
// model right after OnDone. What the owner must not do is free the worker inside OnDone
// (the worker is still blocked in that call): it takes the worker out of its field there
// and joins it (WaitFor, or the destructor) before it starts another worker or frees the
// model or the buffer. A worker never frees itself.

#include "platform/Threads.h"

#include <functional>
#include <string>

class TPlotGraph;
class TSafeBmpBuffer;

class TGraphDrawingThread : public TThread {
public:
    TGraphDrawingThread() = default;
    ~TGraphDrawingThread() override;

    // Read on the GUI thread inside OnDone or after WaitFor.
    std::string ErrorText;
    std::function<void(TGraphDrawingThread& Worker)> OnDone;
    // Borrowed; set before Resume, cleared by the worker at the end of its run.
    TPlotGraph* Model = nullptr;
    TSafeBmpBuffer* BmpBuffer = nullptr;

    // The stop request, as the model's IsAborted call-back asks it.
    void GetTerminated(bool& Value) const { Value = Terminated(); }

protected:
    void Execute() override;

private:
    void drawAndHandOver();
};
