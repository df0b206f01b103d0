#pragma once
// The 3D graph model: a wire frame of straight segments (the three axes, then every
// function's lines from the line store), rotated with fixed-point sines and cosines,
// projected without perspective and drawn pixel by pixel straight into the bitmap's rows.
// A per-pixel owner buffer keeps the nearest segment visible; the axis end labels are
// stamped last with the same depth test.
//
// The store is rebuilt from the functions only when they changed, so a rotation or a zoom
// redraws from the segments already generated.

#include "model/Fg3dline.h"
#include "model/Set3dObj.h"
#include "model/Vw3dObj.h"
#include "platform/Bitmap.h"
#include "plot/PtGrList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Owner value of a pixel that no segment has drawn. The store holds at most 65535
// segments, so their indices stay below it.
inline constexpr uint16_t NoPixelOwner = 0xFFFF;

// Functions take the colour entries from 0 up; the axes keep 253 to 255, so a graph with
// more functions than that draws the extra ones in the colour of entry 252.
inline constexpr int MaxFunctionColorIndex = 252;

// How the depth of a projected segment runs along its longer pixel span (columns when the
// spans are equal). Depths are 16.16 fixed point; larger is nearer the viewer.
struct TSegmentDepth {
    int32_t ZMin = 0; // the depth range of the two ends
    int32_t ZMax = 0;
    int32_t From = 0;  // column (or row) of the end with the smaller depth
    uint32_t Span = 0; // columns (or rows) between the ends; 0 when they share one
    bool ByColumn = true;
    uint8_t ColorIndex = 0;
};

class TPlotGraph3D : public TPlotGraphFuncList {
public:
    TPlotGraph3D();
    ~TPlotGraph3D() override;

    // Regenerates the scene when the functions changed, then draws it. ErrorText holds the
    // store's message when a function could not add all its lines: when the store was
    // full the partial scene is drawn and kept (the message is reported once), on any other
    // failure nothing is drawn and the next run generates again.
    void DrawGraph(std::string& ErrorText) override;
    // Both draw the scene as it is, without regenerating it.
    void BeginIncrementalDraw() override;
    bool DrawNextIncrement() override;

    // The model's own view and settings, brought up to date by the controller before a run.
    TView3DZoomObj& ViewZoom() { return viewZoom_; }
    TSetting3DObj& Settings() { return settings_; }
    const TLineObj& LineStore() const { return *lineStore_; }

    // The store index of the segment that owns pixel (x, y) after the last run, or
    // NoPixelOwner (also outside the buffer).
    uint16_t PixelOwner(int x, int y) const;
    // The owner buffer's storage: it is reallocated only when the bitmap size changes.
    const uint16_t* OwnerBufferData() const { return owners_.data(); }
    // The 8-bit bitmap the axis labels are drawn on before they are stamped; it grows to
    // the largest label and never shrinks.
    const TBitmap& LabelBitmap() const { return *labelBitmap_; }

private:
    // One axis end label waiting to be stamped.
    struct TAxisLabel {
        int Kind = 0; // 1..3 "+X" "+Y" "+Z", 4..6 "-X" "-Y" "-Z"
        int X = 0, Y = 0;
        int32_t Depth = 0;
        int OtherX = 0, OtherY = 0; // the axis's other end
    };

    // Fills the store from the functions. Returns false when the run was cancelled, else
    // the first non-zero result code of the functions (0 when all succeeded) in Code.
    bool generateScene(int& Code);
    void DrawGraph3D();
    void PrepareOwnerBuffer();
    void PrepareRotation();
    void SetDrawColor3D(TColor Color);
    void prepareSegmentDepths();
    void DrawLines3D();
    template <int Bpp> void drawSegments();
    template <int Bpp> void drawSegment(int Index, int X1, int Y1, int X2, int Y2);
    bool segmentWins(const TSegmentDepth& S, int X, int Y, uint16_t Owner) const;
    void DrawAxisLabels3D();
    std::vector<TAxisLabel> axisLabelCandidates() const;
    void drawAxisLabel(const TAxisLabel& Label);
    bool labelPixelVisible(const TAxisLabel& Label, int X, int Y) const;
    void writePixel(int X, int Y);

    TView3DZoomObj viewZoom_;
    TSetting3DObj settings_;
    std::unique_ptr<TLineObj> lineStore_;
    std::vector<uint16_t> owners_; // row-major, ownerWidth_ x ownerHeight_
    int ownerWidth_ = -1;
    int ownerHeight_ = -1;
    std::unique_ptr<TBitmap> labelBitmap_;
    std::vector<TSegmentDepth> depths_; // one per store segment, refilled every run

    // The run-time record of one drawing run.
    std::vector<uint8_t*> scanLines_;
    TPixelCodec codec_;
    TColor drawColor_ = clBlack;
    uint32_t drawRaw_ = 0; // drawColor_ encoded for the bitmap's depth
    int cx_ = 0, cy_ = 0, lastX_ = 0, lastY_ = 0;
    TRotation3D rotation_{};
};
