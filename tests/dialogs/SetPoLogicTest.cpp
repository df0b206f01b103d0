#include "dialogs/SetPoLogic.h"

#include "common/GraphFileBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<long double> angles(std::initializer_list<long double> a) {
    return a;
}

std::vector<long double> readAndSort(const std::vector<std::string>& lines) {
    TAxisListRead read = ReadAxisLines(lines);
    EXPECT_TRUE(read.Ok);
    TAxisList list;
    SetAxisAngles(list, read.Angles);
    SortAxisList(list);
    return list.InUse();
}

} // namespace

TEST(SetPoLogic, AxisLinesAreReadReducedSortedAndMadeUnique) {
    EXPECT_EQ(readAndSort({"90", "0", "90", "45"}), angles({0, 45, 90}));
    EXPECT_EQ(readAndSort({}), angles({}));
    EXPECT_EQ(readAndSort({""}), angles({}));
    EXPECT_EQ(readAndSort({"", "  ", "370", " -90 ", "720", "0", ""}), angles({0, 10, 270}));
    EXPECT_EQ(readAndSort({"1.5", "1.5", "1.5", "0.5", "1.5"}), angles({0.5, 1.5}));

    // 400 good lines: the first 360 angles count, the rest is never looked at.
    std::vector<std::string> many;
    for (int i = 0; i < 400; ++i)
        many.push_back(std::to_string(i % 360 == i ? i : i - 360 + 1000));
    many[370] = "not read";
    const TAxisListRead read = ReadAxisLines(many);
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Angles.size(), 360u);
    EXPECT_EQ(read.Angles[359], 359);

    // The bad line's index counts every line from 0, empty ones too.
    struct TBad {
        std::vector<std::string> lines;
        int line;
    };
    const TBad bad[] = {
        {{"abc"}, 0}, {{"10", "abc"}, 1}, {{"", "10", "", "1.2.3", "x"}, 3}, {{"10", "5,5"}, 1}};
    for (const auto& b : bad) {
        const TAxisListRead r = ReadAxisLines(b.lines);
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.BadLine, b.line);
    }
    EXPECT_EQ(AxisAngleErrorMessage(1), "Invalid numeric format in axis angle #1");

    // With ',' as the user's separator the lines read and show with it.
    recordtest::TDecimalSeparator comma(',');
    EXPECT_EQ(readAndSort({"22,5", "7"}), angles({7, 22.5}));
    TAxisList list;
    SetAxisAngles(list, {22.5L, 400});
    EXPECT_EQ(AxisListLines(list), (std::vector<std::string>{"22,5", "40"}));
}

TEST(SetPoLogic, SetAnglesKeepsTheSlotsAfterTheList) {
    TAxisList list;
    list.Angles.fill(7);
    SetAxisAngles(list, {3, 1, 2});
    EXPECT_EQ(list.Count, 3);
    EXPECT_EQ(list.Angles[3], 7);
    SortAxisList(list);
    EXPECT_EQ(list.InUse(), angles({1, 2, 3}));
    EXPECT_EQ(list.Angles[359], 7);
}

TEST(SetPoLogic, StandardListsAndIntervals) {
    EXPECT_TRUE(StdAxisAngles(saNone, 15).empty());
    EXPECT_EQ(StdAxisAngles(sa90, 15), angles({0, 90, 180, 270}));
    EXPECT_EQ(StdAxisAngles(sa45, 15), angles({0, 45, 90, 135, 180, 225, 270, 315}));
    const std::vector<long double> thirty = StdAxisAngles(sa30, 15);
    ASSERT_EQ(thirty.size(), 12u);
    EXPECT_EQ(thirty.back(), 330);
    const std::vector<long double> fifteen = StdAxisAngles(saIntervals, 15);
    ASSERT_EQ(fifteen.size(), 24u);
    EXPECT_EQ(fifteen.back(), 345);
    EXPECT_EQ(StdAxisAngles(saIntervals, 359), angles({0, 359}));
    const std::vector<long double> one = StdAxisAngles(saIntervals, 1);
    ASSERT_EQ(one.size(), 360u);
    EXPECT_EQ(one.back(), 359);
    EXPECT_EQ(StdAxisAngles(saIntervals, 0.5L).size(), 360u); // at most 360 angles
    EXPECT_EQ(StdAxisAngles(saIntervals, 100), angles({0, 100, 200, 300}));
}

TEST(SetPoLogic, EachTickTypeKeepsItsOwnSize) {
    TPolarTickSizes sizes;
    sizes.Type = pkDashes;
    sizes.DashLength = 5;
    sizes.CircleWidth = 2;
    auto shown = sizes.Change(8, pkCircles); // the user moved the bar to 8 with dashes
    EXPECT_EQ(shown.Position, 2);
    EXPECT_STREQ(shown.Caption, "Circle Width");
    shown = sizes.Change(3, pkDashes);
    EXPECT_EQ(shown.Position, 8);
    EXPECT_STREQ(shown.Caption, "Dash Length");
    shown = sizes.Change(8, pkNone);
    EXPECT_EQ(shown.Position, 1);
    EXPECT_STREQ(shown.Caption, "No Tick Marks");
    shown = sizes.Change(1, pkCircles); // none keeps nothing
    EXPECT_EQ(shown.Position, 3);
    EXPECT_EQ(sizes.DashLength, 8);
    // A loaded code beyond the three shows none and keeps no size when left.
    sizes.Type = 9;
    EXPECT_STREQ(sizes.ShownFor(9).Caption, "No Tick Marks");
    sizes.Change(6, pkDashes);
    EXPECT_EQ(sizes.DashLength, 8);
    EXPECT_EQ(sizes.CircleWidth, 3);

    EXPECT_EQ(sizes.TakePosition(pkCircles, 4), pkCircles);
    EXPECT_EQ(sizes.CircleWidth, 4);
    EXPECT_EQ(sizes.TakePosition(pkNone, 9), pkNone);
    EXPECT_EQ(sizes.TakePosition(7, 9), pkNone);
    EXPECT_EQ(sizes.DashLength, 8);
    EXPECT_EQ(sizes.CircleWidth, 4);
}
