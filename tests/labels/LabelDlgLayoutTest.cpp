// The label dialogs as they look: every control visible in full, and the tab key going
// through them in reading order.
#include "LabelDlgTestSupport.h"

#include "labels/custedit.h"
#include "labels/dfilldlg.h"
#include "labels/dfreedlg.h"
#include "labels/dlinedlg.h"
#include "labels/drectdlg.h"
#include "labels/dtextdlg.h"
#include "labels/labeldlg.h"

using namespace labeltest;
using namespace labeldlgtest;

TEST(LabelDlgLayout, EveryDialogShowsItsControlsInFullInReadingOrder) {
    auto fill = MakeFill({20, 30});
    TFloodFillDlg fillDlg(*fill, kBitmap);
    ExpectLaidOut(fillDlg, "flood-fill");
    auto free = MakeFreeHand({{10, 10}, {40, 60}});
    TFreeHandDlg freeDlg(*free, kBitmap);
    ExpectLaidOut(freeDlg, "free-hand");
    auto rect = MakeShape(lkEllipse, {10, 20}, {110, 90});
    TInclosedShapeDlg rectDlg(*rect, kBitmap);
    ExpectLaidOut(rectDlg, "enclosed-shape");
    auto line = MakeLine({10, 20}, {200, 150});
    TLineDlg lineDlg(*line, kBitmap);
    ExpectLaidOut(lineDlg, "line");
    auto text = MakeText({30, 40}, "Maximum at x = 2", 14);
    TTextLabelDlg textDlg(*text, kBitmap);
    ExpectLaidOut(textDlg, "text");
    TSequenceList<TDrawBaseClass> list;
    list.push_back(std::move(line));
    list.push_back(std::move(text));
    list.push_back(std::move(fill));
    TLabelListLogic logic(list);
    TLabelListDlg listDlg(logic, kBitmap);
    ExpectLaidOut(listDlg, "label-list");
    using V = std::vector<std::string>;
    const V buttons = {"OK", "Cancel", "&Help"};
    const auto with = [&](V v) {
        v.insert(v.end(), buttons.begin(), buttons.end());
        return v;
    };
    // A row of style buttons is one stop, at the button that is down.
    const V pen = {"SolidPen", "PenColorButton", "LabelPenWidthScroll"};
    EXPECT_EQ(TabOrder(fillDlg), with({"SolidBrush", "BrushColorButton", "EPointX", "EPointY"}));
    EXPECT_EQ(TabOrder(freeDlg),
              with({pen[0], pen[1], pen[2], "ClearBrush", "BrushColorButton", "EOriginX", "EOriginY"}));
    EXPECT_EQ(TabOrder(rectDlg), with({pen[0], pen[1], pen[2], "ClearBrush", "BrushColorButton", "ETopLeftX",
                                       "ETopLeftY", "EBottomRightX", "EBottomRightY", "EllipseButton"}));
    EXPECT_EQ(TabOrder(lineDlg), with({pen[0], pen[1], pen[2], "ClearBrush", "BrushColorButton",
                                       "EOriginPointX", "EOriginPointY", "EEndPointX", "EEndPointY"}));
    EXPECT_EQ(TabOrder(textDlg),
              with({"ETopLeftX", "ETopLeftY", "ETextString", "EFontCombo", "EFontSizeCombo",
                    "EBoldFontButton", "EItalicFontButton", "EUnderlineFontButton", "FontDlgButton"}));
    EXPECT_EQ(TabOrder(listDlg), V({"FListBox", "ModifyButton", "DeleteButton", "SpinButtonUp",
                                    "SpinButtonDown", "OkSelectButton", "OK", "Cancel", "&Help"}));
}

TEST(LabelDlgLayout, TheTextEditorShowsTheLabelsFont) {
    QWidget picture;
    picture.resize(260, 90);
    picture.setStyleSheet("background: #d0e0f0");
    TCustomTextEdit editor(&picture);
    ASSERT_TRUE(ShowActive(picture));
    TFontRecord font;
    font.Name = "DejaVu Serif";
    font.Size = 16;
    font.Color = 0x0000C0;
    editor.BeginEdit({20, 20}, {20, 20}, font, "y = sin(x)");
    QTest::keyClick(&editor, Qt::Key_End);
    ExpectLaidOut(picture, "text-editor");
    font.Color = clWhite;
    editor.BeginEdit({20, 20}, {20, 40}, font, "white text");
    ExpectLaidOut(picture, "text-editor-white");
}
