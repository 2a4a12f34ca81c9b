// man.cpp - Kestrum's manifold pressure and fuel flow gauge: one black dial
// with two scales, inches of mercury on the left and gallons per hour on
// the right, each around its own needle's pivot, and the needle both
// share.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Man";
constexpr int kDial = 292;
constexpr int kNeedle = 293;

// Tree order: the fuel-flow needle, then the pressure needle over it.
constexpr int kFuelFlowNeedle = 0;
constexpr int kPressureNeedle = 1;

// Manifold pressure, inches of mercury.
constexpr double kPressureGreenLow = 15, kPressureGreenHigh = 25;
// Fuel flow in the needle's tenths of a gallon per hour, and the fuel
// pressure limits its red marks stand for.
constexpr double kFlowGreenLow = 45, kFlowGreenHigh = 115;
constexpr double kFlowRedLow = 30, kFlowRedHigh = 245;

const frame::NeedleElement& needle(const Module& m, int nth) { return m.needle(kGauge, kNeedle, nth); }

double pointer_reach(const Module& m) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == kNeedle) return b.width - pixel_centre(needle(m, 0).base.offset).x - 0.4;
    throw std::runtime_error("Man needle bitmap is not listed");
}

// Marks and figures of one scale, around its own needle's pivot.
struct ScaleStyle {
    double from, to;  // the marked values
    double minor, major;  // mark steps
    double figure_step;
    double figure_divisor;  // figures show value / divisor
};

void draw_scale(cairo_t* cr, const Scale& scale, const ScaleStyle& s, double reach, double outer) {
    ticks(cr, scale, s.from, s.to, s.minor, {reach + 1, outer - 7, 1.8, ink::white});
    ticks(cr, scale, s.from, s.to, s.major, {reach - 6, outer, 3.6, ink::white});
    set_font(cr, Face::condensed_bold, 19);
    const long count = std::lround((s.to - s.from) / s.figure_step);
    for (long i = 0; i <= count; ++i) {
        const double v = s.from + i * s.figure_step;
        figure(cr, std::to_string(std::lround(v / s.figure_divisor)), scale.pivot(), outer + 13,
               scale.angle(v), ink::white);
    }
}

void draw_dial(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Scale pressure(needle(m, kPressureNeedle));
    const Scale flow(needle(m, kFuelFlowNeedle));
    // The case is centred between the two pivots.
    const Vec c{(pressure.pivot().x + flow.pivot().x) / 2, pressure.pivot().y};
    const double radius = std::min({c.x, c.y, canvas.width() - c.x, canvas.height() - c.y});
    const double face = dial(cr, c, radius, 12, ink::face);
    const double reach = pointer_reach(m);
    const double outer = reach + 22;
    (void)face;

    // Green ranges along the outer end of the marks.
    arc_band(cr, pressure.pivot(), outer - 6, outer, pressure.angle(kPressureGreenLow),
             pressure.angle(kPressureGreenHigh), ink::green);
    // The flow scale's values fall clockwise: its arcs run from the high
    // value to the low one.
    arc_band(cr, flow.pivot(), outer - 6, outer, flow.angle(kFlowGreenHigh), flow.angle(kFlowGreenLow),
             ink::green);

    draw_scale(cr, pressure, {.from = 10, .to = 35, .minor = 1, .major = 5, .figure_step = 5, .figure_divisor = 1},
               reach, outer);
    draw_scale(cr, flow, {.from = 40, .to = 240, .minor = 20, .major = 40, .figure_step = 40, .figure_divisor = 10},
               reach, outer);

    // Red marks at both ends of the flow scale, for the fuel pressure
    // limits.
    for (double v : {kFlowRedLow, kFlowRedHigh}) tick(cr, flow.pivot(), flow.angle(v), reach - 6, outer + 2, 4.4, ink::red);
    set_font(cr, Face::sans_bold, 8);
    figure(cr, "3.5 PSI", flow.pivot(), reach - 18, flow.angle(kFlowRedLow), ink::red);
    figure(cr, "19.5 PSI", flow.pivot(), reach - 18, flow.angle(kFlowRedHigh), ink::red);

    // The legends, each on its own scale's side of the centre.
    set_font(cr, Face::sans_bold, 9.5);
    const double left = pressure.pivot().x - 42, right = flow.pivot().x + 42;
    text(cr, "MAN", {left, c.y - 38}, ink::white);
    text(cr, "PRESS", {left, c.y - 26}, ink::white);
    text(cr, "IN HG", {left, c.y + 28}, ink::white);
    text(cr, "FUEL", {right, c.y - 38}, ink::white);
    text(cr, "FLOW", {right, c.y - 26}, ink::white);
    text(cr, "GAL/HR", {right, c.y + 28}, ink::white);
}

void draw_needle(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec pivot = pixel_centre(needle(m, 0).base.offset);
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    pointer(cr, {.pivot = pivot, .length = pointer_reach(m), .width = 5.5, .tip_width = 3.2, .tip_length = 12});
    hub(cr, pivot, 8.5, ink::dark, ink::grey);
}

const Register dial_artwork{{"kestrum", kDial, Role::image, draw_dial}};
const Register needle_artwork{{"kestrum", kNeedle, Role::image, draw_needle}};

}  // namespace

}  // namespace artwork
