#include "shell/ViewStep.h"

#include "model/Vw2dObj.h"
#include "model/Vw3dObj.h"
#include "model/VwPoObj.h"

#include <cmath>

namespace {

long double clampZoom(long double Zoom) {
    if (Zoom > ZoomMax) return ZoomMax;
    return Zoom < ZoomMin ? ZoomMin : Zoom;
}

// Writes the zooms after both axes took their own step to NX and NY. Unless they are equal
// or one reached Limit, the axis that moved more moves only as far as the other did
// (Sign +1 zooming in, -1 zooming out).
void followSmallerStep(TView2DZoomObj& View, long double NX, long double NY, int Sign) {
    const bool atLimit = Sign > 0 ? (NX >= ZoomMax || NY >= ZoomMax) : (NX <= ZoomMin || NY <= ZoomMin);
    const long double stepX = std::fabs(NX - View.ZoomX);
    const long double stepY = std::fabs(NY - View.ZoomY);
    if (NX == NY || atLimit) {
        View.ZoomX = NX;
        View.ZoomY = NY;
    } else if (stepX > stepY) {
        View.ZoomX = clampZoom(View.ZoomX + Sign * stepY);
        View.ZoomY = NY;
    } else {
        View.ZoomY = clampZoom(View.ZoomY + Sign * stepX);
        View.ZoomX = NX;
    }
    View.Changed = true;
}

long double& zoomOf(TView2DZoomObj& View, TViewAxis Axis) {
    return Axis == vaX ? View.ZoomX : View.ZoomY;
}

// Centre + Delta along the direction's axis, inside the limit; true when it moved.
bool stepCenter(long double& CenterX, long double& CenterY, bool& Changed, TViewDirection Direction,
                long double Delta) {
    long double& center = (Direction == vdLeft || Direction == vdRight) ? CenterX : CenterY;
    long double moved = center + Delta;
    if (moved > ViewCenterLimit) moved = ViewCenterLimit;
    if (moved < -ViewCenterLimit) moved = -ViewCenterLimit;
    if (moved == center) return false;
    center = moved;
    Changed = true;
    return true;
}

bool centerPlane(long double& CenterX, long double& CenterY, bool& Changed) {
    if (CenterX == 0 && CenterY == 0) return false;
    CenterX = 0;
    CenterY = 0;
    Changed = true;
    return true;
}

} // namespace

bool Zoom2DIn(TView2DZoomObj& View, const THotKey2DObj& Keys) {
    long double nx = View.ZoomX, ny = View.ZoomY;
    const bool movedX = Keys.ZoomIn(nx);
    const bool movedY = Keys.ZoomIn(ny);
    if (!movedX && !movedY) return false;
    followSmallerStep(View, nx, ny, +1);
    return true;
}

bool Zoom2DOut(TView2DZoomObj& View, const THotKey2DObj& Keys) {
    long double nx = View.ZoomX, ny = View.ZoomY;
    const bool movedX = Keys.ZoomOut(nx);
    const bool movedY = Keys.ZoomOut(ny);
    if (!movedX && !movedY) return false;
    followSmallerStep(View, nx, ny, -1);
    return true;
}

bool ZoomAxisIn(TView2DZoomObj& View, TViewAxis Axis, const THotKey2DObj& Keys) {
    if (!Keys.ZoomIn(zoomOf(View, Axis))) return false;
    View.Changed = true;
    return true;
}

bool ZoomAxisOut(TView2DZoomObj& View, TViewAxis Axis, const THotKey2DObj& Keys) {
    if (!Keys.ZoomOut(zoomOf(View, Axis))) return false;
    View.Changed = true;
    return true;
}

bool SetZoomEqual(TView2DZoomObj& View, TViewAxis Axis) {
    if (View.ZoomX == View.ZoomY) return false;
    zoomOf(View, Axis) = zoomOf(View, Axis == vaX ? vaY : vaX);
    View.Changed = true;
    return true;
}

bool ZoomPolarIn(TViewPolarZoomObj& View, const THotKeyPolarObj& Keys) {
    if (!Keys.ZoomIn(View.Zoom)) return false;
    View.Changed = true;
    return true;
}

bool ZoomPolarOut(TViewPolarZoomObj& View, const THotKeyPolarObj& Keys) {
    if (!Keys.ZoomOut(View.Zoom)) return false;
    View.Changed = true;
    return true;
}

bool Zoom3DIn(TView3DZoomObj& View, const THotKey3DObj& Keys) {
    if (!Keys.ZoomIn(View.Zoom)) return false;
    View.Changed = true;
    return true;
}

bool Zoom3DOut(TView3DZoomObj& View, const THotKey3DObj& Keys) {
    if (!Keys.ZoomOut(View.Zoom)) return false;
    View.Changed = true;
    return true;
}

long double ScrollDelta(TViewDirection Direction, int ScrollAmount) {
    // Up raises the centre (rows grow downward, the centre is in graph orientation).
    return (Direction == vdUp || Direction == vdRight) ? ScrollAmount : -(long double)ScrollAmount;
}

long double PageDelta(TViewDirection Direction, int BmpWidth, int BmpHeight) {
    const int half = (Direction == vdLeft || Direction == vdRight) ? BmpWidth / 2 : BmpHeight / 2;
    return (Direction == vdUp || Direction == vdRight) ? half : -(long double)half;
}

bool StepViewCenter(TView2DZoomObj& View, TViewDirection Direction, long double Delta) {
    return stepCenter(View.CenterX, View.CenterY, View.Changed, Direction, Delta);
}

bool StepViewCenter(TViewPolarZoomObj& View, TViewDirection Direction, long double Delta) {
    return stepCenter(View.CenterX, View.CenterY, View.Changed, Direction, Delta);
}

bool CenterView2D(TView2DZoomObj& View) {
    return centerPlane(View.CenterX, View.CenterY, View.Changed);
}

bool CenterViewPolar(TViewPolarZoomObj& View) {
    return centerPlane(View.CenterX, View.CenterY, View.Changed);
}

bool CenterView3D(TView3DZoomObj& View) {
    if (View.RotationX == 0 && View.RotationY == 0 && View.RotationZ == 0) return false;
    View.RotationX = View.RotationY = View.RotationZ = 0;
    View.Changed = true;
    return true;
}

long double RotateAngle(long double Angle, long double Step) {
    const long double turned = std::fmod(Angle + Step, 360.0L);
    if (!std::isfinite(turned)) return Angle;
    // fmod keeps the sign of the angle, so -360 comes back as -0; show it as 0.
    return turned == 0 ? 0 : turned;
}

void Rotate3D(TView3DZoomObj& View, TRotationAxis Axis, long double Step) {
    long double& angle = Axis == raX ? View.RotationX : (Axis == raY ? View.RotationY : View.RotationZ);
    angle = RotateAngle(angle, Step);
    View.Changed = true;
}
