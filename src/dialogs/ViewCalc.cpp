#include "dialogs/ViewCalc.h"

#include "math/GrGlobal.h"
#include "model/Vw2dObj.h"
#include "model/VwPoObj.h"

#include <cmath>

int32_t PixelsFromUnits(long double Value, long double Zoom) {
    long double p = Value * Zoom;
    if (std::isnan(p)) return 0;
    if (std::isinf(p)) return Value > 0 ? ViewPixelLimit : -ViewPixelLimit;
    // Clamped first, so that the conversion below is always in range.
    p = std::fmax(-ViewPixelLimit, std::fmin(ViewPixelLimit, p));
    return int32_t(std::nearbyint(p)); // the default rounding: nearest, halves to even
}

long double UnitsFromPixels(int32_t Pixels, long double Zoom) {
    const long double u = Pixels / Zoom;
    return std::isfinite(u) ? u : 0;
}

int32_t ClampViewPixels(long double Pixels) {
    if (std::isnan(Pixels)) return 0;
    return int32_t(std::trunc(std::fmax(-ViewPixelLimit, std::fmin(ViewPixelLimit, Pixels))));
}

bool ViewZoomInRange(long double Zoom) {
    return Zoom >= MinViewZoom && Zoom <= MaxViewZoom;
}

long double IgnoredViewZoom(long double Typed) {
    return Typed >= 1 ? MaxViewZoom : MinViewZoom;
}

std::string ViewZoomRangeMessage(const std::string& Axis) {
    const std::string name = Axis.empty() ? "Error View Zoom" : "Error: " + Axis + " Axis View Zoom";
    return name + " must be <= 10,000 and >= 0.0001";
}

long double ReduceTheta(long double Theta) {
    long double r = Theta - std::trunc(Theta / TwoPiExtended) * TwoPiExtended;
    if (!std::isfinite(r)) return 0;
    if (r < 0) r = TwoPiExtended - std::fabs(r);
    // A tiny negative remainder rounds up to a whole turn, which points where 0 does.
    return r >= TwoPiExtended ? 0 : r;
}

// ---- 2D ----

void T2DViewCenter::Load(const TView2DZoomObj& View) {
    ZoomX = View.ZoomX;
    ZoomY = View.ZoomY;
    SetPixels(View.CenterX, View.CenterY);
}

void T2DViewCenter::Store(TView2DZoomObj& View) const {
    View.ZoomX = ZoomX;
    View.ZoomY = ZoomY;
    View.CenterX = PixelsX;
    View.CenterY = PixelsY;
}

void T2DViewCenter::DeriveUnits() {
    UnitsX = UnitsFromPixels(PixelsX, ZoomX);
    UnitsY = UnitsFromPixels(PixelsY, ZoomY);
}

void T2DViewCenter::setUnits(long double X, long double Y) {
    PixelsX = PixelsFromUnits(X, ZoomX);
    PixelsY = PixelsFromUnits(Y, ZoomY);
    DeriveUnits();
}

void T2DViewCenter::SetUnitsX(long double X) {
    setUnits(X, UnitsY);
}

void T2DViewCenter::SetUnitsY(long double Y) {
    setUnits(UnitsX, Y);
}

void T2DViewCenter::SetPixels(long double X, long double Y) {
    PixelsX = ClampViewPixels(X);
    PixelsY = ClampViewPixels(Y);
    DeriveUnits();
}

void T2DViewCenter::SetZoomX(long double Zoom) {
    ZoomX = Zoom;
    DeriveUnits();
}

void T2DViewCenter::SetZoomY(long double Zoom) {
    ZoomY = Zoom;
    DeriveUnits();
}

// ---- polar ----

void TPolarViewCenter::Load(const TViewPolarZoomObj& View) {
    ThetaInRadians = View.ThetaInRadians;
    Zoom = View.Zoom;
    SetPixels(View.CenterX, View.CenterY);
}

void TPolarViewCenter::Store(TViewPolarZoomObj& View) const {
    View.Zoom = Zoom;
    View.CenterX = PixelsX;
    View.CenterY = PixelsY;
    View.ThetaInRadians = ThetaInRadians;
}

void TPolarViewCenter::Derive() {
    X = UnitsFromPixels(PixelsX, Zoom);
    Y = UnitsFromPixels(PixelsY, Zoom);
    RectToPolar(X, Y, R, Theta);
}

long double TPolarViewCenter::ThetaShown() const {
    return ThetaInRadians ? Theta : RadToDeg(Theta);
}

void TPolarViewCenter::setPoint(long double x, long double y) {
    PixelsX = PixelsFromUnits(x, Zoom);
    PixelsY = PixelsFromUnits(y, Zoom);
    Derive();
}

void TPolarViewCenter::SetCartesianX(long double NewX) {
    setPoint(NewX, Y);
}

void TPolarViewCenter::SetCartesianY(long double NewY) {
    setPoint(X, NewY);
}

void TPolarViewCenter::SetR(long double NewR) {
    long double x = 0;
    long double y = 0;
    PolarToRect(NewR, Theta, x, y);
    setPoint(x, y);
}

void TPolarViewCenter::SetTheta(long double Typed) {
    const long double theta = ReduceTheta(ThetaInRadians ? Typed : DegToRad(Typed));
    long double x = 0;
    long double y = 0;
    PolarToRect(R, theta, x, y);
    setPoint(x, y);
}

void TPolarViewCenter::SetPixels(long double NewX, long double NewY) {
    PixelsX = ClampViewPixels(NewX);
    PixelsY = ClampViewPixels(NewY);
    Derive();
}

void TPolarViewCenter::SetZoom(long double NewZoom) {
    Zoom = NewZoom;
    Derive();
}
