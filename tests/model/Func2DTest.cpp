// The 2D function object: special x values and their expansion, the hand-over to the
// drawing copy, and the records of every file version.
#include "common/GraphFileBytes.h"

#include "math/MathFunc.h"
#include "model/func2d.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace recordtest;

namespace {

TMathValue value(const std::string& text) {
    TMathFunction f;
    f.SetExpression(text);
    EXPECT_TRUE(f.CompileMathFunc()) << text;
    return f.ResultValue;
}

std::unique_ptr<TFunc2DSpecialItem> single(const std::string& v, uint8_t left = 0, uint8_t at = 0,
                                           uint8_t right = 0) {
    auto item = std::make_unique<TFunc2DSpecialItem>();
    item->FirstStr = v;
    item->FirstValue = value(v);
    item->LeftBehavior = left;
    item->AtBehavior = at;
    item->RightBehavior = right;
    return item;
}

std::unique_ptr<TFunc2DSpecialItem> series(const std::string& a, const std::string& b, const std::string& e,
                                           const std::string& f = "", uint8_t left = 0) {
    auto item = std::make_unique<TFunc2DSpecialItem>();
    item->FirstStr = a;
    item->SecondStr = b;
    item->EndStr = e;
    item->FirstValue = value(a);
    item->SecondValue = value(b);
    item->EndValue = value(e);
    item->FuncStr = f;
    item->Kind = f.empty() ? skSeries : skSeriesFunc;
    item->LeftBehavior = left;
    int32_t n = 0;
    if (CountSeriesValues(item->FirstValue, item->SecondValue, item->EndValue, n)) item->ValueCount = n;
    return item;
}

// Computes the points of the given rows.
TSpecialPointArray points(std::vector<std::unique_ptr<TFunc2DSpecialItem>> rows, bool* ok = nullptr) {
    TFunc2DSpecialValues sv;
    sv.Items = std::move(rows);
    TMath2DFunc f;
    const bool result = sv.CalculateValues(f);
    if (ok) *ok = result;
    return sv.Points();
}

template <class... T> std::vector<std::unique_ptr<TFunc2DSpecialItem>> rows(T... r) {
    std::vector<std::unique_ptr<TFunc2DSpecialItem>> v;
    (v.push_back(std::move(r)), ...);
    return v;
}

std::vector<long double> xs(const TSpecialPointArray& p) {
    std::vector<long double> v;
    for (const auto& q : p)
        v.push_back(q.Value);
    return v;
}

} // namespace

TEST(Func2DSpecialValues, SeriesExpansion) {
    // Single rows: of equal x the first row's behaviours stay.
    auto p = points(rows(single("1", 3, 1, 4), single("1", 5), single("3")));
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].Value, 1);
    EXPECT_EQ(p[0].ItemIndex, 0);
    EXPECT_EQ(p[0].LeftBehavior, 3);
    EXPECT_EQ(p[0].AtBehavior, 1);
    EXPECT_EQ(p[0].RightBehavior, 4);
    EXPECT_EQ(p[1].ItemIndex, 2);

    EXPECT_EQ(xs(points(rows(series("1", "2", "10")))),
              (std::vector<long double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));

    // Each value is worked out from the second, so none drifts from 0.3, 0.6 and 0.9 by more
    // than the rounding of its last step; the end is added.
    p = points(rows(series("0", "0.3", "1")));
    ASSERT_EQ(p.size(), 5u);
    EXPECT_EQ(p[0].Value, 0);
    EXPECT_LT(std::fabs(p[1].Value - 3.0L / 10.0L), 1e-18L);
    EXPECT_LT(std::fabs(p[2].Value - 3.0L / 5.0L), 1e-18L);
    EXPECT_LT(std::fabs(p[3].Value - 9.0L / 10.0L), 1e-18L);
    EXPECT_EQ(p[4].Value, 1);

    EXPECT_EQ(xs(points(rows(series("10", "8", "1")))), (std::vector<long double>{1, 2, 4, 6, 8, 10}));
    // Neither ascending nor descending: first, second and end only.
    EXPECT_EQ(xs(points(rows(series("1", "3", "2")))), (std::vector<long double>{1, 2, 3}));

    // Through f(x); where f fails the value itself stands.
    EXPECT_EQ(xs(points(rows(series("1", "2", "3", "X*X")))), (std::vector<long double>{1, 4, 9}));
    EXPECT_EQ(xs(points(rows(series("1", "2", "3", "1/(X-2)")))), (std::vector<long double>{-1, 1, 2}));

    // A value shared by a series and a later single row keeps the series row's behaviours,
    // and the other way round.
    p = points(rows(series("0", "1", "3", "", 1), single("2", 5)));
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[2].ItemIndex, 0);
    EXPECT_EQ(p[2].LeftBehavior, 1);
    p = points(rows(single("2", 5), series("0", "1", "3", "", 1)));
    EXPECT_EQ(p[2].ItemIndex, 0);
    EXPECT_EQ(p[2].LeftBehavior, 5);

    // Many rows in random order come out sorted and unique.
    std::vector<std::unique_ptr<TFunc2DSpecialItem>> many;
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i)
        many.push_back(single(std::to_string(int(rng() % 100) - 50)));
    many.push_back(series("-40", "-39.5", "40"));
    p = points(std::move(many));
    EXPECT_TRUE(
        std::is_sorted(p.begin(), p.end(), [](const auto& a, const auto& b) { return a.Value < b.Value; }));
    EXPECT_TRUE(std::adjacent_find(p.begin(), p.end(), [](const auto& a, const auto& b) {
                    return a.Value == b.Value;
                }) == p.end());
}

TEST(Func2DSpecialValues, CountsLimitsAndFailures) {
    int32_t n = 0;
    EXPECT_FALSE(CountSeriesValues(value("0"), value("1"), value("5000"), n));
    EXPECT_TRUE(CountSeriesValues(value("0"), value("1"), value("4999"), n));
    EXPECT_EQ(n, 5000);
    EXPECT_TRUE(CountSeriesValues(value("10"), value("8"), value("1"), n));
    EXPECT_EQ(n, 6);
    EXPECT_FALSE(CountSeriesValues(value("1"), value("3"), value("2"), n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(IsValidSeriesOrder(value("3"), value("2"), value("1")));
    EXPECT_FALSE(IsValidSeriesOrder(value("1"), value("1"), value("2")));
    TMathValue empty;
    ClearMathValue(empty);
    EXPECT_THROW(IsValidSeriesOrder(value("1"), empty, value("2")), EAssertionFailed);
    EXPECT_THROW(CountSeriesValues(empty, value("1"), value("2"), n), EAssertionFailed);

    // 5000 values expand in full; a series nobody counted stops 5029 steps past its second.
    EXPECT_EQ(points(rows(series("0", "1", "4999"))).size(), 5000u);
    auto long_ = series("0", "1", "100000");
    long_->ValueCount = 3;
    auto p = points(rows(std::move(long_)));
    ASSERT_EQ(p.size(), 5032u);
    EXPECT_EQ(p[5030].Value, 5030);
    EXPECT_EQ(p[5031].Value, 100000);

    // An f(x) that does not compile, or an empty series value, leaves no points.
    bool ok = true;
    TFunc2DSpecialValues sv;
    sv.Items = rows(single("5"), series("1", "2", "3", "X+"));
    TMath2DFunc f;
    EXPECT_FALSE(sv.CalculateValues(f));
    EXPECT_TRUE(sv.Points().empty());
    EXPECT_EQ(sv.Items.size(), 2u) << "the rows stay";
    auto broken = series("1", "2", "3");
    ClearMathValue(broken->EndValue);
    EXPECT_TRUE(points(rows(single("5"), std::move(broken)), &ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(points({}, &ok).empty());
    EXPECT_TRUE(ok);
}

TEST(Func2DObj, AssignSharesPointsWorkedOutOnceWithEveryDrawingCopy) {
    TFunc2DObj src;
    src.Func.SetExpression("SIN(X)");
    src.LoBoundStr = "-1";
    src.LoBoundEmpty = false;
    src.LoBound = value("-1");
    src.AsymFixUp = true;
    src.FuncColor = 0x00FF00;
    src.LineWidth = 4;
    src.SpecialValues.Items = rows(single("0", 3), series("1", "2", "4"));
    TMath2DFunc f;
    ASSERT_TRUE(src.SpecialValues.CalculateValues(f));
    ASSERT_EQ(src.SpecialValues.Points().size(), 5u);
    EXPECT_EQ(src.GetDescription(), "Y=f(x)=SIN(X)");

    std::unique_ptr<TSequenceListObj> copy = src.Clone();
    copy->Assign(src);
    auto& dst = dynamic_cast<TFunc2DObj&>(*copy);
    EXPECT_EQ(dst.GetDescription(), "Y=f(x)=SIN(X)");
    EXPECT_EQ(dst.LoBoundStr, "-1");
    EXPECT_FALSE(dst.LoBoundEmpty);
    EXPECT_TRUE(dst.AsymFixUp);
    EXPECT_EQ(dst.FuncColor, 0x00FF00u);
    EXPECT_EQ(dst.LineWidth, 4);
    EXPECT_TRUE(dst.SpecialValues.Items.empty()) << "rows are not copied";
    EXPECT_EQ(xs(dst.SpecialValues.Points()), (std::vector<long double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(src.SpecialValues.Items.size(), 2u);
    EXPECT_EQ(src.SpecialValues.Points().size(), 5u) << "the source keeps its points";

    // A drawing copy rebuilt later from the same, unchanged object still has them.
    TFunc2DObj again;
    again.SpecialValues.Items = rows(single("9"));
    again.Assign(src);
    EXPECT_TRUE(again.SpecialValues.Items.empty());
    EXPECT_EQ(again.SpecialValues.Points().size(), 5u);
    EXPECT_EQ(&again.SpecialValues.Points(), &src.SpecialValues.Points()) << "shared, not copied";

    // The points are worked out by whichever copy asks first; a run stopped meanwhile
    // leaves them to the next one.
    TFunc2DObj big;
    big.SpecialValues.Items = rows(series("1", "2", "1000"));
    ASSERT_TRUE(big.SpecialValues.CalculateValues(f));
    TFunc2DObj drawing;
    drawing.Assign(big);
    int polls = 0;
    EXPECT_EQ(drawing.SpecialValues.ExpandPoints([&] { return ++polls == 2; }), nullptr);
    EXPECT_EQ(polls, 2);
    const TSpecialPointArray* expanded = drawing.SpecialValues.ExpandPoints([] { return false; });
    ASSERT_NE(expanded, nullptr);
    EXPECT_EQ(expanded->size(), 1000u);
    EXPECT_EQ(&big.SpecialValues.Points(), expanded);

    TSequenceListObj* other = nullptr;
    struct TOther : TBaseFuncObj {
        std::unique_ptr<TSequenceListObj> Clone() const override { return std::make_unique<TOther>(); }
        void Assign(const TSequenceListObj&) override {}
        std::string GetDescription() const override { return ""; }
    } foreign;
    other = &foreign;
    EXPECT_THROW(dst.Assign(*other), EConvertError);
    EXPECT_EQ(dst.LineWidth, 4);
}

namespace {

struct Row {
    std::string first, second, end, func;
    uint8_t left = 0, at = 0, right = 0, kind = 0;
    int32_t count = 1;
    void put(ByteBuilder& b) const {
        b.PackedEmpty().PackedEmpty().PackedEmpty().U8(left).U8(at).U8(right).I32(count).U8(kind);
        b.Str(first).Str(second).Str(end).Str(func);
    }
};

ByteBuilder func2DRecord(bool loEmpty, bool hiEmpty, long double hi, uint32_t color, int32_t width) {
    ByteBuilder b;
    b.Bool(loEmpty).Bool(hiEmpty).PackedEmpty().PackedFloat(hi).Bool(true).Bool(false).I32(int32_t(color));
    b.I32(width);
    return b;
}

} // namespace

TEST(Func2DObj, NewestRecordRoundTrip) {
    TScopedScriptedUiHook hook;
    TFunc2DObj d;
    EXPECT_EQ(d.GetDescription(), "Y=f(x)=");
    EXPECT_TRUE(d.LoBoundEmpty && d.HiBoundEmpty);
    EXPECT_EQ(d.LoBound.Kind, mvEmpty);
    EXPECT_EQ(d.FuncColor, 0xFF0000u);
    EXPECT_EQ(d.LineWidth, 1);
    ByteBuilder expected;
    expected.Bool(true).Bool(true).PackedEmpty().PackedEmpty().Bool(false).Bool(false).I32(0xFF0000).I32(1);
    ASSERT_EQ(expected.Size(), 66u);
    expected.Str("").Str("").I32(0).Str("");
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { d.WriteToFile(w); }), expected.b);

    TFunc2DSpecialItem item;
    ByteBuilder row;
    row.PackedEmpty().PackedEmpty().PackedEmpty().U8(0).U8(0).U8(0).I32(1).U8(0);
    ASSERT_EQ(row.Size(), 89u);
    row.Str("").Str("").Str("").Str("");
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { item.WriteToFile(w); }), row.b);

    // With rows of every kind: save, read, save gives the same bytes.
    TFunc2DObj f;
    f.Func.SetExpression("X^2");
    f.HiBoundStr = "2.5";
    f.HiBoundEmpty = false;
    f.HiBound = value("2.5");
    f.ExtraUndefAccuracy = true;
    f.SpecialValues.Items =
        rows(single("0.5", 3, 1, 4), series("0", "0.25", "1"), series("1", "2", "3", "X*X"));
    const Bytes saved = WrittenBody(1, [&](TWriteGraphFile& w) { f.WriteToFile(w); });
    TFunc2DObj back;
    EXPECT_TRUE(ReadBody(4, 1, saved, [&](TReadGraphFile& r) { return back.ReadFromFile(r); }));
    EXPECT_TRUE(back.Modified);
    EXPECT_EQ(back.Func.GetExpression(), "X^2");
    EXPECT_EQ(back.SpecialValues.Items.size(), 3u);
    EXPECT_EQ(xs(back.SpecialValues.Points()), (std::vector<long double>{0, 0.25, 0.5, 0.75, 1, 4, 9}));
    EXPECT_EQ(back.SpecialValues.Points()[1].ItemIndex, 1);
    EXPECT_EQ(back.SpecialValues.Points()[2].LeftBehavior, 3);
    EXPECT_EQ(back.SpecialValues.Items[2]->ValueCount, 3);
    expectExact(back.HiBound, 5, 2);
    EXPECT_EQ(WrittenBody(1, [&](TWriteGraphFile& w) { back.WriteToFile(w); }), saved);
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(Func2DObj, VersionThreeRowsAreCheckedAndEvaluated) {
    TScopedScriptedUiHook hook;
    ByteBuilder b = func2DRecord(false, true, 4.5L, 0x0000FF, 3);
    b.Str("-1").Str("");
    b.I32(5);
    Row{"0.5", "", "", "", 3, 1, 4, 0, 1}.put(b);
    Row{"0", "0.3", "1", "", 0, 0, 0, 1, 99}.put(b); // the count is computed again
    Row{"1", "3", "2", "", 0, 0, 0, 1, 3}.put(b);    // no order: dropped
    Row{"1", "2", "", "", 0, 0, 0, 2, 3}.put(b);     // an empty series value: dropped
    Row{"7", "", "", "", 0, 0, 0, 9, 1}.put(b);      // an unknown kind stays as read
    b.Str("SIN(X)");

    TFunc2DObj f;
    const bool ok = ReadBody(3, 1, b.b, [&](TReadGraphFile& r) { return f.ReadFromFile(r); });
    EXPECT_FALSE(ok) << "dropped rows are reported";
    EXPECT_FALSE(f.LoBoundEmpty);
    expectExact(f.LoBound, -1, 1);
    EXPECT_TRUE(f.HiBoundEmpty);
    EXPECT_EQ(f.HiBound.Kind, mvFloat);
    EXPECT_EQ(f.HiBound.FloatValue, 4.5L);
    EXPECT_TRUE(f.AsymFixUp);
    EXPECT_EQ(f.FuncColor, 0x0000FFu);
    EXPECT_EQ(f.LineWidth, 3);
    ASSERT_EQ(f.SpecialValues.Items.size(), 3u);
    expectExact(f.SpecialValues.Items[0]->FirstValue, 1, 2);
    EXPECT_EQ(f.SpecialValues.Items[0]->SecondValue.Kind, mvEmpty);
    EXPECT_EQ(f.SpecialValues.Items[1]->ValueCount, 5);
    EXPECT_EQ(f.SpecialValues.Items[2]->Kind, 9);
    EXPECT_EQ(f.Func.GetExpression(), "SIN(X)");
    // The unknown kind is expanded as a series and fails on its empty values: no points.
    EXPECT_TRUE(f.SpecialValues.Points().empty());

    // Without the odd rows the same file loads cleanly.
    ByteBuilder c = func2DRecord(true, true, 0, 0, 1);
    c.Str("").Str("").I32(2);
    Row{"0.5", "", "", "", 3, 1, 4, 0, 1}.put(c);
    Row{"0", "0.3", "1", "", 0, 0, 0, 1, 99}.put(c);
    c.Str("X");
    TFunc2DObj g;
    EXPECT_TRUE(ReadBody(4, 1, c.b, [&](TReadGraphFile& r) { return g.ReadFromFile(r); }));
    ASSERT_EQ(g.SpecialValues.Points().size(), 6u);
    EXPECT_LT(std::fabs(g.SpecialValues.Points()[1].Value - 3.0L / 10.0L), 1e-18L);
    EXPECT_LT(std::fabs(g.SpecialValues.Points()[2].Value - 1.0L / 2.0L), 1e-18L);
    EXPECT_EQ(g.SpecialValues.Points()[2].LeftBehavior, 3);
    EXPECT_LT(std::fabs(g.SpecialValues.Points()[4].Value - 9.0L / 10.0L), 1e-18L);
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(Func2DObj, CountsFromAFileAreBounded) {
    TScopedScriptedUiHook hook;
    auto body = [](int32_t rowCount, const std::vector<Row>& rs) {
        ByteBuilder b = func2DRecord(true, true, 0, 0, 1);
        b.Str("").Str("").I32(rowCount);
        for (const Row& r : rs)
            r.put(b);
        b.Str("X");
        return b.b;
    };
    TFunc2DObj f;
    auto fails = [&](const Bytes& b) {
        return LoadFails(4, 1, b, [&](TReadGraphFile& r) { f.ReadFromFile(r); });
    };
    EXPECT_TRUE(fails(body(1051, {})));
    EXPECT_TRUE(fails(body(1, {Row{"1", "", "", "", 0, 0, 0, 0, 5001}})));
    EXPECT_TRUE(fails(body(1, {Row{"1", "", "", "", 0, 0, 0, 0, -1}})));
    EXPECT_FALSE(fails(body(1, {Row{"1", "", "", "", 0, 0, 0, 0, 5000}})));
    std::vector<Row> many(51, Row{"1", "2", "3", "", 0, 0, 0, 1, 3});
    EXPECT_TRUE(fails(body(51, many))) << "at most 50 series rows";
    many.pop_back();
    EXPECT_FALSE(fails(body(50, many)));
    EXPECT_EQ(f.SpecialValues.Items.size(), 50u);
    EXPECT_EQ(f.SpecialValues.Points().size(), 3u);
    // A negative count holds no rows.
    EXPECT_FALSE(fails(body(-4, {})));
    EXPECT_TRUE(f.SpecialValues.Items.empty());
}

TEST(Func2DObj, VersionsOneAndTwo) {
    TScopedScriptedUiHook hook;
    // Version 2: single values only, then entries of 10 bytes that are skipped.
    ByteBuilder b;
    b.Bool(true).Bool(false).Ext(-3).Ext(7.5L).Bool(false).Bool(true).I32(0x00AA00).I32(2);
    ASSERT_EQ(b.Size(), 32u);
    b.Str("junk(").Str("15/2").I32(2).Str("1.5").Str("-2").I32(3).Zeros(30).Str("X+1");
    TFunc2DObj f;
    EXPECT_TRUE(ReadBody(2, 1, b.b, [&](TReadGraphFile& r) { return f.ReadFromFile(r); }));
    EXPECT_TRUE(f.LoBoundEmpty);
    EXPECT_EQ(f.LoBoundStr, "junk(");
    EXPECT_EQ(f.LoBound.FloatValue, -3);
    EXPECT_EQ(f.LoBound.Kind, mvFloat);
    expectExact(f.HiBound, 15, 2);
    EXPECT_TRUE(f.ExtraUndefAccuracy);
    EXPECT_FALSE(f.AsymFixUp);
    EXPECT_EQ(f.LineWidth, 2);
    ASSERT_EQ(f.SpecialValues.Items.size(), 2u);
    EXPECT_EQ(f.SpecialValues.Items[0]->Kind, skSingleValue);
    EXPECT_EQ(f.SpecialValues.Items[0]->FirstStr, "1.5");
    expectExact(f.SpecialValues.Items[0]->FirstValue, 3, 2);
    EXPECT_EQ(f.SpecialValues.Items[1]->ValueCount, 1);
    EXPECT_EQ(xs(f.SpecialValues.Points()), (std::vector<long double>{-2, 1.5}));
    EXPECT_EQ(f.Func.GetExpression(), "X+1");
    EXPECT_TRUE(hook->ModalForms.empty());

    // A skip count of zero or less skips nothing.
    ByteBuilder c;
    c.Bool(true).Bool(true).Ext(0).Ext(0).Bool(false).Bool(false).I32(0).I32(1);
    c.Str("").Str("").I32(0).I32(-5).Str("X");
    EXPECT_TRUE(ReadBody(2, 1, c.b, [&](TReadGraphFile& r) { return f.ReadFromFile(r); }));
    EXPECT_TRUE(f.SpecialValues.Items.empty());

    // Version 1: short texts in the record, the old expression form, no special values.
    ByteBuilder v1;
    v1.Zeros(4).Short("-2.5", 50).Short("", 50).Bool(false).Bool(true).Ext(-2.5L).Ext(99).Bool(true);
    v1.I32(0x0000FF).I16(-2);
    ASSERT_EQ(v1.Size(), 135u);
    v1.U8(0).Short("COS(X)", 255);
    f.SpecialValues.Items = rows(single("4"));
    EXPECT_TRUE(ReadBody(1, 1, v1.b, [&](TReadGraphFile& r) { return f.ReadFromFile(r); }));
    EXPECT_EQ(f.LoBoundStr, "-2.5");
    expectExact(f.LoBound, -5, 2);
    EXPECT_TRUE(f.HiBoundEmpty);
    EXPECT_EQ(f.HiBound.FloatValue, 99);
    EXPECT_TRUE(f.AsymFixUp);
    EXPECT_FALSE(f.ExtraUndefAccuracy);
    EXPECT_EQ(f.FuncColor, 0x0000FFu);
    EXPECT_EQ(f.LineWidth, -2);
    EXPECT_EQ(f.Func.GetExpression(), "COS(X)");
    EXPECT_TRUE(f.SpecialValues.Items.empty());
    EXPECT_TRUE(f.SpecialValues.Points().empty());
}
