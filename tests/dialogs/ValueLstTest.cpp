#include "dialogs/ValueLst.h"
#include "dialogs/Add2dfncRows.h"
#include "platform/FormatSettings.h"
#include "platform/ScriptedUiHook.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A row as the grid's check makes it.
std::unique_ptr<TFunc2DSpecialItem> checkedRow(const char* first, const char* second = "",
                                               const char* end = "", const char* func = "") {
    TSpecialGridRows rows;
    rows.Load(TFunc2DSpecialValues());
    rows.Rows[0].Cells = {first, second, end, func, "Auto", "Auto", "Auto"};
    EXPECT_TRUE(rows.ValidateRow(0).Ok) << first << " " << second << " " << end << " " << func;
    return std::move(rows.Rows[0].Item);
}

std::string listOf(const TFunc2DSpecialItem& item, TRowValuesFormat format) {
    TMath2DFunc f;
    std::string list;
    EXPECT_TRUE(BuildRowValuesText(item, f, format, list));
    return list;
}

struct TSeparators {
    TSeparators(char decimal, char list) {
        FormatSettings().DecimalSeparator = decimal;
        FormatSettings().ListSeparator = list;
    }
    ~TSeparators() { ResetFormatSettings(); }
};

} // namespace

TEST(RowValues, ThreeFormatsInRowOrder) {
    struct TCase {
        std::unique_ptr<TFunc2DSpecialItem> item;
        const char* integerFraction;
        const char* fraction;
        const char* decimal;
    };
    TCase cases[] = {
        {checkedRow("0", "0.5", "2"), "0, 1/2, 1, 3/2, 2", "0/1, 1/2, 1/1, 3/2, 2/1", "0, 0.5, 1, 1.5, 2"},
        {checkedRow("PI"), "3.14159265358979", "3.14159265358979", "3.14159265358979"},
        {checkedRow("10", "8", "1"), "10, 8, 6, 4, 2, 1", "10/1, 8/1, 6/1, 4/1, 2/1, 1/1",
         "10, 8, 6, 4, 2, 1"},
        {checkedRow("-1", "-2", "-3", "X*X"), "1, 4, 9", "1/1, 4/1, 9/1", "1, 4, 9"},
        // Where f(x) fails the value itself stands.
        {checkedRow("1", "2", "3", "1/(X-2)"), "-1, 2, 1", "-1/1, 2/1, 1/1", "-1, 2, 1"},
        // 1/3 steps stay exact; the end value comes last even off the step.
        {checkedRow("0", "1/3", "0.9"), "0, 1/3, 2/3, 9/10", "0/1, 1/3, 2/3, 9/10",
         "0, 0.333333333333333, "
         "0.666666666666667, 0.9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item->FirstStr + " " + c.item->SecondStr + " " + c.item->EndStr + " " +
                     c.item->FuncStr);
        EXPECT_EQ(listOf(*c.item, rvIntegerFraction), c.integerFraction);
        EXPECT_EQ(listOf(*c.item, rvFraction), c.fraction);
        EXPECT_EQ(listOf(*c.item, rvDecimal), c.decimal);
    }
    // With a decimal comma the list separator is ';'.
    TSeparators comma(',', ';');
    EXPECT_EQ(listOf(*cases[0].item, rvDecimal), "0; 0,5; 1; 1,5; 2");
    EXPECT_EQ(listOf(*cases[0].item, rvIntegerFraction), "0; 1/2; 1; 3/2; 2");
}

TEST(RowValues, UnbuildableListsShowNoDialog) {
    TScopedScriptedUiHook hook;
    TMath2DFunc f;
    auto broken = checkedRow("1", "2", "3", "X");
    broken->FuncStr = "SIN(";
    TFunc2DSpecialItem empty; // a series without values
    empty.Kind = skSeries;
    std::string list = "old";
    EXPECT_FALSE(BuildRowValuesText(*broken, f, rvDecimal, list));
    EXPECT_FALSE(BuildRowValuesText(empty, f, rvDecimal, list));
    ShowRowValuesDlg(*broken, f, nullptr);
    ShowRowValuesDlg(empty, f, nullptr);
    EXPECT_TRUE(hook->ModalForms.empty());

    // A buildable list opens the dialog; the format buttons build it again.
    auto half = checkedRow("0", "0.5", "2");
    hook->ScriptModal([](QDialog& form) {
        auto& d = static_cast<TSpec2DValuesRowDlg&>(form);
        EXPECT_EQ(d.windowTitle(), "Row Values ");
        EXPECT_EQ(d.HelpContext(), 1020);
        EXPECT_EQ(d.ValueListMemo->toPlainText(), "0, 1/2, 1, 3/2, 2");
        EXPECT_TRUE(d.ValueListMemo->isReadOnly());
        EXPECT_TRUE(d.WasTruncatedLabel->isHidden());
        d.EFraction->click();
        EXPECT_EQ(d.ValueListMemo->toPlainText(), "0/1, 1/2, 1/1, 3/2, 2/1");
        d.EDecimal->click();
        EXPECT_EQ(d.ValueListMemo->toPlainText(), "0, 0.5, 1, 1.5, 2");
        d.done(mrOk);
        return d.result();
    });
    ShowRowValuesDlg(*half, f, nullptr);
    EXPECT_EQ(hook->ModalForms.size(), 1u);
    EXPECT_EQ(hook->Unscripted, 0);
}

TEST(RowValues, LongListsAreCutUntilTheMemoTakesThem) {
    // About 90,000 characters are cut by 100 at a time; about 115,000 first by 1000 at a
    // time down to 100,000, then by 100.
    const std::pair<const char*, const char*> series[] = {
        {"PI", "4998.5*PI"},
        {"-PI/100000000000000000000", "-4998.5*PI/100000000000000000000"},
    };
    for (auto [second, end] : series) {
        SCOPED_TRACE(second);
        auto item = checkedRow("0", second, end);
        ASSERT_EQ(item->ValueCount, 5000);
        TMath2DFunc f;
        std::string full;
        ASSERT_TRUE(BuildRowValuesText(*item, f, rvDecimal, full));
        ASSERT_GT(full.size(), TValueListMemo::Capacity);

        TSpec2DValuesRowDlg d;
        d.Item = item.get();
        d.ValueFunc = &f;
        d.EDecimal->setChecked(true);
        ASSERT_TRUE(d.BuildList());
        const std::string shown = d.ValueListMemo->toPlainText().toStdString();
        EXPECT_FALSE(d.WasTruncatedLabel->isHidden());
        EXPECT_EQ(shown.size(), d.ValueListMemo->TextLength());
        EXPECT_LE(shown.size(), TValueListMemo::Capacity);
        EXPECT_GT(shown.size(), TValueListMemo::Capacity - 100);
        EXPECT_EQ((full.size() - shown.size()) % 100, 0u);
        EXPECT_EQ(full.compare(0, shown.size(), shown), 0);

        // A short list fits and hides the label again.
        auto small = checkedRow("1", "2", "4");
        d.Item = small.get();
        ASSERT_TRUE(d.BuildList());
        EXPECT_TRUE(d.WasTruncatedLabel->isHidden());
        EXPECT_EQ(d.ValueListMemo->toPlainText(), "1, 2, 3, 4");
    }
}
