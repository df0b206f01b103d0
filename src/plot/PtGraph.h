#pragma once
// The graph model: the renderer of one graph window. It owns the bitmap a graph is drawn
// into, its size, colour depth and background (a colour and an optional picture), and asks
// through a call-back at every drawing step whether the run was cancelled.
//
// How a renderer plugs in: derive from TPlotGraphFuncList (PtGrList.h) and override the
// three drawing operations. DrawGraph runs on the graph worker, which holds the plot
// bitmap's lock for the whole run, so draw on PlotBitmap().Canvas() directly. Start every
// run the same way and keep asking IsAborted:
//
//   void TPlotGraph2D::DrawGraph(std::string& ErrorText) {
//       ErrorText.clear();
//       if (IsAborted()) return;
//       FillGraphBmpBackground();
//       if (IsAborted()) return;
//       drawAxes();          // each step asks IsAborted before it starts and at least
//       drawTicks();         // once per drawn item (tick, grid line, function, column of
//       ...                  // samples, line of the 3D scene)
//   }
//
// A cancelled run returns quietly and leaves the bitmap as far as it got. Failures are
// exceptions (the platform's error classes, EAssertionFailed for broken invariants); the
// worker turns them into its fixed messages. Only a model that could not draw at all for
// a reason the user must read (the 3D model's "3D window full ...") fills ErrorText; the
// partly drawn bitmap is still handed over.
//
// Everything but IsAborted, FillGraphBmpBackground and the drawing operations runs on the
// GUI thread while no worker runs.

#include "platform/Bitmap.h"
#include "platform/Colors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TJPEGImage;

// Asked by a drawing run whether it is to stop: sets Value to true to stop. The graph
// worker installs its own stop request here for the length of a run.
using TIsAbortedEvent = std::function<void(bool& Value)>;

// How the background picture is laid on the plot bitmap. Any other value draws no picture.
enum : uint8_t {
    bgCenter = 0,
    bgStretch = 1,
    bgTile = 2,
    bgTopLeft = 3,
    bgTopRight = 4,
    bgBottomLeft = 5,
    bgBottomRight = 6,
};

// Rows and columns of a piece of a bitmap, first and last inclusive.
struct TBgPiece {
    int FirstRow = 0;
    int LastRow = -1;
    int FirstCol = 0;
    int LastCol = -1;

    int Rows() const { return LastRow - FirstRow + 1; }
    int Cols() const { return LastCol - FirstCol + 1; }
    bool operator==(const TBgPiece&) const = default;
};

// The checks before a piece of the background picture (BW x BH) is copied onto the plot
// bitmap (W x H): "Error in Source rect ...", "Error in Dest rect ...", "Error: Dest/Source
// rect different sizes ...", in that order.
void CheckBackgroundPieces(const TBgPiece& Source, const TBgPiece& Dest, int BW, int BH, int W, int H);

class TPlotGraph {
public:
    TPlotGraph();
    virtual ~TPlotGraph();
    TPlotGraph(const TPlotGraph&) = delete;
    TPlotGraph& operator=(const TPlotGraph&) = delete;

    // Draws the whole graph into the plot bitmap (on the graph worker). ErrorText is
    // cleared first and holds a message only when the run could not be drawn.
    virtual void DrawGraph(std::string& ErrorText) = 0;
    // The progressive form: every model draws the whole graph in its first step, and its
    // next step reports that it is finished.
    virtual void BeginIncrementalDraw() = 0;
    virtual bool DrawNextIncrement() = 0;

    // "Invalid picture color depth" for a depth outside 2..7, then SetColorDepth and
    // SetGraphSize.
    void SetBitmapAttributes(int ColorDepth, int Width, int Height);
    // Drops the background picture: whoever wants one sets it after the depth.
    void SetColorDepth(int ColorDepth);
    // Fails as CheckGraphBitmapSize does. The stored width and height are always the
    // bitmap's real ones, also after a failure.
    void SetGraphSize(int Width, int Height);
    // The background picture, converted to a bitmap of ColorDepth; the plot bitmap takes
    // that depth too. Fails with "Nil pointer in set bitmap background" ("... jpeg ...").
    // A JPEG picture is decoded at ColorDepth; one just read from a file at that depth hands
    // over the bitmap its load decoded.
    void SetBackgroundBitmap(TBitmap* Bitmap, int ColorDepth);
    void SetBackgroundJPEG(TJPEGImage* JPEG, int ColorDepth);
    void SetBackgroundColor(TColor Color) { backgroundColor_ = Color; }
    void SetPlacement(uint8_t Placement) { placement_ = Placement; }

    // Installed and cleared by the graph worker on its own thread.
    void SetIsAbortedEvent(TIsAbortedEvent Event) { isAbortedEvent_ = std::move(Event); }
    // False when no call-back is installed. Cheap enough to ask per column or per sample:
    // one call that reads the worker's atomic stop flag, no lock.
    bool IsAborted() const {
        if (!isAbortedEvent_) return false;
        bool value = false;
        isAbortedEvent_(value);
        return value;
    }

    // Fills the plot bitmap with the background colour and lays the background picture
    // on it; asks IsAborted between the steps.
    void FillGraphBmpBackground();

    TBitmap& PlotBitmap() { return *plotBitmap_; }
    const TBitmap& PlotBitmap() const { return *plotBitmap_; }
    // The converted background picture, or nullptr.
    const TBitmap* BackgroundBitmap() const { return backgroundBitmap_.get(); }
    uint8_t Placement() const { return placement_; }
    TColor BackgroundColor() const { return backgroundColor_; }
    // The plot bitmap's real size; -1 until sized.
    int Width() const { return width_; }
    int Height() const { return height_; }
    TPixelFormat ColorDepth() const { return colorDepth_; }

private:
    TBitmap& prepareBackgroundBitmap(int ColorDepth);
    void drawBackgroundPicture();
    void tileBackgroundPicture(int mW, int mH);
    // Copies a checked piece unless the run was cancelled; false when cancelled.
    bool copyPiece(const TBgPiece& Source, const TBgPiece& Dest);

    std::unique_ptr<TBitmap> plotBitmap_;
    std::unique_ptr<TBitmap> backgroundBitmap_;
    uint8_t placement_ = bgCenter;
    TColor backgroundColor_ = clWhite;
    int height_ = -1;
    int width_ = -1;
    TPixelFormat colorDepth_ = pf24bit;
    TIsAbortedEvent isAbortedEvent_;
};
