#include "math/GrGlobal.h"

#include "math/Floatstr.h"

#include <cmath>

namespace {

// In [0, 360). fmodl is exact, so even huge angles stay inside the turn; a tiny negative
// angle plus 360 can round up to 360 itself, which is the same direction as 0.
long double positiveAngle(long double x) {
    long double a = NormalizeAngle(x);
    if (a < 0) a += 360;
    if (a >= 360) a = 0;
    return a;
}

} // namespace

long double NormalizeAngle(long double X) {
    if (!std::isfinite(X)) return X;
    if (std::fabs(X) < 360) return X;
    return std::fmod(X, 360.0L);
}

std::string AngleToStr(long double X) {
    return FloatToStrTrim6(NormalizeAngle(X));
}

std::string AngleToStrPositive(long double X) {
    return FloatToStrTrim6(positiveAngle(X));
}

bool StrToAngle(std::string_view S, long double& A) {
    long double x = 0;
    if (!TryStrToExtended(S, x)) {
        A = 0;
        return false;
    }
    A = positiveAngle(x);
    return true;
}

void RectToPolar(long double X, long double Y, long double& R, long double& Theta) {
    long double r = std::sqrt(X * X + Y * Y);
    if (!std::isfinite(r)) {
        R = 0;
        Theta = 0;
        return;
    }
    long double t;
    if (X == 0) {
        t = Y == 0 ? 0 : (Y > 0 ? HalfPiExtended : ThreeHalfPiExtended);
    } else if (Y == 0) {
        t = X > 0 ? 0 : PiExtended;
    } else {
        long double a = std::atan(std::fabs(Y) / std::fabs(X));
        if (X > 0 && Y > 0)
            t = a;
        else if (X < 0 && Y > 0)
            t = PiExtended - a;
        else if (X < 0)
            t = PiExtended + a;
        else
            t = TwoPiExtended - a;
    }
    R = r;
    Theta = t;
}

void PolarToRect(long double R, long double Theta, long double& X, long double& Y) {
    long double x = R * std::cos(Theta);
    long double y = R * std::sin(Theta);
    if (!std::isfinite(x) || !std::isfinite(y)) {
        X = 0;
        Y = 0;
        return;
    }
    X = x;
    Y = y;
}

bool StrEndsWith(std::string_view S, std::string_view Suffix) {
    if (S.empty() || Suffix.empty() || S.size() < Suffix.size()) return false;
    return S.substr(S.size() - Suffix.size()) == Suffix;
}
