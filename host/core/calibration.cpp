// calibration.cpp - see calibration.h.
#include "calibration.h"

#include <cmath>

namespace host {

namespace {

constexpr double kPi = 3.14159265358979323846;

// atan2 in degrees from the four basic operations and sqrt alone, which
// IEEE arithmetic rounds the same way everywhere: the C libraries' atan2 may
// differ in the last bit between the native and the 32-bit Windows build,
// and the probe's angles must agree to the bit.
double atan_small(double x) {  // 0 <= x <= 1
    // Three halvings of the angle (atan x = 2 atan(x / (1 + sqrt(1 + x^2))))
    // bring x under tan(pi/32); the series then converges fast.
    for (int i = 0; i < 3; ++i) x = x / (1.0 + std::sqrt(1.0 + x * x));
    double x2 = x * x, term = x, sum = 0.0;
    for (int k = 1; k <= 31; k += 2) {
        sum += term / k;
        term *= -x2;
    }
    return 8.0 * sum;
}

double atan2_deg(double y, double x) {
    if (x == 0.0 && y == 0.0) return 0.0;
    double ax = std::fabs(x), ay = std::fabs(y);
    double a = ay <= ax ? atan_small(ay / ax) : kPi / 2 - atan_small(ax / ay);
    if (x < 0) a = kPi - a;
    if (y < 0) a = -a;
    return a * 180.0 / kPi;
}

double reduce(double deg) {
    double r = std::fmod(deg, 360.0);
    if (r < 0) r += 360.0;
    if (r >= 360.0) r -= 360.0;
    return r;
}

}  // namespace

double direction_deg(frame::Point pivot, std::int32_t x, std::int32_t y) {
    double dx = static_cast<double>(x) - pivot.x;
    double dy = static_cast<double>(y) - pivot.y;
    return reduce(atan2_deg(dy, dx));
}

double table_position(frame::CalibrationPoint* rows, std::uint32_t count, frame::Point pivot,
                      double value) {
    if (count == 0) return 0.0;
    for (std::uint32_t i = 0; i < count; ++i) rows[i].angle = direction_deg(pivot, rows[i].x, rows[i].y);
    if (count == 1 || std::isnan(value)) return 0.0;

    bool rising = rows[count - 1].value > rows[0].value;
    auto before = [&](double a, double b) { return rising ? a < b : a > b; };
    bool infinite = std::isinf(value);
    if (infinite && before(value, rows[0].value)) return 0.0;

    // The row pair whose span holds the value; the end pairs also take the
    // values beyond them.
    double start = 0.0;  // position of row i
    std::uint32_t i = 0;
    while (i + 2 < count && !before(value, rows[i + 1].value)) {
        start += reduce(rows[i + 1].angle - rows[i].angle);
        ++i;
    }
    const frame::CalibrationPoint& a = rows[i];
    const frame::CalibrationPoint& b = rows[i + 1];
    double arc = reduce(b.angle - a.angle);
    if (infinite) return start + arc;
    return start + (value - a.value) / (b.value - a.value) * arc;
}

double angle_at_position(const frame::CalibrationPoint* rows, std::uint32_t count, double position) {
    return count == 0 ? 0.0 : reduce(rows[0].angle + position);
}

double table_angle(frame::CalibrationPoint* rows, std::uint32_t count, frame::Point pivot,
                   double value) {
    return angle_at_position(rows, count, table_position(rows, count, pivot, value));
}

}  // namespace host
