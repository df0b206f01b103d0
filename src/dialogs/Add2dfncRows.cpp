#include "dialogs/Add2dfncRows.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <new>

const std::array<const char*, SpecialGridColumns> SpecialGridTitles = {
    "First Value", ", Second Value", ".. End Value", "Function of X f(x)=", "Left", "At Value", "Right"};

namespace {

const std::array<const char*, 6> SideTexts = {"Auto", "Extr", "NoEx", "PosI", "NegI", "NotC"};
const std::array<const char*, 3> ValueNames = {"First Value", "Second Value", "End Value"};

std::string readBack(const std::string& cell) {
    std::string out;
    for (char c : cell) {
        if (c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' ') continue;
        out += char(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool isSeries(const TFunc2DSpecialItem* item) {
    return item && item->Kind != skSingleValue;
}

TRowCheck fail(int col, std::string message, std::string mathErrorName = {}) {
    TRowCheck r;
    r.Ok = false;
    r.Col = col;
    r.Message = std::move(message);
    r.MathErrorName = std::move(mathErrorName);
    return r;
}

// 1004000 as "1,004,000".
std::string groupedThousands(int64_t n) {
    std::string digits = std::to_string(n);
    for (int i = int(digits.size()) - 3; i > (digits[0] == '-' ? 1 : 0); i -= 3)
        digits.insert(size_t(i), ",");
    return digits;
}

} // namespace

std::string SideBehaviorText(uint8_t code) {
    return code < SideTexts.size() ? SideTexts[code] : SideTexts[0];
}

std::string AtBehaviorText(uint8_t code) {
    return code == sbAtUndefined ? "Undef" : "Auto";
}

uint8_t ReadSideBehavior(const std::string& cell) {
    const std::string text = readBack(cell);
    for (size_t code = 0; code < SideTexts.size(); ++code)
        if (text == readBack(SideTexts[code])) return uint8_t(code);
    return sbAutomatic;
}

uint8_t ReadAtBehavior(const std::string& cell) {
    return readBack(cell).starts_with('U') ? sbAtUndefined : sbAtAutoDetect;
}

TSpecialGridRows::TSpecialGridRows() = default;

TSpecialGridRow TSpecialGridRows::emptyRow() {
    TSpecialGridRow row;
    row.Cells[gcLeft] = SideBehaviorText(sbAutomatic);
    row.Cells[gcAt] = AtBehaviorText(sbAtAutoDetect);
    row.Cells[gcRight] = SideBehaviorText(sbAutomatic);
    return row;
}

void TSpecialGridRows::Load(const TFunc2DSpecialValues& values) {
    Rows.clear();
    for (const auto& source : values.Items) {
        TSpecialGridRow row;
        row.Item = std::make_unique<TFunc2DSpecialItem>();
        row.Item->AssignFrom(*source);
        row.Cells = {source->FirstStr,
                     source->SecondStr,
                     source->EndStr,
                     source->FuncStr,
                     SideBehaviorText(source->LeftBehavior),
                     AtBehaviorText(source->AtBehavior),
                     SideBehaviorText(source->RightBehavior)};
        Rows.push_back(std::move(row));
    }
    ApplyTrailingRowRule();
}

bool TSpecialGridRows::ApplyTrailingRowRule() {
    bool append = Rows.empty();
    if (!append) {
        const auto& last = Rows.back().Cells;
        append =
            std::any_of(last.begin(), last.begin() + gcLeft, [](const std::string& c) { return !c.empty(); });
    }
    if (append) Rows.push_back(emptyRow());
    return append;
}

void TSpecialGridRows::NormalizeBehaviorCell(int row, int col) {
    const uint8_t code = col == gcAt ? ReadAtBehavior(Cell(row, col)) : ReadSideBehavior(Cell(row, col));
    SetBehavior(row, col, code);
}

void TSpecialGridRows::SetBehavior(int row, int col, uint8_t code) {
    Cell(row, col) = col == gcAt ? AtBehaviorText(code) : SideBehaviorText(code);
    TFunc2DSpecialItem* item = Item(row);
    if (!item) return;
    if (col == gcLeft) item->LeftBehavior = code;
    if (col == gcAt) item->AtBehavior = code;
    if (col == gcRight) item->RightBehavior = code;
}

TRowCheck TSpecialGridRows::evaluateValueCells(int row, std::array<TMathValue, 3>& values) {
    for (int col = gcFirst; col <= gcEnd; ++col) {
        ClearMathValue(values[size_t(col)]);
        if (Cell(row, col).empty()) continue;
        ConstFunc.SetExpression(Cell(row, col));
        if (!ConstFunc.CompileMathFunc()) return fail(col, ConstFunc.GetErrorText(), ValueNames[size_t(col)]);
        values[size_t(col)] = ConstFunc.ResultValue;
    }
    const std::string& funcText = Cell(row, gcFunc);
    if (funcText.empty()) return {};
    ValueFunc.SetExpression(funcText);
    if (!ValueFunc.CompileMathFunc())
        return fail(gcFunc, ValueFunc.GetErrorText(), SpecialGridTitles[gcFunc]);
    if (!ValueFunc.HasVariables)
        return fail(gcFunc, "Function in field \"Function of X f(x)=\" must contain an \"X\" variable.");
    return {};
}

TRowCheck TSpecialGridRows::ValidateRow(int row) {
    for (int col : {gcLeft, gcAt, gcRight})
        NormalizeBehaviorCell(row, col);
    auto has = [&](int col) { return !Cell(row, col).empty(); };
    if (!has(gcFirst) && !has(gcSecond) && !has(gcEnd) && !has(gcFunc)) {
        Rows[size_t(row)].Item.reset();
        return {};
    }
    if (!has(gcFirst)) return fail(gcFirst, "First Value can not be empty.");
    if (has(gcSecond) || has(gcEnd) || has(gcFunc)) {
        if (!has(gcSecond)) return fail(gcSecond, "Second Value in a series can not be empty.");
        if (!has(gcEnd)) return fail(gcEnd, "End Value in a series can not be empty.");
    }
    const uint8_t kind = has(gcFunc) ? skSeriesFunc : has(gcSecond) ? skSeries : skSingleValue;
    std::array<TMathValue, 3> values;
    if (TRowCheck r = evaluateValueCells(row, values); !r.Ok) return r;
    int32_t count = 1;
    if (kind != skSingleValue) {
        if (!IsValidSeriesOrder(values[0], values[1], values[2]))
            return fail(gcFirst, "Error in series value order, Valid orders are: (First < Second < End) or "
                                 "(First > Second > End).");
        if (!CountSeriesValues(values[0], values[1], values[2], count))
            return fail(gcFirst,
                        "Series can not contain more than " + std::to_string(MaxSeriesValues) + " values.");
    }
    auto& item = Rows[size_t(row)].Item;
    try {
        if (!item) item = std::make_unique<TFunc2DSpecialItem>();
    } catch (const std::bad_alloc&) {
        TRowCheck r = fail(gcFirst, {});
        r.OutOfMemory = true;
        return r;
    }
    item->FirstStr = Cell(row, gcFirst);
    item->SecondStr = Cell(row, gcSecond);
    item->EndStr = Cell(row, gcEnd);
    item->FirstValue = values[0];
    item->SecondValue = values[1];
    item->EndValue = values[2];
    item->FuncStr = Cell(row, gcFunc);
    item->LeftBehavior = ReadSideBehavior(Cell(row, gcLeft));
    item->AtBehavior = ReadAtBehavior(Cell(row, gcAt));
    item->RightBehavior = ReadSideBehavior(Cell(row, gcRight));
    item->ValueCount = count;
    item->Kind = kind;
    return checkLimits(row);
}

TRowCheck TSpecialGridRows::checkLimits(int row) const {
    int series = 0, points = 0;
    for (const auto& r : Rows) {
        if (!r.Item) continue;
        ++(isSeries(r.Item.get()) ? series : points);
    }
    if (isSeries(Item(row))) {
        if (series > MaxSeriesRows)
            return fail(gcFirst,
                        "There can not be more than " + std::to_string(MaxSeriesRows) + " series rows.");
    } else if (points > MaxPointRows) {
        return fail(gcFirst,
                    "There can not be more than " + std::to_string(MaxPointRows) + " point row values.");
    }
    return {};
}

TRowCheck TSpecialGridRows::CheckGraphValues(int64_t otherValues) const {
    int64_t total = otherValues;
    for (const auto& r : Rows)
        if (r.Item) total += SpecialItemValueCount(*r.Item);
    if (total <= MaxGraphSpecialValues) return {};
    return fail(gcFirst, std::string(TooManySpecialValuesText) + "; with these rows there would be " +
                             groupedThousands(total) + ".");
}

bool TSpecialGridRows::InsertRow(int row) {
    if (Count() + 1 > MaxSpecialGridRows) return false;
    Rows.insert(Rows.begin() + std::clamp(row, 0, Count()), emptyRow());
    return true;
}

void TSpecialGridRows::DeleteRow(int row) {
    if (row < 0 || row >= Count()) return;
    if (row == Count() - 1)
        Rows[size_t(row)] = emptyRow();
    else
        Rows.erase(Rows.begin() + row);
}

bool TSpecialGridRows::MoveDown(int row) {
    if (row < 0 || row >= Count() - 2) return false;
    std::swap(Rows[size_t(row)], Rows[size_t(row) + 1]);
    return true;
}

bool TSpecialGridRows::MoveUp(int row) {
    if (row <= 0 || row >= Count() - 1) return false;
    std::swap(Rows[size_t(row)], Rows[size_t(row) - 1]);
    return true;
}

void TSpecialGridRows::StoreInto(TFunc2DSpecialValues& values) {
    values.Clear();
    for (auto& row : Rows)
        if (row.Item) values.Items.push_back(std::move(row.Item));
}
