#pragma once
// The special-values grid of the 2D function dialog without its window: the cells of each
// row, the row object a row may own, the row check, the trailing empty row and the row
// operations (insert, delete, move). The form mirrors these rows in its table widget and
// shows the messages the checks return; tests drive this class directly too.
//
// Rows are numbered from 0 (the first row under the column titles).

#include "model/func2d.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Columns of the grid.
enum : int { gcFirst = 0, gcSecond = 1, gcEnd = 2, gcFunc = 3, gcLeft = 4, gcAt = 5, gcRight = 6 };
inline constexpr int SpecialGridColumns = 7;
// Column titles.
extern const std::array<const char*, SpecialGridColumns> SpecialGridTitles;
// Insert adds a row only while the grid holds at most this many rows, the title row included.
inline constexpr int MaxSpecialGridRows = 1083;

// Texts of the behaviour codes in the cells ("Auto", "Extr", ... and "Auto", "Undef").
std::string SideBehaviorText(uint8_t code);
std::string AtBehaviorText(uint8_t code);
// A cell read back: blanks and control characters dropped, upper case; a side text that
// names no code is 0 (Auto); an at-value text starting with "U" is 1 (Undefined).
uint8_t ReadSideBehavior(const std::string& cell);
uint8_t ReadAtBehavior(const std::string& cell);

struct TSpecialGridRow {
    std::array<std::string, SpecialGridColumns> Cells;
    std::unique_ptr<TFunc2DSpecialItem> Item; // the row object; none for an empty row
};

// The outcome of a row check: the message to show and the cell at fault. A message of an
// expression error is shown as the error of the named field (MathErrorName not empty).
struct TRowCheck {
    bool Ok = true;
    std::string Message;
    std::string MathErrorName;
    int Col = gcFirst;
    bool OutOfMemory = false;
};

class TSpecialGridRows {
public:
    TSpecialGridRows();

    std::vector<TSpecialGridRow> Rows;
    // Evaluates the value cells; no variables.
    TMathFunction ConstFunc;
    // Checks the f(x) cells and computes the special points; the one variable "X".
    TMath2DFunc ValueFunc;

    int Count() const { return int(Rows.size()); }
    std::string& Cell(int row, int col) { return Rows.at(size_t(row)).Cells.at(size_t(col)); }
    const std::string& Cell(int row, int col) const { return Rows.at(size_t(row)).Cells.at(size_t(col)); }
    TFunc2DSpecialItem* Item(int row) const { return Rows.at(size_t(row)).Item.get(); }

    // The function's rows as copies, then the trailing-row rule; one empty row when it
    // has none.
    void Load(const TFunc2DSpecialValues& values);
    // Appends an empty row when the last row has text in a value cell or there is no row.
    bool ApplyTrailingRowRule();
    // Rewrites a behaviour cell (columns 4 to 6) as its canonical text and stores the
    // code in the row object, when there is one.
    void NormalizeBehaviorCell(int row, int col);
    // The row check: on success the row object holds the row (an empty row loses it).
    TRowCheck ValidateRow(int row);
    // The special x values of the row objects, with OtherValues that the graph's other
    // functions hold, must stay within what a graph may hold.
    TRowCheck CheckGraphValues(int64_t otherValues) const;

    // A new empty row at row, the rows from there one lower; false at the limit.
    bool InsertRow(int row);
    // Frees the row object; the last row is emptied, any other removed.
    void DeleteRow(int row);
    // Swaps row with the row below (above); false when the move is not allowed there.
    bool MoveDown(int row);
    bool MoveUp(int row);
    // A behaviour chosen in the form's controls: the row object and the cell take it.
    void SetBehavior(int row, int col, uint8_t code);

    // Moves the row objects, in order, into values (whose old rows and points go).
    void StoreInto(TFunc2DSpecialValues& values);

private:
    static TSpecialGridRow emptyRow();
    TRowCheck evaluateValueCells(int row, std::array<TMathValue, 3>& values);
    TRowCheck checkLimits(int row) const;
};
