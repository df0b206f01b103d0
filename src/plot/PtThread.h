#pragma once
// The label worker, and the base of the plot controllers that start and stop it.
//
// The label worker copies the buffered plot onto the label bitmap and paints the labels
// over it on a thread of its own.
//
// Use (on the GUI thread): create it (suspended), set OnDone, LabelsBuffer and BmpBuffer,
// Resume. When the run is complete and was not stopped, OnDone runs on the GUI thread with
// the finished label bitmap; ErrorText is "" or the one message of the failure. As with
// the graph worker, the references are cleared before OnDone, the owner never frees the
// worker inside OnDone, and it joins a finished worker before it starts another or frees
// the buffers.

#include "labels/DrawObjs.h"
#include "model/SeqList.h"
#include "model/SetGraph.h"
#include "platform/Threads.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TPlotLabelsBuffer;
class TReadGraphFile;
class TSafeBmpBuffer;
class TWriteGraphFile;

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

// ---------------------------------------------------------------------------------------
// The plot controller: the per-graph object between a graph window's picture control and
// the drawing machinery. It lives on the GUI thread and owns the graph's document state
// (labels, bitmap attributes, file name, modified flag), the two hand-over buffers and
// the two workers; it starts, stops and waits for them, and reports busy/idle, errors and
// finished pictures through four events. TPlotThreadGraph (PtThGraf.h) adds the model and
// the graph worker, TPlotThreadFuncList (PtThList.h) the functions, the leaves (PtTh2d.h,
// PtThPolr.h, PtTh3d.h) the pending view and settings and the graph file body.
//
// Rules that keep the workers safe:
// - A worker is taken out of its field before it is told to stop and waited for. Waiting
//   on the GUI thread runs the workers' completion calls, and a completion whose worker
//   is no longer in its field does nothing.
// - A worker that reported is kept until it has finished and is joined before anything it
//   used goes, never inside its own completion call.
// - Never destroy a controller from inside one of its events: its worker is blocked in
//   that very call and could not be waited for.

class TPlotThread {
public:
    using TNotifyEvent = std::function<void(TPlotThread& Sender)>;
    using TErrorEvent = std::function<void(TPlotThread& Sender, const std::string& Msg)>;
    using TLabelsBitmapEvent = std::function<void(TBitmap& Bitmap)>;

    TPlotThread();
    virtual ~TPlotThread();
    TPlotThread(const TPlotThread&) = delete;
    TPlotThread& operator=(const TPlotThread&) = delete;

    // The controller turned busy or idle; once per busy period, whichever worker ends last.
    TNotifyEvent OnStart;
    TNotifyEvent OnEnd;
    // A worker reported an error text.
    TErrorEvent OnError;
    // A labelled picture is ready; copy it inside the handler.
    TLabelsBitmapEvent OnLabelsBitmap;

    // Copies what changed in the pending objects into the model and the buffers. Only
    // while no graph worker runs, and the label worker as well when bitmap attributes
    // changed.
    virtual void DoAssignFieldObjects();
    virtual bool IsBusy() const;
    virtual bool IsGraphThreadRunning() const = 0;
    // Writes the graph file body; false when the save failed (the user has been told).
    virtual bool SaveToFile(const std::string& FileName) = 0;
    virtual void GetGraphTypeName(std::string& S) const = 0;
    virtual void StartGraphDrawing() = 0;
    virtual void SignalStopGraphDrawing() = 0;
    virtual void StopGraphDrawingAndWait() = 0;
    // For a new, empty graph: the size and depth without touching the change flags.
    virtual void SetBitmapAttributes(int ColorDepth, int Width, int Height);
    // Reads the body from an open, verified reader and closes it; false on any failure.
    virtual bool LoadFromFile(int ColorDepth, const std::string& FileName, TReadGraphFile& Reader) = 0;

    void SetModified() { modified_ = true; }
    void ModifyAndAssignFields();
    // After a load: the fields, then the labels into the label worker's mirror.
    void AssignFieldsAndLabels();
    void CopyLabelsToBuffer(int32_t ExcludedIndex);

    void RestartLabelThread();
    void RequestLabelRedraw();
    bool IsLabelThreadRunning() const { return labelThread_ != nullptr; }
    void SignalStopLabelThread();
    void StopLabelThreadAndWait();
    void SignalStopDrawing();
    // Both workers are taken out of their fields and asked to stop before either is waited
    // for, so nothing of this controller is delivered or fired during the waits.
    void StopDrawingAndWait();

    // Redraw after an edit (the picture control calls it after every dialog or command that
    // changed the graph): stops what the changes touch (both workers when bitmap attributes
    // or the background colour change, else the graph worker), lets the picture apply the
    // new attributes to itself (ApplyToPicture, may be empty; the place to drop labels that
    // fell off a shrunk picture and CopyLabelsToBuffer), copies the pending objects into the
    // model and starts a graph run. A failure on the way is reported through OnError.
    void Replot(const std::function<void()>& ApplyToPicture = nullptr);

    void UpdateRunningState();
    void DoError(const std::string& Msg);
    void DoLabelsBitmap();

    // The graph type, and " - [name.qxf]" once the graph has a file.
    void GetCaption(std::string& S) const;
    void GetShortFileName(std::string& S) const;
    // A failed save changes neither the file name nor the modified flag.
    bool Save();
    bool SaveAs(const std::string& Name);

    void ReadBitmapAttribs(TReadGraphFile& Reader);
    void WriteBitmapAttribs(TWriteGraphFile& Writer) const;
    // Sizes the labels buffer from the bitmap attributes (leaving their change flags set)
    // and reads the label list into the master list and the mirror.
    void ReadLabels(TReadGraphFile& Reader);
    void WriteLabels(TWriteGraphFile& Writer) const;

    // 'N' before the first report or after a busy/idle handler failed, 'S' busy, 'E' idle.
    char RunState() const { return runState_; }
    bool RedrawPending() const { return redrawPending_; }
    bool Modified() const { return modified_; }
    const std::string& FileName() const { return fileName_; }
    TSettingBmpAttribsObj& BmpAttribs() { return *bmpAttribs_; }
    const TSettingBmpAttribsObj& BmpAttribs() const { return *bmpAttribs_; }
    TSequenceList<TDrawBaseClass>& MasterLabelList() { return masterLabelList_; }
    const TSequenceList<TDrawBaseClass>& MasterLabelList() const { return masterLabelList_; }
    TPlotLabelsBuffer& PlotLabelsBuffer() { return *fPlotLabelsBuffer_; }
    TSafeBmpBuffer& BmpBuffer() { return *bmpBuffer_; }

protected:
    // The leaf's step that moves a changed background colour of the pending settings into
    // the bitmap attributes (setting their flag); does nothing on the levels below.
    virtual void ApplyPendingBackgroundColor() {}
    bool AnyBitmapAttributeChanged() const;

    void SetFileName(const std::string& Name) { fileName_ = Name; }
    void ClearModified() { modified_ = false; }

    // A worker that has reported is joined later (it is still inside its completion call).
    void Retire(std::unique_ptr<TThread> Worker);
    // Joins the retired workers that have finished, or all of them.
    void ReapRetired(bool All);
    // The first act of every destructor: nothing is fired any more, and errors of workers
    // stopped on the way out are not reported.
    void UnhookEvents();

    // Takes a worker out of its field, stops it, waits for it, frees it; its error text.
    template <class W> static std::string StopAndFree(std::unique_ptr<W>& Field) {
        if (!Field) return {};
        std::unique_ptr<W> worker = std::move(Field);
        worker->Terminate();
        worker->WaitFor();
        std::string text = worker->ErrorText;
        return text;
    }

private:
    void OnLabelThreadDone(TLabelDrawingThread& Worker);

    char runState_ = 'N';
    std::unique_ptr<TPlotLabelsBuffer> fPlotLabelsBuffer_;
    std::unique_ptr<TSafeBmpBuffer> bmpBuffer_;
    std::unique_ptr<TSettingBmpAttribsObj> bmpAttribs_;
    TSequenceList<TDrawBaseClass> masterLabelList_;
    std::unique_ptr<TLabelDrawingThread> labelThread_;
    bool redrawPending_ = false;
    std::string fileName_;
    bool modified_ = false;
    std::vector<std::unique_ptr<TThread>> retired_;
};
