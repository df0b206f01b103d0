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
        // A mouse click on another row is refused the same way; Tab out of the grid too.
        t.click(0, gcFirst);
        EXPECT_EQ(t.gridRow(), 1);
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(t.gridRow(), 1);
        EXPECT_EQ(Focused(), d.SpecialValuesGrid->Editor());
        EXPECT_EQ(t.hook->Messages.size(), 3u);
        // The buttons refuse to act on a row with an error.
        QTest::mouseClick(d.AddButton, Qt::LeftButton);
        EXPECT_EQ(t.hook->Messages.size(), 4u);
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
    EXPECT_EQ(t.func.SpecialValues.Points.size(), 3u);
}

TEST(Add2DFuncDlg, EnterAndEscInACellActOnTheCellAndKeepTheDialogAndItsRows) {
    TOpenDialog t;
    t.func.Func.SetExpression("SIN(X)");
    t.open();
    TAdd2DFuncDlg& d = *t.d;
    t.typeAt(0, gcFirst, "1");
    t.typeAt(0, gcSecond, "2");
    QLineEdit* editor = d.SpecialValuesGrid->Editor();
    struct TStep {
        const char* typed;
        Qt::Key key;
        const char* cell;     // the cell's text afterwards
        const char* selected; // in the editor, which keeps the focus
    };
    const TStep steps[] = {
        // Enter commits what was typed and selects it for the next typing.
        {"", Qt::Key_Return, "2", "2"},
        // Esc takes back what was typed since the cell's text was last committed.
        {"5", Qt::Key_Escape, "2", "2"},
        {"", Qt::Key_Escape, "2", "2"},
        {"34", Qt::Key_Enter, "34", "34"},
        {"9", Qt::Key_Escape, "34", "34"},
    };
    for (const TStep& s : steps) {
        SCOPED_TRACE(std::string(s.typed) + " then key " + std::to_string(s.key));
        TypeText(s.typed);
        PressKey(s.key);
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(Focused(), editor);
        EXPECT_EQ(editor->text(), s.cell);
        EXPECT_EQ(editor->selectedText(), s.selected);
        EXPECT_EQ(d.SpecialValuesGrid->CellText(0, gcSecond), s.cell);
        EXPECT_EQ(d.Rows.Cell(0, gcSecond), s.cell);
    }
    EXPECT_EQ(gridTexts(d)[0], "1|34|||Auto|Auto|Auto");
    t.typeAt(0, gcEnd, "40");
    PressKey(Qt::Key_Escape); // the new cell's typing only: the rows stay
    EXPECT_EQ(gridTexts(d)[0], "1|34|||Auto|Auto|Auto");
    TypeText("40");
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(t.hook->Messages.empty());
    // Outside the grid Enter is the dialog's OK again, and the rows are stored.
    d.PageControl1->setCurrentWidget(d.FuncDefTabSheet);
    d.EUserFuncStr->setFocus();
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), mrOk);
    d.Store(t.func);
    ASSERT_EQ(t.func.SpecialValues.Items.size(), 1u);
    EXPECT_EQ(t.func.SpecialValues.Items[0]->EndStr, "40");
    EXPECT_TRUE(t.hook->Messages.empty());
}

TEST(Add2DFuncDlg, OkChecksBoundsAndExpressionInOrder) {
    struct TCase {
        const char* lo;
        const char* hi;
        const char* expr;
        std::string message; // empty: passes
        int page;
    };
    const TCase cases[] = {
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
        t.open();
        TAdd2DFuncDlg& d = *t.d;
        d.PageControl1->setCurrentWidget(d.SpecialValTabSheet);
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
    EXPECT_EQ(f.SpecialValues.Points.size(), 4u); // 0, 1, 2, 3
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
    EXPECT_TRUE(f.SpecialValues.Points.empty());
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
    EXPECT_EQ(back.SpecialValues.Points.size(), f.SpecialValues.Points.size());
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
