#include "labels/DrawObjs.h"

#include "labels/Clipline.h"
#include "math/DefFont.h"
#include "platform/Bitmap.h"
#include "platform/Fonts.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <utility>

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

int clampToInt(long long v) {
    return v < kIntMin ? kIntMin : (v > kIntMax ? kIntMax : static_cast<int>(v));
}

// Point arithmetic saturates: coordinates read from files may lie anywhere in the int range.
TPoint offsetPoint(const TPoint& p, long long dx, long long dy) {
    return {clampToInt(p.X + dx), clampToInt(p.Y + dy)};
}

// A distance computed in 64 bits as a hit distance.
int distanceResult(long long d) {
    return d < 0 || d > kIntMax ? FarDistance : static_cast<int>(d);
}

long long absDiff(long long a, long long b) {
    return a > b ? a - b : b - a;
}

bool between(long long v, long long a, long long b) {
    return a <= b ? (a <= v && v <= b) : (b <= v && v <= a);
}

// Two points "far apart": more than 8 pixels apart in X or in Y.
bool farApart(const TPoint& a, const TPoint& b) {
    return absDiff(a.X, b.X) > 8 || absDiff(a.Y, b.Y) > 8;
}

TBrushStyle validBrushStyle(uint8_t code) {
    return code <= bsDiagCross ? static_cast<TBrushStyle>(code) : bsClear;
}

// Lines and free hands never fill and never vanish: a brush beyond clear is clear, a clear
// pen is solid. Other codes pass unchanged, so what a file held is kept.
uint8_t lineBrushCode(uint8_t code) {
    return code > bsClear ? static_cast<uint8_t>(bsClear) : code;
}

uint8_t linePenCode(uint8_t code) {
    return code == psClear ? static_cast<uint8_t>(psSolid) : code;
}

// Pens of the selection and location marks: not-xor, so a second drawing removes them.
void setUpMarkPen(TCanvas& c, int width) {
    c.Pen.Mode = pmNotXor;
    c.Pen.Style = psSolid;
    c.Pen.Color = clBlack;
    c.Pen.Width = width;
    c.Brush.Color = clWhite;
    c.Brush.Style = bsClear;
}

// Marks are drawn only near the bitmap; farther out they could not show anyway.
bool nearBitmap(const TPoint& p, const TLabelBmpAttribs& a) {
    return !(p.X < -10 || static_cast<long long>(p.X) > static_cast<long long>(a.Width) + 10 || p.Y < -10 ||
             static_cast<long long>(p.Y) > static_cast<long long>(a.Height) + 10);
}

void drawHandleMark(TBitmap& bitmap, const TLabelBmpAttribs& a, const TPoint& p) {
    if (!nearBitmap(p, a)) return;
    TCanvas& c = bitmap.Canvas();
    setUpMarkPen(c, 5);
    c.Rectangle(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
}

void drawUprightCross(TBitmap& bitmap, const TLabelBmpAttribs& a, const TPoint& p) {
    if (!nearBitmap(p, a)) return;
    TCanvas& c = bitmap.Canvas();
    setUpMarkPen(c, 2);
    c.MoveTo(p.X - 6, p.Y);
    c.LineTo(p.X + 7, p.Y);
    c.MoveTo(p.X, p.Y - 6);
    c.LineTo(p.X, p.Y + 7);
}

void drawDiagonalCross(TBitmap& bitmap, const TLabelBmpAttribs& a, const TPoint& p) {
    if (!nearBitmap(p, a)) return;
    TCanvas& c = bitmap.Canvas();
    setUpMarkPen(c, 2);
    c.MoveTo(p.X - 5, p.Y - 5);
    c.LineTo(p.X + 6, p.Y + 6);
    c.MoveTo(p.X + 5, p.Y - 5);
    c.LineTo(p.X - 6, p.Y + 6);
}

std::string pointText(const TPoint& p) {
    return "(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ")";
}

// Distance to the outline of the box between two corners (in any order).
int boxOutlineDistance(int X, int Y, TPoint tl, TPoint br) {
    OrderCornerPoints(tl, br);
    const bool inX = X >= tl.X && X <= br.X;
    const bool inY = Y >= tl.Y && Y <= br.Y;
    if (inX || inY) {
        long long best = std::numeric_limits<long long>::max();
        if (inX) best = std::min({best, absDiff(Y, tl.Y), absDiff(Y, br.Y)});
        if (inY) best = std::min({best, absDiff(X, tl.X), absDiff(X, br.X)});
        return distanceResult(best);
    }
    const TPoint m{X, Y};
    const int cx = X > br.X ? br.X : tl.X;
    const int cy = Y > br.Y ? br.Y : tl.Y;
    return PointDistance(m, {cx, cy});
}

// The distance along one axis from the mouse to a sloped segment's line, the mouse lying in
// the segment's bounding box: horizontal for steep lines, vertical for flat ones. A result
// of exactly 6 counts as 5, so a sloped line is as easy to hit as its pixels suggest.
int slopedLineDistance(int X, int Y, const TPoint& a, const TPoint& b) {
    const long double s = (static_cast<long double>(a.Y) - b.Y) / (static_cast<long double>(a.X) - b.X);
    long double d;
    if (std::fabs(s) > 1.0L) {
        const long double r = std::nearbyint((static_cast<long double>(Y) - b.Y) / s);
        d = std::fabs(static_cast<long double>(X) - (static_cast<long double>(b.X) + r));
    } else {
        const long double r = std::nearbyint(s * (static_cast<long double>(X) - b.X));
        d = std::fabs(static_cast<long double>(Y) - (static_cast<long double>(b.Y) + r));
    }
    if (!std::isfinite(d) || d > static_cast<long double>(kIntMax)) return FarDistance;
    const int result = static_cast<int>(d);
    return result == 6 ? 5 : result;
}

// The distance from the mouse across the segment a-b, when the mouse lies within the
// segment's span (its bounding box, for a sloped one); nothing otherwise.
std::optional<int> acrossSegmentDistance(int X, int Y, const TPoint& a, const TPoint& b) {
    if (a.Y == b.Y) {
        if (between(X, a.X, b.X)) return distanceResult(absDiff(Y, a.Y));
        return std::nullopt;
    }
    if (a.X == b.X) {
        if (between(Y, a.Y, b.Y)) return distanceResult(absDiff(X, a.X));
        return std::nullopt;
    }
    if (between(X, a.X, b.X) && between(Y, a.Y, b.Y)) return slopedLineDistance(X, Y, a, b);
    return std::nullopt;
}

// The distance of the nearer end point.
int nearerEndDistance(int X, int Y, const TPoint& a, const TPoint& b) {
    return std::min(PointDistance({X, Y}, a), PointDistance({X, Y}, b));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TDrawBaseClass

TDrawBaseClass::~TDrawBaseClass() = default;

void TDrawBaseClass::ForgetSelectionHandles() {
    Modified = true;
    HandlesShown = false;
}

void TDrawBaseClass::RedrawSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = false;
    ToggleSelectionHandles(Bitmap, BmpAttribs);
}

// ---------------------------------------------------------------------------------------------
// TDrawFloodFill

std::unique_ptr<TSequenceListObj> TDrawFloodFill::Clone() const {
    return std::make_unique<TDrawFloodFill>();
}

void TDrawFloodFill::Assign(const TSequenceListObj& Source) {
    const auto& s = SequenceSourceAs<TDrawFloodFill>(Source);
    BrushStyle = s.BrushStyle;
    Location = s.Location;
    FillColor = s.FillColor;
}

void TDrawFloodFill::Draw(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = false;
    if (!IsOnBitmap(BmpAttribs)) return;
    TCanvas& c = Bitmap.Canvas();
    c.Pen.Mode = pmCopy;
    c.Pen.Color = FillColor;
    c.Brush.Color = FillColor;
    // A fill always paints: clear (and anything unknown) fills solid.
    const TBrushStyle style = validBrushStyle(BrushStyle);
    c.Brush.Style = style == bsClear ? bsSolid : style;
    c.FloodFill(Location.X, Location.Y, c.Pixels(Location.X, Location.Y), fsSurface);
}

void TDrawFloodFill::DrawEditOutline(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    drawUprightCross(Bitmap, BmpAttribs, EditP1);
}

void TDrawFloodFill::MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                               const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    const auto shiftedLocation = [&] {
        return offsetPoint(Location, static_cast<long long>(X) - DownPoint.X,
                           static_cast<long long>(Y) - DownPoint.Y);
    };
    switch (Op) {
    case moNewBegin:
        Location = {X, Y};
        Draw(Bitmap, BmpAttribs);
        break;
    case moNewDrag:
    case moNewEnd:
        break;
    case moMoveBegin:
    case moSizeBegin:
        DownPoint = {X, Y};
        if (!HandlesShown) ToggleSelectionHandles(Bitmap, BmpAttribs);
        break;
    case moMoveFirstStep:
    case moSizeFirstStep:
        if (HandlesShown) ToggleSelectionHandles(Bitmap, BmpAttribs);
        EditP1 = shiftedLocation();
        drawUprightCross(Bitmap, BmpAttribs, EditP1);
        break;
    case moMoveStep:
    case moSizeStep:
        drawUprightCross(Bitmap, BmpAttribs, EditP1);
        EditP1 = shiftedLocation();
        drawUprightCross(Bitmap, BmpAttribs, EditP1);
        break;
    case moMoveEnd:
    case moSizeEnd:
        EditP1 = shiftedLocation();
        if (PointInBitmap(EditP1.X, EditP1.Y, BmpAttribs.Width, BmpAttribs.Height)) Location = EditP1;
        break;
    default:
        break;
    }
}

int TDrawFloodFill::HitDistance(int X, int Y) const {
    return PointDistance({X, Y}, Location);
}

std::string TDrawFloodFill::GetDescription() const {
    return "Flood Fill: Location" + pointText(Location);
}

void TDrawFloodFill::SetDefaults(const TToolBarAttribClass* Attribs) {
    Modified = true;
    if (Attribs) {
        FillColor = Attribs->BrushColor;
        SetBrushStyle(Attribs->BrushStyle);
    } else {
        FillColor = 0xFF0000;
        SetBrushStyle(bsClear);
    }
}

void TDrawFloodFill::ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = !HandlesShown;
    drawUprightCross(Bitmap, BmpAttribs, Location);
}

bool TDrawFloodFill::IsOnBitmap(const TLabelBmpAttribs& BmpAttribs) const {
    return PointInBitmap(Location.X, Location.Y, BmpAttribs.Width, BmpAttribs.Height);
}

void TDrawFloodFill::SetBrushStyle(uint8_t Style) {
    Modified = true;
    BrushStyle = Style == bsClear ? static_cast<uint8_t>(bsSolid) : Style;
}

void TDrawFloodFill::DrawLocationMark(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    if (!HandlesShown) drawDiagonalCross(Bitmap, BmpAttribs, Location);
}

// ---------------------------------------------------------------------------------------------
// TDrawLabel

void TDrawLabel::Draw(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = false;
    DrawShape(P1, P2, smFinal, Bitmap, BmpAttribs);
}

void TDrawLabel::DrawEditOutline(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
}

void TDrawLabel::MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                           const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
}

void TDrawLabel::shiftCopies(int X, int Y) {
    const long long dx = static_cast<long long>(X) - DownPoint.X;
    const long long dy = static_cast<long long>(Y) - DownPoint.Y;
    EditP1 = offsetPoint(P1, dx, dy);
    EditP2 = offsetPoint(P2, dx, dy);
}

void TDrawLabel::genericMouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                                  const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    switch (Op) {
    case moNewBegin:
        P1 = P2 = {X, Y};
        DrawShape(P1, P2, smXorOutline, Bitmap, BmpAttribs);
        break;
    case moNewDrag:
        DrawShape(P1, P2, smXorOutline, Bitmap, BmpAttribs);
        P2 = {X, Y};
        DrawShape(P1, P2, smXorOutline, Bitmap, BmpAttribs);
        break;
    case moNewEnd:
        DrawShape(P1, P2, smXorOutline, Bitmap, BmpAttribs);
        P2 = {X, Y};
        DrawShape(P1, P2, smFinal, Bitmap, BmpAttribs);
        break;
    case moMoveBegin:
    case moSizeBegin:
        DownPoint = {X, Y};
        if (!HandlesShown) ToggleSelectionHandles(Bitmap, BmpAttribs);
        break;
    case moMoveFirstStep:
    case moSizeFirstStep:
        if (HandlesShown) ToggleSelectionHandles(Bitmap, BmpAttribs);
        DrawShape(P1, P2, smErase, Bitmap, BmpAttribs);
        shiftCopies(X, Y);
        DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
        break;
    case moMoveStep:
    case moSizeStep:
        DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
        shiftCopies(X, Y);
        DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
        break;
    case moMoveEnd:
    case moSizeEnd:
        shiftCopies(X, Y);
        if (RectOnBitmap(EditP1, EditP2, BmpAttribs)) {
            P1 = EditP1;
            P2 = EditP2;
        }
        break;
    default:
        break;
    }
}

int TDrawLabel::HitDistance(int X, int Y) const {
    return boxOutlineDistance(X, Y, P1, P2);
}

void TDrawLabel::ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = !HandlesShown;
    TPoint tl = P1, br = P2;
    OrderCornerPoints(tl, br);
    drawHandleMark(Bitmap, BmpAttribs, tl);
    const bool wide = absDiff(tl.X, br.X) >= 9;
    const bool tall = absDiff(tl.Y, br.Y) >= 9;
    if (wide) drawHandleMark(Bitmap, BmpAttribs, {br.X, tl.Y});
    if (tall) drawHandleMark(Bitmap, BmpAttribs, {tl.X, br.Y});
    if (wide && tall) drawHandleMark(Bitmap, BmpAttribs, br);
}

bool TDrawLabel::IsOnBitmap(const TLabelBmpAttribs& BmpAttribs) const {
    return RectOnBitmap(P1, P2, BmpAttribs);
}

bool TDrawLabel::RectOnBitmap(const TPoint& A, const TPoint& B, const TLabelBmpAttribs& BmpAttribs) const {
    const int w = BmpAttribs.Width, h = BmpAttribs.Height;
    if (PointInBitmap(A.X, A.Y, w, h) || PointInBitmap(B.X, B.Y, w, h) || PointInBitmap(A.X, B.Y, w, h) ||
        PointInBitmap(B.X, A.Y, w, h))
        return true;
    TPoint tl = A, br = B;
    OrderCornerPoints(tl, br);
    const long long maxX = static_cast<long long>(w) - 1, maxY = static_cast<long long>(h) - 1;
    const auto inX = [&](long long v) { return v >= 0 && v <= maxX; };
    const auto inY = [&](long long v) { return v >= 0 && v <= maxY; };
    if (tl.Y < 0 && br.Y > maxY && (inX(tl.X) || inX(br.X))) return true;
    if (tl.X >= 0 || br.X <= maxX) return false;
    return inY(tl.Y) || inY(br.Y);
}

// ---------------------------------------------------------------------------------------------
// TDrawShape

TCursor TDrawShape::GetCursor() const {
    switch (GrabbedHandle) {
    case ghNone:
        return crDrag;
    case ghLineStart:
    case ghLineEnd:
        return crSizeAll;
    case ghTopLeft:
    case ghBottomRight:
        return crSizeNWSE;
    case ghTopRight:
    case ghBottomLeft:
        return crSizeNESW;
    case ghTop:
    case ghBottom:
        return crSizeNS;
    case ghLeft:
    case ghRight:
        return crSizeWE;
    default:
        return crDefault;
    }
}

void TDrawShape::SetDefaults(const TToolBarAttribClass* Attribs) {
    Modified = true;
    if (Attribs) {
        SetPenStyle(Attribs->PenStyle);
        PenColor = Attribs->PenColor;
        PenWidth = Attribs->PenWidth;
        BrushColor = Attribs->BrushColor;
        SetBrushStyle(Attribs->BrushStyle);
    } else {
        SetPenStyle(psSolid);
        PenColor = 0;
        PenWidth = 1;
        BrushColor = 0xFF0000;
        SetBrushStyle(bsClear);
    }
}

void TDrawShape::SetPenStyle(uint8_t Style) {
    Modified = true;
    PenStyle = Style;
}

void TDrawShape::SetBrushStyle(uint8_t Style) {
    Modified = true;
    BrushStyle = Style;
}

void TDrawShape::assignShapeFields(const TDrawShape& Source) {
    P1 = Source.P1;
    P2 = Source.P2;
    PenStyle = Source.PenStyle;
    BrushStyle = Source.BrushStyle;
    PenColor = Source.PenColor;
    PenWidth = Source.PenWidth;
    BrushColor = Source.BrushColor;
}

uint8_t TDrawShape::handleAt(int, int) const {
    return ghNone;
}

void TDrawShape::MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                           const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    switch (Op) {
    case moSizeBegin:
        DownPoint = {X, Y};
        EditP1 = P1;
        EditP2 = P2;
        if (!HandlesShown) ToggleSelectionHandles(Bitmap, BmpAttribs);
        GrabbedHandle = handleAt(X, Y);
        break;
    case moSizeFirstStep:
        if (GrabbedHandle == ghNone) {
            genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
            break;
        }
        if (HandlesShown) ToggleSelectionHandles(Bitmap, BmpAttribs);
        DrawShape(P1, P2, smErase, Bitmap, BmpAttribs);
        moveGrabbedHandle(X, Y);
        DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
        break;
    case moSizeStep:
        if (GrabbedHandle == ghNone) {
            genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
            break;
        }
        DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
        moveGrabbedHandle(X, Y);
        DrawShape(EditP1, EditP2, smXorOutline, Bitmap, BmpAttribs);
        break;
    case moSizeEnd:
        if (GrabbedHandle == ghNone) {
            genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
            break;
        }
        moveGrabbedHandle(X, Y);
        if (RectOnBitmap(EditP1, EditP2, BmpAttribs)) {
            P1 = EditP1;
            P2 = EditP2;
        }
        break;
    default:
        GrabbedHandle = ghNone;
        genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
        break;
    }
}

void TDrawShape::setUpShapePen(TCanvas& c, TDrawShapeMode Mode, const TLabelBmpAttribs& BmpAttribs,
                               bool lineLike) const {
    switch (Mode) {
    case smErase:
        c.Pen.Mode = pmCopy;
        c.Pen.Color = BmpAttribs.BackgroundColor;
        c.Brush.Color = BmpAttribs.BackgroundColor;
        break;
    case smXorOutline:
        c.Pen.Mode = pmNotXor;
        c.Pen.Color = PenColor;
        c.Brush.Color = BrushColor;
        break;
    case smFinal:
    default:
        c.Pen.Mode = pmCopy;
        c.Pen.Color = PenColor;
        c.Brush.Color = BrushColor;
        break;
    }
    const TBrushStyle brush = validBrushStyle(lineLike ? lineBrushCode(BrushStyle) : BrushStyle);
    TPenStyle pen = DrawnPenStyle(lineLike ? linePenCode(PenStyle) : PenStyle);
    // A shape never vanishes entirely.
    if (pen == psClear && brush == bsClear) pen = psSolid;
    c.Brush.Style = brush;
    c.Pen.Style = pen;
    c.Pen.Width = DrawnPenWidth(PenWidth);
}

// ---------------------------------------------------------------------------------------------
// TDrawInclosedShape

TDrawInclosedShape::TDrawInclosedShape(uint8_t ShapeKind) : ShapeKind(ShapeKind) {}

std::unique_ptr<TSequenceListObj> TDrawInclosedShape::Clone() const {
    return std::make_unique<TDrawInclosedShape>(ShapeKind);
}

void TDrawInclosedShape::Assign(const TSequenceListObj& Source) {
    const auto& s = SequenceSourceAs<TDrawInclosedShape>(Source);
    assignShapeFields(s);
    ShapeKind = s.ShapeKind;
}

void TDrawInclosedShape::DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                                   const TLabelBmpAttribs& BmpAttribs) {
    TCanvas& c = Bitmap.Canvas();
    setUpShapePen(c, Mode, BmpAttribs, false);
    TPoint tl = A, br = B;
    OrderCornerPoints(tl, br);
    switch (ShapeKind) {
    case lkRectangle:
        c.Rectangle(tl.X, tl.Y, br.X, br.Y);
        break;
    case lkEllipse:
        c.Ellipse(tl.X, tl.Y, br.X, br.Y);
        break;
    case lkRoundRect: {
        // Corner sizes of half the width and height, negative as the ordered corners give them.
        const int cx = clampToInt((static_cast<long long>(tl.X) - br.X) / 2);
        const int cy = clampToInt((static_cast<long long>(tl.Y) - br.Y) / 2);
        c.RoundRect(tl.X, tl.Y, br.X, br.Y, cx, cy);
        break;
    }
    default:
        break;
    }
}

std::string TDrawInclosedShape::GetDescription() const {
    std::string kind;
    switch (ShapeKind) {
    case lkRectangle:
        kind = "Rectangle";
        break;
    case lkEllipse:
        kind = "Ellipse";
        break;
    case lkRoundRect:
        kind = "Round Rectangle";
        break;
    default:
        break;
    }
    return kind + ": Top Left" + pointText(P1) + " Bottom Right" + pointText(P2);
}

void TDrawInclosedShape::moveGrabbedHandle(int X, int Y) {
    const long long dx = static_cast<long long>(X) - DownPoint.X;
    const long long dy = static_cast<long long>(Y) - DownPoint.Y;
    switch (GrabbedHandle) {
    case ghTopLeft:
        EditP1 = offsetPoint(P1, dx, dy);
        break;
    case ghTopRight:
        EditP2.X = clampToInt(P2.X + dx);
        EditP1.Y = clampToInt(P1.Y + dy);
        break;
    case ghBottomLeft:
        EditP1.X = clampToInt(P1.X + dx);
        EditP2.Y = clampToInt(P2.Y + dy);
        break;
    case ghBottomRight:
        EditP2 = offsetPoint(P2, dx, dy);
        break;
    case ghTop:
        EditP1.Y = clampToInt(P1.Y + dy);
        break;
    case ghBottom:
        EditP2.Y = clampToInt(P2.Y + dy);
        break;
    case ghLeft:
        EditP1.X = clampToInt(P1.X + dx);
        break;
    case ghRight:
        EditP2.X = clampToInt(P2.X + dx);
        break;
    default:
        break;
    }
}

uint8_t TDrawInclosedShape::handleAt(int X, int Y) const {
    const TPoint m{X, Y};
    // Ties go to the corner listed first.
    const std::pair<uint8_t, TPoint> corners[] = {
        {ghTopLeft, P1}, {ghBottomRight, P2}, {ghTopRight, {P2.X, P1.Y}}, {ghBottomLeft, {P1.X, P2.Y}}};
    int bestCorner = FarDistance + 1;
    uint8_t corner = ghNone;
    for (const auto& [handle, p] : corners) {
        const int d = PointDistance(m, p);
        if (d < bestCorner) {
            bestCorner = d;
            corner = handle;
        }
    }
    if (bestCorner <= 5) return corner;
    long long edge[4]; // bottom, right, top, left: the order ties are decided in
    const uint8_t edgeHandle[4] = {ghBottom, ghRight, ghTop, ghLeft};
    const long long none = FarDistance;
    const bool inX = X >= P1.X && X <= P2.X;
    const bool inY = Y >= P1.Y && Y <= P2.Y;
    edge[0] = inX ? absDiff(Y, P2.Y) : none;
    edge[1] = inY ? absDiff(X, P2.X) : none;
    edge[2] = inX ? absDiff(Y, P1.Y) : none;
    edge[3] = inY ? absDiff(X, P1.X) : none;
    int best = 0;
    for (int i = 1; i < 4; ++i)
        if (edge[i] < edge[best]) best = i;
    return edge[best] <= 5 ? edgeHandle[best] : static_cast<uint8_t>(ghNone);
}

void TDrawInclosedShape::MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                                   const TLabelBmpAttribs& BmpAttribs) {
    if (Op == moSizeBegin) OrderCornerPoints(P1, P2);
    TDrawShape::MouseEdit(X, Y, Op, Bitmap, BmpAttribs);
}

// ---------------------------------------------------------------------------------------------
// TDrawLine

std::unique_ptr<TSequenceListObj> TDrawLine::Clone() const {
    return std::make_unique<TDrawLine>();
}

void TDrawLine::Assign(const TSequenceListObj& Source) {
    assignShapeFields(SequenceSourceAs<TDrawLine>(Source));
}

void TDrawLine::DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                          const TLabelBmpAttribs& BmpAttribs) {
    TCanvas& c = Bitmap.Canvas();
    setUpShapePen(c, Mode, BmpAttribs, true);
    c.MoveTo(A.X, A.Y);
    c.LineTo(B.X, B.Y);
}

void TDrawLine::SetPenStyle(uint8_t Style) {
    TDrawShape::SetPenStyle(linePenCode(Style));
}

void TDrawLine::SetBrushStyle(uint8_t Style) {
    TDrawShape::SetBrushStyle(lineBrushCode(Style));
}

std::string TDrawLine::GetDescription() const {
    return "Line: Origin Point" + pointText(P1) + " End Point" + pointText(P2);
}

int TDrawLine::HitDistance(int X, int Y) const {
    if (const std::optional<int> d = acrossSegmentDistance(X, Y, P1, P2)) return *d;
    return nearerEndDistance(X, Y, P1, P2);
}

void TDrawLine::ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = !HandlesShown;
    drawHandleMark(Bitmap, BmpAttribs, P1);
    const long long dx = absDiff(P1.X, P2.X), dy = absDiff(P1.Y, P2.Y);
    if (dx <= 8 && dy <= 8) return;
    drawHandleMark(Bitmap, BmpAttribs, P2);
    const long long hx = dx / 2, hy = dy / 2;
    if (hx > 12 || hy > 12)
        drawHandleMark(Bitmap, BmpAttribs,
                       {clampToInt(std::min(P1.X, P2.X) + hx), clampToInt(std::min(P1.Y, P2.Y) + hy)});
}

bool TDrawLine::RectOnBitmap(const TPoint& A, const TPoint& B, const TLabelBmpAttribs& BmpAttribs) const {
    int ax = A.X, ay = A.Y, bx = B.X, by = B.Y;
    return ClipSegment(ax, ay, bx, by, TClipLimits{BmpAttribs.Width - 1, BmpAttribs.Height - 1});
}

uint8_t TDrawLine::handleAt(int X, int Y) const {
    const int d1 = PointDistance({X, Y}, P1);
    const int d2 = PointDistance({X, Y}, P2);
    if (d1 < d2 && d1 <= 5) return ghLineStart;
    if (d2 <= 5) return ghLineEnd;
    return ghNone;
}

void TDrawLine::moveGrabbedHandle(int X, int Y) {
    const long long dx = static_cast<long long>(X) - DownPoint.X;
    const long long dy = static_cast<long long>(Y) - DownPoint.Y;
    if (GrabbedHandle == ghLineStart)
        EditP1 = offsetPoint(P1, dx, dy);
    else
        EditP2 = offsetPoint(P2, dx, dy);
}

// ---------------------------------------------------------------------------------------------
// TDrawFreeHand

TDrawFreeHand::TDrawFreeHand() : blocks_(1) {}

std::unique_ptr<TSequenceListObj> TDrawFreeHand::Clone() const {
    return std::make_unique<TDrawFreeHand>();
}

void TDrawFreeHand::Assign(const TSequenceListObj& Source) {
    const auto& s = SequenceSourceAs<TDrawFreeHand>(Source);
    if (&s == this) return; // our own blocks are the source: nothing to copy
    assignShapeFields(s);
    try {
        std::vector<TFreeHandBlock> copy(s.blocks_);
        blocks_.swap(copy);
    } catch (const std::bad_alloc&) {
        // Without memory for the copy the label is left with no points at all rather
        // than with the old curve under the new shape's fields.
        blocks_.clear();
        Bounds = {};
        PointCount = 0;
        LastBlockCount = 0;
        throw;
    }
    Bounds = s.Bounds;
    PointCount = s.PointCount;
    LastBlockCount = s.LastBlockCount;
}

int TDrawFreeHand::usedInBlock(std::size_t block) const {
    if (block + 1 < blocks_.size()) return TFreeHandBlock::Capacity;
    return std::clamp(LastBlockCount, 0, TFreeHandBlock::Capacity);
}

int TDrawFreeHand::StoredPointCount() const {
    if (blocks_.empty()) return 0;
    return static_cast<int>(blocks_.size() - 1) * TFreeHandBlock::Capacity + usedInBlock(blocks_.size() - 1);
}

TPoint TDrawFreeHand::PointAt(int Index, const TPoint& Origin) const {
    if (Index < 0 || Index >= StoredPointCount()) return Origin;
    const TFreeHandOffset& o = blocks_[static_cast<std::size_t>(Index / TFreeHandBlock::Capacity)]
                                   .Points[Index % TFreeHandBlock::Capacity];
    return offsetPoint(Origin, o.DX, o.DY);
}

void TDrawFreeHand::BeginCurve(int X, int Y) {
    blocks_.assign(1, TFreeHandBlock{});
    Bounds = {};
    PointCount = 1;
    LastBlockCount = 1;
    P1 = P2 = {X, Y};
}

bool TDrawFreeHand::AssignCurve(std::vector<TFreeHandBlock> NewBlocks, const TFreeHandBounds& NewBounds,
                                int NewPointCount, int NewLastBlockCount) {
    const long long blockCount = static_cast<long long>(NewBlocks.size());
    const bool empty = blockCount == 0 && NewPointCount == 0 && NewLastBlockCount == 0;
    if (!empty) {
        if (blockCount < 1 || blockCount > MaxBlockCount) return false;
        if (NewLastBlockCount < 1 || NewLastBlockCount > TFreeHandBlock::Capacity) return false;
        if (NewPointCount != (blockCount - 1) * TFreeHandBlock::Capacity + NewLastBlockCount) return false;
    }
    Modified = true;
    // A curve without points keeps one empty block, as a new label has, ready for points.
    if (empty) NewBlocks.assign(1, TFreeHandBlock{});
    blocks_ = std::move(NewBlocks);
    Bounds = NewBounds;
    PointCount = NewPointCount;
    LastBlockCount = NewLastBlockCount;
    return true;
}

bool TDrawFreeHand::AddPoint(int X, int Y) {
    if (X == P2.X && Y == P2.Y) return false;
    if (PointCount >= MaxPointCount || blocks_.empty()) return false;
    const long long dx = static_cast<long long>(X) - P1.X;
    const long long dy = static_cast<long long>(Y) - P1.Y;
    // An offset that does not fit the stored 16 bits would come back as another point.
    if (dx < std::numeric_limits<int16_t>::min() || dx > std::numeric_limits<int16_t>::max() ||
        dy < std::numeric_limits<int16_t>::min() || dy > std::numeric_limits<int16_t>::max())
        return false;
    if (LastBlockCount >= TFreeHandBlock::Capacity) {
        try {
            blocks_.emplace_back();
        } catch (const std::bad_alloc&) {
            return false;
        }
        LastBlockCount = 0;
    } else if (LastBlockCount < 0) {
        LastBlockCount = 0;
    }
    TFreeHandBlock& block = blocks_.back();
    const auto ox = static_cast<int32_t>(dx), oy = static_cast<int32_t>(dy);
    block.Points[static_cast<std::size_t>(LastBlockCount)] = {static_cast<int16_t>(ox),
                                                              static_cast<int16_t>(oy)};
    ++LastBlockCount;
    for (TFreeHandBounds* b : {&block.Bounds, &Bounds}) {
        b->MinDX = std::min(b->MinDX, ox);
        b->MinDY = std::min(b->MinDY, oy);
        b->MaxDX = std::max(b->MaxDX, ox);
        b->MaxDY = std::max(b->MaxDY, oy);
    }
    P2 = {X, Y};
    ++PointCount;
    return true;
}

void TDrawFreeHand::setUpCreationPen(TCanvas& c) const {
    c.Brush.Color = BrushColor;
    c.Brush.Style = validBrushStyle(lineBrushCode(BrushStyle));
    c.Pen.Mode = pmCopy;
    c.Pen.Color = PenColor;
    c.Pen.Style = DrawnPenStyle(PenStyle);
    c.Pen.Width = DrawnPenWidth(PenWidth);
}

void TDrawFreeHand::MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                              const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    switch (Op) {
    case moNewBegin: {
        BeginCurve(X, Y);
        TCanvas& c = Bitmap.Canvas();
        setUpCreationPen(c);
        c.MoveTo(X, Y);
        c.LineTo(X, Y);
        break;
    }
    case moNewDrag:
    case moNewEnd: {
        // The curve is drawn in its final colours as it grows; starting each segment at the
        // previous point keeps it joined whatever else used the canvas in between.
        const TPoint from = P2;
        if (!AddPoint(X, Y)) break;
        TCanvas& c = Bitmap.Canvas();
        setUpCreationPen(c);
        c.MoveTo(from.X, from.Y);
        c.LineTo(X, Y);
        break;
    }
    default:
        genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
        break;
    }
}

void TDrawFreeHand::DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                              const TLabelBmpAttribs& BmpAttribs) {
    if (PointCount <= 0) return;
    TCanvas& c = Bitmap.Canvas();
    setUpShapePen(c, Mode, BmpAttribs, true);
    if (PointCount == 1) {
        c.MoveTo(A.X, A.Y);
        c.LineTo(B.X, B.Y);
        return;
    }
    // Long curves go out in batches; each batch starts with the last point of the one
    // before, so the curve stays joined.
    std::array<TPoint, PolyBatch> batch;
    int n = 0;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const int used = usedInBlock(b);
        for (int i = 0; i < used; ++i) {
            const TFreeHandOffset& o = blocks_[b].Points[static_cast<std::size_t>(i)];
            batch[static_cast<std::size_t>(n++)] = offsetPoint(A, o.DX, o.DY);
            if (n == PolyBatch) {
                c.Polyline(batch.data(), PolyBatch);
                batch[0] = batch[PolyBatch - 1];
                n = 1;
            }
        }
    }
    if (n >= 2) c.Polyline(batch.data(), n);
}

void TDrawFreeHand::SetPenStyle(uint8_t Style) {
    TDrawShape::SetPenStyle(linePenCode(Style));
}

void TDrawFreeHand::SetBrushStyle(uint8_t Style) {
    TDrawShape::SetBrushStyle(lineBrushCode(Style));
}

std::string TDrawFreeHand::GetDescription() const {
    return "Free Hand: Origin Point" + pointText(P1);
}

int TDrawFreeHand::HitDistance(int X, int Y) const {
    if (PointCount <= 0) return FarDistance;
    const auto inWidened = [&](const TFreeHandBounds& b) {
        return static_cast<long long>(X) >= static_cast<long long>(P1.X) + b.MinDX - 5 &&
               static_cast<long long>(X) <= static_cast<long long>(P1.X) + b.MaxDX + 5 &&
               static_cast<long long>(Y) >= static_cast<long long>(P1.Y) + b.MinDY - 5 &&
               static_cast<long long>(Y) <= static_cast<long long>(P1.Y) + b.MaxDY + 5;
    };
    if (!inWidened(Bounds)) return FarDistance;
    const TPoint m{X, Y};
    int best = std::min(std::min(PointDistance(m, P1), FarDistance), PointDistance(m, P2));
    if (best == 0) return 0;

    const auto segmentDistance = [&](const TPoint& a, const TPoint& b) -> int {
        // Neighbouring pixels: their own distances already count.
        if (absDiff(a.X, b.X) <= 1 && absDiff(a.Y, b.Y) <= 1) return FarDistance;
        return acrossSegmentDistance(X, Y, a, b).value_or(FarDistance);
    };

    for (std::size_t bi = 0; bi < blocks_.size(); ++bi) {
        const TFreeHandBlock& block = blocks_[bi];
        if (!inWidened(block.Bounds)) continue;
        const int used = usedInBlock(bi);
        for (int i = 0; i < used; ++i) {
            const TFreeHandOffset& o = block.Points[static_cast<std::size_t>(i)];
            best = std::min(best, PointDistance(m, offsetPoint(P1, o.DX, o.DY)));
        }
        if (best == 0) return 0;
        // Segments within the block; the one joining two blocks is left out.
        for (int i = 1; i < used; ++i) {
            const TFreeHandOffset& a = block.Points[static_cast<std::size_t>(i - 1)];
            const TFreeHandOffset& b = block.Points[static_cast<std::size_t>(i)];
            best = std::min(best, segmentDistance(offsetPoint(P1, a.DX, a.DY), offsetPoint(P1, b.DX, b.DY)));
        }
        if (best == 0) return 0;
    }
    return best;
}

void TDrawFreeHand::ToggleSelectionHandles(TBitmap& Bitmap, const TLabelBmpAttribs& BmpAttribs) {
    HandlesShown = !HandlesShown;
    drawHandleMark(Bitmap, BmpAttribs, P1);
    if (farApart(P1, P2)) drawHandleMark(Bitmap, BmpAttribs, P2);
    const int n = PointCount;
    if (n < 8) return;
    const int k = std::clamp(n / 32, 1, 25);
    const int step = n / (k + 1);
    std::vector<TPoint> earlier;
    earlier.reserve(static_cast<std::size_t>(k));
    for (int j = 1; j <= k; ++j) {
        const long long index = 1 + static_cast<long long>(j) * step;
        const TPoint p = index >= n ? P2 : PointAt(static_cast<int>(index));
        bool mark = farApart(p, P1) && farApart(p, P2);
        for (const TPoint& e : earlier)
            if (!farApart(p, e)) mark = false;
        if (mark) drawHandleMark(Bitmap, BmpAttribs, p);
        earlier.push_back(p);
    }
}

bool TDrawFreeHand::RectOnBitmap(const TPoint& A, const TPoint& B, const TLabelBmpAttribs& BmpAttribs) const {
    const int w = BmpAttribs.Width, h = BmpAttribs.Height;
    if (PointInBitmap(A.X, A.Y, w, h) || PointInBitmap(B.X, B.Y, w, h)) return true;
    const int count = StoredPointCount();
    for (int i = 0; i < count; ++i) {
        const TPoint p = PointAt(i, A);
        if (PointInBitmap(p.X, p.Y, w, h)) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// TDrawText

TDrawText::TDrawText() : Font(GetDefaultFont()) {}

std::unique_ptr<TSequenceListObj> TDrawText::Clone() const {
    return std::make_unique<TDrawText>();
}

void TDrawText::Assign(const TSequenceListObj& Source) {
    const auto& s = SequenceSourceAs<TDrawText>(Source);
    P1 = s.P1;
    P2 = s.P2;
    Text = s.Text;
    Font = s.Font;
}

void TDrawText::DrawShape(const TPoint& A, const TPoint& B, TDrawShapeMode Mode, TBitmap& Bitmap,
                          const TLabelBmpAttribs& BmpAttribs) {
    // Texts are removed only by repainting the bitmap.
    if (Mode == smErase) return;
    TCanvas& c = Bitmap.Canvas();
    c.Brush.Color = clWhite;
    c.Brush.Style = bsClear;
    if (Mode == smXorOutline) {
        c.Pen.Mode = pmNotXor;
        c.Pen.Style = psDot;
        c.Pen.Color = clBlack;
        c.Pen.Width = 1;
        c.Rectangle(A.X, A.Y, B.X, B.Y);
        return;
    }
    c.Pen.Mode = pmCopy;
    c.Font = Font;
    if (!Text.empty()) c.TextOut(A.X, A.Y, Text);
}

void TDrawText::MouseEdit(int X, int Y, TLabelMouseOp Op, TBitmap& Bitmap,
                          const TLabelBmpAttribs& BmpAttribs) {
    Modified = true;
    // Texts are made through the in-place editor, never dragged out.
    if (Op == moNewBegin || Op == moNewDrag || Op == moNewEnd) return;
    genericMouseEdit(X, Y, Op, Bitmap, BmpAttribs);
}

int TDrawText::HitDistance(int X, int Y) const {
    if (X >= P1.X && X <= P2.X && Y >= P1.Y && Y <= P2.Y) return 0;
    return TDrawLabel::HitDistance(X, Y);
}

std::string TDrawText::GetDescription() const {
    return "Text: Origin Point" + pointText(P1) + " \"" + Text + "\"";
}

void TDrawText::SetText(const TPoint& Origin, const std::string& NewText, const TFontRecord* NewFont) {
    Modified = true;
    P1 = Origin;
    P2 = CalcTextExtent(Origin, NewText, NewFont ? *NewFont : Font);
    Text = NewText;
    if (NewFont) Font = *NewFont;
}

TPoint TDrawText::CalcTextExtent(const TPoint& Origin, const std::string& Text, const TFontRecord& Font) {
    if (Text.empty()) return Origin;
    const TSize extent = TextExtentIn(FontRecordToQFont(Font), Text);
    return offsetPoint(Origin, extent.cx, extent.cy);
}

bool TDrawText::KeepOnBitmap(const TLabelBmpAttribs& BmpAttribs) {
    const long long w = static_cast<long long>(BmpAttribs.Width) - 1;
    const long long h = static_cast<long long>(BmpAttribs.Height) - 1;
    // The shift along one axis that brings the span lo..hi (in either order) back to 0..max.
    const auto shiftFor = [](long long first, long long second, long long max) -> long long {
        if (second >= first) {
            if (first > max) return max - first;
            if (second < 0) return -second;
        } else {
            if (second > max) return max - second;
            if (first < 0) return -first;
        }
        return 0;
    };
    const long long dx = shiftFor(P1.X, P2.X, w);
    const long long dy = shiftFor(P1.Y, P2.Y, h);
    if (dx == 0 && dy == 0) return false;
    P1 = offsetPoint(P1, dx, dy);
    P2 = offsetPoint(P2, dx, dy);
    Modified = true;
    return true;
}
