#include "dialogs/FuncList.h"
#include "dialogs/Add2dfnc.h"
#include "dialogs/FuncListLogic.h"
#include "model/func2d.h"
#include "model/funcpolr.h"

#include "dialogs/FuncDlgTestSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

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

std::vector<std::string> boxTexts(const QListWidget* box) {
    std::vector<std::string> texts;
    for (int i = 0; i < box->count(); ++i)
        texts.push_back(box->item(i)->text().toStdString());
    return texts;
}

std::vector<TBaseFuncObj*> pointers(const TSequenceList<TBaseFuncObj>& list) {
    std::vector<TBaseFuncObj*> out;
    for (const auto& f : list)
        out.push_back(f.get());
    return out;
}

struct TFlags {
    bool modified = true, deleted = true, moved = true;
};

TFlags runList(TSequenceList<TBaseFuncObj>& list) {
    TFlags f;
    ExecuteFuncListDlg(list, f.modified, f.deleted, f.moved);
    return f;
}

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

TEST(FuncListDlg, ModifyActsInPlaceAndIsReportedEvenAfterCancel) {
    TScopedScriptedUiHook hook;
    std::vector<std::string> freed;
    TSequenceList<TBaseFuncObj> list = trackedList({"a", "b"}, freed);
    const auto before = pointers(list);
    ScriptDialog<TFuncListDlg>(*hook, [&](TFuncListDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Edit Function List");
        EXPECT_EQ(d.HelpContext(), 4005);
        EXPECT_EQ(Focused(), d.OKBtn);
        EXPECT_EQ(boxTexts(d.FListBox), (Texts{"Y=f(x)=a", "Y=f(x)=b"}));
        EXPECT_EQ(d.FListBox->currentRow(), 0);
        // The modify dialog of the row's class opens over the list.
        ScriptDialog<TAdd2DFuncDlg>(*hook, [](TAdd2DFuncDlg& f) {
            EXPECT_EQ(f.windowTitle(), "Modify 2D Function");
            f.EUserFuncStr->setText("x*2");
            Click(f.OKBtn);
        });
        d.FListBox->setCurrentRow(1);
        Click(d.ModifyButton);
        EXPECT_EQ(boxTexts(d.FListBox), (Texts{"Y=f(x)=a", "Y=f(x)=x*2"}));
        EXPECT_EQ(d.FListBox->currentRow(), 1);
        // A double click on a row opens it too; its Cancel changes nothing.
        ScriptDialog<TAdd2DFuncDlg>(*hook, [](TAdd2DFuncDlg& f) { Click(f.CancelBtn); });
        QListWidgetItem* first = d.FListBox->item(0);
        // As a mouse sends it: a click, then the double click.
        const QPoint at = d.FListBox->visualItemRect(first).center();
        QTest::mouseClick(d.FListBox->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d.FListBox->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(hook->ModalForms.size(), 3u);
        Click(d.CancelBtn);
    });
    const TFlags flags = runList(list);
    EXPECT_TRUE(flags.modified);
    EXPECT_FALSE(flags.deleted || flags.moved);
    EXPECT_EQ(pointers(list), before);
    EXPECT_EQ(listTexts(list), (Texts{"Y=f(x)=a", "Y=f(x)=x*2"}));
    EXPECT_TRUE(list[1]->Modified);
    EXPECT_FALSE(list[0]->Modified);
}

TEST(FuncListDlg, TheDeleteKeyAnywhereAndTheUpDownButtonTakeEffectOnlyOnOk) {
    TScopedScriptedUiHook hook;
    std::vector<std::string> freed;
    TSequenceList<TBaseFuncObj> list = trackedList({"a", "b", "c", "d"}, freed);
    const auto before = pointers(list);
    auto deleteTwoAndMove = [](TFuncListDlg& d) {
        PressKey(Qt::Key_Delete); // at OK: row 0 goes
        d.FListBox->setFocus();
        d.FListBox->setCurrentRow(2);
        PressKey(Qt::Key_Delete); // in the list: the last row goes, the new last is selected
        EXPECT_EQ(boxTexts(d.FListBox), (Texts{"Y=f(x)=b", "Y=f(x)=c"}));
        EXPECT_EQ(d.FListBox->currentRow(), 1);
        PressKey(Qt::Key_Tab); // to the up/down button, which is one tab stop
        EXPECT_EQ(Focused(), d.SpinButton1);
        PressKey(Qt::Key_Up);
        PressKey(Qt::Key_Up); // already the first row
        EXPECT_EQ(boxTexts(d.FListBox), (Texts{"Y=f(x)=c", "Y=f(x)=b"}));
        EXPECT_EQ(d.FListBox->currentRow(), 0);
    };
    ScriptDialog<TFuncListDlg>(*hook, [&](TFuncListDlg& d) {
        deleteTwoAndMove(d);
        Click(d.CancelBtn);
    });
    TFlags flags = runList(list);
    EXPECT_FALSE(flags.modified || flags.deleted || flags.moved);
    EXPECT_EQ(pointers(list), before);
    EXPECT_TRUE(freed.empty());

    ScriptDialog<TFuncListDlg>(*hook, [&](TFuncListDlg& d) {
        deleteTwoAndMove(d);
        Click(d.SpinButton1->Down);
        Click(d.SpinButton1->Down); // already the last row
        Click(d.SpinButton1->Up);
        Click(d.OKBtn);
    });
    flags = runList(list);
    EXPECT_FALSE(flags.modified);
    EXPECT_TRUE(flags.deleted && flags.moved);
    EXPECT_EQ(listTexts(list), (Texts{"Y=f(x)=c", "Y=f(x)=b"}));
    EXPECT_EQ(freed, (Texts{"a", "d"}));
}

TEST(FuncListDlg, AnEmptyListLeavesEveryButtonWithoutEffect) {
    TScopedScriptedUiHook hook;
    TSequenceList<TBaseFuncObj> list;
    ScriptDialog<TFuncListDlg>(*hook, [&](TFuncListDlg& d) {
        EXPECT_EQ(d.FListBox->count(), 0);
        EXPECT_EQ(d.FListBox->currentRow(), -1);
        const std::vector<QAbstractButton*> buttons{d.ModifyButton, d.DeleteButton, d.SpinButton1->Up,
                                                    d.SpinButton1->Down};
        for (QAbstractButton* b : buttons)
            Click(b);
        PressKey(Qt::Key_Delete);
        Click(d.OKBtn);
    });
    const TFlags flags = runList(list);
    EXPECT_FALSE(flags.modified || flags.deleted || flags.moved);
    EXPECT_EQ(hook->ModalForms.size(), 1u);
}
