// The label modify dialogs' logic without windows: style buttons, spin limits, the close
// checks in their order and what OK stores.
#include "LabelTestSupport.h"

#include "labels/LabelDlgLogic.h"

#include <gtest/gtest.h>

using namespace labeltest;

namespace {

const TLabelBmpAttribs kBitmap{0xFFFFFF, 300, 200};

} // namespace

TEST(LabelDlgLogic, StyleButtonsStandForTheirStyles) {
    struct TCase {
        TStyleGroup group;
        uint8_t style;
        std::optional<int> button;
    };
    const TCase cases[] = {
        {PenStylesLine, psSolid, 0},
        {PenStylesLine, psDashDotDot, 4},
        {PenStylesLine, psClear, std::nullopt},
        {PenStylesShape, psClear, 5},
        {PenStylesShape, 6, std::nullopt},
        {BrushStylesLine, bsClear, 0},
        {BrushStylesLine, bsSolid, 1},
        {BrushStylesShape, bsClear, 0},
        {BrushStylesShape, bsDiagCross, 7},
        {BrushStylesFill, bsSolid, 0},
        {BrushStylesFill, bsClear, std::nullopt},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(StyleButton(c.group, c.style), c.button) << int(c.style);
        if (c.button) {
            EXPECT_EQ(StyleOfButton(c.group, c.button), c.style);
        }
    }
    EXPECT_EQ(StyleOfButton(PenStylesLine, std::nullopt), std::nullopt);
    EXPECT_EQ(StyleOfButton(PenStylesLine, 5), std::nullopt);
}

TEST(LabelDlgLogic, SpinLimitsWidenToTheValueShown) {
    // The usual limits: -100 up to the bitmap size plus 100, or the stored value beyond it.
    EXPECT_EQ(CoordSpinRange(50, 50, 300).Min, -100);
    EXPECT_EQ(CoordSpinRange(50, 50, 300).Max, 400);
    EXPECT_EQ(CoordSpinRange(900, 900, 300).Max, 900);
    // A value below -100 widens the lower limit instead of being clamped.
    EXPECT_EQ(CoordSpinRange(-500, -500, 300).Min, -500);
    EXPECT_EQ(CoordSpinRange(INT32_MIN, INT32_MIN, 300).Min, INT32_MIN);
    // Corners shown in order although stored the other way round.
    EXPECT_EQ(CoordSpinRange(1000, 10, 300).Max, 1000);
    EXPECT_EQ(OriginSpinRange(5).Min, -100000);
    EXPECT_EQ(OriginSpinRange(5).Max, 100000);
    EXPECT_EQ(OriginSpinRange(-200000).Min, -200000);
    EXPECT_EQ(OriginSpinRange(300000).Max, 300000);
    EXPECT_EQ(FloodFillSpinRange(300).Min, 0);
    EXPECT_EQ(FloodFillSpinRange(300).Max, 299);
}

TEST(LabelDlgLogic, FloodFillLoadsAndStores) {
    auto fill = MakeFill({7, 8}, 0x123456, bsCross);
    TFloodFillDlgValues v = LoadFloodFillDlg(*fill);
    EXPECT_EQ(v.BrushButton, 5);
    EXPECT_EQ(v.Location, (TPoint{7, 8}));
    EXPECT_EQ(v.FillColor, 0x123456u);
    for (uint8_t style : {uint8_t(bsSolid), uint8_t(bsClear), uint8_t(200)}) {
        fill->BrushStyle = style;
        EXPECT_EQ(LoadFloodFillDlg(*fill).BrushButton, 0) << "solid shows for " << int(style);
    }
    v.Location = {1, 2};
    v.FillColor = 0xABCDEF;
    v.BrushButton = std::nullopt;
    fill->BrushStyle = bsVertical;
    fill->Modified = false;
    StoreFloodFillDlg(v, *fill);
    EXPECT_EQ(fill->Location, (TPoint{1, 2}));
    EXPECT_EQ(fill->FillColor, 0xABCDEFu);
    EXPECT_EQ(fill->BrushStyle, bsVertical) << "no button down: the style stays";
    EXPECT_TRUE(fill->Modified);
    v.BrushButton = 6;
    StoreFloodFillDlg(v, *fill);
    EXPECT_EQ(fill->BrushStyle, bsDiagCross);
}

TEST(LabelDlgLogic, FreeHandMovesAsAWholeAndStaysOnTheBitmap) {
    auto f = MakeFreeHand({{10, 10}, {20, 15}, {40, 30}});
    f->BrushStyle = bsSolid;
    f->PenStyle = psClear; // read from a file: no button stands for it
    TFreeHandDlgValues v = LoadFreeHandDlg(*f);
    EXPECT_EQ(v.Origin, (TPoint{10, 10}));
    EXPECT_EQ(v.Style.BrushButton, 1);
    EXPECT_EQ(v.Style.PenButton, std::nullopt);
    // Moved so that no point stays on the bitmap: refused.
    v.Origin = {-60, 10};
    EXPECT_EQ(CheckFreeHandDlg(v, *f, kBitmap).Message, "The label must be on the graph bitmap.");
    // One point left on it is enough.
    v.Origin = {-25, 10};
    EXPECT_TRUE(CheckFreeHandDlg(v, *f, kBitmap).Ok());
    v.Style.PenWidth = 4;
    v.Style.BrushButton = 0;
    StoreFreeHandDlg(v, *f);
    EXPECT_EQ(f->P1, (TPoint{-25, 10}));
    EXPECT_EQ(f->P2, (TPoint{5, 30}));
    EXPECT_EQ(f->PointAt(1), (TPoint{-15, 15}));
    EXPECT_EQ(f->PenStyle, psClear) << "no pen button down: unchanged";
    EXPECT_EQ(f->BrushStyle, bsClear);
    EXPECT_EQ(f->PenWidth, 4);
}

TEST(LabelDlgLogic, EnclosedShapeChecksGoInTheirOrder) {
    auto s = MakeShape(lkRoundRect, {120, 90}, {20, 10}, 0x10, 3, 9);
    TInclosedDlgValues v = LoadInclosedDlg(*s);
    EXPECT_EQ(v.TopLeft, (TPoint{20, 10})) << "the corners show in order";
    EXPECT_EQ(v.BottomRight, (TPoint{120, 90}));
    EXPECT_EQ(v.ShapeKind, lkRoundRect);
    EXPECT_EQ(v.Style.BrushButton, 0) << "an unknown brush shows the clear button";
    EXPECT_EQ(v.Style.PenWidth, 3);

    struct TCase {
        TPoint tl, br;
        const char* message;
        TInclosedDlgControl control;
    };
    const TCase cases[] = {
        {{50, 500},
         {40, 400},
         "Top Left X must be <= Bottom Right X.",
         icBottomRightX}, // X before Y and bitmap
        {{50, 500}, {60, 400}, "Top Left Y must be <= Bottom Right Y.", icBottomRightY},
        {{400, 10}, {500, 20}, "The label must be on the graph bitmap.", icTopLeftX},
        {{-10, -10}, {400, 300}, "The label must be on the graph bitmap.", icTopLeftX}, // encloses it all
        {{-10, -10}, {100, 300}, "", icNone}, // its right edge crosses the bitmap
        {{40, 40}, {40, 40}, "", icNone},
    };
    for (const TCase& c : cases) {
        v.TopLeft = c.tl;
        v.BottomRight = c.br;
        const TInclosedDlgCheck check = CheckInclosedDlg(v, *s, kBitmap);
        EXPECT_EQ(check.Message, c.message) << c.tl.X << "," << c.tl.Y;
        EXPECT_EQ(check.Control, c.control);
    }
    v.ShapeKind = lkEllipse;
    v.Style.PenButton = 5;
    v.Style.BrushButton = 3;
    StoreInclosedDlg(v, *s);
    EXPECT_EQ(s->ShapeKind, lkEllipse);
    EXPECT_EQ(s->PenStyle, psClear);
    EXPECT_EQ(s->BrushStyle, bsVertical);
    EXPECT_EQ(s->P1, (TPoint{40, 40}));
}

TEST(LabelDlgLogic, LineChecksTheSegmentNotItsEnds) {
    auto line = MakeLine({10, 10}, {20, 20});
    TLineDlgValues v = LoadLineDlg(*line);
    EXPECT_EQ(v.Style.BrushButton, 0);
    v.Origin = {-50, 100};
    v.End = {400, 120}; // both ends off the bitmap, the segment across it
    EXPECT_TRUE(CheckLineDlg(v, *line, kBitmap).Ok());
    v.End = {-10, 300};
    EXPECT_EQ(CheckLineDlg(v, *line, kBitmap).Message, "The label must be on the graph bitmap.");
    v.End = {400, 120};
    v.Style.PenButton = 2;
    StoreLineDlg(v, *line);
    EXPECT_EQ(line->P1, (TPoint{-50, 100}));
    EXPECT_EQ(line->P2, (TPoint{400, 120}));
    EXPECT_EQ(line->PenStyle, psDot);
}

TEST(LabelDlgLogic, TextTakesTheDialogFontAndIsMeasuredAnew) {
    auto t = MakeText({30, 40}, "Peak", 10);
    TTextDlgValues v = LoadTextDlg(*t);
    EXPECT_EQ(v.Font, t->Font);
    v.Font.Size = 30;
    EXPECT_TRUE(CheckTextDlg(v, *t, kBitmap).Ok());
    StoreTextDlg(v, *t);
    EXPECT_EQ(t->P1, (TPoint{30, 40})) << "a larger text keeps its top-left";
    EXPECT_EQ(t->P2, TDrawText::CalcTextExtent({30, 40}, "Peak", v.Font));
    EXPECT_GT(t->P2.Y - t->P1.Y, 30);
    v.TopLeft = {350, 40};
    EXPECT_EQ(CheckTextDlg(v, *t, kBitmap).Message, "The label must be on the graph bitmap.");
    v.TopLeft = {-20, 40}; // the box reaches onto the bitmap
    EXPECT_TRUE(CheckTextDlg(v, *t, kBitmap).Ok());

    EXPECT_EQ(TextSampleCaption(""), "Sample Text ");
    EXPECT_EQ(TextSampleCaption("Peak"), "Peak ");
    EXPECT_EQ(ParseFontSize("14", 8), 14);
    EXPECT_EQ(ParseFontSize(" 20 ", 8), 20);
    EXPECT_EQ(ParseFontSize("x1", 8), 8);
    EXPECT_EQ(ParseFontSize("", 12), 12);
    EXPECT_EQ(ParseFontSize("-99999", 8), -9999);
    EXPECT_EQ(ParseFontSize("123456789012", 8), 8);
    EXPECT_EQ(ParseFontSize("0", 70000), 0);
    EXPECT_EQ(ParseFontSize("a", 70000), 9999);
    const std::vector<std::string> usual = {"08", "09", "10", "11", "12", "14", "16", "18",
                                            "20", "22", "24", "26", "28", "36", "48", "72"};
    EXPECT_EQ(FontSizeList("DejaVu Sans"), usual) << "a scalable font gets the usual sizes";
    EXPECT_EQ(FontSizeList("No Such Font Anywhere"), usual);
}
