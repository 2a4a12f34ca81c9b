// geometry.h - points and angles on a dial.
//
// Angles are degrees clockwise from three o'clock, as a needle turns on a
// screen whose y runs downward. Integer gauge coordinates name pixels; Cairo
// draws a pixel's centre at (x + 0.5, y + 0.5), so a needle's pivot pixel
// lands on the dial's centre pixel when both sides use pixel_centre().
#pragma once

#include <cmath>
#include <numbers>

#include "records.h"

namespace artwork {

struct Vec {
    double x = 0, y = 0;
};

inline Vec pixel_centre(frame::Point p) {
    return {p.x + 0.5, p.y + 0.5};
}
inline Vec pixel_centre(int x, int y) {
    return {x + 0.5, y + 0.5};
}

inline double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}
inline double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// The angle in [0, 360).
inline double normalized(double angle) {
    double a = std::fmod(angle, 360.0);
    return a < 0 ? a + 360.0 : a;
}

// How far to turn clockwise from one angle to reach another, in [0, 360).
inline double clockwise_from(double from, double to) {
    return normalized(to - from);
}

// The direction from a centre to a point.
inline double direction(Vec from, Vec to) {
    return normalized(degrees(std::atan2(to.y - from.y, to.x - from.x)));
}

inline Vec polar(Vec centre, double radius, double angle) {
    return {centre.x + radius * std::cos(radians(angle)), centre.y + radius * std::sin(radians(angle))};
}

}  // namespace artwork
