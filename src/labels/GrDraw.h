#pragma once
// Declarations the labels share with the picture control and the main window: the bitmap
// the labels are drawn on, the label tool-bar attributes, the label tool and window status,
// the picture control's label events, and a few geometry helpers.

#include "platform/Colors.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

#include <Qt>

#include <cstddef>
#include <cstdint>
#include <functional>

class QObject;

// Labels a graph may hold.
inline constexpr std::size_t MaxGraphLabels = 2000;
// The most characters a text label holds: the editor and the text dialog stop there, and a
// longer text read from a file is cut there.
inline constexpr int MaxLabelTextLength = 250;

// The bitmap every label operation draws on or tests against.
struct TLabelBmpAttribs {
    TColor BackgroundColor = clWhite;
    int Width = 0;  // pixels
    int Height = 0; // pixels
};

// The attributes a new label takes from the label tool bar. Style fields hold the codes of
// TPenStyle and TBrushStyle.
class TToolBarAttribClass {
public:
    // Takes a copy of the default label font.
    TToolBarAttribClass();

    TFontRecord Font;
    TColor BrushColor = 0xFF0000;
    uint8_t BrushStyle = 1; // bsClear
    TColor PenColor = 0;
    uint8_t PenStyle = 0; // psSolid
    int PenWidth = 1;
};

// The label tool chosen on the label tool bar.
enum TDrawingTool : uint8_t {
    dtOff,
    dtLine,
    dtFloodFill,
    dtRectangle,
    dtEllipse,
    dtRoundRect,
    dtText,
    dtFreeHand,
    dtSelectRegion
};

// The label-editing state of a picture control.
enum TLabelWindowStatus : uint8_t {
    lwNormal,
    lwEditingText,
    lwDrawingNewLabel,
    lwLabelSelected,
    lwDragResizeLabel,
    lwFloodFillsVisible,
    lwDrawingRegion,
    lwRegionSelected
};

// A label's kind tag in the graph files; each equals the tool that makes such a label.
// Rectangle, ellipse and round rectangle are also the shape kinds of enclosed shapes.
enum TLabelKind : uint8_t {
    lkLine = 1,
    lkFloodFill = 2,
    lkRectangle = 3,
    lkEllipse = 4,
    lkRoundRect = 5,
    lkText = 6,
    lkFreeHand = 7
};

// How DrawShape draws: in the background colour, in the label's colours, or as a not-xor
// rubber band (drawing it twice restores the pixels).
enum TDrawShapeMode : uint8_t { smErase = 0, smFinal = 1, smXorOutline = 2 };

// The part of a selected label that a resize gesture drags.
enum TGrabbedHandle : uint8_t {
    ghNone = 0, // the whole label moves
    ghLineStart = 1,
    ghLineEnd = 2,
    ghTopLeft = 3,
    ghTopRight = 4,
    ghBottomLeft = 5,
    ghBottomRight = 6,
    ghTop = 7,
    ghBottom = 8,
    ghLeft = 9,
    ghRight = 10
};

// The step of a mouse gesture that the picture control hands to a label. Any other byte
// value is a valid, ignored operation.
enum TLabelMouseOp : uint8_t {
    moNewBegin = 0,
    moNewDrag = 1,
    moNewEnd = 2,
    moMoveBegin = 3,
    moSizeBegin = 4,
    moMoveFirstStep = 5,
    moMoveStep = 6,
    moMoveEnd = 7,
    moSizeFirstStep = 8,
    moSizeStep = 9,
    moSizeEnd = 10
};

// The mouse pointers labels and the label editors ask for.
enum TCursor : uint8_t { crDefault, crDrag, crSizeAll, crSizeNWSE, crSizeNESW, crSizeNS, crSizeWE, crIBeam };
// The pointer shape that stands for a TCursor on screen.
Qt::CursorShape CursorShapeOf(TCursor cursor);

// The hit distance of something far away or whose distance cannot be computed.
inline constexpr int FarDistance = 10000;

// Events of the picture control.
using TLabelWinStatusChangeEvent = std::function<void(QObject* Sender, TLabelWindowStatus LabelWindowStatus)>;
using TGetDrawingToolEvent = std::function<void(TDrawingTool& TheDrawingTool)>;
using TGetResizeLabelsModeEvent = std::function<void(bool& TheResizeLabelsMode)>;
using TShowLabelPopupMenuEvent = std::function<void(int ScreenX, int ScreenY, bool ShowInPlaceEditorItem)>;
using TGetToolBarAttribEvent = std::function<void(TToolBarAttribClass*& TheToolBarAttribClass)>;

// Swaps the X values when P2.X < P1.X and the Y values when P2.Y < P1.Y, so that P1 is the
// top-left and P2 the bottom-right corner.
void OrderCornerPoints(TPoint& P1, TPoint& P2);

// 0 <= X < Width and 0 <= Y < Height.
inline bool PointInBitmap(int X, int Y, int Width, int Height) {
    return X >= 0 && X < Width && Y >= 0 && Y < Height;
}

// "The label must be on the graph bitmap." as an error box.
void ShowLabelNotOnBitmapMsg();

// Upper limit of a coordinate spin edit (whose lower limit is -100): the larger of Value and
// Size + 100.
int CoordSpinMax(int Value, int Size);

// Whole pixels between two points (the root truncated); FarDistance when it does not fit.
int PointDistance(const TPoint& P1, const TPoint& P2);
