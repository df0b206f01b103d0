// The label list dialog's logic without its window.
#include "LabelTestSupport.h"

#include "labels/LabelListLogic.h"

#include <gtest/gtest.h>

using namespace labeltest;

namespace {

// Three labels A (line), B (text), C (flood fill), and their addresses.
struct TThree {
    TSequenceList<TDrawBaseClass> List;
    TDrawBaseClass *A, *B, *C;
    TThree() {
        List.push_back(MakeLine({1, 1}, {9, 9}));
        List.push_back(MakeText({5, 5}, "B"));
        List.push_back(MakeFill({3, 3}));
        A = List[0].get();
        B = List[1].get();
        C = List[2].get();
    }
    std::vector<TDrawBaseClass*> Order() const {
        std::vector<TDrawBaseClass*> v;
        for (const auto& p : List)
            v.push_back(p.get());
        return v;
    }
};

} // namespace

TEST(LabelListLogic, LinesFollowTheListAndOkKeepsTheirOrder) {
    TThree t;
    TLabelListLogic logic(t.List);
    ASSERT_EQ(logic.Count(), 3);
    EXPECT_EQ(logic.LineText(1), "Text: Origin Point(5, 5) \"B\"");
    EXPECT_EQ(logic.LabelAt(3), nullptr);
    EXPECT_EQ(logic.MoveLineUp(0), 0) << "nothing above the first line";
    EXPECT_EQ(logic.MoveLineDown(2), 2) << "nothing below the last";
    EXPECT_FALSE(logic.Changed());
    EXPECT_FALSE(logic.Accept()) << "nothing changed";
    EXPECT_EQ(t.Order(), (std::vector<TDrawBaseClass*>{t.A, t.B, t.C}));

    EXPECT_EQ(logic.MoveLineDown(0), 1);
    EXPECT_EQ(logic.MoveLineUp(2), 1);
    EXPECT_TRUE(logic.Changed());
    EXPECT_EQ(t.Order(), (std::vector<TDrawBaseClass*>{t.A, t.B, t.C})) << "the list waits for OK";
    EXPECT_TRUE(logic.Accept());
    EXPECT_EQ(t.Order(), (std::vector<TDrawBaseClass*>{t.B, t.C, t.A})) << "the new painting order";
}

TEST(LabelListLogic, DeletesWaitForOkAndCancelFreesNothing) {
    TThree t;
    {
        TLabelListLogic logic(t.List);
        EXPECT_EQ(logic.DeleteLine(2), 1) << "the last line deleted: the new last is selected";
        EXPECT_EQ(logic.DeleteLine(0), 0);
        EXPECT_EQ(logic.Count(), 1);
        logic.Cancel();
    }
    EXPECT_EQ(t.Order(), (std::vector<TDrawBaseClass*>{t.A, t.B, t.C}));
    EXPECT_EQ(t.C->GetDescription(), "Flood Fill: Location(3, 3)") << "still alive";

    TLabelListLogic logic(t.List);
    EXPECT_EQ(logic.DeleteLine(1), 1);
    EXPECT_TRUE(logic.Accept());
    EXPECT_EQ(t.Order(), (std::vector<TDrawBaseClass*>{t.A, t.C}));

    TSequenceList<TDrawBaseClass> one;
    one.push_back(MakeFill({1, 1}));
    TLabelListLogic single(one);
    EXPECT_EQ(single.DeleteLine(0), -1) << "the only line deleted: none left to select";
    EXPECT_EQ(single.DeleteLine(0), 0) << "no line: nothing happens";
    EXPECT_TRUE(single.Accept());
    EXPECT_TRUE(one.empty());
}

TEST(LabelListLogic, ModifyRefreshesAndRemovesEmptiedTexts) {
    TThree t;
    TLabelListLogic logic(t.List);
    EXPECT_EQ(logic.ModifyLine(0, [](TDrawBaseClass&) { return false; }), 0);
    EXPECT_FALSE(logic.Changed()) << "a cancelled modify changes nothing";
    EXPECT_EQ(logic.ModifyLine(0,
                               [](TDrawBaseClass& l) {
                                   static_cast<TDrawLine&>(l).P1 = {4, 4};
                                   return true;
                               }),
              0);
    EXPECT_TRUE(logic.Changed());
    EXPECT_EQ(logic.LineText(0), "Line: Origin Point(4, 4) End Point(9, 9)");

    // A text left without text is taken out like a deleted label.
    const auto empty = [](TDrawBaseClass& l) {
        auto& text = static_cast<TDrawText&>(l);
        text.SetText(text.P1, "", nullptr);
        return true;
    };
    EXPECT_EQ(logic.ModifyLine(1, empty), 1);
    EXPECT_EQ(logic.Count(), 2);
    EXPECT_EQ(logic.LabelAt(1), t.C);
    logic.Cancel();
    EXPECT_EQ(static_cast<TDrawText*>(t.B)->Text, "B") << "cancel gives the text back";
    EXPECT_EQ(static_cast<TDrawText*>(t.B)->P2,
              TDrawText::CalcTextExtent({5, 5}, "B", static_cast<TDrawText*>(t.B)->Font));
    EXPECT_EQ(t.List.size(), 3u);

    TLabelListLogic again(t.List);
    again.ModifyLine(1, empty);
    EXPECT_TRUE(again.Accept());
    EXPECT_EQ(t.Order(), (std::vector<TDrawBaseClass*>{t.A, t.C}));
}
