// The polar view zoom object and its records.
#include "common/GraphFileBytes.h"

#include "model/VwPoObj.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

using namespace recordtest;

TEST(ViewZoomPolar, RecordsOfEveryVersion) {
    TScopedScriptedUiHook hook;
    TViewPolarZoomObj v;
    EXPECT_EQ(v.Zoom, 35);
    EXPECT_FALSE(v.ThetaInRadians);
    EXPECT_EQ(WrittenBody(2, [&](TWriteGraphFile& w) { v.WriteToFile(w); }),
              ByteBuilder().Ext(35).Ext(0).Ext(0).U8(0).b);

    // Version 4 takes the theta unit from its last byte ...
    EXPECT_FALSE(ReadBody(4, 2, ByteBuilder().Ext(7).Ext(1.5).Ext(-2).U8(1).b,
                          [&](TReadGraphFile& r) { return v.ReadFromFile(r); }));
    EXPECT_TRUE(v.Changed);
    EXPECT_EQ(v.Zoom, 7);
    EXPECT_EQ(v.CenterX, 1.5);
    EXPECT_EQ(v.CenterY, -2);
    EXPECT_TRUE(v.ThetaInRadians);
    // ... versions 3 and 2 leave it as it was.
    for (int version : {3, 2}) {
        EXPECT_FALSE(ReadBody(version, 2, ByteBuilder().Ext(8).Ext(300000).Ext(4).b,
                              [&](TReadGraphFile& r) { return v.ReadFromFile(r); }));
        EXPECT_TRUE(v.ThetaInRadians);
        EXPECT_EQ(v.CenterX, 300000) << "only version 1 is clamped";
    }
    v.ThetaInRadians = false;
    EXPECT_TRUE(ReadBody(1, 2, ByteBuilder().Ext(9).Ext(4).Ext(-1e9).b,
                         [&](TReadGraphFile& r) { return v.ReadFromFile(r); }));
    EXPECT_FALSE(v.ThetaInRadians);
    EXPECT_EQ(v.CenterX, 4);
    EXPECT_EQ(v.CenterY, -100000);

    TViewPolarZoomObj copy;
    copy.AssignFrom(v);
    EXPECT_FALSE(copy.Changed);
    EXPECT_EQ(copy.Zoom, 9);
    EXPECT_EQ(copy.CenterY, -100000);
    v.ThetaInRadians = true;
    copy.AssignFrom(v);
    EXPECT_TRUE(copy.ThetaInRadians);

    const Bytes saved = WrittenBody(2, [&](TWriteGraphFile& w) { v.WriteToFile(w); });
    TViewPolarZoomObj back;
    ReadBody(4, 2, saved, [&](TReadGraphFile& r) { return back.ReadFromFile(r); });
    EXPECT_EQ(WrittenBody(2, [&](TWriteGraphFile& w) { back.WriteToFile(w); }), saved);
    EXPECT_TRUE(hook->Messages.empty()) << "reading reports nothing itself";
}
