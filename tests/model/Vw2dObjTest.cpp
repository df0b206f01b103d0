// The 2D view zoom object and its records.
#include "common/GraphFileBytes.h"

#include "model/Vw2dObj.h"
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
