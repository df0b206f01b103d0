// The "Edit Label List" dialog through ExecuteLabelListDlg, driven by real clicks and keys.
#include "LabelDlgTestSupport.h"

#include "labels/dtextdlg.h"
#include "labels/labeldlg.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

using namespace labeltest;
using namespace labeldlgtest;

namespace {

struct TGraph {
    TSequenceList<TDrawBaseClass> List;
    std::vector<TDrawBaseClass*> Made;
    TGraph() {
        List.push_back(MakeLine({1, 1}, {90, 90}));
        List.push_back(MakeText({5, 5}, "Note"));
        List.push_back(MakeFill({3, 3}));
        List.push_back(MakeShape(lkEllipse, {10, 10}, {40, 30}));
        for (const auto& p : List)
            Made.push_back(p.get());
    }
    std::vector<TDrawBaseClass*> Order() const {
        std::vector<TDrawBaseClass*> v;
        for (const auto& p : List)
            v.push_back(p.get());
        return v;
    }
};

TLabelListDlg& ListDlg(QDialog& d) {
    return static_cast<TLabelListDlg&>(d);
}

// Clicks the middle of a line of the list.
// Where a line is; the list lays its lines out late, after a refill.
QPoint LineCenter(TLabelListDlg& d, int line) {
    d.FListBox->doItemsLayout();
    return d.FListBox->visualItemRect(d.FListBox->item(line)).center();
}

void ClickLine(TLabelListDlg& d, int line, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(d.FListBox->viewport(), Qt::LeftButton, modifiers, LineCenter(d, line));
}

} // namespace

TEST(LabelListDlg, DeleteReorderAndOkRefillTheList) {
    TScopedScriptedUiHook hook;
    TGraph g;
    bool selectFlag = true;
    int itemIndex = 2;
    hook->ScriptModal([&](QDialog& dialog) {
        TLabelListDlg& d = ListDlg(dialog);
        EXPECT_EQ(d.windowTitle(), "Edit Label List");
        EXPECT_EQ(d.HelpContext(), 4080);
        if (!ShowActive(d)) return int(mrCancel);
        EXPECT_EQ(d.FListBox->count(), 4);
        EXPECT_EQ(d.FListBox->item(0)->text(), "Line: Origin Point(1, 1) End Point(90, 90)");
        EXPECT_EQ(d.CurrentLine(), 2) << "the selected label's line";
        d.FListBox->setFocus();
        PressKey(Qt::Key_Delete); // the fill
        EXPECT_EQ(d.FListBox->count(), 3);
        EXPECT_EQ(d.CurrentLine(), 2);
        Click(d.DeleteButton); // the ellipse, the last line
        EXPECT_EQ(d.CurrentLine(), 1) << "the new last line";
        Click(d.SpinButtonUp); // the text goes first
        EXPECT_EQ(d.CurrentLine(), 0);
        Click(d.SpinButtonUp);
        EXPECT_EQ(d.CurrentLine(), 0) << "nothing above the first line";
        Click(d.Buttons.OKBtn);
        return d.result();
    });
    EXPECT_TRUE(ExecuteLabelListDlg(g.List, kBitmap, selectFlag, itemIndex));
    EXPECT_FALSE(selectFlag) << "OK is no selection";
    EXPECT_EQ(g.Order(), (std::vector<TDrawBaseClass*>{g.Made[1], g.Made[0]}));

    // Nothing changed: OK answers false; OK/Select hands back the selected line.
    hook->ScriptModal([&](QDialog& dialog) {
        TLabelListDlg& d = ListDlg(dialog);
        if (!ShowActive(d)) return int(mrCancel);
        EXPECT_EQ(d.CurrentLine(), 0) << "without a selected label the first line";
        ClickLine(d, 1);
        Click(d.OkSelectButton);
        return d.result();
    });
    selectFlag = false;
    itemIndex = 7;
    EXPECT_FALSE(ExecuteLabelListDlg(g.List, kBitmap, selectFlag, itemIndex));
    EXPECT_TRUE(selectFlag);
    EXPECT_EQ(itemIndex, 1);

    // OK/Select with no line selected leaves the flag down.
    hook->ScriptModal([&](QDialog& dialog) {
        TLabelListDlg& d = ListDlg(dialog);
        if (!ShowActive(d)) return int(mrCancel);
        ClickLine(d, 0, Qt::ControlModifier); // takes the selection away
        EXPECT_EQ(d.CurrentLine(), -1);
        Click(d.OkSelectButton);
        return d.result();
    });
    selectFlag = true;
    itemIndex = 0;
    EXPECT_FALSE(ExecuteLabelListDlg(g.List, kBitmap, selectFlag, itemIndex));
    EXPECT_FALSE(selectFlag);
}

TEST(LabelListDlg, CancelFreesNothingAndDeletingTheOnlyLineEmptiesTheList) {
    TScopedScriptedUiHook hook;
    TGraph g;
    bool selectFlag = false;
    int itemIndex = 0;
    hook->ScriptModal([&](QDialog& dialog) {
        TLabelListDlg& d = ListDlg(dialog);
        if (!ShowActive(d)) return int(mrCancel);
        Click(d.DeleteButton);
        Click(d.SpinButtonDown);
        Click(d.Buttons.CancelBtn);
        return d.result();
    });
    EXPECT_FALSE(ExecuteLabelListDlg(g.List, kBitmap, selectFlag, itemIndex));
    EXPECT_EQ(g.Order(), g.Made);
    for (TDrawBaseClass* label : g.Made)
        EXPECT_FALSE(label->GetDescription().empty()) << "every label still alive";

    TSequenceList<TDrawBaseClass> one;
    one.push_back(MakeFill({1, 1}));
    hook->ScriptModal([&](QDialog& dialog) {
        TLabelListDlg& d = ListDlg(dialog);
        if (!ShowActive(d)) return int(mrCancel);
        Click(d.DeleteButton);
        EXPECT_EQ(d.FListBox->count(), 0);
        Click(d.Buttons.OKBtn);
        return d.result();
    });
    EXPECT_TRUE(ExecuteLabelListDlg(one, kBitmap, selectFlag, itemIndex));
    EXPECT_TRUE(one.empty());
}

TEST(LabelListDlg, ModifyOpensTheLabelsDialogAndEmptiedTextsGo) {
    TScopedScriptedUiHook hook;
    TGraph g;
    bool selectFlag = false;
    int itemIndex = 0;
    // The text's dialog, reached by a double click, clears the text.
    const auto clearText = [&](QDialog& dialog) {
        auto& t = static_cast<TTextLabelDlg&>(dialog);
        if (!ShowActive(t)) return int(mrCancel);
        t.ETextString->setFocus();
        t.ETextString->selectAll();
        PressKey(Qt::Key_Backspace);
        Click(t.Buttons.OKBtn);
        return t.result();
    };
    for (int closeWith : {int(mrCancel), int(mrOk)}) {
        hook->ScriptModal([&](QDialog& dialog) {
            TLabelListDlg& d = ListDlg(dialog);
            if (!ShowActive(d)) return int(mrCancel);
            // The line moves through its own dialog, opened with Modify.
            hook->ScriptModal([&](QDialog& line) {
                if (!ShowActive(line)) return int(mrCancel);
                TypeInto(Spin(line, "EOriginPointX"), 7);
                PressKey(Qt::Key_Return);
                return line.result();
            });
            Click(d.ModifyButton);
            EXPECT_EQ(d.FListBox->item(0)->text(), "Line: Origin Point(7, 1) End Point(90, 90)");
            hook->ScriptModal(clearText);
            // A double click is a click and then the second press, as a mouse makes it.
            ClickLine(d, 1);
            QTest::mouseDClick(d.FListBox->viewport(), Qt::LeftButton, {}, LineCenter(d, 1));
            EXPECT_EQ(d.FListBox->count(), 3) << "the emptied text left the list";
            EXPECT_EQ(d.CurrentLine(), 1);
            Click(closeWith == mrOk ? d.Buttons.OKBtn : d.Buttons.CancelBtn);
            return d.result();
        });
        const bool changed = ExecuteLabelListDlg(g.List, kBitmap, selectFlag, itemIndex);
        EXPECT_EQ(changed, closeWith == mrOk);
        EXPECT_EQ(static_cast<TDrawLine*>(g.Made[0])->P1, (TPoint{7, 1})) << "a modification stays";
        if (closeWith == mrCancel) {
            EXPECT_EQ(g.Order(), g.Made);
            EXPECT_EQ(static_cast<TDrawText*>(g.Made[1])->Text, "Note") << "cancel gives the text back";
        } else {
            EXPECT_EQ(g.Order(), (std::vector<TDrawBaseClass*>{g.Made[0], g.Made[2], g.Made[3]}));
        }
    }
    EXPECT_TRUE(hook->Messages.empty());
}
