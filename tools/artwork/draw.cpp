// draw.cpp - the shared instrument parts.
#include "draw.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace artwork {

namespace {

void add_stop(cairo_pattern_t* p, double at, Rgb c, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, at, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

// Fills the current path with the pattern and releases it.
void fill_with(cairo_t* cr, cairo_pattern_t* p) {
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void ring_path(cairo_t* cr, Vec c, double inner, double outer) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, outer, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, c.x, c.y, inner, 2 * std::numbers::pi, 0);
    cairo_close_path(cr);
}

}  // namespace

void set_colour(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void fill_circle(cairo_t* cr, Vec c, double radius, Rgb colour) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, radius, 0, 2 * std::numbers::pi);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void ring(cairo_t* cr, Vec c, double inner, double outer, Rgb colour) {
    cairo_new_path(cr);
    ring_path(cr, c, inner, outer);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void polygon(cairo_t* cr, std::initializer_list<Vec> points, Rgb colour) {
    cairo_new_path(cr);
    for (const Vec& p : points) cairo_line_to(cr, p.x, p.y);
    cairo_close_path(cr);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void rectangle(cairo_t* cr, double x, double y, double width, double height, Rgb colour) {
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, width, height);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void rounded_rect(cairo_t* cr, double x, double y, double width, double height, double corner, Rgb colour) {
    const double r = std::min(corner, std::min(width, height) / 2);
    const double pi = std::numbers::pi;
    cairo_new_path(cr);
    cairo_arc(cr, x + width - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + width - r, y + height - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + height - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void line(cairo_t* cr, Vec from, Vec to, double width, Rgb colour) {
    cairo_new_path(cr);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    set_colour(cr, colour);
    cairo_stroke(cr);
}

void arc_line(cairo_t* cr, Vec c, double radius, double from, double to, double width, Rgb colour) {
    double sweep = clockwise_from(from, to);
    if (sweep == 0) sweep = 360;
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, radius, radians(from), radians(from + sweep));
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    set_colour(cr, colour);
    cairo_stroke(cr);
}

double dial(cairo_t* cr, Vec c, double radius, double bezel, Rgb face) {
    const double face_r = radius - bezel;
    const double lip = bezel * 0.3;

    // Case ring lit from the upper left, as panel lighting falls.
    cairo_new_path(cr);
    ring_path(cr, c, face_r + lip, radius);
    cairo_pattern_t* light =
        cairo_pattern_create_linear(c.x - radius, c.y - radius, c.x + radius, c.y + radius);
    add_stop(light, 0.0, Rgb{92, 92, 96});
    add_stop(light, 0.45, Rgb{46, 46, 50});
    add_stop(light, 1.0, Rgb{20, 20, 22});
    fill_with(cr, light);

    // The lip the glass sits in, lit the other way so the face looks sunk.
    cairo_new_path(cr);
    ring_path(cr, c, face_r, face_r + lip);
    cairo_pattern_t* lit =
        cairo_pattern_create_linear(c.x - radius, c.y - radius, c.x + radius, c.y + radius);
    add_stop(lit, 0.0, Rgb{10, 10, 11});
    add_stop(lit, 1.0, Rgb{70, 70, 74});
    fill_with(cr, lit);

    fill_circle(cr, c, face_r, face);

    // A little shade where the face meets the lip.
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, face_r, 0, 2 * std::numbers::pi);
    cairo_pattern_t* shade = cairo_pattern_create_radial(c.x, c.y, face_r - 7, c.x, c.y, face_r);
    add_stop(shade, 0.0, Rgb{6, 6, 7}, 0.0);
    add_stop(shade, 1.0, Rgb{6, 6, 7}, 0.9);
    fill_with(cr, shade);
    return face_r;
}

void tick(cairo_t* cr, Vec c, double angle, double inner, double outer, double width, Rgb colour) {
    line(cr, polar(c, inner, angle), polar(c, outer, angle), width, colour);
}

void ticks(cairo_t* cr, const Scale& scale, double from, double to, double step, const Mark& mark) {
    // Counted, not accumulated, so the last mark is not lost to rounding.
    const long count = std::lround((to - from) / step);
    for (long i = 0; i <= count; ++i)
        tick(cr, scale.pivot(), scale.angle(from + i * step), mark.inner, mark.outer, mark.width,
             mark.colour);
}

void ticks_around(cairo_t* cr, Vec c, double start, double step, int count, const Mark& mark) {
    for (int i = 0; i < count; ++i)
        tick(cr, c, start + i * step, mark.inner, mark.outer, mark.width, mark.colour);
}

void arc_band(cairo_t* cr, Vec c, double inner, double outer, double from, double to, Rgb colour) {
    const double a0 = radians(from);
    const double a1 = radians(from + clockwise_from(from, to));
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, outer, a0, a1);
    cairo_arc_negative(cr, c.x, c.y, inner, a1, a0);
    cairo_close_path(cr);
    set_colour(cr, colour);
    cairo_fill(cr);
}

void set_font(cairo_t* cr, Face face, double size) {
    cairo_set_font_face(cr, font_face(face));
    cairo_set_font_size(cr, size);
    // Fixed here rather than taken from the machine's font settings.
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

void text(cairo_t* cr, std::string_view s, Vec at, Rgb colour, Anchor anchor) {
    const std::string str(s);
    cairo_text_extents_t e;
    cairo_text_extents(cr, str.c_str(), &e);
    double x = at.x - e.x_bearing - e.width / 2;
    if (anchor == Anchor::left) x = at.x - e.x_bearing;
    if (anchor == Anchor::right) x = at.x - e.x_bearing - e.width;
    const double y = at.y - e.y_bearing - e.height / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    set_colour(cr, colour);
    cairo_show_text(cr, str.c_str());
}

void figure(cairo_t* cr, std::string_view s, Vec c, double radius, double angle, Rgb colour, Turn turn) {
    const Vec at = polar(c, radius, angle);
    if (turn == Turn::upright) {
        text(cr, s, at, colour);
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, radians(angle + 90));
    text(cr, s, Vec{0, 0}, colour);
    cairo_restore(cr);
}

void pointer(cairo_t* cr, const Pointer& p) {
    cairo_save(cr);
    cairo_translate(cr, p.pivot.x, p.pivot.y);
    cairo_rotate(cr, radians(p.angle));
    if (p.tail_length > 0) {
        const double h = p.tail_width / 2;
        cairo_new_path(cr);
        cairo_move_to(cr, 0, -h);
        cairo_line_to(cr, -p.tail_length + h, -h);
        cairo_arc_negative(cr, -p.tail_length + h, 0, h, -std::numbers::pi / 2, std::numbers::pi / 2);
        cairo_line_to(cr, 0, h);
        cairo_close_path(cr);
        set_colour(cr, p.tail_colour);
        cairo_fill(cr);
    }
    const double shoulder = p.length - p.tip_length;
    polygon(cr,
            {{0, -p.width / 2},
             {shoulder, -p.tip_width / 2},
             {p.length, 0},
             {shoulder, p.tip_width / 2},
             {0, p.width / 2}},
            p.colour);
    cairo_restore(cr);
}

void hub(cairo_t* cr, Vec c, double radius, Rgb cap, Rgb rim) {
    fill_circle(cr, c, radius, rim);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, radius - 1.2, 0, 2 * std::numbers::pi);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(c.x - radius * 0.35, c.y - radius * 0.35, 0, c.x, c.y, radius);
    add_stop(g, 0.0,
             Rgb{static_cast<std::uint8_t>(std::min(255, cap.r + 40)),
                 static_cast<std::uint8_t>(std::min(255, cap.g + 40)),
                 static_cast<std::uint8_t>(std::min(255, cap.b + 40))});
    add_stop(g, 1.0, cap);
    fill_with(cr, g);
}

void screw(cairo_t* cr, Vec c, double radius, double slot_angle) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, radius, 0, 2 * std::numbers::pi);
    cairo_pattern_t* g =
        cairo_pattern_create_radial(c.x - radius * 0.4, c.y - radius * 0.4, 0, c.x, c.y, radius);
    add_stop(g, 0.0, Rgb{170, 170, 172});
    add_stop(g, 1.0, Rgb{62, 62, 66});
    fill_with(cr, g);
    const Vec a = polar(c, radius * 0.85, slot_angle);
    const Vec b = polar(c, radius * 0.85, slot_angle + 180);
    cairo_new_path(cr);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_set_line_width(cr, radius * 0.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    set_colour(cr, Rgb{26, 26, 28});
    cairo_stroke(cr);
}

void window_circle(cairo_t* cr, Vec c, double radius) {
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    fill_circle(cr, c, radius, kWindow);
    cairo_restore(cr);
}

void window_rect(cairo_t* cr, double x, double y, double width, double height) {
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    rectangle(cr, x, y, width, height, kWindow);
    cairo_restore(cr);
}

void fill_window(cairo_t* cr) {
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_colour(cr, kWindow);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace artwork
