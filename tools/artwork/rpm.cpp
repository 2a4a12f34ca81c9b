// rpm.cpp - Kestrum's tachometer: a black dial in hundreds of revolutions
// per minute with its green range and red line, the hour meter's window
// below the centre, the white needle, and the hour meter's drums: strips of
// the digits 0 to 9, exactly 22.7 pixels apart, and the windows they show
// through.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Rpm";
constexpr int kDial = 288;
constexpr int kNeedle = 289;
constexpr int kHourStrip = 354;
constexpr int kHourWindow = 355;
constexpr int kTenthStrip = 357;
constexpr int kTenthWindow = 358;

// Normal operating range and red line, revolutions per minute.
constexpr double kGreenLow = 2100, kGreenHigh = 2700;
constexpr double kRedLine = 2700;

// A strip holds ten digits in equal cells from top to bottom.
constexpr double kDigitPitch = 22.7;

const frame::NeedleElement& rpm_needle(const Module& m) { return m.needle(kGauge, kNeedle); }

const BitmapSpec& spec_of(const Module& m, int id) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == id) return b;
    throw std::runtime_error("bitmap " + std::to_string(id) + " is not listed");
}

double pointer_reach(const Module& m) {
    return spec_of(m, kNeedle).width - pixel_centre(rpm_needle(m).base.offset).x - 0.4;
}

// The drums of the hour meter as the module places them.
struct Drums {
    double left, top, right, bottom;
};

Drums drums_of(const Module& m) {
    Drums d{1e9, 1e9, -1e9, -1e9};
    for (const frame::Element* e : m.elements(kGauge)) {
        if (e->kind != frame::kMovingImage) continue;
        const BitmapSpec& window = spec_of(m, e->bitmap + 1);
        d.left = std::min(d.left, double(e->position.x));
        d.top = std::min(d.top, double(e->position.y));
        d.right = std::max(d.right, double(e->position.x + window.width));
        d.bottom = std::max(d.bottom, double(e->position.y + window.height));
    }
    if (d.left > d.right) throw std::runtime_error("Rpm has no drums");
    return d;
}

void draw_dial(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Scale scale(rpm_needle(m));
    const Vec c = scale.pivot();
    const double radius = std::min({c.x, c.y, canvas.width() - c.x, canvas.height() - c.y});
    const double face = dial(cr, c, radius, 13, ink::face);
    const double reach = pointer_reach(m);
    const double outer = face - 7;

    // The green range along the outer end of the marks, stopping short of
    // the red line across them.
    const double red_width = 4.6;
    const double gap = degrees((red_width / 2 + 1.5) / (outer - 4));
    arc_band(cr, c, outer - 8, outer, scale.angle(kGreenLow), scale.angle(kGreenHigh) - gap, ink::green);

    // Marks every 100 rpm, long every 500, over the needle's whole travel.
    const double low = scale.first_value(), high = scale.last_value();
    ticks(cr, scale, low, high, 100, {reach + 2, outer, 2, ink::white});
    ticks(cr, scale, low, high, 500, {reach - 8, outer, 4.2, ink::white});
    tick(cr, c, scale.angle(kRedLine), reach - 8, outer + 2, red_width, ink::red);

    // Figures in hundreds.
    set_font(cr, Face::condensed_bold, 21);
    for (double v = low; v <= high; v += 500)
        figure(cr, std::to_string(int(v) / 100), c, reach - 23, scale.angle(v), ink::white);

    set_font(cr, Face::sans_bold, 12);
    text(cr, "RPM", {c.x, c.y - 34}, ink::white);
    set_font(cr, Face::sans_bold, 9.5);
    text(cr, "X100", {c.x, c.y - 21}, ink::white);

    // The hour meter: a recessed window behind the drums, which stand in it
    // side by side, the gaps between them showing the recess.
    const Drums d = drums_of(m);
    rounded_rect(cr, d.left - 4, d.top - 4, d.right - d.left + 8, d.bottom - d.top + 8, 3.5, Rgb{74, 74, 78});
    rounded_rect(cr, d.left - 2.5, d.top - 2.5, d.right - d.left + 5, d.bottom - d.top + 5, 2.5, Rgb{26, 26, 28});
    set_font(cr, Face::sans_bold, 9);
    text(cr, "HOURS", {c.x, d.bottom + 14}, ink::white);
    set_font(cr, Face::sans, 7);
    text(cr, "1/10", {d.right - 8, d.bottom + 14}, ink::grey);
}

void draw_needle(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec pivot = pixel_centre(rpm_needle(m).base.offset);
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    pointer(cr, {.pivot = pivot, .length = pointer_reach(m), .width = 6, .tip_width = 3.4, .tip_length = 14});
    const double hub_radius = std::min(pivot.y, canvas.height() - pivot.y) - 0.5;
    hub(cr, pivot, hub_radius, ink::dark, ink::grey);
}

// One digit with its inked box centred exactly on the point: drawn as an
// unhinted outline so that the fractional pitch is kept, not rounded to
// whole pixels.
void exact_digit(cairo_t* cr, int digit, Vec at, Rgb colour) {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
    const std::string s = std::to_string(digit);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    cairo_new_path(cr);
    cairo_move_to(cr, at.x - e.x_bearing - e.width / 2, at.y - e.y_bearing - e.height / 2);
    cairo_text_path(cr, s.c_str());
    set_colour(cr, colour);
    cairo_fill(cr);
}

void draw_strip(Canvas& canvas, Rgb drum, Rgb digits) {
    cairo_t* cr = canvas.cr();
    rectangle(cr, 0, 0, canvas.width(), canvas.height(), drum);
    cairo_set_font_face(cr, font_face(Face::condensed_bold));
    cairo_set_font_size(cr, 17);
    for (int k = 0; k <= 9; ++k)
        exact_digit(cr, k, {canvas.width() / 2.0, kDigitPitch * (k + 0.5)}, digits);
}

void draw_hour_strip(Canvas& canvas, const Module&) { draw_strip(canvas, Rgb{22, 22, 24}, ink::white); }
void draw_tenth_strip(Canvas& canvas, const Module&) {
    draw_strip(canvas, Rgb{236, 236, 230}, Rgb{14, 14, 16});
}

// The drum shows through the whole window but its top and bottom rows,
// where the drum turns away into shadow.
void draw_window(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    rectangle(cr, 0, 0, canvas.width(), canvas.height(), Rgb{10, 10, 11});
    window_rect(cr, 0, 1, canvas.width(), canvas.height() - 2);
}

const Register dial_artwork{{"kestrum", kDial, Role::image, draw_dial}};
const Register needle_artwork{{"kestrum", kNeedle, Role::image, draw_needle}};
const Register hour_strip{{"kestrum", kHourStrip, Role::image, draw_hour_strip}};
const Register hour_window{{"kestrum", kHourWindow, Role::mask, draw_window}};
const Register tenth_strip{{"kestrum", kTenthStrip, Role::image, draw_tenth_strip}};
const Register tenth_window{{"kestrum", kTenthWindow, Role::mask, draw_window}};

}  // namespace

}  // namespace artwork
