// Out of memory while the 3D line store grows. The store's blocks come from operator new,
// so this program's operator new is replaced by one that can be told to refuse the next
// block-sized requests of the calling thread; unarmed it is plain malloc.
#include "model/Fg3dline.h"
#include "model/func3dobj.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t BlockBytes = sizeof(TVertex3D) * TLineObj::BlockSize;
static_assert(sizeof(TSegment3D) * TLineObj::BlockSize == BlockBytes);

thread_local int refuseBlocks = 0;

void* allocate(std::size_t size) {
    if (size == BlockBytes && refuseBlocks > 0) {
        --refuseBlocks;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void* allocateNoThrow(std::size_t size) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateNoThrow(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateNoThrow(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

TEST(LineStoreMemory, AddLineReportsARefusedBlock) {
    TLineObj store;
    // 509 lines of two new vertices: 1024 vertices, the first block full.
    for (int i = 0; i < 509; ++i) {
        store.BeginGroup();
        TVertex3D* a = nullptr;
        TVertex3D* b = nullptr;
        ASSERT_EQ(store.AddLine(1, Point3D{i, 0, 0}, Point3D{i, 1, 0}, a, b), 0);
    }
    ASSERT_EQ(store.VertexCount, 1024);
    refuseBlocks = 1;
    TVertex3D* a = nullptr;
    TVertex3D* b = nullptr;
    EXPECT_EQ(store.AddLine(1, Point3D{-1, 0, 0}, Point3D{-1, 1, 0}, a, b), 2);
    EXPECT_EQ(refuseBlocks, 0);
    EXPECT_EQ(store.VertexCount, 1024);
    EXPECT_EQ(store.VertexBlockCount, 1);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(store.SegmentCount, 3 + 509);
    // The next call gets its block.
    EXPECT_EQ(store.AddLine(1, Point3D{-1, 0, 0}, Point3D{-1, 1, 0}, a, b), 0);
    EXPECT_EQ(store.VertexCount, 1026);
    EXPECT_EQ(store.VertexBlockCount, 2);
}

TEST(LineStoreMemory, GenerationKeepsTheFirstFailure) {
    TLineObj store;
    TFunc3DObj f;
    f.Func->SetExpression("SIN(X)*COS(Y)");
    ASSERT_TRUE(f.Func->CompileMathFunc());
    f.Var1Lines = 100;
    f.Var1Detail = 0;
    f.Var2Lines = 100;
    f.Var2Detail = 0;
    // The second segment block is refused once, in row 6 (row 1 takes 99 segments, each
    // later row 199: rows 1 to 5 end at 898 segments, row 6 would end at 1097). Lines of
    // that row after the refused one go in again, but the row still ends the generation
    // with the failure.
    refuseBlocks = 1;
    EXPECT_EQ(f.GenerateLines(0, store), 2);
    refuseBlocks = 0;
    EXPECT_EQ(store.SegmentCount, 3 + 99 + 199 * 5 - 1);
    EXPECT_EQ(store.VertexCount, 6 + 6 * 100);

    // Unrefused, the same surface is complete.
    store.Clear();
    EXPECT_EQ(f.GenerateLines(0, store), 0);
    EXPECT_EQ(store.VertexCount, 6 + 100 * 100);
}
