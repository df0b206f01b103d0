#pragma once
// Curves y = f(x) of 2D cartesian graphs: the expression, an optional lower and upper bound
// of x, drawing options, colour, line width and the user's special x values.
//
// Special x values are rows typed in the function dialog: a single value, a series
// first, second .. end, or such a series passed through f(x). Each row says how the
// curve behaves left of, at and right of its values. The rows expand into one sorted,
// duplicate-free array of points that the plotter walks while it samples the curve.

#include "math/MathCalc.h"
#include "math/MathFunc.h"
#include "model/funcobj.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The expression y = f(x): one variable, "X".
class TMath2DFunc : public TMathGraphFunc {
public:
    TMath2DFunc();
};

// Kinds of a special-values row.
enum : uint8_t { skSingleValue = 0, skSeries = 1, skSeriesFunc = 2 };

// Behaviour codes left and right of a value ...
enum : uint8_t {
    sbAutomatic = 0,
    sbExtraAccuracy = 1,
    sbNoExtraAccuracy = 2,
    sbPositiveInfinity = 3,
    sbNegativeInfinity = 4,
    sbNotContinuous = 5
};
// ... and at the value.
enum : uint8_t { sbAtAutoDetect = 0, sbAtUndefined = 1 };

// Limits of the special values: values one series may hold, and rows of each sort.
inline constexpr int32_t MaxSeriesValues = 5000;
inline constexpr int32_t MaxSeriesRows = 50;
inline constexpr int32_t MaxPointRows = 1000;

// One row of special x values.
class TFunc2DSpecialItem {
public:
    std::string FirstStr;
    std::string SecondStr; // series only
    std::string EndStr;    // series only
    TMathValue FirstValue;
    TMathValue SecondValue;
    TMathValue EndValue;
    std::string FuncStr; // f(x) of a series through a function; its variable is "X"
    uint8_t LeftBehavior = sbAutomatic;
    uint8_t AtBehavior = sbAtAutoDetect;
    uint8_t RightBehavior = sbAutomatic;
    int32_t ValueCount = 1; // how many x values the row expands to
    uint8_t Kind = skSingleValue;

    TFunc2DSpecialItem();
    void AssignFrom(const TFunc2DSpecialItem& source);
    void WriteToFile(TWriteGraphFile& writer) const;
    // The record and its four texts (file version 3 and later); each non-empty value
    // text is evaluated again, an empty one leaves its value cleared.
    void ReadFromFile(TReadGraphFile& reader);
};

// One computed special point: the x value as a float (all the plotter compares), the row it
// came from and the row's three behaviours; 32 bytes.
struct TSpecialPoint {
    long double Value; // the x value
    int32_t ItemIndex; // the row it came from
    uint8_t LeftBehavior;
    uint8_t AtBehavior;
    uint8_t RightBehavior;
};
using TSpecialPointArray = std::vector<TSpecialPoint>;

// Special x values all the functions of one graph may hold together, as their rows count
// them: a function may hold 251,000 (50 full series and 1000 single values), so a graph
// holds about four such. Beyond it the points would cost hundreds of megabytes and
// minutes to work out. A file past it is refused before a value is worked out, and the
// function dialog keeps a graph from passing it.
inline constexpr int64_t MaxGraphSpecialValues = 1000000;
// How the messages that refuse more begin: the dialog's and the file reader's.
inline constexpr const char* TooManySpecialValuesText =
    "There can not be more than 1,000,000 special X values in a graph";

// The points of one set of rows: worked out once, on first use, and then shared by every
// copy of the function that holds the set.
class TSpecialPointSet;

class TFunc2DSpecialValues {
public:
    std::vector<std::unique_ptr<TFunc2DSpecialItem>> Items; // in the dialog's row order

    // Frees every row and drops the points.
    void Clear();
    // Checks that the rows can be expanded (every series complete, every f(x) text compiles
    // in Func, an expression with the one variable "X" that the caller owns) and takes
    // them over for their points. The points themselves are worked out on first use, by
    // the drawing run, so a graph full of values opens without working them out. On
    // failure there are no points and the result is false; the rows stay.
    bool CalculateValues(TMathFunction& Func);
    // The points of the rows CalculateValues last took, sorted by x with no two of equal x;
    // worked out here when nothing has asked before.
    const TSpecialPointArray& Points() const;
    // The same for a drawing run, which Aborted may stop (polled every few hundred values);
    // null when it did, and the next call starts again.
    const TSpecialPointArray* ExpandPoints(const std::function<bool()>& Aborted) const;
    // The x values the rows expand to, as counted before any is worked out.
    int64_t ValueCount() const;
    void WriteToFile(TWriteGraphFile& writer) const;
    // Reads the rows of the reader's version (2 and later); false when a series row had
    // to be dropped. Points are not computed here.
    bool ReadFromFile(TReadGraphFile& reader);
    // The drawing copy of a function shares the source's points (worked out or not); its
    // own rows and points are dropped, and the source keeps both.
    void SharePointsOf(const TFunc2DSpecialValues& source);

private:
    std::shared_ptr<TSpecialPointSet> points_;
};

// How many x values a row expands to, as counted before expanding it: 1 for a single value,
// the series' count for a series, and the most any row can give for a kind no dialog makes.
int64_t SpecialItemValueCount(const TFunc2DSpecialItem& item);

// First < Second < End or First > Second > End, by their floats.
bool IsValidSeriesOrder(const TMathValue& First, const TMathValue& Second, const TMathValue& End);
// How many values the series first, second .. end holds; false for a bad order or more
// than MaxSeriesValues values.
bool CountSeriesValues(const TMathValue& First, const TMathValue& Second, const TMathValue& End,
                       int32_t& Count);

// The x values one row expands to, in row order: a single value; or a series' first and
// second value, the values between them (exact where the engine can, at most 5029) and
// its end value, each passed through the row's f(x) when it has one and kept as it is
// where f(x) fails. Func is an expression with the one variable "X"; for a series through
// f(x) it takes the row's text and is compiled, and a text that does not compile gives
// false. A series with an empty value raises the assertion "Empty series value".
bool ExpandSpecialItem(const TFunc2DSpecialItem& item, TMathFunction& Func,
                       const std::function<void(const TMathValue&)>& addValue);

class TFunc2DObj : public TBaseFuncObj {
public:
    TFunc2DSpecialValues SpecialValues;
    TMath2DFunc Func;
    std::string LoBoundStr;
    std::string HiBoundStr;
    bool LoBoundEmpty = true;
    bool HiBoundEmpty = true;
    TMathValue LoBound;
    TMathValue HiBound;
    bool AsymFixUp = false;          // "Vertical Asymptote Fix Up."
    bool ExtraUndefAccuracy = false; // extra drawing accuracy "Near Undefined Points."
    TColor FuncColor = clBlue;
    int32_t LineWidth = 1;

    TFunc2DObj();

    std::unique_ptr<TSequenceListObj> Clone() const override;
    // Copies everything but the rows; the points are shared, so the drawing copy has them
    // however often it is rebuilt from this object, and they are worked out only once.
    void Assign(const TSequenceListObj& Source) override;
    std::string GetDescription() const override;

    void WriteToFile(TWriteGraphFile& writer) const;
    // Sets the modified flag and reads the record of the reader's version, then computes
    // the special points. False when that failed or a series row was dropped; the object
    // is loaded all the same.
    bool ReadFromFile(TReadGraphFile& reader);
};

// The special x values a function holds (ValueCount); none for a function of another class.
int64_t SpecialValueCount(const TBaseFuncObj& Func);
// The special x values the functions of a list hold together; Except, when given, is left out.
int64_t GraphSpecialValueCount(const std::vector<std::unique_ptr<TBaseFuncObj>>& Functions,
                               const TBaseFuncObj* Except = nullptr);
