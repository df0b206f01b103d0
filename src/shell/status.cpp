#include "shell/status.h"

#include "math/Floatstr.h"
#include "math/GrGlobal.h"
#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"
#include "platform/Errors.h"
#include "platform/IniFile.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr const char* kSection = "StatusLine";

// The line shows nothing it could not compute: every value that is not finite, and every
// division by zero, raises here and ends in Clear.
long double finite(long double X) {
    if (!std::isfinite(X)) throw EInvalidOp();
    return X;
}

long double quotient(long double A, long double B) {
    if (B == 0) throw EZeroDivide();
    return finite(A / B);
}

int64_t truncToInt(long double X) {
    if (!(std::fabs(X) < 9.0e18L)) throw EInvalidOp();
    return int64_t(X);
}

std::string N(long double X) {
    return FormatStatusNumber(finite(X));
}

bool mouseOnBitmap(int BmpWidth, int BmpHeight, int MouseX, int MouseY) {
    return MouseX >= 0 && MouseY >= 0 && MouseX < BmpWidth && MouseY < BmpHeight;
}

// The graph pixel under the mouse, counted from the graph origin with Y upwards. The
// renderers put the view centre at column W div 2 and row H div 2, so this is the point
// actually drawn under the mouse.
struct TGraphPixel {
    int64_t X;
    int64_t Y;
};

TGraphPixel graphPixel(long double CenterX, long double CenterY, int BmpWidth, int BmpHeight, int MouseX,
                       int MouseY) {
    return {truncToInt(CenterX) + MouseX - BmpWidth / 2, truncToInt(CenterY) + BmpHeight / 2 - MouseY};
}

// "<Prefix> R:<r> T:<angle>d" or "...r" for the point (X, Y).
std::string polarText(const char* Prefix, long double X, long double Y, bool Degrees) {
    long double r, theta;
    RectToPolar(X, Y, r, theta);
    std::string angle = Degrees ? N(RadToDeg(theta)) + "d" : N(theta) + "r";
    return std::string(Prefix) + " R:" + N(r) + " T:" + angle;
}

std::string centerText(TViewCenterFormat Format, long double CX, long double CY, long double ZX,
                       long double ZY) {
    switch (Format) {
    case vcCartesian:
        return "Center X:" + N(quotient(CX, ZX)) + " Y:" + N(quotient(CY, ZY));
    case vcDegrees:
        return polarText("Center", quotient(CX, ZX), quotient(CY, ZY), true);
    case vcRadians:
        return polarText("Center", quotient(CX, ZX), quotient(CY, ZY), false);
    case vcPixels:
        return "Center(Pix) X:" + FloatToStrGeneral(CX) + " Y:" + FloatToStrGeneral(CY);
    }
    return {};
}

std::string bitmapPixelText(int MouseX, int MouseY) {
    return "Mouse W:" + std::to_string(MouseX) + " H:" + std::to_string(MouseY);
}

std::string graphPixelText(TGraphPixel P) {
    return "Mouse(Pix) X:" + std::to_string(P.X) + " Y:" + std::to_string(P.Y);
}

std::string mouseText(TMousePosFormat Format, TGraphPixel P, long double ZX, long double ZY, int MouseX,
                      int MouseY) {
    const long double px = (long double)P.X, py = (long double)P.Y;
    switch (Format) {
    case mpCartesian:
        return "Mouse X:" + N(quotient(px, ZX)) + " Y:" + N(quotient(py, ZY));
    case mpDegrees:
        return polarText("Mouse", quotient(px, ZX), quotient(py, ZY), true);
    case mpRadians:
        return polarText("Mouse", quotient(px, ZX), quotient(py, ZY), false);
    case mpPixels:
        return graphPixelText(P);
    case mpBitMap:
        return bitmapPixelText(MouseX, MouseY);
    }
    return {};
}

// The index of Word in Words, compared with case; Default when none matches.
template <typename TEnum, size_t Count>
TEnum readWord(const TMemIniFile& Ini, const char* Key, const std::array<const char*, Count>& Words,
               TEnum Default) {
    const std::string word = Ini.ReadString(kSection, Key, "");
    for (size_t i = 0; i < Count; ++i)
        if (word == Words[i]) return TEnum(i);
    return Default;
}

// A value outside the enumeration has no word; the key's default stands in for it.
template <typename TEnum, size_t Count>
void writeWord(TMemIniFile& Ini, const char* Key, const std::array<const char*, Count>& Words, TEnum Value,
               TEnum Default) {
    Ini.WriteString(kSection, Key, Words[size_t(Value) < Count ? size_t(Value) : size_t(Default)]);
}

} // namespace

std::string FormatStatusNumber(long double X) {
    std::string s = FloatToFixedText(X, 5, false);
    TrimTrailingZeros(s);
    return s;
}

void TStatusLineObj::SetDefaults() {
    CenterFormat2D = vcCartesian;
    MouseFormat2D = mpCartesian;
    CenterFormatPolar = vcDegrees;
    MouseFormatPolar = mpDegrees;
    MouseFormat3D = m3DontShow;
    ShowStatusLine = true;
}

bool TStatusLineObj::ReadIni(const TMemIniFile& Ini) {
    try {
        CenterFormat2D = readWord(Ini, "CenterFormat2D", ViewCenterFormatWords, vcCartesian);
        MouseFormat2D = readWord(Ini, "MouseFormat2D", MousePosFormatWords, mpCartesian);
        CenterFormatPolar = readWord(Ini, "CenterFormatPolar", ViewCenterFormatWords, vcDegrees);
        MouseFormatPolar = readWord(Ini, "MouseFormatPolar", MousePosFormatWords, mpDegrees);
        MouseFormat3D = readWord(Ini, "MouseFormat3D", Mouse3DFormatWords, m3DontShow);
        ShowStatusLine = Ini.ReadBool(kSection, "ShowStatusLine", true);
        return true;
    } catch (...) {
        return false;
    }
}

bool TStatusLineObj::WriteIni(TMemIniFile& Ini) const {
    try {
        writeWord(Ini, "CenterFormat2D", ViewCenterFormatWords, CenterFormat2D, vcCartesian);
        writeWord(Ini, "MouseFormat2D", MousePosFormatWords, MouseFormat2D, mpCartesian);
        writeWord(Ini, "CenterFormatPolar", ViewCenterFormatWords, CenterFormatPolar, vcDegrees);
        writeWord(Ini, "MouseFormatPolar", MousePosFormatWords, MouseFormatPolar, mpDegrees);
        writeWord(Ini, "MouseFormat3D", Mouse3DFormatWords, MouseFormat3D, m3DontShow);
        Ini.WriteBool(kSection, "ShowStatusLine", ShowStatusLine);
        return true;
    } catch (...) {
        return false;
    }
}

void TStatusLineObj::setPanel(int Panel, std::string& Stored, const std::string& S) {
    if (S == Stored) return;
    Stored = S;
    if (PanelWriter) PanelWriter(Panel, S);
}

void TStatusLineObj::SetZoomText(const std::string& S) {
    setPanel(0, ZoomText, S);
}

void TStatusLineObj::SetCenterText(const std::string& S) {
    setPanel(1, CenterText, S);
}

void TStatusLineObj::SetMouseText(const std::string& S) {
    setPanel(2, MouseText, S);
}

void TStatusLineObj::Clear() {
    try {
        SetZoomText("");
        SetCenterText("");
        SetMouseText("");
    } catch (...) {
        ZoomText.clear();
        CenterText.clear();
        MouseText.clear();
    }
}

void TStatusLineObj::updatePlane(long double ZoomX, long double ZoomY, long double CenterX,
                                 long double CenterY, TViewCenterFormat CenterFormat,
                                 TMousePosFormat MouseFormat, int BmpWidth, int BmpHeight, int MouseX,
                                 int MouseY) {
    SetCenterText(centerText(CenterFormat, finite(CenterX), finite(CenterY), ZoomX, ZoomY));
    if (!mouseOnBitmap(BmpWidth, BmpHeight, MouseX, MouseY)) {
        SetMouseText("");
        return;
    }
    const TGraphPixel p = graphPixel(CenterX, CenterY, BmpWidth, BmpHeight, MouseX, MouseY);
    SetMouseText(mouseText(MouseFormat, p, ZoomX, ZoomY, MouseX, MouseY));
}

void TStatusLineObj::Update2D(const TView2DZoomObj& View, int BmpWidth, int BmpHeight, int MouseX,
                              int MouseY) {
    try {
        SetZoomText("Zoom X:" + FloatToStrTrim6(finite(View.ZoomX)) +
                    " Y:" + FloatToStrTrim6(finite(View.ZoomY)));
        updatePlane(View.ZoomX, View.ZoomY, View.CenterX, View.CenterY, CenterFormat2D, MouseFormat2D,
                    BmpWidth, BmpHeight, MouseX, MouseY);
    } catch (...) {
        Clear();
    }
}

void TStatusLineObj::UpdatePolar(const TViewPolarZoomObj& View, int BmpWidth, int BmpHeight, int MouseX,
                                 int MouseY) {
    try {
        SetZoomText("Zoom: " + FloatToStrTrim6(finite(View.Zoom)));
        updatePlane(View.Zoom, View.Zoom, View.CenterX, View.CenterY, CenterFormatPolar, MouseFormatPolar,
                    BmpWidth, BmpHeight, MouseX, MouseY);
    } catch (...) {
        Clear();
    }
}

void TStatusLineObj::Update3D(const TView3DZoomObj& View, int BmpWidth, int BmpHeight, int MouseX,
                              int MouseY) {
    try {
        SetZoomText("Zoom: " + std::to_string(View.Zoom));
        SetCenterText("Rotate X:" + N(View.RotationX) + " Y:" + N(View.RotationY) +
                      " Z:" + N(View.RotationZ));
        if (!mouseOnBitmap(BmpWidth, BmpHeight, MouseX, MouseY) || MouseFormat3D == m3DontShow) {
            SetMouseText("");
            return;
        }
        const TGraphPixel p = graphPixel(0, 0, BmpWidth, BmpHeight, MouseX, MouseY);
        const long double zoom = View.Zoom;
        switch (MouseFormat3D) {
        case m3Cartesian:
            SetMouseText("Mouse X:" + N(quotient((long double)p.X, zoom)) +
                         " Y:" + N(quotient((long double)p.Y, zoom)));
            break;
        case m3Pixels:
            SetMouseText(graphPixelText(p));
            break;
        case m3BitMap:
            SetMouseText(bitmapPixelText(MouseX, MouseY));
            break;
        default:
            SetMouseText("");
            break;
        }
    } catch (...) {
        Clear();
    }
}
