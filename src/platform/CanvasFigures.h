#pragma once
// Which pixels a closed figure drawn with a 1-pixel pen covers, row by row, so that the
// canvas sets exactly these pixels whether the figure lies inside the bitmap or reaches
// far beyond it.
//
// An ellipse is inscribed in its box: it keeps the pixels whose centres lie inside the
// ellipse through the box's four edges, every row keeps at least its middle pixel(s) and
// the middle row(s) reach both sides, so the figure touches all four sides, stays inside
// the box and is symmetric about both centre lines. A round rectangle is its corner
// ellipse cut along the centre lines and pulled apart to the box's size; a rectangle is a
// round rectangle without corners.
//
// Of each row's run, the outline is what a 4-neighbour outside the figure touches, so it
// is one 8-connected line without doubled corners; the fill is the rest. Outline and fill
// never overlap and leave no gap.

#include <cstdint>
#include <vector>

class TFigureRows {
public:
    // Columns left..left+width-1, rows top..top+height-1 (width, height >= 1). The corner
    // ellipse is cornerWidth x cornerHeight, cut to the box; 0 in either gives square corners.
    TFigureRows(int64_t left, int64_t top, int64_t width, int64_t height, int64_t cornerWidth,
                int64_t cornerHeight);

    struct TRowRun {
        int64_t First, Last;         // the row's pixels
        int64_t FillFirst, FillLast; // the fill between the outline parts; empty when First > Last
    };
    // y must lie inside the box.
    TRowRun Row(int64_t y) const;

    int64_t Left() const { return left_; }
    int64_t Top() const { return top_; }
    int64_t Width() const { return width_; }
    int64_t Height() const { return height_; }

private:
    friend class TOutlineOrder;
    // Half the run of quadrant row k (0 = top row, up to the middle), in doubled units from
    // the centre: pixels with |u| <= result, u = 2 (x - left) - (width - 1).
    int64_t half(int64_t k) const;
    // Where the outline of quadrant row k starts, in the same units.
    int64_t outlineStart(int64_t k) const;
    int64_t quadrantRow(int64_t y) const;

    int64_t left_, top_, width_, height_;
    int64_t cornerW_, cornerH_;
    int64_t parityU_; // (width - 1) mod 2: the smallest |u| of a pixel
};

// The place of each outline pixel along the closed outline, clockwise from the leftmost
// pixel of the top row, for dashed pens. Built for the rows that will be asked
// (firstRow..lastRow inclusive); the cost is one pass over half the figure's rows.
class TOutlineOrder {
public:
    TOutlineOrder(const TFigureRows& rows, int64_t firstRow, int64_t lastRow);
    int64_t Length() const { return total_; }
    // (x, y) must be an outline pixel of a row that was asked for.
    int64_t Index(int64_t x, int64_t y) const;

private:
    int64_t countBefore(int64_t k) const; // outline pixels of quadrant rows 0..k-1

    const TFigureRows& rows_;
    bool straight_ = false; // one row or one column: a plain line
    int64_t quadrant_ = 0;  // outline pixels of the top-right quarter, shared ones included
    int64_t centreColumn_ = 0, middleRow_ = 0, total_ = 0, start_ = 0;
    // countBefore of two stretches of quadrant rows: those the asked rows map to.
    int64_t firstK_[2] = {0, 0};
    std::vector<int64_t> counts_[2];
};

// The largest r with r * r <= v.
uint64_t IntegerSquareRoot(uint64_t v);
