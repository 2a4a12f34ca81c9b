// hsi.cpp - Kestrum's horizontal situation indicator: the face with its
// index and glideslope scale, the compass card, the heading bug, the course
// pointer, the TO and FROM triangles, the deviation bar and its window, the
// glideslope pointer, the GS and NAV flags and the two knobs.
//
// Its needles have no tables: each is drawn as it stands at angle 0, with
// the card's N up, and placed by its pivot. The glideslope scale's centre
// bar is where the pointer's tip rests at 0.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "hsi";
constexpr int kFace = 368;
constexpr int kCourseKnob = 370;
constexpr int kBugKnob = 371;
constexpr int kTo = 372;
constexpr int kFrom = 373;
constexpr int kBug = 374;
constexpr int kGlideslope = 375;
constexpr int kCoursePointer = 376;
constexpr int kCard = 377;
constexpr int kBar = 385;
constexpr int kBarWindow = 386;
constexpr int kGsFlag = 390;
constexpr int kNavFlag = 391;

// The glideslope scale: its centre bar's rows, and its dots either side.
constexpr double kGsBarTop = 178, kGsBarBottom = 182;
constexpr double kGsDots[] = {-50, -25, 25, 50};

// The course pointer's deviation dots, left and right of its centre column.
constexpr double kDeviationDots[] = {-51, -26, 26, 51};
constexpr double kDiscRadius = 66;  // the dark disc the deviation shows on

constexpr Rgb kBezel{46, 46, 50};
constexpr Rgb kCardInk{236, 236, 230};

const frame::NeedleElement& needle(const Module& m, int bitmap) { return m.needle(kGauge, bitmap); }

template <class T>
const T& first_of(const Module& m, std::uint32_t kind) {
    for (const frame::Element* e : m.elements(kGauge))
        if (e->kind == kind) return *reinterpret_cast<const T*>(e);
    throw std::runtime_error("hsi lacks an element of kind " + std::to_string(kind));
}

// The card's centre on the face: the pivot every card needle turns about.
Vec card_centre(const Module& m) { return pixel_centre(needle(m, kCard).base.position); }

// The pivot of a needle in its own bitmap.
Vec pivot_of(const Module& m, int bitmap) { return pixel_centre(needle(m, bitmap).base.offset); }

void turned_text(cairo_t* cr, std::string_view s, Vec at, double angle, Rgb colour) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, radians(angle));
    text(cr, s, {0, 0}, colour);
    cairo_restore(cr);
}

void draw_face(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec c = card_centre(m);
    const double w = canvas.width(), h = canvas.height();
    const double card = pixel_centre(needle(m, kCard).base.offset).x - 0.5;

    // The square case, lit from the upper left, and the round opening.
    rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 26, Rgb{26, 26, 28});
    rounded_rect(cr, 3, 3, w - 6, h - 6, 24, kBezel);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, card + 40, 0, 2 * std::numbers::pi);
    cairo_pattern_t* light = cairo_pattern_create_linear(c.x - card, c.y - card, c.x + card, c.y + card);
    cairo_pattern_add_color_stop_rgb(light, 0, 84 / 255.0, 84 / 255.0, 88 / 255.0);
    cairo_pattern_add_color_stop_rgb(light, 1, 30 / 255.0, 30 / 255.0, 33 / 255.0);
    cairo_set_source(cr, light);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
    const double opening = card + 3;
    ring(cr, c, opening, opening + 20, Rgb{34, 34, 37});
    ring(cr, c, opening, opening + 2, Rgb{90, 90, 94});
    fill_circle(cr, c, opening, Rgb{12, 12, 13});

    // Marks every 45 degrees outside the card; at nine o'clock the
    // glideslope scale's centre bar takes the mark's place, and at the top
    // the index.
    for (int a = 0; a < 360; a += 45)
        if (a != 180 && a != 270) tick(cr, c, a, opening + 3, opening + 17, 4, ink::white);
    polygon(cr, {{c.x, c.y - card + 1}, {c.x - 9, c.y - opening - 14}, {c.x + 9, c.y - opening - 14}},
            ink::orange);

    // The glideslope scale under the pointer's path.
    const frame::SliderElement& gs = first_of<frame::SliderElement>(m, frame::kSlider);
    const double gx = gs.base.position.x + 7.5;
    rectangle(cr, gs.base.position.x, kGsBarTop, 15, kGsBarBottom - kGsBarTop, ink::white);
    const double mid = (kGsBarTop + kGsBarBottom) / 2;
    for (double d : kGsDots) {
        fill_circle(cr, {gx, mid + d}, 4, ink::white);
        fill_circle(cr, {gx, mid + d}, 2, Rgb{26, 26, 28});
    }

    set_font(cr, Face::sans_bold, 10);
    text(cr, "CRS", {52, h - 66}, ink::white);
    text(cr, "HDG", {w - 52, h - 66}, ink::white);
}

void draw_card(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    canvas.set_edge({.threshold = 0.5, .matte = Rgb{12, 12, 13}});
    const Vec c = pivot_of(m, kCard);
    const double radius = std::min(c.x, canvas.width() - c.x) - 1;
    fill_circle(cr, c, radius, Rgb{22, 22, 24});
    // Graduations every 5 degrees, longer every 10; N at the top.
    ticks_around(cr, c, 270, 5, 72, {radius - 8, radius - 1, 1.6, kCardInk});
    ticks_around(cr, c, 270, 10, 36, {radius - 15, radius - 1, 2.2, kCardInk});
    const char* figures[] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (int i = 0; i < 12; ++i) {
        const bool cardinal = i % 3 == 0;
        set_font(cr, Face::condensed_bold, cardinal ? 23 : 19);
        figure(cr, figures[i], c, radius - 30, 270 + 30 * i, cardinal ? ink::white : kCardInk, Turn::radial);
    }
}

// A hollow triangle, apex toward the rim, on the card's edge.
void draw_bug(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec p = pivot_of(m, kBug);
    const double w = canvas.width(), h = canvas.height();
    cairo_new_path(cr);
    cairo_move_to(cr, p.x, 2.5);
    cairo_line_to(cr, p.x + (w - 5) / 2, h - 2.5);
    cairo_line_to(cr, p.x - (w - 5) / 2, h - 2.5);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    set_colour(cr, ink::yellow);
    cairo_stroke(cr);
}

void draw_course_pointer(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec p = pivot_of(m, kCoursePointer);
    const double h = canvas.height();
    fill_circle(cr, p, kDiscRadius, Rgb{18, 18, 20});
    ring(cr, p, kDiscRadius - 1.5, kDiscRadius, Rgb{60, 60, 64});
    // Head: a shaft from the disc to an arrow at the top of the bitmap.
    rectangle(cr, p.x - 3.5, 28, 7, p.y - kDiscRadius - 26, ink::yellow);
    polygon(cr, {{p.x, 0.5}, {p.x + 13, 30}, {p.x - 13, 30}}, ink::yellow);
    // Tail: a plain bar down to the bottom.
    rectangle(cr, p.x - 3.5, p.y + kDiscRadius - 1, 7, h - 0.5 - (p.y + kDiscRadius - 1), ink::yellow);
    for (double d : kDeviationDots) {
        fill_circle(cr, {p.x + d, p.y}, 4.5, ink::white);
        fill_circle(cr, {p.x + d, p.y}, 2.2, Rgb{18, 18, 20});
    }
}

void draw_triangle(Canvas& canvas, bool up) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    const double apex = up ? 2 : h - 2, base = up ? h - 4 : 4;
    polygon(cr, {{w / 2, apex}, {w - 2, base}, {2, base}}, ink::white);
}

void draw_to(Canvas& canvas, const Module&) { draw_triangle(canvas, true); }
void draw_from(Canvas& canvas, const Module&) { draw_triangle(canvas, false); }

// The deviation bar: the texture's vertical centre line, as long as the
// disc it shows on allows at the texture's scale.
void draw_bar(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const frame::SpriteElement& s = first_of<frame::SpriteElement>(m, frame::kSprite);
    const Vec c{canvas.width() / 2.0, canvas.height() / 2.0};
    const double half = (kDiscRadius - 4) / s.texture_scale_y;
    const double width = 6 / s.texture_scale_x;
    rectangle(cr, c.x - width / 2, c.y - half, width, 2 * half, ink::yellow);
}

// Its window: the disc of the course pointer, with the airplane symbol
// over it and the lubber dashes at the top and bottom.
void draw_bar_window(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const frame::SpriteElement& s = first_of<frame::SpriteElement>(m, frame::kSprite);
    const Vec c = {card_centre(m).x - s.base.position.x, card_centre(m).y - s.base.position.y};
    window_circle(cr, c, kDiscRadius - 2);
    const double h = canvas.height();
    rectangle(cr, c.x - 2, 0, 4, 11, ink::yellow);
    rectangle(cr, c.x - 2, h - 11, 4, 11, ink::yellow);
    // Airplane seen from above, nose up.
    rectangle(cr, c.x - 2, c.y - 20, 4, 38, ink::yellow);
    polygon(cr, {{c.x - 26, c.y - 1}, {c.x + 26, c.y - 1}, {c.x + 26, c.y + 3}, {c.x - 26, c.y + 3}}, ink::yellow);
    rectangle(cr, c.x - 10, c.y + 14, 20, 4, ink::yellow);
    fill_circle(cr, {c.x, c.y - 18}, 2.5, ink::yellow);
}

// Points right; its tip at the height of the scale's centre bar while the
// slider stands at its position.
void draw_glideslope(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const frame::SliderElement& gs = first_of<frame::SliderElement>(m, frame::kSlider);
    const double tip = (kGsBarTop + kGsBarBottom) / 2 - gs.base.position.y;
    const double w = canvas.width();
    const double half = std::min(tip, 4.0) - 0.2;
    polygon(cr, {{0.5, tip - half}, {w - 0.5, tip}, {0.5, tip + half}}, ink::yellow);
}

void stripes(cairo_t* cr, double w, double h, double band) {
    rectangle(cr, 0, 0, w, h, ink::white);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    for (double x = -h; x < w + h; x += 2 * band)
        polygon(cr, {{x, 0}, {x + band, 0}, {x + band + h, h}, {x + h, h}}, ink::red);
    cairo_restore(cr);
}

void draw_gs_flag(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    stripes(cr, w, h, 6);
    rectangle(cr, 2, h / 2 - 24, w - 4, 48, ink::red);
    set_font(cr, Face::sans_bold, 17);
    text(cr, "G", {w / 2, h / 2 - 11}, ink::white);
    text(cr, "S", {w / 2, h / 2 + 11}, ink::white);
}

void draw_nav_flag(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    stripes(cr, w, h, 5);
    rectangle(cr, 1, h / 2 - 8, w - 2, 16, ink::red);
    set_font(cr, Face::sans_bold, 12);
    text(cr, "NAV", {w / 2, h / 2}, ink::white);
}

void knob_body(cairo_t* cr, Vec c, double radius) {
    fill_circle(cr, c, radius, Rgb{22, 22, 24});
    for (int i = 0; i < 40; ++i) tick(cr, c, i * 9.0, radius - 4, radius - 0.5, 2.4, Rgb{72, 72, 76});
    fill_circle(cr, c, radius - 5, Rgb{38, 38, 42});
}

void draw_course_knob(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec c = pivot_of(m, kCourseKnob);
    knob_body(cr, c, std::min(c.x, canvas.width() - c.x) - 1);
    polygon(cr, {{c.x, c.y - 19}, {c.x + 9, c.y - 6}, {c.x + 3.5, c.y - 6}, {c.x + 3.5, c.y + 16},
                 {c.x - 3.5, c.y + 16}, {c.x - 3.5, c.y - 6}, {c.x - 9, c.y - 6}},
            ink::yellow);
}

void draw_bug_knob(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec c = pivot_of(m, kBugKnob);
    const double radius = std::min(c.x, canvas.width() - c.x) - 1;
    knob_body(cr, c, radius);
    cairo_new_path(cr);
    cairo_move_to(cr, c.x, c.y - 9);
    cairo_line_to(cr, c.x + 8, c.y + 5);
    cairo_line_to(cr, c.x - 8, c.y + 5);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 2.5);
    set_colour(cr, ink::yellow);
    cairo_stroke(cr);
    // The lettering runs around the triangle, tops outward above and
    // inward below, so that each word reads the right way up.
    set_font(cr, Face::sans_bold, 7.5);
    const double r = radius - 13;
    figure(cr, "PUSH", c, r, 270, ink::white, Turn::radial);
    turned_text(cr, "CARD", polar(c, r, 140), 140 - 90, ink::white);
    turned_text(cr, "SET", polar(c, r, 40), 40 - 90, ink::white);
}

const Register face_artwork{{"kestrum", kFace, Role::image, draw_face}};
const Register card_artwork{{"kestrum", kCard, Role::image, draw_card}};
const Register bug_artwork{{"kestrum", kBug, Role::image, draw_bug}};
const Register pointer_artwork{{"kestrum", kCoursePointer, Role::image, draw_course_pointer}};
const Register to_artwork{{"kestrum", kTo, Role::image, draw_to}};
const Register from_artwork{{"kestrum", kFrom, Role::image, draw_from}};
const Register bar_artwork{{"kestrum", kBar, Role::image, draw_bar}};
const Register bar_window_artwork{{"kestrum", kBarWindow, Role::mask, draw_bar_window}};
const Register glideslope_artwork{{"kestrum", kGlideslope, Role::image, draw_glideslope}};
const Register gs_flag_artwork{{"kestrum", kGsFlag, Role::image, draw_gs_flag}};
const Register nav_flag_artwork{{"kestrum", kNavFlag, Role::image, draw_nav_flag}};
const Register course_knob_artwork{{"kestrum", kCourseKnob, Role::image, draw_course_knob}};
const Register bug_knob_artwork{{"kestrum", kBugKnob, Role::image, draw_bug_knob}};

}  // namespace

}  // namespace artwork
