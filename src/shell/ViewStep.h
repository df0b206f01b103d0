#pragma once
// The keyboard and tool-bar steps of the graph windows, on a pending view record and
// without any window: zoom (both axes, one axis, the 3D integer zoom), scroll, page,
// centre and the 3D rotations. Each step writes the record and sets its changed flag only
// when a value really moves, and answers whether it did, so that the window redraws only
// then. The 3D rotations are the exception: they always count as a change.

#include "shell/Options.h"

class TView2DZoomObj;
class TViewPolarZoomObj;
class TView3DZoomObj;

// Scroll and page steps keep the view centre inside this many pixels either way.
inline constexpr long double ViewCenterLimit = 100000;

// Both 2D axes one band step in or out. Zooms that differ keep their difference: the axis
// that moves less takes its own step and the other follows by the same amount, until the
// two meet or one reaches a limit.
bool Zoom2DIn(TView2DZoomObj& View, const THotKey2DObj& Keys);
bool Zoom2DOut(TView2DZoomObj& View, const THotKey2DObj& Keys);

enum TViewAxis : uint8_t { vaX, vaY };
// One band step of one 2D axis.
bool ZoomAxisIn(TView2DZoomObj& View, TViewAxis Axis, const THotKey2DObj& Keys);
bool ZoomAxisOut(TView2DZoomObj& View, TViewAxis Axis, const THotKey2DObj& Keys);
// Copies the zoom of the other axis onto Axis when the two differ.
bool SetZoomEqual(TView2DZoomObj& View, TViewAxis Axis);

// One band step of the polar zoom.
bool ZoomPolarIn(TViewPolarZoomObj& View, const THotKeyPolarObj& Keys);
bool ZoomPolarOut(TViewPolarZoomObj& View, const THotKeyPolarObj& Keys);

// One step of the 3D zoom.
bool Zoom3DIn(TView3DZoomObj& View, const THotKey3DObj& Keys);
bool Zoom3DOut(TView3DZoomObj& View, const THotKey3DObj& Keys);

// A scroll or page step moves the centre of a 2D or polar view by so many pixels.
enum TViewDirection : uint8_t { vdUp, vdDown, vdLeft, vdRight };
// The pixels that one step in Direction adds to centre X (Left, Right) or centre Y (Up,
// Down): the scroll amount, or for a page half the bitmap's width or height.
long double ScrollDelta(TViewDirection Direction, int ScrollAmount);
long double PageDelta(TViewDirection Direction, int BmpWidth, int BmpHeight);
// Moves the centre by Delta along the direction's axis, kept inside +-ViewCenterLimit.
bool StepViewCenter(TView2DZoomObj& View, TViewDirection Direction, long double Delta);
bool StepViewCenter(TViewPolarZoomObj& View, TViewDirection Direction, long double Delta);

// Both centres to 0 when either is not.
bool CenterView2D(TView2DZoomObj& View);
bool CenterViewPolar(TViewPolarZoomObj& View);
// All three rotations to 0 when any is not.
bool CenterView3D(TView3DZoomObj& View);

// Angle + Step degrees, brought back inside -360..360 (exclusive) however large the step
// is: a step read from the ini file may exceed a whole turn. A step that is not a finite
// number leaves the angle as it was.
long double RotateAngle(long double Angle, long double Step);

enum TRotationAxis : uint8_t { raX, raY, raZ };
// Turns one axis by +-Step and sets the changed flag, even for a step of 0.
void Rotate3D(TView3DZoomObj& View, TRotationAxis Axis, long double Step);
