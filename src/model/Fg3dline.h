#pragma once
// The 3D scene store: every 3D function breaks itself into straight segments between
// points in space, stored here in 16.16 fixed point; the 3D renderer projects the store
// with TransformAll and then reads counts, blocks, segments and colours directly.
//
// Vertices and segments live in fixed blocks of 1024 that never move once allocated,
// so a vertex pointer handed back by AddLine stays valid until Clear or destruction.
// Vertices 0..5 and segments 0..2 are always the three coordinate axes.

#include "platform/Colors.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct TVertex3D {
    int32_t X; // world coordinates, 16.16 fixed point
    int32_t Y;
    int32_t Z;
    int32_t ScreenX; // pixel position, written by the projection
    int32_t ScreenY;
    int32_t Depth; // 16.16 depth after the rotations about X and Y (larger is nearer)
};

// Not packed: the renderer binds references to these fields, and alignment matters more
// here than the few bytes per segment.
struct TSegment3D {
    TVertex3D* VertexA;
    TVertex3D* VertexB;
    uint8_t ColorIndex; // index into TLineObj::Colors
};

// A point handed to AddLine: 16.16 fixed-point coordinates.
struct Point3D {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Z = 0;
    friend bool operator==(const Point3D&, const Point3D&) = default;
};

// Called before each block of the projection; setting Abort ends it.
using TAbortPoll = std::function<void(bool& Abort)>;

// Six 16.16 values: cos X, cos Y, cos Z, sin X, sin Y, sin Z of the view angles.
using TRotation3D = std::array<int32_t, 6>;

// Result codes of AddLine and of the 3D functions' GenerateLines.
enum : int {
    lrDone = 0,
    lrStoreFull = 1,
    lrOutOfMemory = 2,
};

class TLineObj {
public:
    static constexpr int BlockSize = 1024;
    static constexpr int MaxBlocks = 64;
    static constexpr int Capacity = BlockSize * MaxBlocks; // 65536
    // A line is refused once more than this many vertices or segments are stored.
    static constexpr int FullCount = 65534;
    static constexpr int AxisVertexCount = 6;
    static constexpr int AxisSegmentCount = 3;
    static constexpr uint8_t XAxisColorIndex = 253;
    static constexpr uint8_t YAxisColorIndex = 254;
    static constexpr uint8_t ZAxisColorIndex = 255;

    TLineObj();
    ~TLineObj();
    TLineObj(const TLineObj&) = delete;
    TLineObj& operator=(const TLineObj&) = delete;

    // Back to the state after construction; keeps the first block of each kind.
    void Clear();
    // Index outside 0..255 is ignored.
    void SetColorEntry(int Index, TColor Color);
    // Vertex sharing in AddLine searches only vertices added after this call.
    void BeginGroup();
    // Adds the segment PointA-PointB. RefA and RefB are the caller's cached vertices of
    // those points (nullptr when it has none yet); the store fills them in. Returns
    // lrDone, lrStoreFull (nothing added) or lrOutOfMemory.
    int AddLine(uint8_t ColorIndex, const Point3D& PointA, const Point3D& PointB, TVertex3D*& RefA,
                TVertex3D*& RefB);
    // Rebuilds the axes from the bounding box and projects every vertex onto the bitmap:
    // Scale is pixels per unit, (CentreX, CentreY) the pixel of the origin.
    void TransformAll(const TRotation3D& Rotation, int32_t Scale, const TAbortPoll& AbortPoll,
                      int32_t CentreX, int32_t CentreY);

    TVertex3D& Vertex(int Index) { return VertexBlocks[Index / BlockSize][Index % BlockSize]; }
    const TVertex3D& Vertex(int Index) const { return VertexBlocks[Index / BlockSize][Index % BlockSize]; }
    TSegment3D& Segment(int Index) { return SegmentBlocks[Index / BlockSize][Index % BlockSize]; }
    const TSegment3D& Segment(int Index) const { return SegmentBlocks[Index / BlockSize][Index % BlockSize]; }

    // Asked by the 3D functions after each row or ring of points they join: a stop ends
    // their generation early, with the lines added so far and result lrDone. Whoever sets
    // it knows the scene is then unfinished. Kept by Clear.
    TAbortPoll GenerationAbortPoll;
    bool GenerationAborted() const {
        bool abort = false;
        if (GenerationAbortPoll) GenerationAbortPoll(abort);
        return abort;
    }

    // Read directly by the renderer; written only by the store itself.
    int32_t SegmentCount = AxisSegmentCount;
    int32_t VertexCount = AxisVertexCount;
    int32_t VertexBlockCount = 0;
    int32_t SegmentBlockCount = 0;
    std::array<std::unique_ptr<TVertex3D[]>, MaxBlocks> VertexBlocks;
    std::array<std::unique_ptr<TSegment3D[]>, MaxBlocks> SegmentBlocks;
    // One more than the first vertex index that vertex sharing may search.
    int32_t GroupStart = AxisVertexCount + 1;
    int32_t MinX = 0, MaxX = 0, MinY = 0, MaxY = 0, MinZ = 0, MaxZ = 0;
    std::array<TColor, 256> Colors{};

private:
    void resetState();
    void extendBox(const Point3D& P);
    TVertex3D* findVertex(const Point3D& P) const;
    TVertex3D* appendVertex(const Point3D& P);
    bool appendSegment(TVertex3D* A, TVertex3D* B, uint8_t ColorIndex);
    void rebuildAxes();
};

// "" for 0, then the store's messages for 1 and 2, "Undetermined error" for any other code.
std::string LineObjErrorText(int Code);
