// The three view objects: defaults, copies, and their records in every file version.
#include "common/GraphFileBytes.h"

#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

using namespace recordtest;

TEST(ViewZoom2D, DefaultsCopyAndNewestRecord) {
    TView2DZoomObj v;
    EXPECT_FALSE(v.Changed);
    EXPECT_EQ(v.ZoomX, 35);
    EXPECT_EQ(v.ZoomY, 35);
    EXPECT_EQ(v.CenterX, 0);
    EXPECT_EQ(v.CenterY, 0);

    const Bytes body = WrittenBody(1, [&](TWriteGraphFile& w) { v.WriteToFile(w); });
    EXPECT_EQ(body, ByteBuilder().Ext(35).Ext(35).Ext(0).Ext(0).b);

    TView2DZoomObj src;
    src.Changed = true;
    src.ZoomX = 12.5;
    src.ZoomY = 0.25;
    src.CenterX = -400;
    src.CenterY = 1e6;
    v.AssignFrom(src);
    EXPECT_FALSE(v.Changed) << "the changed flag is not copied";
    EXPECT_EQ(v.ZoomX, 12.5);
    EXPECT_EQ(v.ZoomY, 0.25);
    EXPECT_EQ(v.CenterX, -400);
    EXPECT_EQ(v.CenterY, 1e6);
    v.Changed = true;
    v.AssignFrom(TView2DZoomObj());
    EXPECT_TRUE(v.Changed);

    // Save, read, save gives the same bytes; versions 2 to 4 share the 40-byte record and
    // take the centre as it stands.
    const Bytes saved = WrittenBody(1, [&](TWriteGraphFile& w) { src.WriteToFile(w); });
    EXPECT_EQ(saved, ByteBuilder().Ext(12.5).Ext(0.25).Ext(-400).Ext(1e6).b);
    for (int version : {2, 3, 4}) {
        TView2DZoomObj back;
        EXPECT_FALSE(ReadBody(version, 1, saved, [&](TReadGraphFile& r) { return back.ReadFromFile(r); }));
        EXPECT_TRUE(back.Changed);
        EXPECT_EQ(back.CenterY, 1e6) << "version " << version;
        EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { back.WriteToFile(w); }), saved);
    }
}

TEST(ViewZoom2D, VersionOneCentreIsClampedAndReported) {
    TScopedScriptedUiHook hook;
    TView2DZoomObj v;
    bool moved = ReadBody(1, 1, ByteBuilder().Ext(50).Ext(250000).Ext(-3).b,
                          [&](TReadGraphFile& r) { return v.ReadFromFile(r); });
    EXPECT_TRUE(moved);
    EXPECT_TRUE(v.Changed);
    EXPECT_EQ(v.ZoomX, 50);
    EXPECT_EQ(v.ZoomY, 50);
    EXPECT_EQ(v.CenterX, 100000);
    EXPECT_EQ(v.CenterY, -3);

    moved = ReadBody(1, 1, ByteBuilder().Ext(2).Ext(-100000).Ext(-100000.5L).b,
                     [&](TReadGraphFile& r) { return v.ReadFromFile(r); });
    EXPECT_TRUE(moved);
    EXPECT_EQ(v.CenterX, -100000);
    EXPECT_EQ(v.CenterY, -100000);
    moved = ReadBody(1, 1, ByteBuilder().Ext(2).Ext(100000).Ext(-99999.5L).b,
                     [&](TReadGraphFile& r) { return v.ReadFromFile(r); });
    EXPECT_FALSE(moved) << "the bounds themselves are in range";
    EXPECT_EQ(v.CenterY, -99999.5L);

    ShowViewCenterChangedMsg();
    ASSERT_EQ(hook->Messages.size(), 1u);
    EXPECT_EQ(hook->Messages[0].Text, "The graph view center has been changed for compatibility reasons.");
    EXPECT_EQ(hook->Messages[0].Type, mtInformation);
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons{mbOK});
}

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
