#include "dialogs/Add2dfnc.h"
#include "dialogs/StringGrid.h"
#include "dialogs/ValueLst.h"
#include "math/ColorSample.h"
#include "math/editmath.h"
#include "model/FILESAVE.h"
#include "platform/ScriptedUiHook.h"

#include "common/DialogTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TFunc2DSpecialItem> row(const char* first, const char* second = "", const char* end = "",
                                        const char* func = "", uint8_t left = 0, uint8_t at = 0,
                                        uint8_t right = 0) {
    TSpecialGridRows check;
    check.Load(TFunc2DSpecialValues());
    check.Rows[0].Cells = {
        first, second, end, func, SideBehaviorText(left), AtBehaviorText(at), SideBehaviorText(right)};
    EXPECT_TRUE(check.ValidateRow(0).Ok) << first;
    return std::move(check.Rows[0].Item);
}

// Cells of the dialog's grid row by row, "|" between cells.
std::vector<std::string> gridTexts(const TAdd2DFuncDlg& d) {
    std::vector<std::string> out;
    for (int r = 0; r < d.SpecialValuesGrid->rowCount(); ++r) {
        std::string line;
        for (int c = 0; c < SpecialGridColumns; ++c)
            line += (c ? "|" : "") + d.SpecialValuesGrid->CellText(r, c);
        out.push_back(line);
    }
    return out;
}

// Clicks a cell with the mouse, as the user moves there.
void clickCell(TAdd2DFuncDlg& d, int r, int c) {
    TStringGrid* g = d.SpecialValuesGrid;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(r, c)).center());
}

// Clicks a cell and types over its text.
void typeCell(TAdd2DFuncDlg& d, int r, int c, const char* text) {
    clickCell(d, r, c);
    QWidget* editor = d.SpecialValuesGrid->Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(Focused(), editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, QString::fromUtf8(text));
}

// A dialog on a function, shown and active, on the special-values page.
struct TOpenDialog {
    TScopedScriptedUiHook hook;
    TFunc2DObj func;
    std::unique_ptr<TAdd2DFuncDlg> d;

    void open() {
        d = std::make_unique<TAdd2DFuncDlg>();
        d->Load(func);
        ASSERT_TRUE(ShowActive(*d));
        d->PageControl1->setCurrentWidget(d->SpecialValTabSheet);
    }
    void click(int r, int c) { clickCell(*d, r, c); }
    void typeAt(int r, int c, const char* text) { typeCell(*d, r, c, text); }
    int gridRow() const { return d->SpecialValuesGrid->currentRow(); }
    int gridCol() const { return d->SpecialValuesGrid->currentColumn(); }
};

} // namespace

TEST(Add2DFuncDlg, TypingCellsAndLeavingRowsWithKeys) {
    TOpenDialog t;
    t.open();
    TAdd2DFuncDlg& d = *t.d;
    EXPECT_EQ(gridTexts(d), std::vector<std::string>{"||||Auto|Auto|Auto"});

    // Typing into the last row adds the trailing empty row at once.
    t.typeAt(0, gcFirst, "1");
    EXPECT_EQ(d.SpecialValuesGrid->rowCount(), 2);
    // A behaviour typed in lower case becomes its code when the cell is left.
    t.typeAt(0, gcLeft, "posi");
    t.typeAt(0, gcRight, "nonsense");
    t.click(0, gcAt);
    EXPECT_EQ(d.SpecialValuesGrid->CellText(0, gcLeft), "PosI");
    EXPECT_EQ(d.ELeftBehavior->currentIndex(), 3);
    EXPECT_EQ(d.ELeftBehavior->currentText(), "Draw to Positive Infinity");
    EXPECT_EQ(d.SpecialValuesGrid->CellText(0, gcRight), "Auto");
    t.typeAt(0, gcAt, "u");
    PressKey(Qt::Key_Down);
    EXPECT_EQ(t.gridRow(), 1);
    EXPECT_EQ(gridTexts(d)[0], "1||||PosI|Undef|Auto");
    ASSERT_NE(d.Rows.Item(0), nullptr);
    EXPECT_EQ(d.Rows.Item(0)->LeftBehavior, sbPositiveInfinity);
    EXPECT_EQ(d.Rows.Item(0)->AtBehavior, sbAtUndefined);
    EXPECT_TRUE(d.EAtValueAutoDetect->isChecked()); // the controls show row 1 now
    EXPECT_TRUE(t.hook->Messages.empty());

    // Leaving a row with an error: the message, and the cursor stays in the row.
    struct TBad {
        const char* first;
        const char* second;
        const char* end;
        const char* func;
        std::string message;
        int col;
    };
    const TBad bad[] = {
        {"1", "3", "2", "",
         "Error in series value order, Valid orders are: (First < Second < End) or (First > Second > End).",
         gcFirst},
        {"1", "2", "10001", "", "Series can not contain more than 5000 values.", gcFirst},
        {"1", "2", "3", "5", "Function in field \"Function of X f(x)=\" must contain an \"X\" variable.",
         gcFunc},
        {"1", "", "3", "", "Second Value in a series can not be empty.", gcSecond},
        {"1+", "", "", "", "Error in: First Value: ", gcFirst},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.message);
        for (auto [col, text] : {std::pair{gcFirst, b.first}, std::pair{gcSecond, b.second},
                                 std::pair{gcEnd, b.end}, std::pair{gcFunc, b.func}})
            t.typeAt(1, col, text);
        t.hook->Clear();
        PressKey(Qt::Key_Up);
        ASSERT_EQ(t.hook->Messages.size(), 1u);
        EXPECT_EQ(t.hook->Messages[0].Text.substr(0, b.message.size()), b.message);
        EXPECT_EQ(t.hook->Messages[0].Type, mtError);
        EXPECT_EQ(t.gridRow(), 1);
        EXPECT_EQ(t.gridCol(), b.col);
        EXPECT_EQ(Focused(), d.SpecialValuesGrid->Editor());
        // A mouse click on another row is refused the same way; so are Tab past the row's
        // last cell and Shift+Tab before its first.
        t.click(0, gcFirst);
        EXPECT_EQ(t.gridRow(), 1);
        for (auto [col, key] : {std::pair{gcRight, Qt::Key_Tab}, std::pair{gcFirst, Qt::Key_Backtab}}) {
            t.click(1, col);
            PressKey(key);
            EXPECT_EQ(t.gridRow(), 1);
            EXPECT_EQ(t.gridCol(), b.col);
            EXPECT_EQ(Focused(), d.SpecialValuesGrid->Editor());
        }
        EXPECT_EQ(t.hook->Messages.size(), 4u);
        // The buttons refuse to act on a row with an error.
        QTest::mouseClick(d.AddButton, Qt::LeftButton);
        EXPECT_EQ(t.hook->Messages.size(), 5u);
        EXPECT_EQ(d.SpecialValuesGrid->rowCount(), 3);
    }
    // Emptying the row makes it pass; the row object goes.
    for (int col : {gcFirst, gcSecond, gcEnd, gcFunc})
        t.typeAt(1, col, "");
    t.hook->Clear();
    PressKey(Qt::Key_Up);
    EXPECT_EQ(t.gridRow(), 0);
    EXPECT_TRUE(t.hook->Messages.empty());
    EXPECT_EQ(d.Rows.Item(1), nullptr);
}

TEST(Add2DFuncDlg, OkCommitsTheEditorAndRefusesABadCurrentRow) {
    TOpenDialog t;
    t.func.Func.SetExpression("SIN(X)");
    t.open();
    TAdd2DFuncDlg& d = *t.d;
    t.typeAt(0, gcFirst, "2");
    t.typeAt(0, gcSecond, "1");
    t.typeAt(0, gcEnd, "3");
    // OK with the bad row still in the cell: the row's error keeps the dialog open.
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(t.hook->Messages.size(), 1u);
    EXPECT_EQ(t.hook->Messages[0].Text.substr(0, 24), "Error in series value or");
    EXPECT_EQ(t.gridRow(), 0);
    EXPECT_EQ(d.PageControl1->currentWidget(), d.SpecialValTabSheet);
    // The value still in the editor counts: mended and OK at once, it is stored.
    t.typeAt(0, gcEnd, "0");
    QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), mrOk);
    EXPECT_EQ(t.hook->Messages.size(), 1u);
    d.Store(t.func);
    ASSERT_EQ(t.func.SpecialValues.Items.size(), 1u);
    EXPECT_EQ(t.func.SpecialValues.Items[0]->EndStr, "0");
    EXPECT_EQ(t.func.SpecialValues.Points().size(), 3u);
}

TEST(Add2DFuncDlg, KeysInTheGridKeepEveryTypedValueAndCloseTheDialogOnlyWithNothingPending) {
    TOpenDialog t;
    t.func.Func.SetExpression("SIN(X)");
    t.open();
    TAdd2DFuncDlg& d = *t.d;
    t.click(0, gcFirst);
    QWidget* tabs = d.PageControl1->tabBar();
    struct TStep {
        const char* typed;
        Qt::Key key;
        int presses;
        int row; // the cell the cursor is in afterwards
        int col;
        const char* row0;     // the first row's cells afterwards
        const char* selected; // in the editor, or null when that is not the point
        QWidget* focus;       // null: the editor of the cell
    };
    const TStep steps[] = {
        // A row typed cell by cell: Tab commits each cell and goes on to the next.
        {"1", Qt::Key_Tab, 1, 0, gcSecond, "1||||Auto|Auto|Auto", nullptr, nullptr},
        {"2", Qt::Key_Tab, 1, 0, gcEnd, "1|2|||Auto|Auto|Auto", nullptr, nullptr},
        {"10", Qt::Key_Tab, 1, 0, gcFunc, "1|2|10||Auto|Auto|Auto", nullptr, nullptr},
        // Enter and Esc act on the typing first: Enter commits it, Esc takes it back.
        {"X^2", Qt::Key_Return, 1, 0, gcFunc, "1|2|10|X^2|Auto|Auto|Auto", "X^2", nullptr},
        {"5", Qt::Key_Escape, 1, 0, gcFunc, "1|2|10|X^2|Auto|Auto|Auto", "X^2", nullptr},
        {"X^3", Qt::Key_Enter, 1, 0, gcFunc, "1|2|10|X^3|Auto|Auto|Auto", "X^3", nullptr},
        {"9", Qt::Key_Escape, 1, 0, gcFunc, "1|2|10|X^3|Auto|Auto|Auto", "X^3", nullptr},
        // Shift+Tab walks back and leaves the grid before its first cell; Tab comes back.
        {"", Qt::Key_Backtab, 3, 0, gcFirst, "1|2|10|X^3|Auto|Auto|Auto", nullptr, nullptr},
        {"", Qt::Key_Backtab, 1, 0, gcFirst, "1|2|10|X^3|Auto|Auto|Auto", nullptr, tabs},
        {"", Qt::Key_Tab, 1, 0, gcFirst, "1|2|10|X^3|Auto|Auto|Auto", nullptr, nullptr},
        // A behaviour cell left by Tab takes its code's text.
        {"", Qt::Key_Tab, 4, 0, gcLeft, "1|2|10|X^3|Auto|Auto|Auto", nullptr, nullptr},
        {"negi", Qt::Key_Tab, 1, 0, gcAt, "1|2|10|X^3|NegI|Auto|Auto", nullptr, nullptr},
        {"u", Qt::Key_Tab, 1, 0, gcRight, "1|2|10|X^3|NegI|Undef|Auto", nullptr, nullptr},
        // Past the last cell of a row: the row is checked and the cursor goes on to the next.
        {"", Qt::Key_Tab, 1, 1, gcFirst, "1|2|10|X^3|NegI|Undef|Auto", nullptr, nullptr},
        {"", Qt::Key_Backtab, 1, 0, gcRight, "1|2|10|X^3|NegI|Undef|Auto", nullptr, nullptr},
        // Only past the last cell of the last row does Tab leave the grid.
        {"", Qt::Key_Tab, SpecialGridColumns, 1, gcRight, "1|2|10|X^3|NegI|Undef|Auto", nullptr, nullptr},
        {"", Qt::Key_Tab, 1, 1, gcRight, "1|2|10|X^3|NegI|Undef|Auto", nullptr, d.AddButton},
    };
    for (const TStep& s : steps) {
        SCOPED_TRACE(std::string(s.typed) + " then key " + std::to_string(s.key) + " x" +
                     std::to_string(s.presses));
        TypeText(s.typed);
        for (int i = 0; i < s.presses; ++i)
            PressKey(s.key);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(t.gridRow(), s.row);
        EXPECT_EQ(t.gridCol(), s.col);
        EXPECT_EQ(gridTexts(d)[0], s.row0);
        std::string rowCells;
        for (int c = 0; c < SpecialGridColumns; ++c)
            rowCells += (c ? "|" : "") + d.Rows.Cell(0, c);
        EXPECT_EQ(rowCells, s.row0);
        QLineEdit* editor = d.SpecialValuesGrid->Editor();
        ASSERT_EQ(Focused(), s.focus ? s.focus : editor);
        if (s.selected) {
            EXPECT_EQ(editor->selectedText(), s.selected);
        }
    }
    EXPECT_EQ(d.SpecialValuesGrid->rowCount(), 2);
    EXPECT_TRUE(t.hook->Messages.empty());

    // With nothing pending in the cell, Enter and Esc are the dialog's OK and Cancel; the
    // first press still acts on the typing.
    struct TClose {
        std::vector<const char*> cells; // typed into the first row from its first column
        Qt::Key key;                    // pressed twice
        int result;                     // -1: the OK check keeps the dialog open
        const char* stored;             // first, second and end value of the stored row
    };
    const TClose closes[] = {
        {{"7"}, Qt::Key_Return, mrOk, "7||"},
        {{"1", "2", "4"}, Qt::Key_Enter, mrOk, "1|2|4"},
        {{"7"}, Qt::Key_Escape, QDialog::Rejected, ""},
        {{"1", "3", "2"}, Qt::Key_Return, -1, ""},
    };
    for (const TClose& c : closes) {
        SCOPED_TRACE(std::string(c.cells.back()) + " then key " + std::to_string(c.key));
        TOpenDialog u;
        u.func.Func.SetExpression("SIN(X)");
        u.open();
        TAdd2DFuncDlg& e = *u.d;
        for (int col = 0; col < int(c.cells.size()); ++col)
            u.typeAt(0, col, c.cells[size_t(col)]);
        e.setResult(-1);
        PressKey(c.key);
        EXPECT_TRUE(e.isVisible());
        EXPECT_TRUE(u.hook->Messages.empty());
        PressKey(c.key);
        if (c.result < 0) {
            EXPECT_TRUE(e.isVisible());
            ASSERT_EQ(u.hook->Messages.size(), 1u);
            EXPECT_EQ(u.hook->Messages[0].Text.substr(0, 24), "Error in series value or");
            EXPECT_EQ(Focused(), e.SpecialValuesGrid->Editor());
            continue;
        }
        EXPECT_FALSE(e.isVisible());
        EXPECT_EQ(e.result(), c.result);
        EXPECT_TRUE(u.hook->Messages.empty());
        if (c.result != mrOk) continue;
        e.Store(u.func);
        ASSERT_EQ(u.func.SpecialValues.Items.size(), 1u);
        const TFunc2DSpecialItem& item = *u.func.SpecialValues.Items[0];
        EXPECT_EQ(item.FirstStr + "|" + item.SecondStr + "|" + item.EndStr, c.stored);
    }
}

TEST(Add2DFuncDlg, OkChecksTheGraphsSpecialValuesBoundsAndExpressionInOrder) {
    struct TCase {
        const char* lo;
        const char* hi;
        const char* expr;
        std::string message; // empty: passes
        int page;
        int64_t otherValues = 0; // held by the graph's other functions, besides this one's 5000
    };
    const TCase cases[] = {
        {"", "", "X", "", 0, MaxGraphSpecialValues - 5000},
        {"4", "3", "X",
         "There can not be more than 1,000,000 special X values in a graph; with these rows there would be "
         "1,000,001.",
         1, MaxGraphSpecialValues - 4999},
        {"3", "3", "X", "", 0},
        {"", "", "X", "", 0},
        {"", "-5", "X", "", 0},
        {"4", "3", "X", "Lower Bound must be <= Upper Bound.", 0},
        {"4", "3", "(", "Lower Bound must be <= Upper Bound.", 0},
        {"2000000000000", "", "X",
         "Error: Lower Bound must be >= -1,000,000,000,000 and <= 1,000,000,000,000", 0},
        {"", "Y", "X", "Error in: Upper Bound: ", 0},
        {"1", "2", "SIN(", "Error in: Function Definition: ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lo) + " " + c.hi + " " + c.expr);
        TOpenDialog t;
        t.func.SpecialValues.Items.push_back(row("0", "1", "4999"));
        t.open();
        TAdd2DFuncDlg& d = *t.d;
        d.OtherSpecialValues = c.otherValues;
        d.PageControl1->setCurrentIndex(1 - c.page); // the check shows the page at fault
        d.ELoBoundStr->setText(c.lo);
        d.EHiBoundStr->setText(c.hi);
        d.EUserFuncStr->setText(c.expr);
        d.done(mrOk);
        if (c.message.empty()) {
            EXPECT_FALSE(d.isVisible());
            EXPECT_TRUE(t.hook->Messages.empty());
            continue;
        }
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(t.hook->Messages.size(), 1u);
        EXPECT_EQ(t.hook->Messages[0].Text.substr(0, c.message.size()), c.message);
        EXPECT_EQ(d.PageControl1->currentIndex(), c.page);
    }
}

TEST(Add2DFuncDlg, ButtonsMoveRowObjectsWithTheirCells) {
    TOpenDialog t;
    for (const char* v : {"1", "2", "3"})
        t.func.SpecialValues.Items.push_back(row(v));
    t.func.SpecialValues.Items[1]->LeftBehavior = sbNotContinuous;
    t.open();
    TAdd2DFuncDlg& d = *t.d;
    auto firsts = [&] {
        std::string s;
        for (int r = 0; r < d.Rows.Count(); ++r) {
            const std::string& cell = d.SpecialValuesGrid->CellText(r, gcFirst);
            s += cell.empty() ? "_" : cell;
            if (const TFunc2DSpecialItem* item = d.Rows.Item(r)) s += "=" + item->FirstStr;
            s += " ";
        }
        return s;
    };
    EXPECT_EQ(firsts(), "1=1 2=2 3=3 _ ");
    EXPECT_EQ(d.SpecialValuesGrid->CellText(1, gcLeft), "NotC");
    t.click(1, gcFirst);
    EXPECT_EQ(d.ELeftBehavior->currentIndex(), 5);
    QTest::mouseClick(d.MoveDownButton, Qt::LeftButton);
    EXPECT_EQ(firsts(), "1=1 3=3 2=2 _ ");
    EXPECT_EQ(t.gridRow(), 2);
    EXPECT_EQ(d.SpecialValuesGrid->CellText(2, gcLeft), "NotC");
    QTest::mouseClick(d.MoveDownButton, Qt::LeftButton); // not into the trailing row
    EXPECT_EQ(firsts(), "1=1 3=3 2=2 _ ");
    QTest::mouseClick(d.MoveUpButton, Qt::LeftButton);
    QTest::mouseClick(d.MoveUpButton, Qt::LeftButton);
    EXPECT_EQ(firsts(), "2=2 1=1 3=3 _ ");
    EXPECT_EQ(t.gridRow(), 0);
    QTest::mouseClick(d.MoveUpButton, Qt::LeftButton); // row 1 stays
    EXPECT_EQ(firsts(), "2=2 1=1 3=3 _ ");

    t.click(1, gcFirst);
    QTest::mouseClick(d.InsertButton, Qt::LeftButton);
    EXPECT_EQ(firsts(), "2=2 _ 1=1 3=3 _ ");
    EXPECT_EQ(t.gridRow(), 1);
    EXPECT_EQ(Focused(), d.SpecialValuesGrid->Editor());
    TypeText("7");
    QTest::mouseClick(d.DeleteButton, Qt::LeftButton); // checks, then deletes the new row
    EXPECT_EQ(firsts(), "2=2 1=1 3=3 _ ");
    QTest::mouseClick(d.AddButton, Qt::LeftButton);
    EXPECT_EQ(t.gridRow(), 3);
    EXPECT_EQ(t.gridCol(), gcFirst);

    // The behaviour controls write the current row's cell and object.
    t.click(0, gcFirst);
    QTest::keyClick(d.ELeftBehavior, Qt::Key_Home);
    QTest::keyClick(d.ELeftBehavior, Qt::Key_Down);
    QTest::mouseClick(d.EAtValueUndefined, Qt::LeftButton, {}, QPoint(6, d.EAtValueUndefined->height() / 2));
    d.ERightBehavior->setCurrentIndex(4);
    EXPECT_EQ(gridTexts(d)[0], "2||||Extr|Undef|NegI");
    EXPECT_EQ(d.Rows.Item(0)->LeftBehavior, sbExtraAccuracy);
    EXPECT_EQ(d.Rows.Item(0)->AtBehavior, sbAtUndefined);
    EXPECT_EQ(d.Rows.Item(0)->RightBehavior, sbNegativeInfinity);
    EXPECT_TRUE(t.hook->Messages.empty());
}

TEST(Add2DFuncDlg, ShowValuesOpensTheRowValuesOfACheckedRow) {
    TOpenDialog t;
    t.open();
    TAdd2DFuncDlg& d = *t.d;
    t.typeAt(0, gcFirst, "10");
    t.typeAt(0, gcSecond, "8");
    t.typeAt(0, gcEnd, "1");
    std::string shown;
    t.hook->ScriptModal([&](QDialog& form) {
        shown = static_cast<TSpec2DValuesRowDlg&>(form).ValueListMemo->toPlainText().toStdString();
        return int(mrOk);
    });
    QTest::mouseClick(d.ShowValuesButton, Qt::LeftButton);
    EXPECT_EQ(shown, "10, 8, 6, 4, 2, 1");
    // An empty row has no object and shows nothing.
    t.click(1, gcFirst);
    QTest::mouseClick(d.ShowValuesButton, Qt::LeftButton);
    EXPECT_EQ(t.hook->ModalForms.size(), 1u);
}

TEST(Add2DFuncDlg, LaunchersStoreOnOkAndLeaveTheFunctionOnCancel) {
    TScopedScriptedUiHook hook;
    TFunc2DObj f;
    f.Func.SetExpression("X*X");
    f.LoBoundStr = "-1";
    f.FuncColor = clRed;
    f.LineWidth = 3;
    f.SpecialValues.Items.push_back(row("0"));
    f.SpecialValues.Items.push_back(row("1", "2", "3", "", 3, 0, 4));
    // Cancel after edits of every kind.
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TAdd2DFuncDlg&>(form);
        EXPECT_EQ(d.windowTitle(), "Modify 2D Function");
        d.EUserFuncStr->setText("COS(X)");
        d.Rows.Cell(0, gcFirst) = "5";
        d.ValidateGridRow(0);
        d.ELineWidth->setValue(9);
        d.done(mrCancel);
        return d.result();
    });
    EXPECT_FALSE(ModifyFunction2DDialog(f, nullptr));
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.Func.GetExpression(), "X*X");
    EXPECT_EQ(f.SpecialValues.Items[0]->FirstStr, "0");
    EXPECT_EQ(f.LineWidth, 3);

    // OK in add mode: the expression edit has the focus, everything is stored.
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TAdd2DFuncDlg&>(form);
        EXPECT_EQ(d.windowTitle(), "Add 2D Function");
        EXPECT_TRUE(ShowActive(d));
        EXPECT_EQ(Focused(), d.EUserFuncStr);
        EXPECT_EQ(d.PageControl1->currentIndex(), 0);
        PressKey(Qt::Key_End);
        TypeText("+1");
        d.EHiBoundStr->setText("4");
        d.EAsymFixUp->setChecked(true);
        d.ELineWidth->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(d.LineWidthLabel->text(), "4");
        d.done(mrOk);
        return d.result();
    });
    EXPECT_TRUE(AddFunction2DDialog(f, nullptr));
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.Func.GetExpression(), "X*X+1");
    EXPECT_EQ(f.Func.State, msCompiled);
    EXPECT_FALSE(f.LoBoundEmpty);
    EXPECT_EQ(f.LoBound.FloatValue, -1);
    EXPECT_FALSE(f.HiBoundEmpty);
    EXPECT_EQ(f.HiBound.FloatValue, 4);
    EXPECT_TRUE(f.AsymFixUp);
    EXPECT_EQ(f.LineWidth, 4);
    EXPECT_EQ(f.FuncColor, clRed);
    ASSERT_EQ(f.SpecialValues.Items.size(), 2u);
    EXPECT_EQ(f.SpecialValues.Points().size(), 4u); // 0, 1, 2, 3
    EXPECT_TRUE(hook->Messages.empty());

    // A stored row whose f(x) no longer compiles: the points fail, the dialog still says OK.
    f.SpecialValues.Items.push_back(row("1", "2", "3", "X"));
    f.SpecialValues.Items.back()->FuncStr = "SIN(";
    hook->ScriptModal([](QDialog& form) {
        form.done(mrOk);
        return form.result();
    });
    EXPECT_TRUE(ModifyFunction2DDialog(f, nullptr));
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error calculating special X values to plot."});
    EXPECT_EQ(hook->Messages[0].Owner, nullptr);
    EXPECT_EQ(f.SpecialValues.Items.size(), 3u);
    EXPECT_TRUE(f.SpecialValues.Points().empty());
}

TEST(Add2DFuncDlg, RowsSurviveStoreSaveLoadAndReopen) {
    TScopedScriptedUiHook hook;
    TFunc2DObj f;
    f.Func.SetExpression("1/X");
    // Point rows and series rows typed in the dialog, then stored.
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TAdd2DFuncDlg&>(form);
        EXPECT_TRUE(ShowActive(d));
        d.PageControl1->setCurrentWidget(d.SpecialValTabSheet);
        const char* typed[][7] = {{"0", "", "", "", "posi", "u", "negi"},
                                  {"1", "1.5", "3", "", "Extr", "", ""},
                                  {"PI", "", "", "", "", "", "notc"},
                                  {"10", "8", "1", "X/2", "", "Undef", ""}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < SpecialGridColumns; ++c)
                if (*typed[r][c]) typeCell(d, r, c, typed[r][c]);
        d.done(mrOk);
        return d.result();
    });
    ASSERT_TRUE(AddFunction2DDialog(f, nullptr));
    ASSERT_EQ(f.SpecialValues.Items.size(), 4u);

    QTemporaryDir dir;
    const std::string file = QDir(dir.path()).filePath("rows.qxf").toStdString();
    {
        TWriteGraphFile w;
        ASSERT_TRUE(w.CreateGraphFile(file, GraphKind2D, '.'));
        f.WriteToFile(w);
        ASSERT_TRUE(w.CloseGraphFile());
    }
    TFunc2DObj back;
    {
        TReadGraphFile r;
        ASSERT_TRUE(r.OpenGraphFile(file, '.'));
        ASSERT_TRUE(back.ReadFromFile(r));
        r.CloseGraphFile();
    }
    TAdd2DFuncDlg again;
    again.Load(back);
    EXPECT_EQ(gridTexts(again), (std::vector<std::string>{
                                    "0||||PosI|Undef|NegI", "1|1.5|3||Extr|Auto|Auto", "PI||||Auto|Auto|NotC",
                                    "10|8|1|X/2|Auto|Undef|Auto", "||||Auto|Auto|Auto"}));
    EXPECT_EQ(back.SpecialValues.Points().size(), f.SpecialValues.Points().size());
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(Add2DFuncDlg, GridColumnsFitTheirTitlesAndTheFormRenders) {
    TScopedScriptedUiHook hook;
    TFunc2DObj f;
    f.Func.SetExpression("TAN(X)");
    f.SpecialValues.Items.push_back(row("PI/2", "3*PI/2", "21*PI/2", "", 3, 1, 4));
    f.SpecialValues.Items.push_back(row("0"));
    TAdd2DFuncDlg d;
    d.setWindowTitle("Modify 2D Function");
    d.Load(f);
    ASSERT_TRUE(ShowActive(d));
    QHeaderView* header = d.SpecialValuesGrid->horizontalHeader();
    const int widths[] = {102, 103, 103, 103, 48, 51, 48};
    for (int c = 0; c < SpecialGridColumns; ++c) {
        EXPECT_GE(d.SpecialValuesGrid->columnWidth(c), header->sectionSizeHint(c)) << c;
        EXPECT_GE(d.SpecialValuesGrid->columnWidth(c), widths[c]) << c;
    }
    // Every column is inside the grid's view: none cut off at the right edge.
    const int lastRight = header->sectionViewportPosition(6) + header->sectionSize(6);
    EXPECT_LE(lastRight, d.SpecialValuesGrid->viewport()->width());
    for (QWidget* page : {d.FuncDefTabSheet, d.SpecialValTabSheet}) {
        d.PageControl1->setCurrentWidget(page);
        QImage shot = d.grab().toImage();
        EXPECT_FALSE(shot.isNull());
        // Set QUORIX_SHOTS to a folder to look at the pages.
        if (const QByteArray dirName = qgetenv("QUORIX_SHOTS"); !dirName.isEmpty())
            shot.save(QDir(QString::fromLocal8Bit(dirName))
                          .filePath(page == d.FuncDefTabSheet ? "add2d-page1.png" : "add2d-page2.png"));
    }
}
