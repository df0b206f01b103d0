#pragma once
// Angle texts, conversions between rectangular and polar coordinates and between degrees
// and radians, and the caption suffix test. Pure functions; any thread may call them.

#include <string>
#include <string_view>

// The 80-bit values nearest to pi, pi/2, 3 pi/2 and 2 pi.
inline constexpr long double PiExtended = 3.14159265358979323846264338327950288L;
inline constexpr long double HalfPiExtended = 1.57079632679489661923132169163975144L;
inline constexpr long double ThreeHalfPiExtended = 4.71238898038468985769396507491925432L;
inline constexpr long double TwoPiExtended = 6.28318530717958647692528676655900577L;

// X without its whole turns: in (-360, 360), with X's sign.
long double NormalizeAngle(long double X);
// NormalizeAngle(X) with 6 decimals, trimmed.
std::string AngleToStr(long double X);
// The angle in [0, 360) with 6 decimals, trimmed.
std::string AngleToStrPositive(long double X);
// Reads an angle in degrees and reduces it into [0, 360); on failure A is 0.
bool StrToAngle(std::string_view S, long double& A);

// R = sqrt(X^2 + Y^2), Theta in radians in [0, 2 pi). A result that cannot be computed
// (overflow, not a number) gives R = 0 and Theta = 0.
void RectToPolar(long double X, long double Y, long double& R, long double& Theta);
// X = R cos Theta, Y = R sin Theta; a result that cannot be computed gives 0 and 0.
void PolarToRect(long double R, long double Theta, long double& X, long double& Y);

inline long double DegToRad(long double X) {
    return X * 0.017453292519943295769L;
}
inline long double RadToDeg(long double X) {
    return X * 57.295779513082320877L;
}

// True when both are non-empty and S ends with Suffix.
bool StrEndsWith(std::string_view S, std::string_view Suffix);
