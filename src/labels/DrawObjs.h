#pragma once
// The labels: the user's own drawings over a graph's bitmap (lines, rectangles, ellipses,
// round rectangles, free-hand curves, flood fills and texts).
//
// A label draws itself on whatever bitmap it is given, answers how far the mouse is from
// it, and runs the mouse-editing steps the picture control feeds it. All interactive
// feedback (selection marks, rubber bands) is drawn in not-xor mode, so drawing it a
// second time restores the pixels; the stored points change only when a gesture ends with
// the label still on the bitmap. The finished picture is always repainted from the label
// list with Draw.
//
// Labels hold no lock and no shared state: the GUI thread edits the master list, the label
// worker paints its own copies, and whoever passes a bitmap owns its locking.
//
// Style bytes (pen and brush styles, shape kinds) keep whatever value they were given,
// since they come from files; drawing maps a value outside its enumeration to a valid one.
// Pen widths are likewise kept as stored and limited only when drawn.

#include "labels/GrDraw.h"
#include "model/SeqList.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TReadGraphFile;
class TWriteGraphFile;

class TDrawBaseClass : public TSequenceListObj {
public:
    TDrawBaseClass() = default;
    ~TDrawBaseClass() override;

    TPoint EditP1;             // the edit copy of point 1 (of the location, for a flood fill)
    TPoint DownPoint;          // the mouse at the last move or size begin
    bool HandlesShown = false; // the selection marks are on the bitmap last toggled

    // Final drawing; the fresh picture carries no selection marks, so HandlesShown clears.
    virtual void Draw(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) = 0;
    // The not-xor outline of the edit copies.
    virtual void DrawEditOutline(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) = 0;
    // One step of a mouse gesture; (X, Y) in bitmap pixels.
    virtual void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                           const TLabelBmpAttribs& BmpAttribs) = 0;
    // Whole pixels from the mouse to the label; FarDistance when far or not computable.
    virtual int HitDistance(int X, int Y) const = 0;

    // The label's line in the label list.
    virtual std::string GetDescription() const = 0;
    // The mouse pointer over the selected label.
    virtual TCursor GetCursor() const { return crDrag; }
    // Takes the tool-bar attributes (or the built-in ones for null) for a new label.
    virtual void SetDefaults(const TToolBarAttribClass* Attribs) {}
    // Flips HandlesShown and not-xor draws the selection marks.
    virtual void ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) = 0;
    virtual bool IsOnBitmap(const TLabelBmpAttribs& BmpAttribs) const = 0;
    // The label's record in a graph file: its kind tag, then its fields.
    virtual void WriteToGraphFile(TWriteGraphFile& Writer) const = 0;
    // The fields after the tag, in the layout of the reader's file version. A record that
    // cannot be right ends the load with the reader's load error; BmpAttribs are those of
    // the bitmap the label will be drawn on.
    virtual void ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) = 0;

    // Forgets marks that a repaint is about to remove anyway.
    void ForgetSelectionHandles();
    // Draws the marks anew on a freshly painted bitmap.
    void RedrawSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs);

protected:
    TDrawBaseClass(const TDrawBaseClass&) = default;
    TDrawBaseClass& operator=(const TDrawBaseClass&) = default;
};

// A fill of the connected area of one colour around Location.
class TDrawFloodFill : public TDrawBaseClass {
public:
    TDrawFloodFill() = default;

    uint8_t BrushStyle = 0; // TBrushStyle code
    TPoint Location;
    TColor FillColor = 0;

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    void Draw(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    void DrawEditOutline(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    int HitDistance(int X, int Y) const override;
    std::string GetDescription() const override;
    void SetDefaults(const TToolBarAttribClass* Attribs) override;
    void ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    bool IsOnBitmap(const TLabelBmpAttribs& BmpAttribs) const override;
    void WriteToGraphFile(TWriteGraphFile& Writer) const override;
    void ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) override;

    // A fill has no clear variant: bsClear is stored as bsSolid.
    void SetBrushStyle(uint8_t Style);
    // The diagonal location cross, unless the selection marks are shown.
    void DrawLocationMark(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs);
};

// Labels defined by two points.
class TDrawLabel : public TDrawBaseClass {
public:
    TPoint EditP2;
    TPoint P1;
    TPoint P2;

    void Draw(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    void DrawEditOutline(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    // Distance to the outline of the box of the two points.
    int HitDistance(int X, int Y) const override;
    // Marks at the corners of the box that are far enough apart.
    void ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    bool IsOnBitmap(const TLabelBmpAttribs& BmpAttribs) const override;

    // Draws the label's shape between two given points.
    virtual void DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                           const TLabelBmpAttribs& BmpAttribs) = 0;
    // Whether the label placed between these points would show on the bitmap; the box
    // rule here (a box that encloses the whole bitmap with every edge outside counts as off).
    virtual bool RectOnBitmap(const TPoint& A, const TPoint& B, const TLabelBmpAttribs& BmpAttribs) const;

protected:
    TDrawLabel() = default;
    TDrawLabel(const TDrawLabel&) = default;
    TDrawLabel& operator=(const TDrawLabel&) = default;

    // The state machine every two-point label falls back to.
    void genericMouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                          const TLabelBmpAttribs& BmpAttribs);
    // EditP1, EditP2 := P1, P2 shifted by the mouse's way from DownPoint.
    void shiftCopies(int X, int Y);
};

// Two-point labels drawn with a pen and a brush.
class TDrawShape : public TDrawLabel {
public:
    uint8_t GrabbedHandle = ghNone;
    uint8_t PenStyle = 0;   // TPenStyle code
    uint8_t BrushStyle = 1; // TBrushStyle code
    TColor PenColor = 0;
    int PenWidth = 1;
    TColor BrushColor = 0xFFFFFF;

    TCursor GetCursor() const override;
    void SetDefaults(const TToolBarAttribClass* Attribs) override;
    // Size gestures drag the handle that moSizeBegin grabbed (handleAt); without one, and
    // for every other step, the generic state machine runs and GrabbedHandle clears.
    void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;

    // Store a style, normalised as the class wants it; both set Modified.
    virtual void SetPenStyle(uint8_t Style);
    virtual void SetBrushStyle(uint8_t Style);

protected:
    TDrawShape() = default;
    TDrawShape(const TDrawShape&) = default;
    TDrawShape& operator=(const TDrawShape&) = default;

    void assignShapeFields(const TDrawShape& Source);
    // The pen, brush and point fields every line, enclosed shape and free hand writes last.
    void writeShapeFields(TWriteGraphFile& Writer) const;
    void readShapeFields(TReadGraphFile& Reader);
    // The narrower record of the first file version: pen fields and 16-bit points; the
    // brush was not stored and keeps its defaults.
    void readShapeFieldsV1(TReadGraphFile& Reader);
    // The handle under the mouse at the start of a resize; ghNone for a label without handles.
    virtual uint8_t handleAt(int X, int Y) const;
    // EditP1, EditP2 := P1, P2 with the grabbed handle shifted by the mouse's way from DownPoint.
    virtual void moveGrabbedHandle(int X, int Y) {}
    // Pen and brush for DrawShape. Lines and free hands never fill and never vanish: a brush
    // beyond clear draws clear, a clear pen draws solid.
    void setUpShapePen(TCanvas& Canvas, TDrawShapeMode Mode, const TLabelBmpAttribs& BmpAttribs,
                       bool lineLike) const;
};

// A rectangle, an ellipse or a round rectangle between its corners P1 (top-left once
// ordered) and P2 (bottom-right).
class TDrawInclosedShape : public TDrawShape {
public:
    explicit TDrawInclosedShape(uint8_t ShapeKind);

    uint8_t ShapeKind; // lkRectangle, lkEllipse or lkRoundRect

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    // Orders the corners before a resize, so that the handles are named as they show.
    void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    void DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    std::string GetDescription() const override;
    void WriteToGraphFile(TWriteGraphFile& Writer) const override;
    void ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) override;

protected:
    // A corner within 5 pixels, else an edge within 5 pixels.
    uint8_t handleAt(int X, int Y) const override;
    void moveGrabbedHandle(int X, int Y) override;
};

// Offsets of free-hand points from the label's first point.
struct TFreeHandBounds {
    int32_t MinDX = 0;
    int32_t MinDY = 0;
    int32_t MaxDX = 0;
    int32_t MaxDY = 0;
    bool operator==(const TFreeHandBounds&) const = default;
};

struct TFreeHandOffset {
    int16_t DX = 0;
    int16_t DY = 0;
    bool operator==(const TFreeHandOffset&) const = default;
};

// 32 points of a free-hand curve; its bounds always contain offset (0, 0).
struct TFreeHandBlock {
    static constexpr int Capacity = 32;
    TFreeHandBounds Bounds;
    std::array<TFreeHandOffset, Capacity> Points{};
};

// A curve drawn with the mouse: its points are stored as 16-bit offsets from P1, 32 to a
// block; P2 is the last point added.
class TDrawFreeHand : public TDrawShape {
public:
    // The most points a curve drawn with the mouse takes.
    static constexpr int MaxPointCount = 16001;
    // The most blocks a stored curve may have: enough for MaxPointCount points.
    static constexpr int MaxBlockCount =
        (MaxPointCount + TFreeHandBlock::Capacity - 1) / TFreeHandBlock::Capacity;
    // Points drawn with one Polyline call.
    static constexpr int PolyBatch = 128;

    TDrawFreeHand();

    TFreeHandBounds Bounds;
    int PointCount = 0;
    int LastBlockCount = 0; // points used in the last block

    int BlockCount() const { return static_cast<int>(blocks_.size()); }
    const std::vector<TFreeHandBlock>& Blocks() const { return blocks_; }
    // Stored point Index (0-based) placed relative to Origin.
    TPoint PointAt(int Index, const TPoint& Origin) const;
    TPoint PointAt(int Index) const { return PointAt(Index, P1); }
    // Points actually held in the blocks (PointCount for a curve drawn with the mouse).
    int StoredPointCount() const;

    // Starts the curve at (X, Y) with one point; any earlier points are dropped.
    void BeginCurve(int X, int Y);
    // Replaces the curve with blocks as a graph file holds them. False, with nothing
    // changed, when the counts disagree with each other or with the blocks: either no
    // blocks and both counts 0 (a curve without points), or 1..MaxBlockCount blocks, 1..32
    // points in the last and PointCount = 32 x (blocks - 1) + LastBlockCount.
    bool AssignCurve(std::vector<TFreeHandBlock> NewBlocks, const TFreeHandBounds& NewBounds,
                     int NewPointCount, int NewLastBlockCount);
    // Appends (X, Y) as the new last point. False (nothing changed) when it equals the last
    // point, the curve is full, its offset from P1 does not fit 16 bits, or no memory is left.
    bool AddPoint(int X, int Y);

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    int HitDistance(int X, int Y) const override;
    void DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    void SetPenStyle(uint8_t Style) override;
    void SetBrushStyle(uint8_t Style) override;
    std::string GetDescription() const override;
    void ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    // The points go out as whole blocks, exactly as many as they fill; the unused slots
    // of the last block are written as zeros.
    void WriteToGraphFile(TWriteGraphFile& Writer) const override;
    // Only a new label (no points yet) reads a record; counts that disagree are the load
    // error, so no curve ever claims more points than its blocks hold.
    void ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) override;
    // True when A or B, or any stored point placed relative to A, is on the bitmap.
    bool RectOnBitmap(const TPoint& A, const TPoint& B, const TLabelBmpAttribs& BmpAttribs) const override;

private:
    int usedInBlock(std::size_t block) const;
    void setUpCreationPen(TCanvas& Canvas) const;

    std::vector<TFreeHandBlock> blocks_;
};

// A straight line from P1 to P2.
class TDrawLine : public TDrawShape {
public:
    TDrawLine() = default;

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    int HitDistance(int X, int Y) const override;
    void DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    void SetPenStyle(uint8_t Style) override;
    void SetBrushStyle(uint8_t Style) override;
    std::string GetDescription() const override;
    void ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) override;
    void WriteToGraphFile(TWriteGraphFile& Writer) const override;
    void ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) override;
    // Whether any of the segment survives clipping to the bitmap.
    bool RectOnBitmap(const TPoint& A, const TPoint& B, const TLabelBmpAttribs& BmpAttribs) const override;

protected:
    // The nearer end within 5 pixels; a tie takes the end point.
    uint8_t handleAt(int X, int Y) const override;
    void moveGrabbedHandle(int X, int Y) override;
};

// One line of text with its top-left at P1; P2 is P1 plus the text's extent.
class TDrawText : public TDrawLabel {
public:
    // Takes a copy of the default label font.
    TDrawText();

    TFontRecord Font;
    std::string Text; // UTF-8

    std::unique_ptr<TSequenceListObj> Clone() const override;
    void Assign(const TSequenceListObj& Source) override;
    void MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    // 0 inside the text box, else the distance to its outline.
    int HitDistance(int X, int Y) const override;
    void DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                   const TLabelBmpAttribs& BmpAttribs) override;
    std::string GetDescription() const override;
    void WriteToGraphFile(TWriteGraphFile& Writer) const override;
    // The stored P2 is not trusted: it is measured anew from the text and its font, and a
    // text lying off the bitmap is moved back onto it.
    void ReadFromGraphFile(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs) override;

    // P1 := Origin, the text and (when given) the font are stored, P2 := the text's extent.
    void SetText(const TPoint& Origin, const std::string& Text, const TFontRecord* Font);
    // Origin plus the width and height of Text in Font; Origin for an empty text. Measured
    // on the font alone, so no bitmap (which a worker may be painting) is touched.
    static TPoint CalcTextExtent(const TPoint& Origin, const std::string& Text, const TFontRecord& Font);
    // Moves the text box so that it overlaps the bitmap by at least one column and row;
    // true when it moved.
    bool KeepOnBitmap(const TLabelBmpAttribs& BmpAttribs);
};

// The label a kind tag of the files stands for, with its constructor's defaults; null for a
// tag that names no label.
std::unique_ptr<TDrawBaseClass> NewLabelOfKind(int32_t Kind);

// The label list section of a graph file body: an int32 count, then each label's record
// in list order. Empty entries are left out.
void WriteLabelList(TWriteGraphFile& Writer, const TSequenceList<TDrawBaseClass>& List);

// Reads a label list section in the layout of the reader's file version and appends the
// labels to List. Version 1 holds an int16 count of tagged lines, shapes and texts, then an
// int16 count of flood fills, which therefore come after all the others; later versions an
// int32 count of tagged labels of every kind. BmpAttribs describe the bitmap the labels
// will be drawn on (texts are kept on it). An unknown tag or a record that cannot be right
// ends the load with the reader's load error; the label being read is dropped, those read
// before it stay in List.
void ReadLabelList(TReadGraphFile& Reader, const TLabelBmpAttribs& BmpAttribs,
                   TSequenceList<TDrawBaseClass>& List);
