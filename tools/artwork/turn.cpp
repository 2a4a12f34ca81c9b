// turn.cpp - Kestrum's turn coordinator: the dial with its level and turn
// marks and the tube the ball rides in, the ball, the flag window empty and
// with its OFF flag, and the airplane symbol seen from behind.
//
// The marks stand where the airplane's wing tips point at 0 and at the
// table's turn rows; the tube follows the path the ball's slider takes.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Turn";
constexpr int kDial = 337;
constexpr int kBall = 338;
constexpr int kFlagEmpty = 339;
constexpr int kFlagOff = 340;
constexpr int kSymbol = 341;

// The table's rows where the wings bank against the turn marks.
constexpr double kStandardRate = 546;

constexpr Rgb kTube{226, 226, 218};
constexpr Rgb kBallInk{58, 58, 62};

const frame::NeedleElement& symbol(const Module& m) { return m.needle(kGauge, kSymbol); }

template <class T>
const T& first_of(const Module& m, std::uint32_t kind) {
    for (const frame::Element* e : m.elements(kGauge))
        if (e->kind == kind) return *reinterpret_cast<const T*>(e);
    throw std::runtime_error("Turn lacks an element of kind " + std::to_string(kind));
}

const BitmapSpec& spec_of(const Module& m, int id) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == id) return b;
    throw std::runtime_error("bitmap " + std::to_string(id) + " is not listed");
}

// The ball's centre in its own bitmap: on the airplane's vertical axis, so
// that it rests under the fuselage.
Vec ball_centre_in_bitmap(const Module& m) {
    const frame::SliderElement& ball = first_of<frame::SliderElement>(m, frame::kSlider);
    const double x = pixel_centre(symbol(m).base.position).x - ball.base.position.x;
    return {x, spec_of(m, kBall).height / 2.0};
}
constexpr double kBallRadiusX = 10.5, kBallRadiusY = 11.5;

// The ball's sideways travel either way at the ends of the tube, and how
// far it rises for each pixel sideways (the slider's y over its x scale).
constexpr double kTravel = 66;

double rise_per_pixel(const Module& m) {
    const frame::SliderElement& ball = first_of<frame::SliderElement>(m, frame::kSlider);
    return 0.0625 * ball.y.scale / ball.x.scale;
}

void draw_dial(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Scale scale(symbol(m));
    const Vec c = scale.pivot();
    const double radius = std::min({c.x, c.y, canvas.width() - c.x, canvas.height() - c.y});
    const double face = dial(cr, c, radius, 12, ink::face);
    const double wing = spec_of(m, kSymbol).width - pixel_centre(symbol(m).base.offset).x;

    // The wing tips point at the level marks at 0 and, banked, at the turn
    // marks: the right tip for a right turn, the left tip for a left one.
    const double level = scale.angle(0);
    const Mark mark{wing + 5, face - 4, 6, ink::white};
    for (double a : {level, level + 180, scale.angle(kStandardRate), scale.angle(-kStandardRate) + 180})
        tick(cr, c, a, mark.inner, mark.outer, mark.width, mark.colour);
    set_font(cr, Face::sans_bold, 17);
    figure(cr, "R", c, wing + 18, scale.angle(kStandardRate) + 15, ink::white);
    figure(cr, "L", c, wing + 18, scale.angle(-kStandardRate) + 180 - 15, ink::white);

    // The tube: its centre line is the ball's path, lowest in the middle.
    const frame::SliderElement& ball = first_of<frame::SliderElement>(m, frame::kSlider);
    const Vec rest = {ball.base.position.x + ball_centre_in_bitmap(m).x,
                      ball.base.position.y + ball_centre_in_bitmap(m).y};
    const double k = rise_per_pixel(m);
    auto tube_path = [&] {
        cairo_new_path(cr);
        for (double dx = -kTravel; dx <= kTravel + 1e-9; dx += 1) {
            // A hair of rounding at the bottom, where the V of the path meets.
            const double rise = k * (std::sqrt(dx * dx + 4) - 2);
            cairo_line_to(cr, rest.x + dx, rest.y - rise);
        }
    };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    tube_path();
    cairo_set_line_width(cr, 2 * kBallRadiusY + 6);
    set_colour(cr, Rgb{96, 96, 100});
    cairo_stroke(cr);
    tube_path();
    cairo_set_line_width(cr, 2 * kBallRadiusY + 3);
    set_colour(cr, kTube);
    cairo_stroke(cr);
    // The two reference wires the ball sits between in balanced flight.
    for (double side : {-1.0, 1.0}) {
        const double x = rest.x + side * (kBallRadiusX + 2.5);
        line(cr, {x, rest.y - kBallRadiusY - 2.5}, {x, rest.y + kBallRadiusY + 2.5}, 2.2, Rgb{30, 30, 32});
    }

    set_font(cr, Face::sans_bold, 8);
    text(cr, "D.C.", {c.x, c.y - 100}, ink::white);
    text(cr, "ELEC.", {c.x, c.y - 89}, ink::white);
    set_font(cr, Face::sans_bold, 11);
    text(cr, "TURN COORDINATOR", {c.x, c.y - 62}, ink::white);
    set_font(cr, Face::sans_bold, 10);
    text(cr, "2 MIN.", {c.x, rest.y + 35}, ink::white);
    set_font(cr, Face::sans_bold, 7.5);
    text(cr, "NO PITCH", {c.x, rest.y + 52}, ink::white);
    text(cr, "INFORMATION", {c.x, rest.y + 62}, ink::white);
}

void draw_ball(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    canvas.set_edge({.threshold = 0.4, .matte = kTube});
    const Vec b = ball_centre_in_bitmap(m);
    cairo_save(cr);
    cairo_translate(cr, b.x, b.y);
    cairo_scale(cr, kBallRadiusX, kBallRadiusY);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(b.x - 3, b.y - 4, 1, b.x, b.y, kBallRadiusY);
    cairo_pattern_add_color_stop_rgb(g, 0, 120 / 255.0, 120 / 255.0, 124 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, kBallInk.r / 255.0, kBallInk.g / 255.0, kBallInk.b / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The flag window: a recess in the face, with or without the flag in it.
void flag_window(cairo_t* cr, double w, double h) {
    rounded_rect(cr, 0, 0, w, h, 3, Rgb{78, 78, 82});
    rounded_rect(cr, 2, 2, w - 4, h - 4, 2, Rgb{22, 22, 24});
}

void draw_flag_empty(Canvas& canvas, const Module&) { flag_window(canvas.cr(), canvas.width(), canvas.height()); }

void draw_flag_off(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    flag_window(cr, w, h);
    rectangle(cr, 3, 4, w - 6, h - 8, ink::red);
    set_font(cr, Face::condensed_bold, 9);
    text(cr, "OFF", {w / 2, h / 2}, ink::white);
}

// From behind: wings straight out from the fuselage, fin and tailplane
// above it.
void draw_symbol(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    const Vec p = pixel_centre(symbol(m).base.offset);
    const double left = p.x, right = canvas.width() - p.x;
    polygon(cr, {{p.x - left, p.y - 2}, {p.x, p.y - 5}, {p.x + right, p.y - 2}, {p.x + right, p.y + 2},
                 {p.x, p.y + 5}, {p.x - left, p.y + 2}},
            ink::white);
    polygon(cr, {{p.x - 2.5, p.y}, {p.x - 1.5, 3}, {p.x + 1.5, 3}, {p.x + 2.5, p.y}}, ink::white);
    polygon(cr, {{p.x - 24, p.y - 19}, {p.x + 24, p.y - 19}, {p.x + 24, p.y - 16}, {p.x - 24, p.y - 16}},
            ink::white);
    fill_circle(cr, p, 8, ink::white);
    fill_circle(cr, p, 3.5, Rgb{120, 120, 124});
}

const Register dial_artwork{{"kestrum", kDial, Role::image, draw_dial}};
const Register ball_artwork{{"kestrum", kBall, Role::image, draw_ball}};
const Register empty_artwork{{"kestrum", kFlagEmpty, Role::image, draw_flag_empty}};
const Register off_artwork{{"kestrum", kFlagOff, Role::image, draw_flag_off}};
const Register symbol_artwork{{"kestrum", kSymbol, Role::image, draw_symbol}};

}  // namespace

}  // namespace artwork
