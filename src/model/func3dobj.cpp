#include "model/func3dobj.h"

#include "math/GrGlobal.h"
#include "model/RecordValues.h"

#include <array>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// A grid with more points than this is not built and counts as out of memory. The dialogs
// allow about 20,000 points and the store holds 65,536 vertices, so no wire frame a user
// can make comes near it; it keeps a count from a damaged file from costing hours of
// evaluation on the drawing thread, where nothing else could stop it.
constexpr int64_t MaxGridPoints = int64_t(1) << 24;

// One point of a ring or row, with the store's vertex for it once a line used it.
struct GridPoint {
    Point3D P;
    TVertex3D* Ref = nullptr;
    bool Defined = false;
};

struct Sample {
    long double X = 0;
    long double Y = 0;
    bool Defined = false;
};

// Which positions along one direction (numbered from 1) carry a wire.
class Marks {
public:
    static Marks none() { return Marks(kNone, 0); }
    static Marks first() { return Marks(kFirst, 0); }
    static Marks all() { return Marks(kAll, 0); }
    // Every (Step + 1)-th position, starting with the first.
    static Marks cycle(int64_t Step) { return Marks(kCycle, Step + 1); }

    bool at(int64_t position) const {
        switch (kind_) {
        case kFirst:
            return position == 1;
        case kAll:
            return true;
        case kCycle:
            return (position - 1) % period_ == 0;
        default:
            return false;
        }
    }

private:
    enum Kind { kNone, kFirst, kAll, kCycle };
    Marks(Kind kind, int64_t period) : kind_(kind), period_(period) {}
    Kind kind_;
    int64_t period_;
};

// The wire-frame shape of one object: positions along each direction and which of them
// carry a wire.
struct GridShape {
    int64_t Outer = 0; // angular positions of a rotated curve, rows of a surface
    int64_t Inner = 0; // samples along the curve, columns of a surface
    Marks OuterMarks = Marks::none();
    Marks InnerMarks = Marks::none();
};

// Counts and details may come from a file; a negative one means none.
int64_t nonNegative(int32_t v) {
    return v < 0 ? 0 : v;
}

// Value times 65536 truncated toward zero; false when that is no 32-bit integer (or the
// value is not a number), which leaves the point undefined.
bool toFixed(long double v, int32_t& out) {
    const long double scaled = v * 65536.0L;
    if (!(scaled > -2147483649.0L && scaled < 2147483648.0L)) return false;
    out = static_cast<int32_t>(scaled);
    return true;
}

bool toFixedPoint(long double x, long double y, long double z, Point3D& p) {
    return toFixed(x, p.X) && toFixed(y, p.Y) && toFixed(z, p.Z);
}

// A value beyond +-700 is clipped to it, or makes the point undefined.
bool applyValueLimit(long double& y, bool limitTo700) {
    if (std::fabs(y) > Func3DValueLimit) {
        if (!limitTo700) return false;
        y = y > 0 ? Func3DValueLimit : -Func3DValueLimit;
    }
    return true;
}

// Position k (0-based) of Count evenly spread from Lo to Hi; the ends are Lo and Hi exactly.
long double spread(long double lo, long double hi, int64_t k, int64_t count) {
    if (k == 0) return lo;
    if (k == count - 1) return hi;
    return lo + (hi - lo) * static_cast<long double>(k) / static_cast<long double>(count - 1);
}

bool gridFits(const GridShape& g, int64_t outerPositions) {
    return g.Inner <= MaxGridPoints && outerPositions <= MaxGridPoints &&
           outerPositions * g.Inner <= MaxGridPoints;
}

template <class T> bool tryResize(std::vector<T>& v, int64_t n) {
    try {
        v.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

// Keeps the first failure of a generation run: a later line that goes in must not hide it.
void noteResult(int& result, int code) {
    if (result == lrDone) result = code;
}

// Walks the outer positions 1 .. Positions. Compute fills the points of a position; each
// defined point is then joined to its inner neighbour where the position carries a wire,
// and to the same point of the previous position where its inner position carries one.
// Stops after the first position that had a line refused, with that refusal's result,
// or quietly after the position at which the store's abort poll reports a stop.
template <class TCompute>
int joinGrid(const GridShape& g, int64_t positions, TCompute&& compute, uint8_t ColorIndex,
             TLineObj& LineStore) {
    std::vector<GridPoint> previous, current;
    if (!tryResize(previous, g.Inner) || !tryResize(current, g.Inner)) return lrOutOfMemory;
    int result = lrDone;
    for (int64_t a = 1; a <= positions; ++a) {
        compute(a, current);
        const bool wireHere = a <= g.Outer && g.OuterMarks.at(a);
        for (int64_t k = 1; k <= g.Inner; ++k) {
            GridPoint& p = current[k - 1];
            if (!p.Defined) continue;
            if (k > 1 && wireHere) {
                GridPoint& q = current[k - 2];
                if (q.Defined) noteResult(result, LineStore.AddLine(ColorIndex, p.P, q.P, p.Ref, q.Ref));
            }
            if (a > 1 && g.InnerMarks.at(k)) {
                GridPoint& q = previous[k - 1];
                if (q.Defined) noteResult(result, LineStore.AddLine(ColorIndex, p.P, q.P, p.Ref, q.Ref));
            }
        }
        if (result != lrDone || LineStore.GenerationAborted()) break;
        std::swap(previous, current);
    }
    return result;
}

} // namespace

int32_t MaxLineDetail(int32_t Count) {
    if (Count <= 0) return 100;
    if (Count == 1) return 98;
    const int64_t count = Count;
    int64_t n = (100 - count) / (count - 1); // truncated toward zero
    if (n < 0) n = -n;
    while (n > 0 && count + (count - 1) * n > 100)
        --n;
    return static_cast<int32_t>(n);
}

// ---------------------------------------------------------------------------------------
// Rotated curve

TFuncRotateObj::TFuncRotateObj()
    : Func(std::make_unique<TMathRotateFunc>()), LoBound(ExactMathValue(0)), HiBound(ExactMathValue(1)),
      P1X(ExactMathValue(0)), P1Y(ExactMathValue(0)), P2X(ExactMathValue(1)), P2Y(ExactMathValue(1)) {}

TFuncRotateObj::~TFuncRotateObj() = default;

std::unique_ptr<TSequenceListObj> TFuncRotateObj::Clone() const {
    return std::make_unique<TFuncRotateObj>();
}

void TFuncRotateObj::Assign(const TSequenceListObj& Source) {
    const auto& s = SequenceSourceAs<TFuncRotateObj>(Source);
    if (&s == this) return;
    Func->Assign(*s.Func);
    LoBoundStr = s.LoBoundStr;
    HiBoundStr = s.HiBoundStr;
    LoBound = s.LoBound;
    HiBound = s.HiBound;
    RotationAxis = s.RotationAxis;
    P1XStr = s.P1XStr;
    P1YStr = s.P1YStr;
    P2XStr = s.P2XStr;
    P2YStr = s.P2YStr;
    P1X = s.P1X;
    P1Y = s.P1Y;
    P2X = s.P2X;
    P2Y = s.P2Y;
    Circles = s.Circles;
    CircleDetail = s.CircleDetail;
    Lines = s.Lines;
    LineDetail = s.LineDetail;
    FuncColor = s.FuncColor;
    LimitTo700 = s.LimitTo700;
}

std::string TFuncRotateObj::GetDescription() const {
    return "Y=f(x)=" + Func->GetExpression();
}

int TFuncRotateObj::GenerateLines(uint8_t ColorIndex, TLineObj& LineStore) {
    LineStore.SetColorEntry(ColorIndex, FuncColor);
    LineStore.BeginGroup();
    const int64_t nc = nonNegative(Circles), cd = nonNegative(CircleDetail);
    const int64_t nl = nonNegative(Lines), ld = nonNegative(LineDetail);
    if (nl == 0 && nc == 0) return lrDone;

    // Outer: angular positions (lines), inner: samples along the curve (circles).
    GridShape g;
    if (nl >= 2 && nc >= 2) {
        g = {nl + nl * cd, nc + (nc - 1) * ld, Marks::cycle(cd), Marks::cycle(ld)};
    } else if (nl == 0) {
        g = {cd == 0 ? 0 : cd + 1, nc, Marks::none(), Marks::all()};
    } else if (nc == 0) {
        g = {nl, ld + 2, Marks::all(), Marks::none()};
    } else if (nl == 1 && nc == 1) {
        g = {cd + 1, ld + 2, Marks::first(), Marks::first()};
    } else if (nl == 1) {
        g = {cd + 1, nc + (nc - 1) * ld, Marks::first(), Marks::cycle(ld)};
    } else {
        g = {nl + nl * cd, ld + 2, Marks::cycle(cd), Marks::first()};
    }
    if (g.Outer == 0) return lrDone;
    // Position Outer + 1 closes every circle at 2 pi.
    if (!gridFits(g, g.Outer + 1)) return lrOutOfMemory;
    if (Func->State != msCompiled) return lrDone; // no point can be defined

    std::vector<Sample> samples;
    if (!tryResize(samples, g.Inner)) return lrOutOfMemory;

    const long double lo = LoBound.FloatValue, hi = HiBound.FloatValue;
    for (int64_t k = 0; k < g.Inner; ++k) {
        Sample& s = samples[k];
        s.X = spread(lo, hi, k, g.Inner);
        Func->SetVariableFloat(0, s.X);
        s.Defined = Func->EvaluateMathFunc();
        if (s.Defined) {
            s.Y = Func->GetResultFloat();
            s.Defined = applyValueLimit(s.Y, LimitTo700);
        }
    }

    uint8_t axis =
        RotationAxis == RotateAboutY || RotationAxis == RotateAboutLine ? RotationAxis : RotateAboutX;
    const long double p1x = P1X.FloatValue, p1y = P1Y.FloatValue;
    long double sinPhi = 0, cosPhi = 1;
    if (axis == RotateAboutLine) {
        if (p1x == P2X.FloatValue && p1y == P2Y.FloatValue) {
            axis = RotateAboutX;
        } else {
            long double r = 0, phi = 0;
            RectToPolar(P2X.FloatValue - p1x, P2Y.FloatValue - p1y, r, phi);
            sinPhi = std::sin(phi);
            cosPhi = std::cos(phi);
        }
    }

    auto computeRing = [&](int64_t a, std::vector<GridPoint>& ring) {
        // The first and the closing position are the curve itself, unrotated, so the
        // circles close exactly.
        const bool flat = a == 1 || a == g.Outer + 1;
        long double cosT = 1, sinT = 0;
        if (!flat) {
            const long double theta =
                TwoPiExtended * static_cast<long double>(a - 1) / static_cast<long double>(g.Outer);
            cosT = std::cos(theta);
            sinT = std::sin(theta);
        }
        for (int64_t k = 0; k < g.Inner; ++k) {
            GridPoint& p = ring[k];
            p.Ref = nullptr;
            const Sample& s = samples[k];
            if (!s.Defined) {
                p.Defined = false;
                continue;
            }
            const long double x = s.X, y = s.Y;
            if (flat) {
                p.Defined = toFixedPoint(x, y, 0, p.P);
            } else if (axis == RotateAboutX) {
                p.Defined = toFixedPoint(x, y * cosT, y * sinT, p.P);
            } else if (axis == RotateAboutY) {
                p.Defined = toFixedPoint(x * cosT, y, x * sinT, p.P);
            } else {
                const long double u = x - p1x, w = y - p1y;
                const long double along = u * cosPhi + w * sinPhi;
                const long double radial = w * cosPhi - u * sinPhi;
                p.Defined = toFixedPoint(along * cosPhi - radial * cosT * sinPhi + p1x,
                                         along * sinPhi + radial * cosT * cosPhi + p1y, radial * sinT, p.P);
            }
        }
    };

    return joinGrid(g, g.Outer + 1, computeRing, ColorIndex, LineStore);
}

namespace {
// Offsets of the rotated curve's record: versions 3 and 4 hold the constants as packed
// values, version 2 as 80-bit floats.
struct TRotateLayout {
    std::size_t LoBound, HiBound, RotationAxis, P1X, P1Y, P2X, P2Y, Circles, CircleDetail, Lines, LineDetail,
        FuncColor, LimitTo700;
    int32_t Size;
};
constexpr TRotateLayout RotatePackedLayout{0, 27, 54, 55, 82, 109, 136, 163, 167, 171, 175, 179, 183, 184};
constexpr TRotateLayout RotateFloatLayoutV2{0, 10, 20, 21, 31, 41, 51, 61, 65, 69, 73, 77, 81, 82};
constexpr int32_t RotateRecordSizeV1 = 384;
constexpr int ShortStringLength = 50;

// The constant texts of a rotated curve with their values, in the order of the file.
template <class TObj> auto rotateTexts(TObj& f) {
    return std::array{std::pair{&f.LoBoundStr, &f.LoBound}, std::pair{&f.HiBoundStr, &f.HiBound},
                      std::pair{&f.P1XStr, &f.P1X},         std::pair{&f.P1YStr, &f.P1Y},
                      std::pair{&f.P2XStr, &f.P2X},         std::pair{&f.P2YStr, &f.P2Y}};
}
} // namespace

void TFuncRotateObj::WriteToFile(TWriteGraphFile& Writer) const {
    Writer.WriteInteger(Func3DKindRotate);
    const TRotateLayout& l = RotatePackedLayout;
    TRecordBuilder r(l.Size);
    SetPackedValue(r, l.LoBound, LoBound);
    SetPackedValue(r, l.HiBound, HiBound);
    r.SetByte(l.RotationAxis, RotationAxis);
    SetPackedValue(r, l.P1X, P1X);
    SetPackedValue(r, l.P1Y, P1Y);
    SetPackedValue(r, l.P2X, P2X);
    SetPackedValue(r, l.P2Y, P2Y);
    r.SetInt32(l.Circles, Circles);
    r.SetInt32(l.CircleDetail, CircleDetail);
    r.SetInt32(l.Lines, Lines);
    r.SetInt32(l.LineDetail, LineDetail);
    r.SetColor(l.FuncColor, FuncColor);
    r.SetBoolean(l.LimitTo700, LimitTo700);
    r.WriteTo(Writer);
    for (const auto& [text, value] : rotateTexts(*this))
        Writer.WriteMathString(*text);
    Func->WriteToFile(Writer);
}

void TFuncRotateObj::ReadFromFile(TReadGraphFile& Reader) {
    Modified = true;
    if (Reader.VersionNumber() == 1)
        readVersion1(Reader);
    else
        readRecord(Reader);
}

void TFuncRotateObj::readRecord(TReadGraphFile& Reader) {
    const bool packed = Reader.VersionNumber() >= 3;
    const TRotateLayout& l = packed ? RotatePackedLayout : RotateFloatLayoutV2;
    const TRecordReader r(Reader, l.Size);
    LoBound = ConstantField(r, l.LoBound, packed);
    HiBound = ConstantField(r, l.HiBound, packed);
    RotationAxis = r.Byte(l.RotationAxis);
    P1X = ConstantField(r, l.P1X, packed);
    P1Y = ConstantField(r, l.P1Y, packed);
    P2X = ConstantField(r, l.P2X, packed);
    P2Y = ConstantField(r, l.P2Y, packed);
    Circles = r.Int32(l.Circles);
    CircleDetail = r.Int32(l.CircleDetail);
    Lines = r.Int32(l.Lines);
    LineDetail = r.Int32(l.LineDetail);
    FuncColor = r.Color(l.FuncColor);
    LimitTo700 = r.Boolean(l.LimitTo700);
    for (const auto& [text, value] : rotateTexts(*this))
        Reader.ReadMathConstString(*text, *value, false);
    Func->ReadFromFile(Reader);
}

void TFuncRotateObj::readVersion1(TReadGraphFile& Reader) {
    const TRecordReader r(Reader, RotateRecordSizeV1);
    LoBoundStr = r.ShortString(4, ShortStringLength);
    HiBoundStr = r.ShortString(55, ShortStringLength);
    LoBound = FloatMathValue(r.Extended(106));
    HiBound = FloatMathValue(r.Extended(116));
    switch (r.Byte(126)) { // version 1 counted the axes from 1
    case 1:
        RotationAxis = RotateAboutX;
        break;
    case 2:
        RotationAxis = RotateAboutY;
        break;
    case 3:
        RotationAxis = RotateAboutLine;
        break;
    default:
        break;
    }
    P1XStr = r.ShortString(127, ShortStringLength);
    P1YStr = r.ShortString(178, ShortStringLength);
    P2XStr = r.ShortString(229, ShortStringLength);
    P2YStr = r.ShortString(280, ShortStringLength);
    P1X = FloatMathValue(r.Extended(331));
    P1Y = FloatMathValue(r.Extended(341));
    P2X = FloatMathValue(r.Extended(351));
    P2Y = FloatMathValue(r.Extended(361));
    Circles = r.Int16(371);
    CircleDetail = r.Int16(373);
    Lines = r.Int16(375);
    LineDetail = r.Int16(377);
    FuncColor = r.Color(379);
    LimitTo700 = r.Boolean(383);
    Func->ReadFromFile(Reader);
    for (const auto& [text, value] : rotateTexts(*this))
        Reader.EvaluateMathConstString(*text, *value);
}

// ---------------------------------------------------------------------------------------
// Surface

TFunc3DObj::TFunc3DObj()
    : Func(std::make_unique<TMath3DFunc>()), Var1Lo(ExactMathValue(-1)), Var1Hi(ExactMathValue(1)),
      Var2Lo(ExactMathValue(-1)), Var2Hi(ExactMathValue(1)) {}

TFunc3DObj::~TFunc3DObj() = default;

std::unique_ptr<TSequenceListObj> TFunc3DObj::Clone() const {
    return std::make_unique<TFunc3DObj>();
}

void TFunc3DObj::Assign(const TSequenceListObj& Source) {
    const auto& s = SequenceSourceAs<TFunc3DObj>(Source);
    if (&s == this) return;
    Func->Assign(*s.Func);
    FuncColor = s.FuncColor;
    Var1LoStr = s.Var1LoStr;
    Var1HiStr = s.Var1HiStr;
    Var1Lo = s.Var1Lo;
    Var1Hi = s.Var1Hi;
    Var1Lines = s.Var1Lines;
    Var1Detail = s.Var1Detail;
    Var2LoStr = s.Var2LoStr;
    Var2HiStr = s.Var2HiStr;
    Var2Lo = s.Var2Lo;
    Var2Hi = s.Var2Hi;
    Var2Lines = s.Var2Lines;
    Var2Detail = s.Var2Detail;
    LimitTo700 = s.LimitTo700;
}

std::string TFunc3DObj::GetDescription() const {
    switch (Func->DependentVar()) {
    case dvX:
        return "X=f(y,z)=" + Func->GetExpression();
    case dvY:
        return "Y=f(x,z)=" + Func->GetExpression();
    default:
        return "Z=f(x,y)=" + Func->GetExpression();
    }
}

int TFunc3DObj::GenerateLines(uint8_t ColorIndex, TLineObj& LineStore) {
    LineStore.SetColorEntry(ColorIndex, FuncColor);
    LineStore.BeginGroup();
    const int64_t l1 = nonNegative(Var1Lines), d1 = nonNegative(Var1Detail);
    const int64_t l2 = nonNegative(Var2Lines), d2 = nonNegative(Var2Detail);
    if (l1 == 0 && l2 == 0) return lrDone;

    // Outer: rows, positions along variable 2; inner: columns, positions along variable 1.
    GridShape g;
    if (l1 >= 2 && l2 >= 2) {
        g = {l1 + (l1 - 1) * d2, l2 + (l2 - 1) * d1, Marks::cycle(d2), Marks::cycle(d1)};
    } else if (l1 == 0) {
        g = {d2 + 2, l2, Marks::none(), Marks::all()};
    } else if (l2 == 0) {
        g = {l1, d1 + 2, Marks::all(), Marks::none()};
    } else if (l1 == 1 && l2 == 1) {
        g = {d2 + 2, d1 + 2, Marks::first(), Marks::first()};
    } else if (l1 == 1) {
        g = {d2 + 2, l2 + (l2 - 1) * d1, Marks::first(), Marks::cycle(d1)};
    } else {
        g = {l1 + (l1 - 1) * d2, d1 + 2, Marks::cycle(d2), Marks::first()};
    }
    if (!gridFits(g, g.Outer)) return lrOutOfMemory;
    if (Func->State != msCompiled) return lrDone; // no point can be defined

    std::vector<long double> columns;
    if (!tryResize(columns, g.Inner)) return lrOutOfMemory;
    for (int64_t j = 0; j < g.Inner; ++j)
        columns[j] = spread(Var1Lo.FloatValue, Var1Hi.FloatValue, j, g.Inner);

    const uint8_t dependent = Func->DependentVar();
    const long double qLo = Var2Lo.FloatValue, qHi = Var2Hi.FloatValue;
    auto computeRow = [&](int64_t r, std::vector<GridPoint>& row) {
        // A single row lies at the low bound, like a single column.
        long double q;
        if (r == 1)
            q = qLo;
        else if (r == g.Outer)
            q = qHi;
        else
            q = qLo + static_cast<long double>(r - 1) / static_cast<long double>(g.Outer - 1) * (qHi - qLo);
        Func->SetVariableFloat(1, q);
        for (int64_t j = 0; j < g.Inner; ++j) {
            GridPoint& p = row[j];
            p.Ref = nullptr;
            const long double pv = columns[j];
            Func->SetVariableFloat(0, pv);
            long double f = 0;
            p.Defined = Func->EvaluateMathFunc();
            if (p.Defined) {
                f = Func->GetResultFloat();
                p.Defined = applyValueLimit(f, LimitTo700);
            }
            if (!p.Defined) continue;
            if (dependent == dvZ)
                p.Defined = toFixedPoint(pv, q, f, p.P);
            else if (dependent == dvX)
                p.Defined = toFixedPoint(f, pv, q, p.P);
            else
                p.Defined = toFixedPoint(pv, f, q, p.P);
        }
    };

    return joinGrid(g, g.Outer, computeRow, ColorIndex, LineStore);
}

namespace {
// Offsets of the surface's record: versions 3 and 4 hold the constants as packed values,
// version 2 as 80-bit floats.
struct TSurfaceLayout {
    std::size_t FuncColor, Var1Lo, Var1Hi, Var1Lines, Var1Detail, Var2Lo, Var2Hi, Var2Lines, Var2Detail,
        LimitTo700;
    int32_t Size;
};
constexpr TSurfaceLayout SurfacePackedLayout{0, 4, 31, 58, 62, 66, 93, 120, 124, 128, 129};
constexpr TSurfaceLayout SurfaceFloatLayoutV2{0, 4, 14, 24, 28, 32, 42, 52, 56, 60, 61};
constexpr int32_t SurfaceRecordSizeV1 = 262;

// The constant texts of a surface with their values, in the order of the file.
template <class TObj> auto surfaceTexts(TObj& f) {
    return std::array{std::pair{&f.Var1LoStr, &f.Var1Lo}, std::pair{&f.Var1HiStr, &f.Var1Hi},
                      std::pair{&f.Var2LoStr, &f.Var2Lo}, std::pair{&f.Var2HiStr, &f.Var2Hi}};
}
} // namespace

void TFunc3DObj::WriteToFile(TWriteGraphFile& Writer) const {
    Writer.WriteInteger(Func3DKindSurface);
    const TSurfaceLayout& l = SurfacePackedLayout;
    TRecordBuilder r(l.Size);
    r.SetColor(l.FuncColor, FuncColor);
    SetPackedValue(r, l.Var1Lo, Var1Lo);
    SetPackedValue(r, l.Var1Hi, Var1Hi);
    r.SetInt32(l.Var1Lines, Var1Lines);
    r.SetInt32(l.Var1Detail, Var1Detail);
    SetPackedValue(r, l.Var2Lo, Var2Lo);
    SetPackedValue(r, l.Var2Hi, Var2Hi);
    r.SetInt32(l.Var2Lines, Var2Lines);
    r.SetInt32(l.Var2Detail, Var2Detail);
    r.SetBoolean(l.LimitTo700, LimitTo700);
    r.WriteTo(Writer);
    for (const auto& [text, value] : surfaceTexts(*this))
        Writer.WriteMathString(*text);
    Func->WriteToFile(Writer);
}

void TFunc3DObj::ReadFromFile(TReadGraphFile& Reader) {
    Modified = true;
    if (Reader.VersionNumber() == 1)
        readVersion1(Reader);
    else
        readRecord(Reader);
}

void TFunc3DObj::readRecord(TReadGraphFile& Reader) {
    const bool packed = Reader.VersionNumber() >= 3;
    const TSurfaceLayout& l = packed ? SurfacePackedLayout : SurfaceFloatLayoutV2;
    const TRecordReader r(Reader, l.Size);
    FuncColor = r.Color(l.FuncColor);
    Var1Lo = ConstantField(r, l.Var1Lo, packed);
    Var1Hi = ConstantField(r, l.Var1Hi, packed);
    Var1Lines = r.Int32(l.Var1Lines);
    Var1Detail = r.Int32(l.Var1Detail);
    Var2Lo = ConstantField(r, l.Var2Lo, packed);
    Var2Hi = ConstantField(r, l.Var2Hi, packed);
    Var2Lines = r.Int32(l.Var2Lines);
    Var2Detail = r.Int32(l.Var2Detail);
    LimitTo700 = r.Boolean(l.LimitTo700);
    for (const auto& [text, value] : surfaceTexts(*this))
        Reader.ReadMathConstString(*text, *value, false);
    Func->ReadFromFile(Reader);
}

void TFunc3DObj::readVersion1(TReadGraphFile& Reader) {
    const TRecordReader r(Reader, SurfaceRecordSizeV1);
    switch (r.Byte(0)) { // version 1 coded the dependent variable 2 X, 3 Y, 4 Z
    case 2:
        Func->SetDependentVar(dvX);
        break;
    case 3:
        Func->SetDependentVar(dvY);
        break;
    default:
        Func->SetDependentVar(dvZ);
        break;
    }
    FuncColor = r.Color(5);
    Var1LoStr = r.ShortString(9, ShortStringLength);
    Var1HiStr = r.ShortString(60, ShortStringLength);
    Var1Lo = FloatMathValue(r.Extended(111));
    Var1Hi = FloatMathValue(r.Extended(121));
    Var1Lines = r.Int16(131);
    Var1Detail = r.Int16(133);
    Var2LoStr = r.ShortString(135, ShortStringLength);
    Var2HiStr = r.ShortString(186, ShortStringLength);
    Var2Lo = FloatMathValue(r.Extended(237));
    Var2Hi = FloatMathValue(r.Extended(247));
    Var2Lines = r.Int16(257);
    Var2Detail = r.Int16(259);
    LimitTo700 = r.Boolean(261);
    Func->ReadFromFile(Reader);
    for (const auto& [text, value] : surfaceTexts(*this))
        Reader.EvaluateMathConstString(*text, *value);
}
