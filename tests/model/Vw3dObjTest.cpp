// The 3D view object and its records.
#include "common/GraphFileBytes.h"

#include "model/Vw3dObj.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

using namespace recordtest;

TEST(ViewZoom3D, RecordsOfEveryVersion) {
    TView3DZoomObj v;
    EXPECT_EQ(v.Zoom, 20);
    EXPECT_EQ(v.RotationX, 0);
    EXPECT_EQ(WrittenBody(3, [&](TWriteGraphFile& w) { v.WriteToFile(w); }),
              ByteBuilder().Ext(0).Ext(0).Ext(0).I32(20).b);

    ReadBody(1, 3, ByteBuilder().Ext(30).Ext(-45).Ext(90.5L).LE(0xFFF6, 2).b,
             [&](TReadGraphFile& r) { v.ReadFromFile(r); });
    EXPECT_TRUE(v.Changed);
    EXPECT_EQ(v.RotationX, 30);
    EXPECT_EQ(v.RotationY, -45);
    EXPECT_EQ(v.RotationZ, 90.5L);
    EXPECT_EQ(v.Zoom, -10) << "the version-1 zoom is a signed 16-bit number";

    for (int version : {2, 3, 4}) {
        ReadBody(version, 3, ByteBuilder().Ext(1).Ext(2).Ext(3).I32(70000).b,
                 [&](TReadGraphFile& r) { v.ReadFromFile(r); });
        EXPECT_EQ(v.Zoom, 70000);
        EXPECT_EQ(v.RotationZ, 3);
    }
    TView3DZoomObj copy;
    copy.AssignFrom(v);
    EXPECT_FALSE(copy.Changed);
    EXPECT_EQ(copy.Zoom, 70000);
    EXPECT_EQ(copy.RotationY, 2);
    const Bytes saved = WrittenBody(3, [&](TWriteGraphFile& w) { copy.WriteToFile(w); });
    EXPECT_EQ(saved, ByteBuilder().Ext(1).Ext(2).Ext(3).I32(70000).b);
}
