#include "model/func2d.h"

#include "model/FILESAVE.h"
#include "model/RecordValues.h"
#include "platform/Errors.h"

#include <algorithm>
#include <cmath>
#include <mutex>

TMath2DFunc::TMath2DFunc() {
    SetVariableCount(1);
    SetVariableName(0, "X");
}

namespace {
constexpr int32_t ItemRecordSize = 89;
// Offsets of the function record: versions 3 and 4 hold the bounds as packed values,
// version 2 as 80-bit floats.
struct TFuncLayout {
    std::size_t LoBoundEmpty, HiBoundEmpty, LoBound, HiBound, AsymFixUp, ExtraUndefAccuracy, FuncColor,
        LineWidth;
    int32_t Size;
};
constexpr TFuncLayout PackedLayout{0, 1, 2, 29, 56, 57, 58, 62, 66};
constexpr TFuncLayout FloatLayoutV2{0, 1, 2, 12, 22, 23, 24, 28, 32};
constexpr int32_t RecordSizeV1 = 135;
constexpr int ShortTextLenV1 = 50;
// A series stops after this many steps beyond its second value even when it has not
// reached its end (CountSeriesValues refuses such series long before).
constexpr int SeriesStepLimit = 5030;
// The most values one row can expand to: first, second, the steps between and the end.
constexpr int32_t MaxRowValues = SeriesStepLimit + 2;

void checkSeriesValue(const TMathValue& v) {
    QX_ASSERT(v.Kind != mvEmpty, "Empty series value");
}

// Second + d*k (ascending) or Second - d*k (descending), exact where the engine can.
TMathValue seriesValue(const TMathValue& second, const TMathValue& d, int k, bool ascending) {
    TMathValue kv, dk, v;
    IntToMathValue(k, kv);
    MulMathValue(d, kv, dk);
    if (ascending)
        AddMathValue(second, dk, v);
    else
        SubMathValue(second, dk, v);
    return v;
}

// Order of the points: by x, then by the row, so the earliest row wins among equal x.
// A NaN sorts after every number, so the order stays total whatever the values.
int comparePoints(const TSpecialPoint& a, const TSpecialPoint& b) {
    const long double x = a.Value, y = b.Value;
    const bool xn = std::isnan(x), yn = std::isnan(y);
    if (xn != yn) return xn ? 1 : -1;
    if (!xn) {
        if (x < y) return -1;
        if (x > y) return 1;
    }
    if (a.ItemIndex < b.ItemIndex) return -1;
    if (a.ItemIndex > b.ItemIndex) return 1;
    return 0;
}
} // namespace

// ---- TFunc2DSpecialItem ----

TFunc2DSpecialItem::TFunc2DSpecialItem()
    : FirstValue(EmptyMathValue()), SecondValue(EmptyMathValue()), EndValue(EmptyMathValue()) {}

void TFunc2DSpecialItem::AssignFrom(const TFunc2DSpecialItem& source) {
    if (&source != this) *this = source;
}

void TFunc2DSpecialItem::WriteToFile(TWriteGraphFile& writer) const {
    TRecordBuilder rec(ItemRecordSize);
    SetPackedValue(rec, 0, FirstValue);
    SetPackedValue(rec, 27, SecondValue);
    SetPackedValue(rec, 54, EndValue);
    rec.SetByte(81, LeftBehavior);
    rec.SetByte(82, AtBehavior);
    rec.SetByte(83, RightBehavior);
    rec.SetInt32(84, ValueCount);
    rec.SetByte(88, Kind);
    rec.WriteTo(writer);
    writer.WriteMathString(FirstStr);
    writer.WriteMathString(SecondStr);
    writer.WriteMathString(EndStr);
    writer.WriteMathString(FuncStr);
}

void TFunc2DSpecialItem::ReadFromFile(TReadGraphFile& reader) {
    TRecordReader rec(reader, ItemRecordSize);
    FirstValue = rec.PackedMathValue(0);
    SecondValue = rec.PackedMathValue(27);
    EndValue = rec.PackedMathValue(54);
    LeftBehavior = rec.Byte(81);
    AtBehavior = rec.Byte(82);
    RightBehavior = rec.Byte(83);
    // The count sizes the points array: it cannot exceed what one series may hold.
    const int32_t count = rec.Int32(84);
    if (count < 0 || count > MaxSeriesValues) reader.RaiseLoadError();
    ValueCount = count;
    Kind = rec.Byte(88);
    FirstStr = reader.ReadMathString();
    SecondStr = reader.ReadMathString();
    EndStr = reader.ReadMathString();
    FuncStr = reader.ReadMathString();
    // The texts are the truth; the packed values only mirror them.
    for (auto [text, value] : {std::pair{&FirstStr, &FirstValue}, std::pair{&SecondStr, &SecondValue},
                               std::pair{&EndStr, &EndValue}}) {
        if (text->empty())
            *value = EmptyMathValue();
        else
            reader.EvaluateMathConstString(*text, *value);
    }
}

// ---- series ----

bool IsValidSeriesOrder(const TMathValue& First, const TMathValue& Second, const TMathValue& End) {
    checkSeriesValue(First);
    checkSeriesValue(Second);
    checkSeriesValue(End);
    const long double f = First.FloatValue, s = Second.FloatValue, e = End.FloatValue;
    return (f < s && s < e) || (f > s && s > e);
}

bool CountSeriesValues(const TMathValue& First, const TMathValue& Second, const TMathValue& End,
                       int32_t& Count) {
    checkSeriesValue(First);
    checkSeriesValue(Second);
    checkSeriesValue(End);
    Count = 0;
    const long double f = First.FloatValue, s = Second.FloatValue, e = End.FloatValue;
    const bool ascending = f < s && s < e;
    if (!ascending && !(f > s && s > e)) return false;
    Count = 3;
    const long double d = std::fabs(s - f);
    for (long double k = 1;; k += 1) {
        const long double v = ascending ? s + d * k : s - d * k;
        if (ascending ? v >= e : v <= e) break;
        if (++Count > MaxSeriesValues) return false;
    }
    return true;
}

bool ExpandSpecialItem(const TFunc2DSpecialItem& item, TMathFunction& Func,
                       const std::function<void(const TMathValue&)>& addValue) {
    if (item.Kind == skSingleValue) {
        addValue(item.FirstValue);
        return true;
    }
    checkSeriesValue(item.FirstValue);
    checkSeriesValue(item.SecondValue);
    checkSeriesValue(item.EndValue);
    const bool throughFunc = item.Kind == skSeriesFunc;
    if (throughFunc) {
        Func.SetExpression(item.FuncStr);
        if (!Func.CompileMathFunc()) return false;
    }
    // Where f fails for a value, the value itself stands for it.
    auto addThrough = [&](const TMathValue& v) {
        if (throughFunc) {
            Func.SetVariableValue(0, v);
            if (Func.EvaluateMathFunc()) {
                addValue(Func.ResultValue);
                return;
            }
        }
        addValue(v);
    };
    addThrough(item.FirstValue);
    addThrough(item.SecondValue);
    const long double f = item.FirstValue.FloatValue, s = item.SecondValue.FloatValue,
                      e = item.EndValue.FloatValue;
    const bool ascending = f < s && s < e;
    const bool descending = f > s && s > e;
    if (ascending || descending) {
        // Each value is computed from the second, not accumulated, so an exact
        // step such as 3/10 lands on 0.6 and 0.9 exactly.
        TMathValue diff, d;
        if (ascending)
            SubMathValue(item.SecondValue, item.FirstValue, diff);
        else
            SubMathValue(item.FirstValue, item.SecondValue, diff);
        AbsMathValue(diff, d);
        for (int k = 1; k < SeriesStepLimit; ++k) {
            const TMathValue v = seriesValue(item.SecondValue, d, k, ascending);
            if (ascending ? v.FloatValue >= e : v.FloatValue <= e) break;
            addThrough(v);
        }
    }
    addThrough(item.EndValue);
    return true;
}

// ---- TSpecialPointSet ----

namespace {

// Thrown from inside an expansion that the drawing run stopped.
struct TExpansionStopped {};

// Whether a row expands without failing: a series needs its three values, and f(x) must
// compile (Func takes its text).
bool canExpand(const TFunc2DSpecialItem& item, TMathFunction& Func) {
    if (item.Kind == skSingleValue) return true;
    if (item.FirstValue.Kind == mvEmpty || item.SecondValue.Kind == mvEmpty || item.EndValue.Kind == mvEmpty)
        return false;
    if (item.Kind != skSeriesFunc) return true;
    Func.SetExpression(item.FuncStr);
    return Func.CompileMathFunc();
}

// Sorted by x, then by row; of equal x only the first, the earliest row's, stays. Points of
// equal x and row are alike in every field, so any sort gives the same array.
void sortPoints(TSpecialPointArray& points) {
    std::sort(points.begin(), points.end(),
              [](const TSpecialPoint& a, const TSpecialPoint& b) { return comparePoints(a, b) < 0; });
    for (size_t i = 1; i < points.size(); ++i)
        if (points[i].Value == points[i - 1].Value) points[i].ItemIndex = -1;
    std::erase_if(points, [](const TSpecialPoint& p) { return p.ItemIndex == -1; });
}

} // namespace

class TSpecialPointSet {
public:
    TSpecialPointSet() : expanded_(true) {} // no points
    explicit TSpecialPointSet(std::vector<TFunc2DSpecialItem> rows) : rows_(std::move(rows)) {}

    // Held for the whole expansion: a second caller waits for the first one's points rather
    // than working them out again.
    const TSpecialPointArray* Expand(const std::function<bool()>& aborted) {
        std::lock_guard lock(mutex_);
        if (!expanded_) {
            if (!expandRows(aborted)) return nullptr;
            expanded_ = true;
            rows_ = {};
        }
        return &points_; // never changes again
    }

private:
    // False when Aborted stopped it; a failure leaves no points and counts as done.
    bool expandRows(const std::function<bool()>& aborted) {
        points_.clear();
        try {
            int64_t total = 0;
            for (const TFunc2DSpecialItem& row : rows_)
                total += SpecialItemValueCount(row);
            points_.reserve(size_t(total));
            TMath2DFunc func; // the one variable "X" that series through f(x) use
            uint32_t sinceAsked = 0;
            for (size_t i = 0; i < rows_.size(); ++i) {
                const TFunc2DSpecialItem& row = rows_[i];
                const bool expanded = ExpandSpecialItem(row, func, [&](const TMathValue& value) {
                    if (aborted && ++sinceAsked % 256 == 0 && aborted()) throw TExpansionStopped{};
                    points_.push_back(
                        {value.FloatValue, int32_t(i), row.LeftBehavior, row.AtBehavior, row.RightBehavior});
                });
                if (!expanded) {
                    points_.clear();
                    return true;
                }
            }
            sortPoints(points_);
            points_.shrink_to_fit();
        } catch (const TExpansionStopped&) {
            points_ = {};
            return false;
        } catch (...) {
            // Assertions, arithmetic errors and running out of memory all leave no points.
            points_ = {};
        }
        return true;
    }

    std::mutex mutex_;
    bool expanded_ = false;
    std::vector<TFunc2DSpecialItem> rows_; // until the points are worked out
    TSpecialPointArray points_;
};

// ---- TFunc2DSpecialValues ----

int64_t SpecialItemValueCount(const TFunc2DSpecialItem& item) {
    if (item.Kind == skSingleValue) return 1;
    if (item.Kind == skSeries || item.Kind == skSeriesFunc)
        return std::clamp<int64_t>(item.ValueCount, 0, MaxRowValues);
    return MaxRowValues;
}

void TFunc2DSpecialValues::Clear() {
    Items.clear();
    points_.reset();
}

bool TFunc2DSpecialValues::CalculateValues(TMathFunction& Func) {
    try {
        points_.reset();
        for (const auto& item : Items)
            if (!canExpand(*item, Func)) {
                points_ = std::make_shared<TSpecialPointSet>();
                return false;
            }
        std::vector<TFunc2DSpecialItem> rows;
        rows.reserve(Items.size());
        for (const auto& item : Items)
            rows.push_back(*item);
        points_ = std::make_shared<TSpecialPointSet>(std::move(rows));
        return true;
    } catch (...) {
        points_ = std::make_shared<TSpecialPointSet>();
        return false;
    }
}

const TSpecialPointArray& TFunc2DSpecialValues::Points() const {
    return *ExpandPoints(nullptr);
}

const TSpecialPointArray* TFunc2DSpecialValues::ExpandPoints(const std::function<bool()>& Aborted) const {
    static const TSpecialPointArray none;
    if (!points_) return &none;
    return points_->Expand(Aborted);
}

int64_t TFunc2DSpecialValues::ValueCount() const {
    int64_t total = 0;
    for (const auto& item : Items)
        total += SpecialItemValueCount(*item);
    return total;
}

void TFunc2DSpecialValues::WriteToFile(TWriteGraphFile& writer) const {
    writer.WriteInteger(int32_t(Items.size()));
    for (const auto& item : Items)
        item->WriteToFile(writer);
}

bool TFunc2DSpecialValues::ReadFromFile(TReadGraphFile& reader) {
    Clear();
    bool result = true;
    const int32_t count = reader.ReadInteger();
    // Rows come from the function dialog, which holds at most MaxSeriesRows series rows
    // and MaxPointRows single values; a larger count is not a file of this program.
    if (count > MaxSeriesRows + MaxPointRows) reader.RaiseLoadError();
    if (count > 15) Items.reserve(size_t(count));
    if (reader.VersionNumber() == 2) {
        // Version 2 knew single values only.
        for (int32_t i = 0; i < count; ++i) {
            auto item = std::make_unique<TFunc2DSpecialItem>();
            reader.ReadMathConstString(item->FirstStr, item->FirstValue, false);
            Items.push_back(std::move(item));
        }
        // Followed by entries of 10 bytes that later versions compute instead of storing.
        const int32_t skipped = reader.ReadInteger();
        for (int32_t i = 0; i < skipped; ++i)
            reader.SkipBytes(10);
        return result;
    }
    int seriesRows = 0, pointRows = 0;
    for (int32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<TFunc2DSpecialItem>();
        item->ReadFromFile(reader);
        if (item->Kind == skSingleValue) {
            if (++pointRows > MaxPointRows) reader.RaiseLoadError();
            Items.push_back(std::move(item));
            continue;
        }
        if (++seriesRows > MaxSeriesRows) reader.RaiseLoadError();
        if (item->Kind == skSeries || item->Kind == skSeriesFunc) {
            // A series needs all three values in a usable order; a row that has lost
            // one is dropped and reported, never asserted on.
            int32_t n = 0;
            const bool complete = item->FirstValue.Kind != mvEmpty && item->SecondValue.Kind != mvEmpty &&
                                  item->EndValue.Kind != mvEmpty;
            // CountSeriesValues refuses a series out of order as well.
            if (!complete || !CountSeriesValues(item->FirstValue, item->SecondValue, item->EndValue, n)) {
                result = false;
                continue;
            }
            item->ValueCount = n;
        }
        Items.push_back(std::move(item));
    }
    return result;
}

void TFunc2DSpecialValues::SharePointsOf(const TFunc2DSpecialValues& source) {
    if (&source == this) return;
    Items.clear();
    points_ = source.points_;
}

// ---- TFunc2DObj ----

TFunc2DObj::TFunc2DObj() : LoBound(EmptyMathValue()), HiBound(EmptyMathValue()) {}

std::unique_ptr<TSequenceListObj> TFunc2DObj::Clone() const {
    return std::make_unique<TFunc2DObj>();
}

void TFunc2DObj::Assign(const TSequenceListObj& Source) {
    const auto& src = SequenceSourceAs<TFunc2DObj>(Source);
    if (&src == this) return;
    Func.Assign(src.Func);
    LoBoundStr = src.LoBoundStr;
    HiBoundStr = src.HiBoundStr;
    LoBoundEmpty = src.LoBoundEmpty;
    HiBoundEmpty = src.HiBoundEmpty;
    LoBound = src.LoBound;
    HiBound = src.HiBound;
    AsymFixUp = src.AsymFixUp;
    ExtraUndefAccuracy = src.ExtraUndefAccuracy;
    FuncColor = src.FuncColor;
    LineWidth = src.LineWidth;
    SpecialValues.SharePointsOf(src.SpecialValues);
}

std::string TFunc2DObj::GetDescription() const {
    return "Y=f(x)=" + Func.GetExpression();
}

void TFunc2DObj::WriteToFile(TWriteGraphFile& writer) const {
    const TFuncLayout& l = PackedLayout;
    TRecordBuilder rec(l.Size);
    rec.SetBoolean(l.LoBoundEmpty, LoBoundEmpty);
    rec.SetBoolean(l.HiBoundEmpty, HiBoundEmpty);
    SetPackedValue(rec, l.LoBound, LoBound);
    SetPackedValue(rec, l.HiBound, HiBound);
    rec.SetBoolean(l.AsymFixUp, AsymFixUp);
    rec.SetBoolean(l.ExtraUndefAccuracy, ExtraUndefAccuracy);
    rec.SetColor(l.FuncColor, FuncColor);
    rec.SetInt32(l.LineWidth, LineWidth);
    rec.WriteTo(writer);
    writer.WriteMathString(LoBoundStr);
    writer.WriteMathString(HiBoundStr);
    SpecialValues.WriteToFile(writer);
    Func.WriteToFile(writer);
}

bool TFunc2DObj::ReadFromFile(TReadGraphFile& reader) {
    Modified = true;
    bool result = true;
    const int version = reader.VersionNumber();
    if (version == 1) {
        TRecordReader rec(reader, RecordSizeV1); // bytes 0 to 3 are not used
        LoBoundStr = rec.ShortString(4, ShortTextLenV1);
        HiBoundStr = rec.ShortString(55, ShortTextLenV1);
        LoBoundEmpty = rec.Boolean(106);
        HiBoundEmpty = rec.Boolean(107);
        LoBound = FloatMathValue(rec.Extended(108));
        HiBound = FloatMathValue(rec.Extended(118));
        AsymFixUp = rec.Boolean(128);
        FuncColor = rec.Color(129);
        LineWidth = rec.Int16(133);
        ExtraUndefAccuracy = false;
        Func.ReadFromFile(reader);
        if (!LoBoundEmpty) reader.EvaluateMathConstString(LoBoundStr, LoBound);
        if (!HiBoundEmpty) reader.EvaluateMathConstString(HiBoundStr, HiBound);
        SpecialValues.Clear(); // version 1 knew no special values
    } else {
        const bool packed = version >= 3;
        const TFuncLayout& l = packed ? PackedLayout : FloatLayoutV2;
        TRecordReader rec(reader, l.Size);
        LoBoundEmpty = rec.Boolean(l.LoBoundEmpty);
        HiBoundEmpty = rec.Boolean(l.HiBoundEmpty);
        LoBound = ConstantField(rec, l.LoBound, packed);
        HiBound = ConstantField(rec, l.HiBound, packed);
        AsymFixUp = rec.Boolean(l.AsymFixUp);
        ExtraUndefAccuracy = rec.Boolean(l.ExtraUndefAccuracy);
        FuncColor = rec.Color(l.FuncColor);
        LineWidth = rec.Int32(l.LineWidth);
        // An empty bound keeps the record's value and is never offered for repair.
        reader.ReadMathConstString(LoBoundStr, LoBound, LoBoundEmpty);
        reader.ReadMathConstString(HiBoundStr, HiBound, HiBoundEmpty);
        if (!SpecialValues.ReadFromFile(reader)) result = false;
        Func.ReadFromFile(reader);
    }
    TMath2DFunc valueFunc; // the one variable "X" that series through f(x) use
    if (!SpecialValues.CalculateValues(valueFunc)) result = false;
    return result;
}

int64_t SpecialValueCount(const TBaseFuncObj& Func) {
    const auto* function = dynamic_cast<const TFunc2DObj*>(&Func);
    return function ? function->SpecialValues.ValueCount() : 0;
}

int64_t GraphSpecialValueCount(const std::vector<std::unique_ptr<TBaseFuncObj>>& Functions,
                               const TBaseFuncObj* Except) {
    int64_t total = 0;
    for (const auto& f : Functions)
        if (f && f.get() != Except) total += SpecialValueCount(*f);
    return total;
}
