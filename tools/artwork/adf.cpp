// adf.cpp - Chronel's ADF indicator: a square case with a round bezel and
// the heading knob at its lower left, the compass card that turns behind
// the bezel and its round window, the yellow bearing needle, and the glass
// overlay with the lubber mark, the fixed 45-degree marks and the aircraft
// symbol. Every place is taken from the gauge's own records: the card's
// centre and scale, the needle's pivot, the mask's position and the knob's
// mouse box.
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Adf";
constexpr int kFace = 304;
constexpr int kOverlay = 305;
constexpr int kNeedle = 306;
constexpr int kCard = 308;
constexpr int kCardMask = 309;
constexpr std::uint32_t kKnobHelp = 43777;

constexpr Rgb kCardFace{24, 24, 27};
constexpr Rgb kLubber{240, 128, 28};

const frame::SpriteElement& card(const Module& m) {
    for (const frame::Element* e : m.elements(kGauge))
        if (e->kind == frame::kSprite && e->bitmap == kCard) return *reinterpret_cast<const frame::SpriteElement*>(e);
    throw std::runtime_error("Adf has no card sprite");
}

const BitmapSpec& spec(const Module& m, int id) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == id) return b;
    throw std::runtime_error("Chronel bitmap " + std::to_string(id) + " is not listed");
}

// Where the card turns, in gauge pixels: the point the host turns the
// texture about.
Vec card_centre(const Module& m) {
    const frame::Point c = card(m).base.offset;
    return {double(c.x), double(c.y)};
}

// The card's radius on the gauge: the texture's half width at its scale.
double card_radius(const Module& m) {
    return spec(m, kCard).width / 2.0 * card(m).texture_scale_x;
}

// The heading knob: the mouse parent that carries its tooltip.
struct Circle {
    Vec centre;
    double radius;
};
Circle knob(const Module& m) {
    for (const frame::MouseArea* a = m.gauge(kGauge).mouse_list; a->kind != frame::kMouseEnd; ++a)
        if (a->kind == frame::kMouseParent && a->help_id == kKnobHelp)
            return {{a->x + a->width / 2.0, a->y + a->height / 2.0}, a->width / 2.0 - 3};
    throw std::runtime_error("Adf has no knob area");
}

// A square instrument case with rounded corners, lit from the upper left.
void square_case(cairo_t* cr, double size, double corner) {
    const double pi = std::numbers::pi;
    cairo_new_path(cr);
    cairo_arc(cr, size - corner, corner, corner, -pi / 2, 0);
    cairo_arc(cr, size - corner, size - corner, corner, 0, pi / 2);
    cairo_arc(cr, corner, size - corner, corner, pi / 2, pi);
    cairo_arc(cr, corner, corner, corner, pi, 3 * pi / 2);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, size, size);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 62 / 255.0, 62 / 255.0, 66 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 26 / 255.0, 26 / 255.0, 28 / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A knurled knob seen from the front: ridged rim, domed cap.
void knurled_knob(cairo_t* cr, Circle k) {
    fill_circle(cr, {k.centre.x + 1.5, k.centre.y + 2}, k.radius + 1, Rgb{14, 14, 15});  // its shadow
    fill_circle(cr, k.centre, k.radius, Rgb{70, 70, 74});
    for (int i = 0; i < 48; ++i)
        tick(cr, k.centre, i * 7.5, k.radius - 5, k.radius, 2.2, i % 2 ? Rgb{40, 40, 43} : Rgb{112, 112, 118});
    cairo_new_path(cr);
    cairo_arc(cr, k.centre.x, k.centre.y, k.radius - 5, 0, 2 * std::numbers::pi);
    cairo_pattern_t* g = cairo_pattern_create_radial(k.centre.x - k.radius * 0.4, k.centre.y - k.radius * 0.4, 1,
                                                     k.centre.x, k.centre.y, k.radius);
    cairo_pattern_add_color_stop_rgb(g, 0.0, 128 / 255.0, 128 / 255.0, 134 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1.0, 36 / 255.0, 36 / 255.0, 40 / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // The index line on the cap.
    tick(cr, k.centre, 270, 4, k.radius - 8, 2.5, ink::white);
}

void draw_face(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec c = card_centre(m);
    square_case(cr, canvas.width(), 20);
    // The bezel's inner edge lies just outside the card, so that the card
    // fills the face to its rim.
    const double face = card_radius(m) + 3;
    const double bezel = 15;
    dial(cr, c, face + bezel, bezel, kCardFace);
    for (auto [x, y, slot] : {std::tuple{20.0, 20.0, 30.0}, {281.0, 20.0, 75.0}, {281.0, 281.0, 120.0}})
        screw(cr, {x, y}, 7, slot);

    const Circle k = knob(m);
    knurled_knob(cr, k);
    // The knob sets the card to the heading; the arrows say which way.
    set_font(cr, Face::sans_bold, 12);
    const Vec label{k.centre.x + k.radius + 24, k.centre.y + 22};
    text(cr, "HDG", label, ink::white);
    set_font(cr, Face::sans_bold, 11);
    text(cr, "ADF", {c.x, c.y + face + bezel / 2}, ink::grey);
}

void draw_card(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    const Vec c{canvas.width() / 2.0, canvas.height() / 2.0};
    const double r = canvas.width() / 2.0 - 0.5;
    fill_circle(cr, c, r, kCardFace);
    // Bearings clockwise from north at the top; 0 degrees of the drawing is
    // three o'clock.
    auto at = [](double bearing) { return bearing - 90; };
    for (int b = 0; b < 360; b += 5) {
        const bool ten = b % 10 == 0, thirty = b % 30 == 0;
        const double inner = thirty ? r - 18 : ten ? r - 14 : r - 9;
        tick(cr, c, at(b), inner, r - 1.5, thirty ? 3.2 : ten ? 2.4 : 1.6, ink::white);
    }
    // N, E, S, W and every 30 degrees in tens, tops outward.
    static const char* const kLabels[] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (int i = 0; i < 12; ++i) {
        const bool cardinal = i % 3 == 0;
        set_font(cr, Face::condensed_bold, cardinal ? 27 : 22);
        figure(cr, kLabels[i], c, r - (cardinal ? 36 : 34), at(i * 30.0), cardinal ? ink::yellow : ink::white,
               Turn::radial);
    }
}

void draw_card_mask(Canvas& canvas, const Module& m) {
    // The card shows through a round window over its whole face.
    const frame::Point at = card(m).base.position;
    const Vec c = card_centre(m);
    window_circle(canvas.cr(), {c.x - at.x, c.y - at.y}, card_radius(m) - 1);
}

void draw_needle(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const frame::NeedleElement& n = m.needle(kGauge, kNeedle);
    const Vec pivot = pixel_centre(n.base.offset);
    const double head = canvas.width() - 0.5 - pivot.x;
    const double tail = pivot.x - 0.5;
    const double half = canvas.height() / 2.0 - 0.5;
    canvas.set_edge({.threshold = 0.3, .matte = kCardFace});
    // Shaft, arrowhead to the right, forked tail to the left.
    rectangle(cr, pivot.x - tail + 12, pivot.y - 1.6, tail + head - 35, 3.2, ink::yellow);
    polygon(cr, {{pivot.x + head, pivot.y}, {pivot.x + head - 30, pivot.y - half}, {pivot.x + head - 24, pivot.y},
                 {pivot.x + head - 30, pivot.y + half}},
            ink::yellow);
    polygon(cr,
            {{pivot.x - tail + 14, pivot.y - 1.6}, {pivot.x - tail, pivot.y - half * 0.8},
             {pivot.x - tail + 8, pivot.y}, {pivot.x - tail, pivot.y + half * 0.8}, {pivot.x - tail + 14, pivot.y + 1.6}},
            ink::yellow);
}

void draw_overlay(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec c = card_centre(m);
    const double r = card_radius(m);
    // Fixed marks on the glass every 45 degrees, the lubber mark at the top.
    for (int b = 45; b < 360; b += 45)
        tick(cr, c, b - 90.0, r - 4, r + 9, b % 90 ? 3 : 4, ink::white);
    const Vec tip = polar(c, r - 20, 270);
    polygon(cr, {tip, {tip.x - 8, tip.y - 18}, {tip.x + 8, tip.y - 18}}, kLubber);
    rectangle(cr, c.x - 2, tip.y - 30, 4, 13, kLubber);

    // The aircraft, seen from above, nose up, over the needle's pivot.
    const Rgb body = ink::white;
    rounded_rect(cr, c.x - 3.5, c.y - 30, 7, 54, 3.5, body);  // fuselage
    polygon(cr, {{c.x - 3, c.y - 9}, {c.x - 34, c.y}, {c.x - 34, c.y + 5}, {c.x - 3, c.y + 2}}, body);
    polygon(cr, {{c.x + 3, c.y - 9}, {c.x + 34, c.y}, {c.x + 34, c.y + 5}, {c.x + 3, c.y + 2}}, body);
    polygon(cr, {{c.x - 3, c.y + 15}, {c.x - 14, c.y + 21}, {c.x - 14, c.y + 24}, {c.x + 14, c.y + 24},
                 {c.x + 14, c.y + 21}, {c.x + 3, c.y + 15}},
            body);
}

const Register face_artwork{{"chronel", kFace, Role::image, draw_face}};
const Register overlay_artwork{{"chronel", kOverlay, Role::image, draw_overlay}};
const Register needle_artwork{{"chronel", kNeedle, Role::image, draw_needle}};
const Register card_artwork{{"chronel", kCard, Role::image, draw_card}};
const Register card_mask_artwork{{"chronel", kCardMask, Role::mask, draw_card_mask}};

}  // namespace

}  // namespace artwork
