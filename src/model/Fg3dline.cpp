#include "model/Fg3dline.h"

#include "model/W32_asm.h"

#include <algorithm>
#include <new>

TLineObj::TLineObj() {
    VertexBlocks[0] = std::make_unique<TVertex3D[]>(BlockSize);
    SegmentBlocks[0] = std::make_unique<TSegment3D[]>(BlockSize);
    VertexBlockCount = 1;
    SegmentBlockCount = 1;
    resetState();
}

TLineObj::~TLineObj() = default;

void TLineObj::Clear() {
    for (int i = 1; i < MaxBlocks; ++i) {
        VertexBlocks[i].reset();
        SegmentBlocks[i].reset();
    }
    VertexBlockCount = 1;
    SegmentBlockCount = 1;
    resetState();
}

void TLineObj::resetState() {
    VertexCount = AxisVertexCount;
    SegmentCount = AxisSegmentCount;
    GroupStart = AxisVertexCount + 1;
    MinX = MaxX = MinY = MaxY = MinZ = MaxZ = 0;
    Colors.fill(0);
    // The axis records always refer to real vertices, so a reader never meets a dangling
    // segment even before the first projection rebuilds them.
    for (int i = 0; i < AxisVertexCount; ++i)
        VertexBlocks[0][i] = TVertex3D{};
    rebuildAxes();
}

void TLineObj::SetColorEntry(int Index, TColor Color) {
    if (Index < 0 || Index > 255) return;
    Colors[Index] = Color;
}

void TLineObj::BeginGroup() {
    GroupStart = VertexCount == 0 ? 1 : VertexCount + 1;
}

void TLineObj::extendBox(const Point3D& P) {
    if (P.X < MinX)
        MinX = P.X;
    else if (P.X > MaxX)
        MaxX = P.X;
    if (P.Y < MinY)
        MinY = P.Y;
    else if (P.Y > MaxY)
        MaxY = P.Y;
    if (P.Z < MinZ)
        MinZ = P.Z;
    else if (P.Z > MaxZ)
        MaxZ = P.Z;
}

TVertex3D* TLineObj::findVertex(const Point3D& P) const {
    const int first = std::max(GroupStart - 1, 0);
    for (int i = VertexCount - 1; i >= first;) {
        // Walk block by block so the inner loop is a plain array scan.
        TVertex3D* block = VertexBlocks[i / BlockSize].get();
        const int low = std::max(first, i - i % BlockSize);
        for (int slot = i % BlockSize, end = low % BlockSize; slot >= end; --slot) {
            TVertex3D& v = block[slot];
            if (v.X == P.X && v.Y == P.Y && v.Z == P.Z) return &v;
        }
        i = low - 1;
    }
    return nullptr;
}

namespace {
// The slot for record Index of a block list, allocating its block when Index is the first
// record of one; nullptr when that block cannot be had.
template <class T>
T* blockSlot(std::array<std::unique_ptr<T[]>, TLineObj::MaxBlocks>& blocks, int32_t& blockCount, int index) {
    const int block = index / TLineObj::BlockSize;
    if (index % TLineObj::BlockSize == 0 && !blocks[block]) {
        try {
            blocks[block] = std::make_unique_for_overwrite<T[]>(TLineObj::BlockSize);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        ++blockCount;
    }
    return &blocks[block][index % TLineObj::BlockSize];
}
} // namespace

TVertex3D* TLineObj::appendVertex(const Point3D& P) {
    TVertex3D* v = blockSlot(VertexBlocks, VertexBlockCount, VertexCount);
    if (!v) return nullptr;
    *v = TVertex3D{P.X, P.Y, P.Z, 0, 0, 0};
    ++VertexCount;
    return v;
}

bool TLineObj::appendSegment(TVertex3D* A, TVertex3D* B, uint8_t ColorIndex) {
    TSegment3D* s = blockSlot(SegmentBlocks, SegmentBlockCount, SegmentCount);
    if (!s) return false;
    s->VertexA = A;
    s->VertexB = B;
    s->ColorIndex = ColorIndex;
    ++SegmentCount;
    return true;
}

int TLineObj::AddLine(uint8_t ColorIndex, const Point3D& PointA, const Point3D& PointB, TVertex3D*& RefA,
                      TVertex3D*& RefB) {
    if (VertexCount > FullCount || SegmentCount > FullCount) return lrStoreFull;

    // At most 65534 stored, so the two vertices a call may add still fit the 64 blocks.
    TVertex3D* a = RefA;
    if (!a) {
        extendBox(PointA);
        a = appendVertex(PointA);
        if (!a) return lrOutOfMemory;
        RefA = a;
    }
    TVertex3D* b;
    if (PointA == PointB) {
        b = a;
    } else if (RefB) {
        b = RefB;
    } else {
        extendBox(PointB);
        b = findVertex(PointB);
        if (!b) b = appendVertex(PointB);
        if (!b) return lrOutOfMemory;
        RefB = b;
    }
    if (!appendSegment(a, b, ColorIndex)) return lrOutOfMemory;
    return lrDone;
}

void TLineObj::rebuildAxes() {
    TVertex3D* v = VertexBlocks[0].get();
    v[0].X = MinX, v[0].Y = 0, v[0].Z = 0;
    v[1].X = MaxX, v[1].Y = 0, v[1].Z = 0;
    v[2].X = 0, v[2].Y = MinY, v[2].Z = 0;
    v[3].X = 0, v[3].Y = MaxY, v[3].Z = 0;
    v[4].X = 0, v[4].Y = 0, v[4].Z = MinZ;
    v[5].X = 0, v[5].Y = 0, v[5].Z = MaxZ;
    TSegment3D* s = SegmentBlocks[0].get();
    s[0].VertexA = &v[0], s[0].VertexB = &v[1], s[0].ColorIndex = XAxisColorIndex;
    s[1].VertexA = &v[2], s[1].VertexB = &v[3], s[1].ColorIndex = YAxisColorIndex;
    s[2].VertexA = &v[4], s[2].VertexB = &v[5], s[2].ColorIndex = ZAxisColorIndex;
}

void TLineObj::TransformAll(const TRotation3D& Rotation, int32_t Scale, const TAbortPoll& AbortPoll,
                            int32_t CentreX, int32_t CentreY) {
    bool abort = false;
    if (AbortPoll) AbortPoll(abort);
    if (abort) return;
    rebuildAxes();
    if (VertexCount <= AxisVertexCount || SegmentCount <= AxisSegmentCount) return;
    int remaining = VertexCount;
    for (int block = 0; remaining > 0; ++block) {
        if (AbortPoll) {
            AbortPoll(abort);
            if (abort) return;
        }
        const int count = std::min(remaining, BlockSize);
        TransformVertices(VertexBlocks[block].get(), count, Scale, CentreX, CentreY, Rotation[0], Rotation[1],
                          Rotation[2], Rotation[3], Rotation[4], Rotation[5]);
        remaining -= count;
    }
}

std::string LineObjErrorText(int Code) {
    switch (Code) {
    case lrDone:
        return {};
    case lrStoreFull:
        return "3D window full, partial function will be displayed";
    case lrOutOfMemory:
        return "Out of memory";
    default:
        return "Undetermined error";
    }
}
