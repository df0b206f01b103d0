#include "platform/Canvas.h"

#include "platform/Bitmap.h"
#include "platform/CanvasFigures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <optional>
#include <vector>

namespace {

enum FigureKind { fkRectangle, fkEllipse, fkRoundRect };

// The device's cosmetic dash patterns, in pixels (on, off, ...).
QList<qreal> dashPattern(TPenStyle style) {
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

// A 1-pixel dash pattern walked pixel by pixel: whether step n is drawn or a gap.
class DashWalk {
public:
    explicit DashWalk(TPenStyle style) {
        for (qreal v : dashPattern(style))
            parts_[count_++] = int(v), period_ += int(v);
    }
    bool on(int64_t n) const {
        int pos = int(n % period_), k = 0;
        while (pos >= parts_[k])
            pos -= parts_[k++];
        return (k & 1) == 0;
    }
    int64_t period() const { return period_; }

private:
    int parts_[6] = {0};
    int count_ = 0, period_ = 0;
};

Qt::BrushStyle qtHatch(TBrushStyle style) {
    switch (style) {
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

// ~(source xor destination) in the bits that the depth stores.
inline uint32_t notXor(const TPixelCodec& codec, uint32_t source, uint32_t dest) {
    const uint32_t v = ~(source ^ dest);
    switch (codec.Format) {
    case pf15bit:
        return v & 0x7FFF;
    case pf16bit:
        return v & 0xFFFF;
    case pf24bit:
        return v & 0xFFFFFF;
    default:
        return (v & 0xFFFFFF) | 0xFF000000u;
    }
}

bool isHatch(TBrushStyle style) {
    return style >= bsHorizontal && style <= bsDiagCross;
}

// The 8 x 8 hatch patterns as the painter draws them, so that a flood fill lays exactly
// the pattern that Rectangle and FillRect lay (both aligned to the bitmap origin).
using HatchMask = std::array<uint8_t, 8>; // bit x of row y set: pattern pixel

const HatchMask& hatchMask(TBrushStyle style) {
    static const std::array<HatchMask, 6> masks = [] {
        std::array<HatchMask, 6> m{};
        for (int s = 0; s < 6; ++s) {
            QImage img(8, 8, QImage::Format_RGB32);
            img.fill(Qt::white);
            {
                QPainter p(&img);
                p.fillRect(QRect(0, 0, 8, 8), QBrush(Qt::black, qtHatch(TBrushStyle(bsHorizontal + s))));
            }
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x)
                    if ((img.pixel(x, y) & 0xFFFFFF) == 0) m[s][y] |= uint8_t(1u << x);
        }
        return m;
    }();
    return masks[style - bsHorizontal];
}

// ---- flood fill -------------------------------------------------------------------------

template <int Bpp> inline uint32_t readRaw(const uint8_t* p) {
    if constexpr (Bpp == 4) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    } else if constexpr (Bpp == 2) {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    } else {
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
    }
}

template <int Bpp> inline void writeRaw(uint8_t* p, uint32_t v) {
    if constexpr (Bpp == 4) {
        std::memcpy(p, &v, 4);
    } else if constexpr (Bpp == 2) {
        uint16_t w = uint16_t(v);
        std::memcpy(p, &w, 2);
    } else {
        p[0] = uint8_t(v);
        p[1] = uint8_t(v >> 8);
        p[2] = uint8_t(v >> 16);
    }
}

struct FillJob {
    uint8_t* base;
    qsizetype stride;
    int width, height;
    uint32_t target; // surface colour, or border colour
    bool border;     // fsBorder
    uint32_t fillRaw;
    const HatchMask* hatch;        // nullptr: solid
    std::vector<uint64_t> visited; // empty when filled pixels stop matching by themselves
};

template <int Bpp> class ScanFill {
public:
    explicit ScanFill(FillJob& job) : j_(job) {}

    void run(int x, int y) {
        struct Span {
            int x1, x2, y, dy;
        };
        std::vector<Span> stack;
        stack.push_back({x, x, y, 1});
        stack.push_back({x, x, y - 1, -1});
        while (!stack.empty()) {
            Span s = stack.back();
            stack.pop_back();
            if (s.y < 0 || s.y >= j_.height) continue;
            row_ = j_.base + s.y * j_.stride;
            y_ = s.y;
            int x1 = s.x1, x2 = s.x2, dy = s.dy, cy = s.y;
            int cx = x1;
            if (inside(cx)) {
                while (inside(cx - 1)) {
                    set(cx - 1);
                    --cx;
                }
                if (cx < x1) stack.push_back({cx, x1 - 1, cy - dy, -dy});
            }
            while (x1 <= x2) {
                while (inside(x1)) {
                    set(x1);
                    ++x1;
                }
                if (x1 > cx) stack.push_back({cx, x1 - 1, cy + dy, dy});
                if (x1 - 1 > x2) stack.push_back({x2 + 1, x1 - 1, cy - dy, -dy});
                ++x1;
                while (x1 < x2 && !inside(x1))
                    ++x1;
                cx = x1;
            }
        }
    }

private:
    bool visited(int x) const {
        size_t i = size_t(y_) * size_t(j_.width) + size_t(x);
        return (j_.visited[i >> 6] >> (i & 63)) & 1;
    }
    bool inside(int x) const {
        if (x < 0 || x >= j_.width) return false;
        uint32_t v = readRaw<Bpp>(row_ + x * Bpp);
        if ((v == j_.target) == j_.border) return false;
        return j_.visited.empty() || !visited(x);
    }
    void set(int x) {
        if (!j_.visited.empty()) {
            size_t i = size_t(y_) * size_t(j_.width) + size_t(x);
            j_.visited[i >> 6] |= uint64_t(1) << (i & 63);
        }
        if (!j_.hatch || (((*j_.hatch)[y_ & 7] >> (x & 7)) & 1)) writeRaw<Bpp>(row_ + x * Bpp, j_.fillRaw);
    }

    FillJob& j_;
    uint8_t* row_ = nullptr;
    int y_ = 0;
};

} // namespace

// ---- painter set-up ----------------------------------------------------------------------

// Locks the bitmap and opens a painter on its image. In not-xor mode the painter draws
// into a transparent mask of the figure's area instead, and closing it combines each
// covered pixel once with ~(source xor destination): the painter's own raster operation
// would strike pixels where a curved outline joins itself twice and leave holes in a
// rubber band.
struct TCanvas::Painter {
    Painter(TCanvas& canvas, bool usePenMode, const QRect& bounds = QRect())
        : lock(canvas.bitmap_.mutex_), bitmap(canvas.bitmap_), codec(canvas.bitmap_.format_) {
        if (bitmap.image_.isNull()) return;
        xorMode = usePenMode && canvas.Pen.Mode == pmNotXor;
        if (xorMode) {
            area = bounds.intersected(QRect(0, 0, bitmap.width_, bitmap.height_));
            if (area.isEmpty()) return;
            mask = QImage(area.size(), QImage::Format_ARGB32);
            if (mask.isNull()) throw std::bad_alloc();
            mask.fill(0);
            p.begin(&mask);
            p.translate(-area.x(), -area.y());
        } else {
            p.begin(&bitmap.image_);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
    }
    ~Painter() {
        if (!xorMode || !p.isActive()) return;
        p.end();
        uint32_t lastColor = 0, lastRaw = codec.Encode(0);
        for (int y = 0; y < mask.height(); ++y) {
            const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
            uint8_t* row = bitmap.image_.scanLine(area.y() + y);
            for (int x = 0; x < mask.width(); ++x) {
                if (qAlpha(m[x]) < 128) continue;
                const uint32_t c = m[x] & 0xFFFFFF;
                if (c != lastColor)
                    lastColor = c, lastRaw = codec.Encode(RGBColor(qRed(c), qGreen(c), qBlue(c)));
                const int dx = area.x() + x;
                codec.Write(row, dx, notXor(codec, lastRaw, codec.Read(row, dx)));
            }
        }
    }
    bool active() const { return p.isActive(); }
    // The colour as the bitmap stores it, so that the painter's own conversion writes
    // exactly the encoded value (palette colour, or 15/16-bit truncation).
    QColor color(TColor c) const { return TColorToQColor(codec.Decode(codec.Encode(ColorToRGB(c)))); }

    std::lock_guard<std::recursive_mutex> lock;
    TBitmap& bitmap;
    TPixelCodec codec;
    bool xorMode = false;
    QRect area;
    QImage mask;
    QPainter p;
};

namespace {

// Liang-Barsky: cuts the segment to the square |x|, |y| <= limit; false when it misses.
bool clipToBox(QPointF& a, QPointF& e, double limit) {
    const double dx = e.x() - a.x(), dy = e.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() + limit, limit - a.x(), a.y() + limit, limit - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx, dy) * t0;
    e = start + QPointF(dx, dy) * t1;
    return true;
}

// A figure's area, widened by a margin, clamped well inside the integer range.
QRect boundsOf(int64_t left, int64_t top, int64_t right, int64_t bottom, int margin) {
    constexpr int64_t limit = int64_t(1) << 30;
    auto c = [&](int64_t v) { return int(std::clamp(v, -limit, limit)); };
    return QRect(QPoint(c(left - margin), c(top - margin)), QPoint(c(right + margin), c(bottom + margin)));
}

constexpr int kCoordLimit = 1 << 24;
int clampCoord(int64_t v) {
    return int(std::clamp<int64_t>(v, -kCoordLimit, kCoordLimit));
}

// Wide pens are centred on pixel centres. The nudge, far below a pixel, keeps every pixel
// centre off the edge of a stroke: a centre lying exactly on it would be decided by how the
// painter cut the figure at the bitmap's border, and the pixels inside would then depend on
// how much of the figure shows.
void centreOnPixels(QPainter& p) {
    p.translate(0.5 + 1.0 / 128, 0.5 + 1.0 / 256);
}

int penWidth(const TPen& pen) {
    return pen.Width < 1 ? 1 : pen.Width;
}

bool dashed(const TPen& pen) {
    return penWidth(pen) == 1 && pen.Style >= psDash && pen.Style <= psDashDotDot;
}

QPen makePen(const QColor& color, int width, const QList<qreal>& dashes) {
    QPen pen(color, width == 1 ? 0 : width);
    if (width == 1) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
    return pen;
}

} // namespace

TCanvas::TCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
TCanvas::~TCanvas() = default;

void TCanvas::Lock() {
    bitmap_.mutex_.lock();
}
void TCanvas::Unlock() {
    bitmap_.mutex_.unlock();
}
bool TCanvas::TryLock() {
    return bitmap_.mutex_.try_lock();
}

void TCanvas::MoveTo(int x, int y) {
    PenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    TPoint from = PenPos;
    PenPos = {x, y};
    TPoint pts[2] = {from, {x, y}};
    Polyline(pts, 2);
}

namespace {

// One 1-pixel segment from (x0, y0) towards (x1, y1), its end pixel left out. Step t
// (0 <= t < n, n the longer span) lies at major0 + t along the longer axis and at the
// nearest pixel of the exact line on the other; only the steps inside the bitmap are
// visited, so far-away end points cost nothing. `plot`(x, y, t) draws one pixel.
template <typename Plot>
void rasterSegment(int x0, int y0, int x1, int y1, int width, int height, Plot&& plot) {
    const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int64_t m0 = xMajor ? x0 : y0, n0 = xMajor ? y0 : x0;
    const int64_t dM = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    const int64_t dN = xMajor ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
    const int sm = (xMajor ? dx : dy) < 0 ? -1 : 1, sn = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t limM = xMajor ? width : height, limN = xMajor ? height : width;
    if (dM == 0) return;

    // Steps whose major coordinate lies inside.
    int64_t lo = 0, hi = dM;
    if (sm > 0)
        lo = std::max(lo, -m0), hi = std::min(hi, limM - m0);
    else
        lo = std::max(lo, m0 - limM + 1), hi = std::min(hi, m0 + 1);
    if (lo >= hi) return;
    auto minorAt = [&](int64_t t) { return n0 + sn * int64_t((__int128(2) * t * dN + dM) / (2 * dM)); };
    // The minor coordinate is monotonic in t: narrow [lo, hi) to the steps inside.
    auto firstWhere = [&](int64_t a, int64_t b, auto pred) { // first t in [a, b) with pred, else b
        while (a < b) {
            int64_t mid = a + (b - a) / 2;
            if (pred(minorAt(mid)))
                b = mid;
            else
                a = mid + 1;
        }
        return a;
    };
    if (sn > 0) {
        lo = firstWhere(lo, hi, [](int64_t v) { return v >= 0; });
        hi = firstWhere(lo, hi, [&](int64_t v) { return v >= limN; });
    } else {
        lo = firstWhere(lo, hi, [&](int64_t v) { return v < limN; });
        hi = firstWhere(lo, hi, [](int64_t v) { return v < 0; });
    }
    if (lo >= hi) return;

    const __int128 num = __int128(2) * lo * dN + dM;
    int64_t minor = n0 + sn * int64_t(num / (2 * dM));
    int64_t rem = int64_t(num % (2 * dM));
    int64_t major = m0 + sm * lo;
    for (int64_t t = lo; t < hi; ++t) {
        if (xMajor)
            plot(int(major), int(minor), t);
        else
            plot(int(minor), int(major), t);
        major += sm;
        rem += 2 * dN;
        if (rem >= 2 * dM) rem -= 2 * dM, minor += sn;
    }
}

} // namespace

void TCanvas::Polyline(const TPoint* points, int count) {
    if (!points || count < 2 || Pen.Style == psClear) return;
    const int width = penWidth(Pen);
    if (width == 1) {
        thinPolyline(points, count);
        return;
    }
    int left = points[0].X, top = points[0].Y, right = left, bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, points[i].X), right = std::max(right, points[i].X);
        top = std::min(top, points[i].Y), bottom = std::max(bottom, points[i].Y);
    }
    const int margin = width / 2 + 2;
    Painter pt(*this, true, boundsOf(left, top, right, bottom, margin));
    if (!pt.active()) return;
    // Integer coordinates name pixel centres, so a wide pen spreads evenly around them.
    centreOnPixels(pt.p);
    pt.p.setBrush(Qt::NoBrush);
    bool moves = false;
    for (int i = 1; i < count && !moves; ++i)
        moves = !(points[i] == points[0]);
    if (!moves) {
        // A wide pen leaves its round dot where a line starts and ends at one point.
        pt.p.setPen(Qt::NoPen);
        pt.p.setBrush(pt.color(Pen.Color));
        pt.p.drawEllipse(QPointF(points[0].X, points[0].Y), width / 2.0, width / 2.0);
        return;
    }
    pt.p.setPen(makePen(pt.color(Pen.Color), width, {}));
    bool far = false;
    for (int i = 0; i < count && !far; ++i)
        far = std::abs(int64_t(points[i].X)) > kCoordLimit || std::abs(int64_t(points[i].Y)) > kCoordLimit;
    if (!far) {
        QPolygonF poly;
        poly.reserve(count);
        for (int i = 0; i < count; ++i)
            poly << QPointF(points[i].X, points[i].Y);
        pt.p.drawPolyline(poly);
        return;
    }
    // Far end points: each segment is cut to a range the painter handles (keeping its
    // direction), at the cost of joins outside that range.
    for (int i = 1; i < count; ++i) {
        QPointF a(points[i - 1].X, points[i - 1].Y), e(points[i].X, points[i].Y);
        if (clipToBox(a, e, kCoordLimit)) pt.p.drawLine(a, e);
    }
}

void TCanvas::thinPolyline(const TPoint* points, int count) {
    std::lock_guard lock(bitmap_.mutex_);
    TBitmap& b = bitmap_;
    if (b.width_ == 0 || b.height_ == 0) return;
    const TPixelCodec codec(b.format_);
    const uint32_t fore = codec.Encode(ColorToRGB(Pen.Color));
    const bool isDashed = dashed(Pen);
    // Gaps of a dashed line take the brush colour when the brush is solid.
    const bool opaqueGaps = isDashed && Brush.Style == bsSolid;
    const uint32_t back = codec.Encode(ColorToRGB(Brush.Color));
    const bool xorMode = Pen.Mode == pmNotXor;
    const DashWalk dash(isDashed ? Pen.Style : psSolid);
    uint8_t* base = b.image_.bits();
    const qsizetype stride = b.image_.bytesPerLine();
    int64_t phase = 0; // position in the dash pattern, carried from segment to segment
    for (int i = 1; i < count; ++i) {
        const TPoint a = points[i - 1], e = points[i];
        rasterSegment(a.X, a.Y, e.X, e.Y, b.width_, b.height_, [&](int x, int y, int64_t t) {
            uint32_t raw = fore;
            if (isDashed && !dash.on(phase + t)) {
                if (!opaqueGaps) return;
                raw = back;
            }
            uint8_t* row = base + y * stride;
            codec.Write(row, x, xorMode ? notXor(codec, raw, codec.Read(row, x)) : raw);
        });
        const int64_t n = std::max(std::abs(int64_t(e.X) - a.X), std::abs(int64_t(e.Y) - a.Y));
        if (isDashed) phase = (phase + n) % dash.period();
    }
}

// Closed figures: a 1-pixel pen, or none, takes our own rows (CanvasFigures.h), so that
// the pixels never depend on how much of the figure the bitmap shows; wider pens are
// stroked by the painter.
void TCanvas::figure(int kind, int x1, int y1, int x2, int y2, int64_t cornerW, int64_t cornerH) {
    int64_t left = std::min(x1, x2), top = std::min(y1, y2);
    int64_t width = int64_t(std::max(x1, x2)) - left, height = int64_t(std::max(y1, y2)) - top;
    if (width < 1 || height < 1) return;
    const bool noPen = Pen.Style == psClear;
    if (noPen && Brush.Style == bsClear) return;
    if (kind == fkEllipse) cornerW = width, cornerH = height;
    if (!noPen && penWidth(Pen) > 1) {
        strokeFigure(kind, x1, y1, x2, y2, int(std::min<int64_t>(cornerW / 2, kCoordLimit)),
                     int(std::min<int64_t>(cornerH / 2, kCoordLimit)));
        return;
    }
    if (noPen) {
        // Without a pen the device fills one column and one row less.
        if (--width < 1 || --height < 1) return;
        if (kind == fkEllipse) cornerW = width, cornerH = height;
    } else if (dashed(Pen)) {
        // Dash places are counted along the whole outline: figures absurdly far beyond the
        // bitmap are first cut down to a size whose outline can be walked.
        const int64_t right = clampCoord(left + width), bottom = clampCoord(top + height);
        left = clampCoord(left), top = clampCoord(top);
        width = std::max<int64_t>(right - left, 1), height = std::max<int64_t>(bottom - top, 1);
        if (kind == fkEllipse) cornerW = width, cornerH = height;
    }
    thinFigure(TFigureRows(left, top, width, height, cornerW, cornerH), noPen);
}

void TCanvas::thinFigure(const TFigureRows& rows, bool noPen) {
    std::lock_guard lock(bitmap_.mutex_);
    TBitmap& b = bitmap_;
    const int64_t y0 = std::max<int64_t>(rows.Top(), 0),
                  y1 = std::min<int64_t>(rows.Top() + rows.Height(), b.height_);
    if (y0 >= y1 || rows.Left() >= b.width_ || rows.Left() + rows.Width() <= 0) return;
    const TPixelCodec codec(b.format_);
    const uint32_t fore = codec.Encode(ColorToRGB(Pen.Color));
    const uint32_t back = codec.Encode(ColorToRGB(Brush.Color));
    const bool xorMode = !noPen && Pen.Mode == pmNotXor;
    const bool isDashed = !noPen && dashed(Pen);
    const DashWalk dash(isDashed ? Pen.Style : psSolid);
    std::optional<TOutlineOrder> order;
    if (isDashed) order.emplace(rows, y0, y1 - 1);
    const HatchMask* hatch = isHatch(Brush.Style) ? &hatchMask(Brush.Style) : nullptr;
    const bool fills = Brush.Style != bsClear;
    auto put = [&](uint8_t* row, int x, uint32_t raw) {
        codec.Write(row, x, xorMode ? notXor(codec, raw, codec.Read(row, x)) : raw);
    };
    for (int64_t y = y0; y < y1; ++y) {
        const TFigureRows::TRowRun run = rows.Row(y);
        uint8_t* row = b.image_.scanLine(int(y));
        const int from = int(std::max<int64_t>(run.First, 0)),
                  to = int(std::min<int64_t>(run.Last, b.width_ - 1));
        for (int x = from; x <= to; ++x) {
            if (noPen || (x >= run.FillFirst && x <= run.FillLast)) {
                if (fills && (!hatch || (((*hatch)[y & 7] >> (x & 7)) & 1))) put(row, x, back);
            } else if (!isDashed || dash.on(order->Index(x, y))) {
                put(row, x, fore);
            } else if (Brush.Style == bsSolid) {
                put(row, x, back); // gaps of a dashed outline take a solid brush's colour
            }
        }
    }
}

// Wide pens, stroked by the painter: centred on the 1-pixel outline, or kept inside the
// box with psInsideFrame; round corners take radii rx and ry.
void TCanvas::strokeFigure(int kind, int x1, int y1, int x2, int y2, int rx, int ry) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    // Figures reaching absurdly far beyond the bitmap are cut down to a range the painter
    // and the size arithmetic handle; what shows on the bitmap differs only for them.
    x1 = clampCoord(x1), y1 = clampCoord(y1), x2 = clampCoord(x2), y2 = clampCoord(y2);
    if (x2 - x1 < 1 || y2 - y1 < 1) return;
    const int width = penWidth(Pen);
    Painter pt(*this, true, boundsOf(x1, y1, x2, y2, width / 2 + 2));
    if (!pt.active()) return;
    const int inset = Pen.Style == psInsideFrame ? width / 2 : 0;
    QRectF box(x1 + inset, y1 + inset, x2 - x1 - 1 - 2 * inset, y2 - y1 - 1 - 2 * inset);
    if (box.width() < 0 || box.height() < 0)
        box = QRectF(x1 + (x2 - x1 - 1) / 2, y1 + (y2 - y1 - 1) / 2, 0, 0);
    QBrush brush = Qt::NoBrush;
    if (Brush.Style == bsSolid)
        brush = QBrush(pt.color(Brush.Color));
    else if (isHatch(Brush.Style))
        brush = QBrush(pt.color(Brush.Color), qtHatch(Brush.Style));
    pt.p.setPen(makePen(pt.color(Pen.Color), width, {}));
    pt.p.setBrush(brush);
    // The pen is centred on the pixel centres of the 1-pixel outline.
    centreOnPixels(pt.p);
    if (kind == fkEllipse)
        pt.p.drawEllipse(box);
    else if (kind == fkRoundRect && rx > 0 && ry > 0)
        pt.p.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize);
    else
        pt.p.drawRect(box);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    figure(fkRectangle, x1, y1, x2, y2, 0, 0);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    figure(fkEllipse, x1, y1, x2, y2, 0, 0);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    figure(fkRoundRect, x1, y1, x2, y2, std::abs(int64_t(x3)), std::abs(int64_t(y3)));
}

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty() || Brush.Style == bsClear) return;
    Painter pt(*this, false);
    if (!pt.active()) return;
    QRect box(r.Left, r.Top, r.Width(), r.Height());
    if (Brush.Style == bsSolid)
        pt.p.fillRect(box, pt.color(Brush.Color));
    else
        pt.p.fillRect(box, QBrush(pt.color(Brush.Color), qtHatch(Brush.Style)));
}

const QFont& TCanvas::qfont() {
    if (!font_ || !(fontKey_ == Font)) {
        font_ = std::make_unique<QFont>(FontRecordToQFont(Font));
        fontKey_ = Font;
    }
    return *font_;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    std::lock_guard lock(bitmap_.mutex_);
    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (std::abs(int64_t(x)) > kCoordLimit || std::abs(int64_t(y)) > kCoordLimit) {
        // Too far away to show anything; only the pen position moves.
        PenPos = {int(std::clamp(int64_t(x) + TextWidth(text), int64_t(INT_MIN), int64_t(INT_MAX))), y};
        return;
    }
    const QFont& font = qfont();
    QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(s);
    PenPos = {int(std::clamp(int64_t(x) + w, int64_t(INT_MIN), int64_t(INT_MAX))), y};
    if (s.isEmpty()) return;
    // Italic overhang and underlines may reach past the advance box.
    const int h = fm.height();
    Painter pt(*this, true, boundsOf(x, y, int64_t(x) + w, int64_t(y) + h, h));
    if (!pt.active()) return;
    if (Brush.Style == bsSolid) pt.p.fillRect(QRect(x, y, w, fm.height()), pt.color(Brush.Color));
    pt.p.setFont(font);
    pt.p.setPen(QPen(pt.color(Font.Color)));
    pt.p.drawText(QPoint(x, y + fm.ascent()), s);
}

TSize TCanvas::TextExtent(const std::string& text) {
    std::lock_guard lock(bitmap_.mutex_);
    return TextExtentIn(qfont(), text);
}

TRect TCanvas::TextInk(const std::string& text) {
    std::lock_guard lock(bitmap_.mutex_);
    return TextInkIn(qfont(), text);
}

int TCanvas::TextWidth(const std::string& text) {
    return TextExtent(text).cx;
}
int TCanvas::TextHeight(const std::string& text) {
    return TextExtent(text).cy;
}

bool TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    std::lock_guard lock(bitmap_.mutex_);
    TBitmap& b = bitmap_;
    if (x < 0 || y < 0 || x >= b.width_ || y >= b.height_ || Brush.Style == bsClear) return false;
    const TPixelCodec codec(b.format_);
    FillJob job;
    job.base = b.image_.bits();
    job.stride = b.image_.bytesPerLine();
    job.width = b.width_;
    job.height = b.height_;
    job.target = codec.Encode(ColorToRGB(color));
    job.border = style == fsBorder;
    job.fillRaw = codec.Encode(ColorToRGB(Brush.Color));
    job.hatch = isHatch(Brush.Style) ? &hatchMask(Brush.Style) : nullptr;

    const uint32_t seed = codec.Read(job.base + y * job.stride, x);
    if (job.border ? seed == job.target : seed != job.target) return false;
    if (!job.border && job.fillRaw == job.target) return false; // nothing would change
    // Pixels that keep matching after they were painted (hatch gaps, a border fill in
    // another colour) need a record of where the fill has been.
    const bool selfMarking =
        !job.hatch && (job.border ? job.fillRaw == job.target : job.fillRaw != job.target);
    if (!selfMarking) job.visited.assign((size_t(job.width) * size_t(job.height) + 63) / 64, 0);

    switch (codec.BytesPerPixel) {
    case 2:
        ScanFill<2>(job).run(x, y);
        break;
    case 3:
        ScanFill<3>(job).run(x, y);
        break;
    default:
        ScanFill<4>(job).run(x, y);
        break;
    }
    return true;
}

TColor TCanvas::Pixels(int x, int y) const {
    return bitmap_.Pixel(x, y);
}

void TCanvas::Pixels(int x, int y, TColor color) {
    bitmap_.SetPixel(x, y, color);
}

void TCanvas::Draw(int x, int y, TBitmap& source) {
    std::lock_guard lock(source.mutex_);
    blit({x, y, int64_t(x) + source.width_, int64_t(y) + source.height_}, source,
         {0, 0, source.width_, source.height_});
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap& source) {
    std::lock_guard lock(source.mutex_);
    blit({dest.Left, dest.Top, dest.Right, dest.Bottom}, source, {0, 0, source.width_, source.height_});
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    blit({dest.Left, dest.Top, dest.Right, dest.Bottom}, source.bitmap_,
         {sourceRect.Left, sourceRect.Top, sourceRect.Right, sourceRect.Bottom});
}

// Rectangles are taken in 64 bits so that no corner arithmetic can overflow.
void TCanvas::blit(const WideRect& dest, TBitmap& source, const WideRect& sourceRect) {
    const int64_t dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int64_t sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    std::lock_guard sourceLock(source.mutex_);
    std::lock_guard destLock(bitmap_.mutex_);
    TBitmap& d = bitmap_;
    if (d.width_ == 0 || d.height_ == 0 || source.width_ == 0 || source.height_ == 0) return;

    const int x0 = int(std::max<int64_t>(dest.left, 0)), x1 = int(std::min<int64_t>(dest.right, d.width_));
    const int y0 = int(std::max<int64_t>(dest.top, 0)), y1 = int(std::min<int64_t>(dest.bottom, d.height_));
    if (x0 >= x1 || y0 >= y1) return;

    // Copying within one bitmap reads from a snapshot, so overlapping parts stay intact.
    QImage snapshot;
    const QImage& src = (&source == &d) ? (snapshot = d.image_.copy()) : source.image_;
    const TPixelCodec from(source.format_), to(d.format_);
    const bool sameFormat = source.format_ == d.format_;

    if (dw == sw && dh == sh) {
        // 1:1: clip the run to the source as well, then copy rows.
        const int64_t offX = sourceRect.left - dest.left, offY = sourceRect.top - dest.top;
        const int cx0 = int(std::max<int64_t>(x0, -offX)),
                  cx1 = int(std::min<int64_t>(x1, source.width_ - offX));
        if (cx0 >= cx1) return;
        for (int dy = y0; dy < y1; ++dy) {
            const int64_t sy = dy + offY;
            if (sy < 0 || sy >= source.height_) continue;
            const uint8_t* s = src.constScanLine(int(sy));
            uint8_t* t = d.image_.scanLine(dy);
            const int sx0 = int(cx0 + offX);
            if (sameFormat) {
                std::memcpy(t + cx0 * to.BytesPerPixel, s + sx0 * from.BytesPerPixel,
                            size_t(cx1 - cx0) * to.BytesPerPixel);
            } else {
                // Neighbours are often alike, and a palette search at 4 and 8 bits is dear.
                TColor last = clInvalidPixel;
                uint32_t raw = 0;
                for (int dx = cx0; dx < cx1; ++dx) {
                    const TColor color = from.ReadColor(s, sx0 + (dx - cx0));
                    if (color != last) last = color, raw = to.Encode(color);
                    to.Write(t, dx, raw);
                }
            }
        }
        return;
    }

    // The source pixel for each destination column and row: stretching repeats pixels,
    // shrinking drops them, as the device's colour-on-colour mode does.
    auto map = [](int64_t d, int64_t dStart, int64_t dLen, int64_t sStart, int64_t sLen) {
        return sStart + int64_t((__int128(d - dStart) * sLen) / dLen);
    };
    std::vector<int64_t> columns(size_t(x1 - x0));
    for (int dx = x0; dx < x1; ++dx)
        columns[size_t(dx - x0)] = map(dx, dest.left, dw, sourceRect.left, sw);
    for (int dy = y0; dy < y1; ++dy) {
        const int64_t sy = map(dy, dest.top, dh, sourceRect.top, sh);
        if (sy < 0 || sy >= source.height_) continue;
        const uint8_t* s = src.constScanLine(int(sy));
        uint8_t* t = d.image_.scanLine(dy);
        for (int dx = x0; dx < x1; ++dx) {
            const int64_t sx = columns[size_t(dx - x0)];
            if (sx < 0 || sx >= source.width_) continue;
            const uint32_t raw = from.Read(s, int(sx));
            to.Write(t, dx, sameFormat ? raw : to.Encode(from.Decode(raw)));
        }
    }
}
