#pragma once
// The graph worker, and the controller level that owns the model and runs that worker.
//
// The graph worker lets the window's model draw its graph into the model's plot bitmap
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

#include "model/SetGraph.h"
#include "platform/Threads.h"
#include "plot/PtThread.h"

#include <functional>
#include <memory>
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

// The controller level with a model: the background picture, the graph worker and the
// model the leaf creates (PlotGraph, borrowed here).
class TPlotThreadGraph : public TPlotThread {
public:
    TPlotThreadGraph();
    ~TPlotThreadGraph() override;

    // The base level, then the bitmap attributes and the background picture into the model;
    // clears their change flags.
    void DoAssignFieldObjects() override;
    bool IsBusy() const override;
    bool IsGraphThreadRunning() const override { return graphThread_ != nullptr; }
    // Stops a running graph worker first (reporting its error), then starts a new one.
    void StartGraphDrawing() override;
    void SignalStopGraphDrawing() override;
    void StopGraphDrawingAndWait() override;
    void SetBitmapAttributes(int ColorDepth, int Width, int Height) override;

    // The background picture section of the graph file body.
    void ReadBackgroundPicture(TReadGraphFile& Reader);
    void WriteBackgroundPicture(TWriteGraphFile& Writer) const;

    TSettingGrBGPictObj& BGPicture() { return *bgPicture_; }
    const TSettingGrBGPictObj& BGPicture() const { return *bgPicture_; }
    TPlotGraph* PlotGraph() const { return plotGraph_; }

protected:
    // Set by the leaf once it has made its model; the leaf frees it.
    void SetPlotGraph(TPlotGraph* Model) { plotGraph_ = Model; }
    // The first act of the leaf's destructor, before its model goes: no more events, both
    // workers stopped, every worker joined. Safe to call again.
    void ShutDown();

private:
    void OnGraphThreadDone(TGraphDrawingThread& Worker);
    void applyBackgroundToModel();

    std::unique_ptr<TSettingGrBGPictObj> bgPicture_;
    std::unique_ptr<TGraphDrawingThread> graphThread_;
    TPlotGraph* plotGraph_ = nullptr;
};
