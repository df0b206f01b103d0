#include "dialogs/FuncListLogic.h"
#include "model/func2d.h"
#include "model/funcpolr.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A 2D function that reports when it is freed.
class TTrackedFunc : public TFunc2DObj {
public:
    TTrackedFunc(const char* expression, std::vector<std::string>& freed) : freed_(freed) {
        Func.SetExpression(expression);
    }
    ~TTrackedFunc() override { freed_.push_back(Func.GetExpression()); }

private:
    std::vector<std::string>& freed_;
};

TSequenceList<TBaseFuncObj> trackedList(std::initializer_list<const char*> expressions,
                                        std::vector<std::string>& freed) {
    TSequenceList<TBaseFuncObj> list;
    for (const char* e : expressions)
        list.push_back(std::make_unique<TTrackedFunc>(e, freed));
    return list;
}

std::vector<std::string> rowTexts(const TFuncListLogic& logic) {
    std::vector<std::string> texts;
    for (const auto& row : logic.Rows)
        texts.push_back(row.Text);
    return texts;
}

std::vector<std::string> listTexts(const TSequenceList<TBaseFuncObj>& list) {
    std::vector<std::string> texts;
    for (const auto& f : list)
        texts.push_back(f->GetDescription());
    return texts;
}

using Texts = std::vector<std::string>;

} // namespace

TEST(FuncListLogic, DeleteAndMoveFollowTheSelectionAndDoNothingAtTheEnds) {
    std::vector<std::string> freed;
    TSequenceList<TBaseFuncObj> list = trackedList({"a", "b", "c"}, freed);
    TFuncListLogic logic;
    logic.Fill(list);
    EXPECT_EQ(rowTexts(logic), (Texts{"Y=f(x)=a", "Y=f(x)=b", "Y=f(x)=c"}));
    EXPECT_EQ(logic.ItemIndex, 0);

    EXPECT_FALSE(logic.MoveUp()); // the first row
    logic.ItemIndex = 2;
    EXPECT_FALSE(logic.MoveDown()); // the last row
    EXPECT_FALSE(logic.FuncMoved);
    EXPECT_TRUE(logic.MoveUp());
    EXPECT_EQ(logic.ItemIndex, 1);
    EXPECT_EQ(rowTexts(logic), (Texts{"Y=f(x)=a", "Y=f(x)=c", "Y=f(x)=b"}));
    EXPECT_TRUE(logic.FuncMoved);

    logic.ItemIndex = 2;
    EXPECT_TRUE(logic.Delete()); // the last row: the new last row is selected
    EXPECT_EQ(logic.ItemIndex, 1);
    logic.ItemIndex = 0;
    EXPECT_TRUE(logic.Delete()); // another row: the same index
    EXPECT_EQ(logic.ItemIndex, 0);
    EXPECT_EQ(rowTexts(logic), Texts{"Y=f(x)=c"});
    EXPECT_TRUE(logic.Delete()); // the only row: no selection
    EXPECT_EQ(logic.ItemIndex, -1);
    EXPECT_FALSE(logic.Delete());
    EXPECT_FALSE(logic.MoveDown());
    ASSERT_EQ(logic.DeletionList.size(), 3u);
    EXPECT_EQ(logic.DeletionList[0]->GetDescription(), "Y=f(x)=b");
    EXPECT_TRUE(freed.empty()); // nothing is freed before the list takes the rows

    logic.ApplyTo(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(freed, (Texts{"a", "b", "c"}));
}

TEST(FuncListLogic, ModifyChangesTheFunctionInPlaceAndAnEmptyListDoesNothing) {
    std::vector<std::string> freed;
    TSequenceList<TBaseFuncObj> list = trackedList({"a", "b"}, freed);
    list.push_back(std::make_unique<TFuncPolarObj>());
    TFuncListLogic logic;
    logic.Fill(list);
    logic.ItemIndex = 1;
    TBaseFuncObj* asked = nullptr;
    EXPECT_FALSE(logic.Modify([&](TBaseFuncObj& f) {
        asked = &f;
        return false; // cancelled
    }));
    EXPECT_EQ(asked, list[1].get());
    EXPECT_FALSE(logic.FuncModified);
    EXPECT_TRUE(logic.Modify([](TBaseFuncObj& f) {
        static_cast<TFunc2DObj&>(f).Func.SetExpression("b+1");
        return true;
    }));
    EXPECT_TRUE(logic.FuncModified);
    EXPECT_EQ(logic.ItemIndex, 1);
    EXPECT_EQ(logic.Rows[1].Text, "Y=f(x)=b+1");
    // Without a deletion or a move the list is left as it is.
    logic.ApplyTo(list);
    EXPECT_EQ(listTexts(list), (Texts{"Y=f(x)=a", "Y=f(x)=b+1", "R=f(Theta)="}));

    logic.ItemIndex = 2;
    EXPECT_TRUE(logic.MoveUp());
    logic.ApplyTo(list);
    EXPECT_EQ(listTexts(list), (Texts{"Y=f(x)=a", "R=f(Theta)=", "Y=f(x)=b+1"}));
    EXPECT_TRUE(freed.empty());

    TSequenceList<TBaseFuncObj> none;
    TFuncListLogic empty;
    empty.Fill(none);
    EXPECT_EQ(empty.ItemIndex, -1);
    EXPECT_FALSE(empty.Modify([](TBaseFuncObj&) { return true; }));
    EXPECT_FALSE(empty.Delete() || empty.MoveUp() || empty.MoveDown());
    EXPECT_FALSE(empty.FuncModified || empty.FuncDeleted || empty.FuncMoved);
}
