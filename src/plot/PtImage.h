#pragma once
// The picture control of a graph window: a scroll area showing the graph's labelled
// picture, owning the graph's controller, and running all label editing on the picture
// (status, selection, the in-place text editor, label commands, the mouse gestures) and
// the picture's output (clipboard, files, printer). It reaches its window only through its
// ten events; the window calls its operations from menus, tool bars and keys.
//
// The picture is a bitmap of its own (Image->Picture()). Finished pictures arrive from the
// controller and are copied onto it; every interactive mark (rubber bands, selection
// handles, flood-fill locations, the region rectangle) is drawn on it in not-xor mode by
// the labels themselves, so drawing a mark twice removes it. LabelWindowStatus says which
// marks the picture carries, so that they can be drawn again on a fresh picture.
//
// Update brackets (BeginUpdate/EndUpdate) surround every call into the window: a picture
// arriving while the window's handler runs (a popup menu, a message box) is shown at once,
// but its marks are drawn only when the outermost bracket closes.
//
// Everything runs on the GUI thread. Files: PtImage.cpp (set-up, status, pictures),
// PtImageLabels.cpp (label and file commands), PtImageMouse.cpp (mouse gestures),
// PtImageOutput.cpp (clipboard, picture files, printing, region dialog).

#include "labels/GrDraw.h"
#include "model/SeqList.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <QScrollArea>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TCustomTextEdit;
class TDrawBaseClass;
class TPlotThread;
class TReadGraphFile;
class TSettingBmpAttribsObj;

// Keys and buttons held during a mouse event; gestures compare the whole set.
enum TShiftStateBit : uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64 // the press of a double click
};
using TShiftState = uint8_t;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// The picture itself: it shows its bitmap at its own size and reports the mouse in bitmap
// pixels.
class TPlotImage : public QWidget {
    Q_OBJECT
public:
    explicit TPlotImage(QWidget* Parent);

    TBitmap& Picture() { return picture_; }
    const TBitmap& Picture() const { return picture_; }
    // Gives the widget the picture's size (after the picture was resized).
    void FitToPicture();
    // Repaints the part of the picture that changed; clipped to the picture.
    void UpdateArea(const TRect& Area);

    std::function<void(TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseDown;
    std::function<void(TShiftState Shift, int X, int Y)> OnMouseMove;
    std::function<void(TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseUp;
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void press(QMouseEvent* event, bool doubleClick);

    TBitmap picture_;
};

class TPlotImageBox : public QScrollArea {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TPlotImageBox(QWidget* Owner = nullptr);
    // Stops both workers and waits for them before the controller goes.
    ~TPlotImageBox() override;

    // The ten events, through which the box reaches its window.
    TNotifyEvent OnRunningStart;
    TNotifyEvent OnRunningEnd;
    TNotifyEvent OnDoneDrawing;
    TNotifyEvent OnTurnDrawToolOff;
    TLabelWinStatusChangeEvent OnLabelWinStatusChange;
    TNotifyEvent OnDisplayStatusMsg;
    TGetToolBarAttribEvent OnGetToolBarAttrib;
    TGetDrawingToolEvent OnGetDrawingTool;
    TGetResizeLabelsModeEvent OnGetResizeLabelsMode;
    TShowLabelPopupMenuEvent OnShowLabelPopupMenu;

    TPlotImage* Image;
    TCustomTextEdit* TextEditor;

    TPlotThread* PlotThread() const { return plotThread_.get(); }
    const TLabelBmpAttribs& Context() const { return context_; }
    TLabelWindowStatus LabelWindowStatus() const { return labelWindowStatus_; }
    int SelectedIndex() const { return selectedIndex_; }
    TDrawBaseClass* SelectedLabel() const { return selectedLabel_; }
    int LastMouseX() const { return lastMouseX_; }
    int LastMouseY() const { return lastMouseY_; }
    TPoint RegionCorner1() const { return regionCorner1_; }
    TPoint RegionCorner2() const { return regionCorner2_; }
    TCursor DragCursor() const { return dragCursor_; }
    bool GestureActive() const { return gestureActive_; }
    bool DoubleClickSeen() const { return doubleClickSeen_; }
    bool MoveOnly() const { return moveOnly_; }
    int UpdateCount() const { return updateCount_; }
    bool RepaintPending() const { return repaintPending_; }
    TSequenceList<TDrawBaseClass>& MasterLabelList() const;

    // ---- Picture set-up and drawing (PtImage.cpp) ----
    // A new graph: picture, context and both buffers get the depth and size.
    void SetBitmapAttributes(int ColorDepth, int Width, int Height);
    // A stored graph: the controller reads the body (and closes Reader); the picture takes
    // the loaded size. The controller's result.
    bool LoadFromFile(int ColorDepth, const std::string& FileName, TReadGraphFile& Reader);
    // Applies the pending changes and starts a graph run. A picture that shrank loses the
    // labels that lie wholly beyond it, once the user agreed; No keeps the old size.
    void Replot();
    void StartGraphDrawing();
    // Repaints the labels over the last plotted graph, all but ExcludedIndex (-1: all).
    void RedrawLabels(int ExcludedIndex);
    void StopDrawingAndWait();
    void SignalStopDrawing();
    // Scrolls so that the middle of the picture is in the middle of the box.
    void CenterBitmap();
    void GetCaption(std::string& S) const;
    void GetFileName(std::string& S) const;
    TSettingBmpAttribsObj& GetBitmapAttribs() const;

    // ---- Label commands (PtImageLabels.cpp) ----
    void SelectLabel(int Index);
    void SelectNextLabel();
    void SelectPreviousLabel();
    void SelectTopLabel();
    void SendSelectedToBack();
    void SendSelectedToFront();
    void DeleteSelectedLabel();
    void DeleteAllLabels();
    void DeleteAllFloodFills();
    void DeleteAllLabelsAndFloodFills();
    void ShowFloodFillLocations();
    void ShowLabelListDialog();
    void EditSelectedLabel();
    void StartInPlaceTextEdit();
    // Ends whatever label operation runs. True when the labels need a redraw that Redraw
    // false left to the caller.
    bool EndLabelOperation(bool Redraw);
    void ForgetMousePosition();
    // False, after the limit message, when the graph holds the most labels it can.
    bool CanAddLabel();
    // Stores the typed text into the label being edited (deleting it when empty and
    // DeleteIfEmpty) and ends the editor; true when the labels need a redraw.
    bool EndTextEdit(bool DeleteIfEmpty);

    // ---- File commands (PtImageLabels.cpp) ----
    bool SaveGraph();
    bool SaveGraphAs(const std::string& FileName);
    // Finishes a label still being edited (it counts as a change) and tells whether the
    // graph has changes that closing it asks about.
    bool HasUnsavedChanges();
    // Asks to save a modified graph; one never saved asks for its file first. False when
    // the user cancels or the save fails.
    bool CanCloseGraph();

    // ---- Picture output (PtImageOutput.cpp) ----
    void CopyBitmapToClipboard();
    // BMP at the picture's depth (AsBitmap) or JPEG. A file that cannot be written is
    // reported with its name and the old file stays as it was; false then.
    bool SavePictureFile(const std::string& FileName, bool AsBitmap);
    // One page on the program's printer, at 100 % unscaled or stretched by ScalePercent.
    void PrintBitmap(bool RegionOnly, int ScalePercent);
    void ShowRegionDialog();
    bool IsRegionSelected() const { return labelWindowStatus_ == lwRegionSelected; }

    // ---- Used by the mouse gestures ----
    void SetLabelWindowStatus(TLabelWindowStatus Status);
    // Fires the status event even when the status is already lwNormal.
    void ResetLabelWindowStatus();
    void BeginUpdate();
    void EndUpdate();
    // Draws the marks the status calls for on a picture that has none.
    void RepaintLabelMarks();
    // The dotted not-xor rectangle between two corners (in any order).
    void DrawRegionRect(TPoint P1, TPoint P2);
    void ClampToBitmap(int& X, int& Y) const;
    bool IsInsideBitmap(int X, int Y) const;
    int ImageToClientX(int X) const;
    int ImageToClientY(int Y) const;
    void SetDragCursor(TCursor Cursor);
    void ResetDragCursor();
    TDrawingTool GetDrawingTool();
    bool GetResizeLabelsMode();
    TToolBarAttribClass* GetToolBarAttrib();
    void DoDisplayStatusMsg();
    void DoShowLabelPopupMenu(int ScreenX, int ScreenY, bool ShowInPlaceEditorItem);
    void DoTurnDrawToolOff();

    // ---- Mouse gestures (PtImageMouse.cpp); X, Y in bitmap pixels ----
    void DoMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void DoMouseMove(TShiftState Shift, int X, int Y);
    void DoMouseUp(TMouseButton Button, int X, int Y);

protected:
    // For the leaves: takes the controller of the graph kind and hooks its events.
    void SetPlotThread(std::unique_ptr<TPlotThread> Controller);
    void AttachPlotThread(TPlotThread& Controller);

    void showEvent(QShowEvent* event) override;
    // Keys belong to the window: its commands step the view and edit the labels.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Keeps an update bracket open for its life.
    class TUpdateScope {
    public:
        explicit TUpdateScope(TPlotImageBox& Box) : box_(Box) { box_.BeginUpdate(); }
        ~TUpdateScope();
        TUpdateScope(const TUpdateScope&) = delete;
        TUpdateScope& operator=(const TUpdateScope&) = delete;

    private:
        TPlotImageBox& box_;
    };

    // Controller events.
    void PlotThreadLabelsBitmap(TBitmap& Bitmap);
    void PlotThreadError(const std::string& Msg);
    // Text editor events.
    void TextEditStarted(TPoint BitmapPos, int Width, int Height);
    void TextEditDone();

    // Gesture steps (PtImageMouse.cpp).
    void PickLabelAt(int X, int Y, bool SetCursor);
    void EditTextLabelAt(int X, int Y);
    void ShowLabelPopupAt(int X, int Y);
    void AddFloodFillAt(int X, int Y);
    void StartNewLabelAt(int X, int Y, TDrawingTool Tool);
    void StartNewTextLabelAt(int X, int Y);
    void StartRegionAt(int X, int Y);
    void imageMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void imageMouseMove(TShiftState Shift, int X, int Y);
    void imageMouseUp(TMouseButton Button, int X, int Y);

    // Label helpers (PtImageLabels.cpp).
    void applyPictureChanges();
    bool confirmLabelsOffPicture();
    // Whether the pending size is narrower or lower than the picture.
    bool shrinksPicture(const TSettingBmpAttribsObj& Attribs) const;
    // True for a label that lies wholly outside a picture of this size.
    static std::function<bool(const std::unique_ptr<TDrawBaseClass>&)>
    offPicture(const TLabelBmpAttribs& Picture);
    void removeLabelsOffPicture();
    void deleteLabelsWhere(const char* Question, bool (*Matches)(const TDrawBaseClass&));
    void beginTextEditOf(TDrawBaseClass& Label);
    bool storeTypedText(bool DeleteIfEmpty);
    void editTextBeingTyped();
    // Not-xor location marks of every flood fill; false when there is none.
    bool drawFloodFillMarks();
    void setSelection(int Index);

    // Drawing helpers that keep the shown picture up to date.
    void labelMouseEdit(TDrawBaseClass& Label, int X, int Y, TLabelMouseOp Op);
    void toggleHandles(TDrawBaseClass& Label);
    void redrawHandles(TDrawBaseClass& Label);
    void repaintCreatedShape(TDrawBaseClass& Label);
    void updateLabelArea(const TDrawBaseClass& Label);
    void applyCentre();

    std::unique_ptr<TPlotThread> plotThread_;
    TLabelBmpAttribs context_{clWhite, -1, -1};
    TCursor dragCursor_ = crDefault;
    bool gestureActive_ = false;
    bool doubleClickSeen_ = false;
    bool moveOnly_ = true;
    int selectedIndex_ = -1;
    TDrawBaseClass* selectedLabel_ = nullptr;
    int lastMouseX_ = -1;
    int lastMouseY_ = -1;
    TPoint regionCorner1_;
    TPoint regionCorner2_;
    TLabelWindowStatus labelWindowStatus_ = lwNormal;
    int updateCount_ = 0;
    bool repaintPending_ = false;
    bool centrePending_ = false;
};

// The area of the picture that a label's drawing, marks and edit outline can touch, with
// room for its pen; an empty rectangle stands for "anywhere".
TRect LabelPaintArea(const TDrawBaseClass& Label);

// Asks for the file a graph is saved as, in the "Save File As" file box; false when the
// user cancels.
bool AskGraphFileName(QWidget* Owner, std::string& FileName);
