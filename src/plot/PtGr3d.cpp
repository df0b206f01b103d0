#include "plot/PtGr3d.h"

#include "labels/Clipline.h"
#include "model/func3d.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace {

constexpr long double DegreesToRadians = 0.017453292519943295769L;

// round(65536 * v) for v in [-1, 1], ties to even.
int32_t fixedUnit(long double v) {
    return static_cast<int32_t>(std::nearbyint(v * 65536.0L));
}

// A view angle from a file may be infinite or not a number; such an angle counts as 0.
long double viewRadians(long double degrees) {
    return std::isfinite(degrees) ? degrees * DegreesToRadians : 0.0L;
}

// The depth of a segment at a pixel, interpolated along its longer span and rounded to
// the nearest 16.16 step (ties to even): ZMin + round(rise * distance / span).
int32_t depthAt(const TSegmentDepth& d, int x, int y) {
    if (d.Span == 0) return d.ZMax;
    const int64_t c = d.ByColumn ? x : y;
    const uint64_t distance = std::min<uint64_t>(uint64_t(std::llabs(c - d.From)), d.Span);
    const uint64_t rise = uint64_t(int64_t(d.ZMax) - d.ZMin);
    // Both factors are below 2^32, so the product fits.
    const uint64_t product = rise * distance;
    uint64_t q = product / d.Span;
    const uint64_t r = product % d.Span;
    if (2 * r > d.Span || (2 * r == d.Span && (q & 1))) ++q;
    return static_cast<int32_t>(int64_t(d.ZMin) + int64_t(q));
}

template <int Bpp> inline void writeRaw(uint8_t* p, uint32_t raw) {
    if constexpr (Bpp == 4) {
        std::memcpy(p, &raw, 4);
    } else if constexpr (Bpp == 2) {
        const uint16_t w = uint16_t(raw);
        std::memcpy(p, &w, 2);
    } else {
        p[0] = uint8_t(raw), p[1] = uint8_t(raw >> 8), p[2] = uint8_t(raw >> 16);
    }
}

} // namespace

TPlotGraph3D::TPlotGraph3D()
    : lineStore_(std::make_unique<TLineObj>()), labelBitmap_(std::make_unique<TBitmap>(32, 32, pf8bit)) {
    // A large surface takes a while to generate: a stop ends it after the current row.
    lineStore_->GenerationAbortPoll = [this](bool& abort) { abort = IsAborted(); };
}

TPlotGraph3D::~TPlotGraph3D() = default;

uint16_t TPlotGraph3D::PixelOwner(int x, int y) const {
    if (x < 0 || y < 0 || x >= ownerWidth_ || y >= ownerHeight_) return NoPixelOwner;
    return owners_[size_t(y) * size_t(ownerWidth_) + size_t(x)];
}

void TPlotGraph3D::DrawGraph(std::string& ErrorText) {
    ErrorText.clear();
    if (FunctionsChanged) {
        int code = lrDone;
        if (!generateScene(code)) return; // cancelled: the next run generates again
        ErrorText = LineObjErrorText(code);
        // A full store still holds every line that fitted: that partial scene is what
        // the message promises, and it is kept so the message comes only once.
        if (code != lrDone && code != lrStoreFull) return;
        FunctionsChanged = false;
    }
    DrawGraph3D();
}

void TPlotGraph3D::BeginIncrementalDraw() {
    DrawGraph3D();
}

bool TPlotGraph3D::DrawNextIncrement() {
    DrawGraph3D();
    return true;
}

bool TPlotGraph3D::generateScene(int& Code) {
    lineStore_->Clear();
    Code = lrDone;
    int position = 0;
    for (const auto& function : FunctionList) {
        if (IsAborted()) return false;
        const int colorIndex = std::min(position++, MaxFunctionColorIndex);
        auto* f = dynamic_cast<TBaseFunc3DObj*>(function.get());
        if (!f) continue;
        Code = f->GenerateLines(uint8_t(colorIndex), *lineStore_);
        // The first failure is the one to report; after it the store takes no more lines.
        if (Code != lrDone) break;
    }
    // A stop inside the last function leaves its lines unfinished.
    return !IsAborted();
}

void TPlotGraph3D::DrawGraph3D() {
    if (IsAborted()) return;
    std::lock_guard lock(PlotBitmap());
    FillGraphBmpBackground();
    if (IsAborted()) return;
    lineStore_->SetColorEntry(TLineObj::XAxisColorIndex, settings_.X.AxisColor);
    lineStore_->SetColorEntry(TLineObj::YAxisColorIndex, settings_.Y.AxisColor);
    lineStore_->SetColorEntry(TLineObj::ZAxisColorIndex, settings_.Z.AxisColor);
    if (IsAborted()) return;
    PrepareOwnerBuffer();
    if (IsAborted()) return;
    PrepareRotation();
    if (IsAborted()) return;
    SetDrawColor3D(clBlack);
    // The axes alone are no picture: without a function the graph is just its background.
    if (lineStore_->SegmentCount <= TLineObj::AxisSegmentCount) return;
    if (IsAborted()) return;
    lineStore_->TransformAll(
        rotation_, viewZoom_.Zoom, [this](bool& abort) { abort = IsAborted(); }, cx_, cy_);
    if (IsAborted()) return;
    DrawLines3D();
    if (IsAborted()) return;
    std::lock_guard labelLock(*labelBitmap_);
    DrawAxisLabels3D();
}

void TPlotGraph3D::PrepareOwnerBuffer() {
    const int W = Width(), H = Height();
    if (W != ownerWidth_ || H != ownerHeight_) {
        owners_.assign(size_t(std::max(W, 0)) * size_t(std::max(H, 0)), NoPixelOwner);
        ownerWidth_ = W;
        ownerHeight_ = H;
        return;
    }
    std::fill(owners_.begin(), owners_.end(), NoPixelOwner);
}

void TPlotGraph3D::PrepareRotation() {
    const int W = Width(), H = Height();
    cx_ = W / 2, cy_ = H / 2, lastX_ = W - 1, lastY_ = H - 1;
    const long double a = viewRadians(viewZoom_.RotationX), b = viewRadians(viewZoom_.RotationY),
                      c = viewRadians(viewZoom_.RotationZ);
    rotation_ = {fixedUnit(std::cos(a)), fixedUnit(std::cos(b)), fixedUnit(std::cos(c)),
                 fixedUnit(std::sin(a)), fixedUnit(std::sin(b)), fixedUnit(std::sin(c))};
    TBitmap& bitmap = PlotBitmap();
    codec_ = bitmap.Codec();
    scanLines_.resize(size_t(H));
    for (int y = 0; y < H; ++y)
        scanLines_[size_t(y)] = bitmap.ScanLine(y);
}

// Colours are encoded once per change of colour, never per pixel.
void TPlotGraph3D::SetDrawColor3D(TColor Color) {
    drawColor_ = Color;
    drawRaw_ = codec_.Encode(ColorToRGB(Color));
}

void TPlotGraph3D::DrawLines3D() {
    depths_.resize(size_t(lineStore_->SegmentCount));
    switch (codec_.BytesPerPixel) {
    case 2:
        drawSegments<2>();
        break;
    case 3:
        drawSegments<3>();
        break;
    default:
        drawSegments<4>();
        break;
    }
}

template <int Bpp> void TPlotGraph3D::drawSegments() {
    const TLineObj& store = *lineStore_;
    const bool showAxis[3] = {settings_.X.ShowAxisLine, settings_.Y.ShowAxisLine, settings_.Z.ShowAxisLine};
    for (int k = 0; k < store.SegmentCount; ++k) {
        if (k < TLineObj::AxisSegmentCount && !showAxis[k]) continue;
        if (IsAborted()) return;
        const TSegment3D& segment = store.Segment(k);
        const TVertex3D& a = *segment.VertexA;
        const TVertex3D& b = *segment.VertexB;
        // Segments drawn earlier are the only possible owners, so each one's depth line
        // is ready before any later segment asks for it.
        TSegmentDepth& d = depths_[size_t(k)];
        const int64_t spanX = std::llabs(int64_t(a.ScreenX) - b.ScreenX);
        const int64_t spanY = std::llabs(int64_t(a.ScreenY) - b.ScreenY);
        const TVertex3D& back = a.Depth <= b.Depth ? a : b;
        d.ZMin = std::min(a.Depth, b.Depth);
        d.ZMax = std::max(a.Depth, b.Depth);
        d.ByColumn = spanX >= spanY;
        d.From = d.ByColumn ? back.ScreenX : back.ScreenY;
        d.Span = uint32_t(d.ByColumn ? spanX : spanY);
        d.ColorIndex = segment.ColorIndex;

        const TColor color = store.Colors[segment.ColorIndex];
        if (color != drawColor_) SetDrawColor3D(color);
        int x1 = a.ScreenX, y1 = a.ScreenY, x2 = b.ScreenX, y2 = b.ScreenY;
        if (!ClipSegmentRounded(x1, y1, x2, y2, TClipLimits{lastX_, lastY_})) continue;
        drawSegment<Bpp>(k, x1, y1, x2, y2);
    }
}

// Bresenham's line from the end with the smaller row, both ends drawn; every pixel goes
// through the owner test.
template <int Bpp> void TPlotGraph3D::drawSegment(int Index, int X1, int Y1, int X2, int Y2) {
    if (Y2 < Y1) std::swap(X1, X2), std::swap(Y1, Y2);
    const TSegmentDepth& s = depths_[size_t(Index)];
    const uint16_t self = uint16_t(Index);
    const size_t W = size_t(ownerWidth_);
    uint16_t* const owners = owners_.data();
    uint8_t* const* const rows = scanLines_.data();
    const uint32_t raw = drawRaw_;
    auto plot = [&](int x, int y) {
        uint16_t& owner = owners[size_t(y) * W + size_t(x)];
        if (owner != NoPixelOwner && !segmentWins(s, x, y, owner)) return;
        owner = self;
        writeRaw<Bpp>(rows[y] + size_t(x) * Bpp, raw);
    };
    const int dx = std::abs(X2 - X1), dy = Y2 - Y1, sx = X2 >= X1 ? 1 : -1;
    int x = X1, y = Y1;
    if (dx >= dy) {
        for (int i = 0, err = 2 * dy - dx; i <= dx; ++i, x += sx, err += 2 * dy) {
            plot(x, y);
            if (err > 0) ++y, err -= 2 * dx;
        }
    } else {
        for (int i = 0, err = 2 * dx - dy; i <= dy; ++i, ++y, err += 2 * dx) {
            plot(x, y);
            if (err > 0) x += sx, err -= 2 * dy;
        }
    }
}

// Larger depth is nearer. Disjoint depth ranges decide at once; otherwise the depths at
// the pixel do, and a tie goes to the larger colour index, so an axis beats a function.
bool TPlotGraph3D::segmentWins(const TSegmentDepth& S, int X, int Y, uint16_t Owner) const {
    const TSegmentDepth& o = depths_[Owner];
    if (S.ZMax < o.ZMin) return false;
    if (o.ZMax < S.ZMin) return true;
    const int32_t zs = depthAt(S, X, Y), zo = depthAt(o, X, Y);
    return zs > zo || (zs == zo && o.ColorIndex < S.ColorIndex);
}

void TPlotGraph3D::writePixel(int X, int Y) {
    codec_.Write(scanLines_[size_t(Y)], X, drawRaw_);
}

std::vector<TPlotGraph3D::TAxisLabel> TPlotGraph3D::axisLabelCandidates() const {
    const TLineObj& store = *lineStore_;
    const TSetting3DAxis* axes[3] = {&settings_.X, &settings_.Y, &settings_.Z};
    const bool empty[3] = {store.MinX == 0 && store.MaxX == 0, store.MinY == 0 && store.MaxY == 0,
                           store.MinZ == 0 && store.MaxZ == 0};
    std::vector<TAxisLabel> labels;
    auto add = [&](int kind, const TVertex3D& anchor, const TVertex3D& other) {
        if (anchor.ScreenX < 0 || anchor.ScreenX > lastX_ || anchor.ScreenY < 0 || anchor.ScreenY > lastY_)
            return;
        labels.push_back({kind, anchor.ScreenX, anchor.ScreenY, anchor.Depth, other.ScreenX, other.ScreenY});
    };
    for (int i = 0; i < 3; ++i) {
        if (!axes[i]->ShowAxisLine || empty[i]) continue;
        const TVertex3D& negative = store.Vertex(2 * i);
        const TVertex3D& positive = store.Vertex(2 * i + 1);
        if (axes[i]->LabelPositiveEnd) add(i + 1, positive, negative);
        if (axes[i]->LabelNegativeEnd) add(i + 4, negative, positive);
    }
    // Farthest first, so a nearer label is stamped over a farther one.
    std::sort(labels.begin(), labels.end(), [](const TAxisLabel& p, const TAxisLabel& q) {
        return p.Depth != q.Depth ? p.Depth < q.Depth : p.Kind < q.Kind;
    });
    return labels;
}

void TPlotGraph3D::DrawAxisLabels3D() {
    for (const TAxisLabel& label : axisLabelCandidates()) {
        if (IsAborted()) return;
        drawAxisLabel(label);
    }
}

void TPlotGraph3D::drawAxisLabel(const TAxisLabel& Label) {
    const int axisIndex = (Label.Kind - 1) % 3;
    const TSetting3DAxis& axis = axisIndex == 0 ? settings_.X : axisIndex == 1 ? settings_.Y : settings_.Z;
    const bool positive = Label.Kind <= 3;
    std::string text(1, "XYZ"[axisIndex]);
    if (positive && axis.ShowPlusSign) text.insert(0, "+");
    if (!positive && axis.ShowMinusSign) text.insert(0, "-");

    TBitmap& bitmap = *labelBitmap_;
    int width = 0, height = 0;
    uint32_t background = 0;
    try {
        TCanvas& canvas = bitmap.Canvas();
        canvas.Font = axis.LabelFont;
        canvas.Font.Color = clBlack;
        const TSize size = canvas.TextExtent(text);
        width = size.cx, height = size.cy;
        if (width > bitmap.Width() || height > bitmap.Height())
            bitmap.SetSize(std::max(width, bitmap.Width()), std::max(height, bitmap.Height()));
        SetDrawColor3D(axis.LabelFont.Color);
        canvas.Pen = TPen{clBlack, 1, psSolid, pmCopy};
        canvas.Brush = TBrush{clWhite, bsSolid};
        canvas.FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
        background = bitmap.Codec().Read(bitmap.ScanLine(0), 0);
        canvas.TextOut(0, 0, text);
    } catch (...) {
        return; // this label cannot be drawn; the others still can
    }

    // The text lies beyond the axis end, away from the axis.
    const int left = Label.OtherX < Label.X ? Label.X : Label.X - width;
    const int top = Label.OtherY < Label.Y ? Label.Y : Label.Y - height;
    const TPixelCodec labelCodec = bitmap.Codec();
    for (int j = 0; j < height; ++j) {
        const int y = top + j;
        if (y < 0 || y > lastY_) continue;
        const uint8_t* row = bitmap.ScanLine(j);
        for (int i = 0; i < width; ++i) {
            const int x = left + i;
            if (x < 0 || x > lastX_ || labelCodec.Read(row, i) == background) continue;
            if (labelPixelVisible(Label, x, y)) writePixel(x, y);
        }
    }
}

// The depth test of the segments, without taking the pixel: labels never own pixels.
bool TPlotGraph3D::labelPixelVisible(const TAxisLabel& Label, int X, int Y) const {
    const uint16_t owner = owners_[size_t(Y) * size_t(ownerWidth_) + size_t(X)];
    if (owner == NoPixelOwner) return true;
    const TSegmentDepth& o = depths_[owner];
    if (Label.Depth < o.ZMin) return false;
    if (o.ZMax < Label.Depth) return true;
    return Label.Depth >= depthAt(o, X, Y);
}
