#pragma once
// The arithmetic of the 2D and polar view dialogs, without their windows. The pixel centre
// is the master copy of a view's centre: graph units (and for polar views R and Theta) are
// derived from it for display, and a value the user types is turned back into pixels and
// then shown again as the pixels can hold it.

#include <cstdint>
#include <string>

class TView2DZoomObj;
class TViewPolarZoomObj;

// The pixel fields of the view dialogs hold -ViewPixelLimit .. ViewPixelLimit.
inline constexpr int32_t ViewPixelLimit = 100000;
// The zooms the view dialogs accept, both inclusive.
inline constexpr long double MinViewZoom = 0.0001L;
inline constexpr long double MaxViewZoom = 10000;

// Value x Zoom as a pixel count: a product too large for a number gives +ViewPixelLimit
// for a positive Value and -ViewPixelLimit otherwise, a product that is no number 0; then
// clamped and rounded to the nearest whole number, halves to even.
int32_t PixelsFromUnits(long double Value, long double Zoom);
// Pixels / Zoom; 0 when that has no finite result (a zoom of 0 read from a file).
long double UnitsFromPixels(int32_t Pixels, long double Zoom);
// A pixel value clamped into the pixel fields' range (no number gives 0), whole part only.
int32_t ClampViewPixels(long double Pixels);

bool ViewZoomInRange(long double Zoom);
// The zoom that Ignore in the zoom message keeps: the top of the range for a typed value
// of 1 or more, else the bottom.
long double IgnoredViewZoom(long double Typed);
// "Error: X Axis View Zoom must be <= 10,000 and >= 0.0001" for Axis "X"; the polar
// dialog's single zoom, with an empty Axis, reads "Error View Zoom must be ...".
std::string ViewZoomRangeMessage(const std::string& Axis);

// Theta (radians) reduced into [0, 2 pi) by whole turns; 0 when that cannot be computed.
long double ReduceTheta(long double Theta);

// What the 2D view dialog keeps: both zooms, the pixel centre and the graph-unit centre
// derived from it.
class T2DViewCenter {
public:
    long double ZoomX = 35;
    long double ZoomY = 35;
    int32_t PixelsX = 0;
    int32_t PixelsY = 0;
    long double UnitsX = 0;
    long double UnitsY = 0;

    // Zooms and the centre truncated to whole pixels; the units derived.
    void Load(const TView2DZoomObj& View);
    // The kept zooms and the pixel centre.
    void Store(TView2DZoomObj& View) const;
    void DeriveUnits();
    // A typed graph-unit centre coordinate; the other keeps its graph-unit value.
    void SetUnitsX(long double X);
    void SetUnitsY(long double Y);
    void SetPixels(long double X, long double Y);
    // A new zoom keeps the pixel centre and changes the graph-unit centre.
    void SetZoomX(long double Zoom);
    void SetZoomY(long double Zoom);

private:
    void setUnits(long double X, long double Y);
};

// What the polar view dialog keeps: the zoom of both axes, the pixel centre, and the
// centre derived from it in graph units and in polar form.
class TPolarViewCenter {
public:
    long double Zoom = 35;
    int32_t PixelsX = 0;
    int32_t PixelsY = 0;
    long double X = 0;
    long double Y = 0;
    long double R = 0;
    long double Theta = 0; // radians, in [0, 2 pi)
    bool ThetaInRadians = false;

    void Load(const TViewPolarZoomObj& View);
    void Store(TViewPolarZoomObj& View) const;
    void Derive();
    // Theta in the unit the flag chooses.
    long double ThetaShown() const;
    void SetCartesianX(long double NewX);
    void SetCartesianY(long double NewY);
    void SetR(long double NewR);
    // Typed in the unit the flag chooses; any number of turns, either sign.
    void SetTheta(long double Typed);
    void SetPixels(long double NewX, long double NewY);
    void SetZoom(long double NewZoom);

private:
    void setPoint(long double x, long double y);
};
