#include "platform/CanvasFigures.h"

#include <algorithm>
#include <cmath>

uint64_t IntegerSquareRoot(uint64_t v) {
    using u128 = unsigned __int128;
    uint64_t r = uint64_t(std::sqrt(static_cast<long double>(v)));
    while (r > 0 && u128(r) * r > v)
        --r;
    while (u128(r + 1) * (r + 1) <= v)
        ++r;
    return r;
}

TFigureRows::TFigureRows(int64_t left, int64_t top, int64_t width, int64_t height, int64_t cornerWidth,
                         int64_t cornerHeight)
    : left_(left), top_(top), width_(width), height_(height),
      cornerW_(std::clamp<int64_t>(cornerWidth, 0, width)),
      cornerH_(std::clamp<int64_t>(cornerHeight, 0, height)), parityU_((width - 1) & 1) {}

int64_t TFigureRows::half(int64_t k) const {
    const int64_t cw = cornerW_, ch = cornerH_;
    if (cw <= 0 || ch <= 0 || 2 * k >= ch) return width_ - 1;
    // Row k of the corner ellipse, v its doubled distance from the ellipse's middle. The
    // pixel centres inside satisfy u^2 / cw^2 + v^2 / ch^2 <= 1; widths and heights reach
    // 2^32, so the products need 128 bits.
    const int64_t v = ch - 1 - 2 * k, pu = (cw - 1) & 1;
    int64_t r = cw - 1; // the middle row(s) reach both sides
    if (v > 1) {
        using u128 = unsigned __int128;
        const u128 cw2 = u128(cw) * u128(cw), ch2 = u128(ch) * u128(ch);
        const u128 rest = ch2 - u128(v) * u128(v);
        r = int64_t(IntegerSquareRoot(uint64_t(cw2 * rest / ch2)));
        if ((r - pu) & 1) --r;
        r = std::max(r, pu); // every row keeps its middle pixel(s)
    }
    return r + (width_ - cw);
}

int64_t TFigureRows::outlineStart(int64_t k) const {
    return k == 0 ? parityU_ : std::min(half(k - 1) + 2, half(k));
}

int64_t TFigureRows::quadrantRow(int64_t y) const {
    const int64_t j = y - top_;
    return 2 * j <= height_ - 1 ? j : height_ - 1 - j;
}

TFigureRows::TRowRun TFigureRows::Row(int64_t y) const {
    const int64_t k = quadrantRow(y);
    const int64_t r = half(k), s = outlineStart(k);
    // Doubled offsets from the centre to columns; the parities always match.
    auto column = [&](int64_t u) { return left_ + (u + width_ - 1) / 2; };
    return {column(-r), column(r), column(2 - s), column(s - 2)};
}

// ---- the order along the outline ------------------------------------------------------

// The outline is walked in four quarters, each the top-right quarter mirrored: top middle
// to right middle, on to the bottom middle, the left middle and back. Pixels of the centre
// column belong to the right quarters and pixels of a single middle row to the top ones, so
// each pixel has one place.
TOutlineOrder::TOutlineOrder(const TFigureRows& rows, int64_t firstRow, int64_t lastRow) : rows_(rows) {
    const int64_t W = rows.width_, H = rows.height_, top = rows.top_;
    if (W == 1 || H == 1) {
        straight_ = true;
        total_ = std::max(W, H);
        return;
    }
    const int64_t quarterRows = (H + 1) / 2, pu = rows.parityU_;
    firstRow = std::max(firstRow, top), lastRow = std::min(lastRow, top + H - 1);
    // Asked rows of the top half, and of the bottom half, as quadrant rows.
    const int64_t topEnd = top + (H - 1) / 2;
    int64_t lo[2] = {firstRow - top, top + H - 1 - lastRow};
    int64_t hi[2] = {std::min(lastRow, topEnd) - top, top + H - 1 - std::max(firstRow, topEnd + 1)};
    for (int i = 0; i < 2; ++i) {
        firstK_[i] = lo[i];
        if (hi[i] >= lo[i]) counts_[i].resize(size_t(hi[i] - lo[i] + 1));
    }
    int64_t count = 0, previous = pu - 2, lastLength = 0;
    bool leadingZero = pu == 0;
    centreColumn_ = 0;
    for (int64_t k = 0; k < quarterRows; ++k) {
        for (int i = 0; i < 2; ++i)
            if (k >= lo[i] && k <= hi[i]) counts_[i][size_t(k - lo[i])] = count;
        const int64_t r = rows.half(k), s = std::min(previous + 2, r);
        lastLength = (r - s) / 2 + 1;
        count += lastLength;
        if (leadingZero && (r == 0 || k == 0)) ++centreColumn_;
        leadingZero = leadingZero && r == 0;
        previous = r;
    }
    quadrant_ = count;
    middleRow_ = (H & 1) ? lastLength : 0;
    total_ = 4 * quadrant_ - 2 * centreColumn_ - 2 * middleRow_;
    const int64_t r0 = rows.half(0);
    const int64_t leftQuarterStart = 3 * quadrant_ - centreColumn_ - 2 * middleRow_;
    start_ = r0 == 0 ? 0 : leftQuarterStart + quadrant_ - 1 - (r0 - pu) / 2;
}

int64_t TOutlineOrder::countBefore(int64_t k) const {
    for (int i = 0; i < 2; ++i)
        if (k >= firstK_[i] && k < firstK_[i] + int64_t(counts_[i].size()))
            return counts_[i][size_t(k - firstK_[i])];
    return 0; // not asked for: the caller broke the contract
}

int64_t TOutlineOrder::Index(int64_t x, int64_t y) const {
    if (straight_) return (x - rows_.left_) + (y - rows_.top_);
    const int64_t W = rows_.width_, H = rows_.height_, j = y - rows_.top_;
    const int64_t k = rows_.quadrantRow(y), u = 2 * (x - rows_.left_) - (W - 1);
    const int64_t inQuarter = countBefore(k) + ((u < 0 ? -u : u) - rows_.outlineStart(k)) / 2;
    const int64_t q = quadrant_, mid = middleRow_, centre = centreColumn_;
    int64_t pos;
    if (2 * j <= H - 1)
        pos = u >= 0 ? inQuarter : 3 * q - centre - 2 * mid + (q - 1 - inQuarter);
    else
        pos = u >= 0 ? q + (q - 1 - inQuarter) - mid : 2 * q - mid + (inQuarter - centre);
    return ((pos - start_) % total_ + total_) % total_;
}
