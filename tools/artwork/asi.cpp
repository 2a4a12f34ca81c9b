// asi.cpp - Kestrum's airspeed indicator: a black dial in knots, 40 to 200,
// with its coloured speed ranges, an inner ring in miles per hour, the
// temperature and pressure-altitude ring of the true-airspeed computer,
// corner screws, and the needle: a dark turning disc lettered MPH under a
// white pointer.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Asi";
constexpr int kDial = 272;
constexpr int kNeedle = 273;

// Speed ranges in knots: flaps extended, normal operation, caution, never
// exceed.
constexpr double kFlapLow = 40, kFlapHigh = 85;
constexpr double kNormalLow = 50, kNormalHigh = 130;
constexpr double kNeverExceed = 165;
constexpr double kKnotsPerMph = 0.868976;

const frame::NeedleElement& asi_needle(const Module& m) { return m.needle(kGauge, kNeedle); }

int bitmap_width(const Module& m, int id) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == id) return b.width;
    throw std::runtime_error("bitmap " + std::to_string(id) + " is not listed");
}

// From the pivot to the tip: the last column of the needle bitmap.
double pointer_reach(const Module& m) {
    return bitmap_width(m, kNeedle) - pixel_centre(asi_needle(m).base.offset).x - 0.4;
}

// The radius of the disc the needle carries: it fills the bitmap's height.
double disc_radius(const Module& m) { return pixel_centre(asi_needle(m).base.offset).y - 0.5; }

// The ring of the true-airspeed computer: outside air temperature along
// the top, pressure altitude on the left.
void draw_tas_ring(cairo_t* cr, Vec c, double inner, double outer) {
    const Rgb ring_ink{178, 178, 170};
    arc_band(cr, c, inner, outer, 258, 352, Rgb{34, 34, 38});
    arc_band(cr, c, inner, outer, 142, 218, Rgb{34, 34, 38});
    const double mid = (inner + outer) / 2;
    set_font(cr, Face::condensed_bold, 8.5);
    int t = -30;
    for (double a = 266; a <= 346; a += 16, t += 15) {
        figure(cr, std::to_string(t), c, mid, a, ring_ink, Turn::radial);
        tick(cr, c, a + 8, inner, inner + 3, 1, ring_ink);
    }
    for (int k = 0; k <= 12; k += 4) {
        const double a = 206 - k * 4.5;
        figure(cr, std::to_string(k), c, mid, a, ring_ink, Turn::radial);
    }
    set_font(cr, Face::sans_bold, 7.5);
    figure(cr, "PRESS ALT", c, mid, 174, ring_ink, Turn::radial);
    figure(cr, "\u00b0C", c, mid, 354 - 4, ring_ink, Turn::radial);
}

void draw_dial(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Scale scale(asi_needle(m));
    const Vec c = scale.pivot();
    const double radius = std::min({c.x, c.y, canvas.width() - c.x, canvas.height() - c.y});
    const double face = dial(cr, c, radius, 12, ink::face);
    const double reach = pointer_reach(m);

    // Four mounting screws in the corners, outside the case.
    const double inset = 16;
    const double w = canvas.width(), h = canvas.height();
    screw(cr, {inset, inset}, 7.5, 30);
    screw(cr, {w - inset, inset}, 7.5, 120);
    screw(cr, {inset, h - inset}, 7.5, 75);
    screw(cr, {w - inset, h - inset}, 7.5, 160);

    const double ring_inner = face - 11;
    draw_tas_ring(cr, c, ring_inner, face - 2);

    // The speed ranges run just outside the marks, the flap range along
    // the inner half of the band.
    const double band_outer = ring_inner - 2;
    const double band_inner = band_outer - 6;
    const double band_middle = band_inner + 2.5;
    arc_band(cr, c, band_middle, band_outer, scale.angle(kNormalLow), scale.angle(kNormalHigh), ink::green);
    arc_band(cr, c, band_inner, band_outer, scale.angle(kNormalHigh), scale.angle(kNeverExceed), ink::yellow);
    arc_band(cr, c, band_inner, band_middle, scale.angle(kFlapLow), scale.angle(kFlapHigh), ink::white);

    // Marks every 5 knots, long every 10, from 40 to 200; the red line
    // crosses the band at the never-exceed speed.
    const double low = 40, high = 200;
    const double marks_outer = band_inner - 1.5;
    ticks(cr, scale, low, high, 5, {reach + 1, marks_outer - 2, 1.8, ink::white});
    ticks(cr, scale, low, high, 10, {reach - 5, marks_outer, 3.2, ink::white});
    tick(cr, c, scale.angle(kNeverExceed), reach - 5, band_outer, 3.6, ink::red);

    // Knots every 20.
    set_font(cr, Face::condensed_bold, 16.5);
    const double figures = reach - 21;
    for (int v = 40; v <= 200; v += 20) figure(cr, std::to_string(v), c, figures, scale.angle(v), ink::white);

    // Miles per hour on an inner ring, just outside the needle's disc,
    // which carries their unit.
    const double disc = disc_radius(m);
    set_font(cr, Face::condensed, 7.5);
    for (int mph = 60; mph <= 220; mph += 20) {
        const double a = scale.angle(mph * kKnotsPerMph);
        tick(cr, c, a, disc + 1, disc + 4, 1.4, ink::grey);
        figure(cr, std::to_string(mph), c, disc + 9, a, ink::grey);
    }

    // The legend stands in the gap between 210 and 40 knots.
    set_font(cr, Face::sans_bold, 10);
    text(cr, "AIRSPEED", {c.x - 2, c.y - disc - 22}, ink::white);
    set_font(cr, Face::sans_bold, 9);
    text(cr, "KNOTS", {c.x - 2, c.y - disc - 10}, ink::white);
}

void draw_needle(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec pivot = pixel_centre(asi_needle(m).base.offset);
    const double disc = disc_radius(m);
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});

    // The disc turns with the pointer and names the inner ring's unit on
    // both sides of it.
    fill_circle(cr, pivot, disc, Rgb{54, 54, 60});
    fill_circle(cr, pivot, disc - 1.5, Rgb{30, 30, 34});
    set_font(cr, Face::sans_bold, 9);
    figure(cr, "MPH", pivot, disc * 0.6, 270, ink::grey, Turn::radial);
    figure(cr, "MPH", pivot, disc * 0.6, 90, ink::grey, Turn::radial);

    pointer(cr, {.pivot = pivot,
                 .length = pointer_reach(m),
                 .width = 6,
                 .tip_width = 3.6,
                 .tip_length = 16,
                 .tail_length = 30,
                 .tail_width = 7});
    hub(cr, pivot, 9, ink::dark, ink::grey);
}

const Register dial_artwork{{"kestrum", kDial, Role::image, draw_dial}};
const Register needle_artwork{{"kestrum", kNeedle, Role::image, draw_needle}};

}  // namespace

}  // namespace artwork
