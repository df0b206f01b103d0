#include "dialogs/Add2dfncRows.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using TCells = std::array<std::string, SpecialGridColumns>;

TCells valueCells(const char* first, const char* second = "", const char* end = "", const char* func = "") {
    return {first, second, end, func, "Auto", "Auto", "Auto"};
}

} // namespace

TEST(SpecialGridRows, BehaviourTextsReadBackAndNormalise) {
    const std::pair<const char*, uint8_t> sides[] = {
        {"Auto", 0}, {"extr", 1},   {" No Ex", 2}, {"posi", 3}, {"N\te\ngI\r", 4},
        {"NOTC", 5}, {"PosInf", 0}, {"", 0},       {"x", 0},    {"Undef", 0},
    };
    for (auto [text, code] : sides)
        EXPECT_EQ(ReadSideBehavior(text), code) << text;
    const std::pair<const char*, uint8_t> ats[] = {{"Undef", 1}, {" u", 1}, {"UNKNOWN", 1},
                                                   {"Auto", 0},  {"", 0},   {"xU", 0}};
    for (auto [text, code] : ats)
        EXPECT_EQ(ReadAtBehavior(text), code) << text;

    TSpecialGridRows rows;
    rows.Load(TFunc2DSpecialValues());
    rows.Cell(0, gcFirst) = "1";
    rows.Cell(0, gcLeft) = "posi";
    rows.Cell(0, gcAt) = "u";
    rows.Cell(0, gcRight) = "whatever";
    ASSERT_TRUE(rows.ValidateRow(0).Ok);
    EXPECT_EQ(rows.Cell(0, gcLeft), "PosI");
    EXPECT_EQ(rows.Cell(0, gcAt), "Undef");
    EXPECT_EQ(rows.Cell(0, gcRight), "Auto");
    ASSERT_NE(rows.Item(0), nullptr);
    EXPECT_EQ(rows.Item(0)->LeftBehavior, sbPositiveInfinity);
    EXPECT_EQ(rows.Item(0)->AtBehavior, sbAtUndefined);
    EXPECT_EQ(rows.Item(0)->RightBehavior, sbAutomatic);
}

TEST(SpecialGridRows, RowCheckMessagesInOrder) {
    struct TCase {
        TCells cells;
        std::string message;
        std::string mathName; // set for expression errors
        int col;
    };
    const std::string orderError =
        "Error in series value order, Valid orders are: (First < Second < End) or (First > Second > End).";
    const TCase cases[] = {
        {valueCells("", "2"), "First Value can not be empty.", "", gcFirst},
        {valueCells("", "", "", "X"), "First Value can not be empty.", "", gcFirst},
        {valueCells("1", "", "3"), "Second Value in a series can not be empty.", "", gcSecond},
        {valueCells("1", "2"), "End Value in a series can not be empty.", "", gcEnd},
        {valueCells("1", "", "", "X"), "Second Value in a series can not be empty.", "", gcSecond},
        {valueCells("1+"), "", "First Value", gcFirst},
        {valueCells("1", "X", "3"), "", "Second Value", gcSecond},
        {valueCells("1", "2", "(3"), "", "End Value", gcEnd},
        {valueCells("1", "2", "3", "SIN("), "", "Function of X f(x)=", gcFunc},
        {valueCells("1", "2", "3", "5"),
         "Function in field \"Function of X f(x)=\" must contain an \"X\" variable.", "", gcFunc},
        {valueCells("1", "3", "2"), orderError, "", gcFirst},
        {valueCells("1", "1", "2"), orderError, "", gcFirst},
        {valueCells("1", "2", "10001"), "Series can not contain more than 5000 values.", "", gcFirst},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cells[0] + "|" + c.cells[1] + "|" + c.cells[2] + "|" + c.cells[3]);
        TSpecialGridRows rows;
        rows.Load(TFunc2DSpecialValues());
        rows.Rows[0].Cells = c.cells;
        TRowCheck r = rows.ValidateRow(0);
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Col, c.col);
        EXPECT_EQ(r.MathErrorName, c.mathName);
        if (c.mathName.empty())
            EXPECT_EQ(r.Message, c.message);
        else
            EXPECT_FALSE(r.Message.empty());
        // Nothing that failed before the row object is filled makes one.
        EXPECT_EQ(rows.Item(0), nullptr);
    }
}

TEST(SpecialGridRows, KindsValuesAndEmptyRows) {
    TSpecialGridRows rows;
    rows.Load(TFunc2DSpecialValues());
    rows.Rows[0].Cells = valueCells("PI");
    rows.InsertRow(1);
    rows.Rows[1].Cells = valueCells("0", "0.5", "2");
    rows.InsertRow(2);
    rows.Rows[2].Cells = valueCells("1", "2", "3", "x*x");
    for (int r = 0; r < 3; ++r)
        ASSERT_TRUE(rows.ValidateRow(r).Ok) << r;
    EXPECT_EQ(rows.Item(0)->Kind, skSingleValue);
    EXPECT_EQ(rows.Item(0)->ValueCount, 1);
    EXPECT_EQ(rows.Item(0)->FirstValue.Kind, mvFloat);
    EXPECT_EQ(rows.Item(1)->Kind, skSeries);
    EXPECT_EQ(rows.Item(1)->ValueCount, 5);
    EXPECT_EQ(rows.Item(1)->SecondValue.Kind, mvFraction);
    EXPECT_EQ(rows.Item(2)->Kind, skSeriesFunc);
    EXPECT_EQ(rows.Item(2)->FuncStr, "x*x");
    EXPECT_EQ(rows.Item(2)->ValueCount, 3);

    // Emptying the value cells drops the row object; the row is skipped on store.
    rows.Rows[1].Cells = valueCells("");
    ASSERT_TRUE(rows.ValidateRow(1).Ok);
    EXPECT_EQ(rows.Item(1), nullptr);
    TFunc2DSpecialValues stored;
    rows.StoreInto(stored);
    ASSERT_EQ(stored.Items.size(), 2u);
    EXPECT_EQ(stored.Items[0]->FirstStr, "PI");
    EXPECT_EQ(stored.Items[1]->FuncStr, "x*x");
}

TEST(SpecialGridRows, TrailingRowInsertDeleteAndMoves) {
    TSpecialGridRows rows;
    rows.Load(TFunc2DSpecialValues());
    ASSERT_EQ(rows.Count(), 1);
    EXPECT_EQ(rows.Rows[0].Cells, valueCells(""));
    EXPECT_FALSE(rows.ApplyTrailingRowRule());
    rows.Cell(0, gcLeft) = "PosI"; // behaviour cells alone need no new row
    EXPECT_FALSE(rows.ApplyTrailingRowRule());
    rows.Cell(0, gcFunc) = "X";
    EXPECT_TRUE(rows.ApplyTrailingRowRule());
    ASSERT_EQ(rows.Count(), 2);

    // Rows a, b, c and the trailing empty row.
    TSpecialGridRows m;
    TFunc2DSpecialValues three;
    for (const char* v : {"1", "2", "3"}) {
        auto item = std::make_unique<TFunc2DSpecialItem>();
        item->FirstStr = v;
        three.Items.push_back(std::move(item));
    }
    m.Load(three);
    ASSERT_EQ(m.Count(), 4);
    auto firsts = [&] {
        std::string s;
        for (const auto& r : m.Rows)
            s += (r.Cells[0].empty() ? "_" : r.Cells[0]) + (r.Item ? "*" : "");
        return s;
    };
    EXPECT_EQ(firsts(), "1*2*3*_");
    EXPECT_FALSE(m.MoveDown(2)); // never into the trailing row
    EXPECT_TRUE(m.MoveDown(1));
    EXPECT_EQ(firsts(), "1*3*2*_");
    EXPECT_FALSE(m.MoveUp(0));
    EXPECT_FALSE(m.MoveUp(3));
    EXPECT_TRUE(m.MoveUp(2));
    EXPECT_EQ(firsts(), "1*2*3*_");
    EXPECT_TRUE(m.InsertRow(1));
    EXPECT_EQ(firsts(), "1*_2*3*_");
    m.DeleteRow(1);
    m.DeleteRow(0);
    EXPECT_EQ(firsts(), "2*3*_");
    m.DeleteRow(2); // the last row is only emptied
    EXPECT_EQ(m.Count(), 3);

    // Insert stops once the grid, title row included, has more than 1083 rows.
    TSpecialGridRows big;
    big.Rows.resize(MaxSpecialGridRows - 1);
    EXPECT_TRUE(big.InsertRow(0));
    EXPECT_EQ(big.Count() + 1, MaxSpecialGridRows + 1);
    EXPECT_FALSE(big.InsertRow(0));
}

TEST(SpecialGridRows, SeriesAndPointRowLimits) {
    TSpecialGridRows rows;
    for (int i = 0; i < MaxSeriesRows + 1; ++i) {
        TSpecialGridRow row;
        row.Cells = valueCells("1", "2", "3");
        rows.Rows.push_back(std::move(row));
    }
    for (int i = 0; i < MaxSeriesRows; ++i)
        ASSERT_TRUE(rows.ValidateRow(i).Ok) << i;
    TRowCheck r = rows.ValidateRow(MaxSeriesRows);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Message, "There can not be more than 50 series rows.");
    // The row object holds the row all the same; a single value is not limited by series.
    ASSERT_NE(rows.Item(MaxSeriesRows), nullptr);
    rows.Rows[size_t(MaxSeriesRows)].Cells = valueCells("7");
    EXPECT_TRUE(rows.ValidateRow(MaxSeriesRows).Ok);

    TSpecialGridRows points;
    points.Rows.resize(size_t(MaxPointRows) + 1);
    for (int i = 0; i <= MaxPointRows; ++i)
        points.Rows[size_t(i)].Cells = valueCells("1");
    for (int i = 0; i < MaxPointRows; ++i)
        ASSERT_TRUE(points.ValidateRow(i).Ok) << i;
    r = points.ValidateRow(MaxPointRows);
    EXPECT_EQ(r.Message, "There can not be more than 1000 point row values.");
    EXPECT_EQ(r.Col, gcFirst);
}
