// altimeter.cpp - Kestrum's altimeters: the dial with its digits 0 to 9,
// the setting window at the right and the setting knob at the lower left
// (304, and 312 without its upper right screw), the three hands, and the
// barometric setting card with the mask of its window.
//
// The digits and marks stand where the module's shared hands table puts
// the hundreds hand; the card's figures where the card's own rule (one
// degree of arc per 0.01 inHg, 28.1 at three o'clock) puts the setting
// behind the window's index.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Altimetro";
constexpr int kDial = 304;
constexpr int kDialNoScrew = 312;
constexpr int kTenThousands = 305;
constexpr int kThousands = 306;
constexpr int kHundreds = 307;
constexpr int kCard = 309;
constexpr int kWindow = 310;

// The square in which 312 leaves the upper right screw out.
constexpr int kScrewSquareX = 259, kScrewSquareY = 22, kScrewSquareSize = 25;

// The card: 28.1 at its three o'clock, one degree per 0.01 clockwise.
constexpr double kCardLow = 28.1, kCardHigh = 31.5;
constexpr double kCardDegreesPerInch = 100;

const frame::NeedleElement& hand(const Module& m, int bitmap) { return m.needle(kGauge, bitmap); }

const frame::SpriteElement& card_sprite(const Module& m) {
    for (const frame::Element* e : m.elements(kGauge))
        if (e->kind == frame::kSprite) return *reinterpret_cast<const frame::SpriteElement*>(e);
    throw std::runtime_error("Altimetro has no setting card");
}

const BitmapSpec& spec_of(const Module& m, int id) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == id) return b;
    throw std::runtime_error("bitmap " + std::to_string(id) + " is not listed");
}

// From a hand's pivot to the last column of its bitmap.
double reach(const Module& m, int bitmap) {
    return spec_of(m, bitmap).width - pixel_centre(hand(m, bitmap).base.offset).x - 0.4;
}

// Text turned clockwise by the angle about its own centre.
void turned_text(cairo_t* cr, std::string_view s, Vec at, double angle, Rgb colour) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, radians(angle));
    text(cr, s, {0, 0}, colour);
    cairo_restore(cr);
}

// A knurled knob seen from the front.
void knob(cairo_t* cr, Vec c, double radius) {
    fill_circle(cr, c, radius, Rgb{24, 24, 26});
    for (int i = 0; i < 36; ++i) tick(cr, c, i * 10.0, radius - 4, radius - 0.5, 2.2, Rgb{70, 70, 74});
    fill_circle(cr, c, radius - 6, Rgb{44, 44, 48});
    hub(cr, c, radius - 12, Rgb{30, 30, 33}, Rgb{80, 80, 84});
}

void draw_dial(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Scale scale(hand(m, kHundreds));
    const Vec c = scale.pivot();
    const double face = dial(cr, c, 150, 12, ink::face);
    const double tip = reach(m, kHundreds);

    // Marks every 20 ft of the hundreds hand, long ones at each digit.
    ticks(cr, scale, 0, 980, 20, {face - 10, face - 1.5, 1.8, ink::white});
    ticks(cr, scale, 0, 900, 100, {tip - 6, face - 1.5, 4, ink::white});
    ticks(cr, scale, 50, 950, 100, {face - 14, face - 1.5, 2.4, ink::white});
    set_font(cr, Face::condensed_bold, 25);
    for (int d = 0; d <= 9; ++d) figure(cr, std::to_string(d), c, tip - 22, scale.angle(d * 100.0), ink::white);

    // The window of the setting card, set into the face at three o'clock.
    const frame::SpriteElement& card = card_sprite(m);
    const BitmapSpec& w = spec_of(m, kWindow);
    const double wx = card.base.position.x, wy = card.base.position.y;
    rounded_rect(cr, wx - 3, wy - 3, w.width + 6, w.height + 6, 5, Rgb{86, 86, 90});
    rounded_rect(cr, wx - 1, wy - 1, w.width + 2, w.height + 2, 4, Rgb{8, 8, 9});

    set_font(cr, Face::sans_bold, 12);
    text(cr, "ALTITUDE", {c.x, c.y + 36}, ink::white);
    set_font(cr, Face::sans_bold, 8.5);
    text(cr, "100 FEET", {c.x, c.y + 52}, ink::white);
    set_font(cr, Face::sans_bold, 7);
    text(cr, "1000 FEET", {c.x - 58, c.y + 2}, Rgb{200, 200, 196});
    text(cr, "10000 FEET", {c.x - 58, c.y + 12}, Rgb{200, 200, 196});

    // Three mounting screws; the setting knob takes the fourth corner.
    const Vec screw_ur = {kScrewSquareX + kScrewSquareSize / 2.0, kScrewSquareY + kScrewSquareSize / 2.0};
    screw(cr, screw_ur, 10, 35);
    screw(cr, {2 * c.x - screw_ur.x, screw_ur.y}, 10, 125);
    screw(cr, {screw_ur.x, 2 * c.y - screw_ur.y}, 10, 80);
    knob(cr, {38, 273}, 30);
}

// 312 is 304 with nothing at all inside the upper right screw's square.
void draw_dial_without_screw(Canvas& canvas, const Module& m) {
    draw_dial(canvas, m);
    cairo_t* cr = canvas.cr();
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, kScrewSquareX, kScrewSquareY, kScrewSquareSize, kScrewSquareSize);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The hands are drawn over the black face: outlines blend into it.
void draw_ten_thousands(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    const Vec p = pixel_centre(hand(m, kTenThousands).base.offset);
    const double length = reach(m, kTenThousands);
    line(cr, p, {p.x + length - 9, p.y}, 2.4, ink::white);
    polygon(cr, {{p.x + length - 12, p.y - 5}, {p.x + length, p.y}, {p.x + length - 12, p.y + 5}}, ink::white);
    hub(cr, p, std::min(p.y, canvas.height() - p.y) - 1.5, Rgb{96, 96, 100}, Rgb{150, 150, 154});
}

void draw_thousands(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    const Vec p = pixel_centre(hand(m, kThousands).base.offset);
    const double length = reach(m, kThousands);
    const double half = std::min(p.y, canvas.height() - p.y) - 0.5;
    // A broad shaft that flares into an arrow head.
    polygon(cr,
            {{p.x, p.y - 4},
             {p.x + length - 24, p.y - 4.5},
             {p.x + length - 26, p.y - half + 2},
             {p.x + length, p.y},
             {p.x + length - 26, p.y + half - 2},
             {p.x + length - 24, p.y + 4.5},
             {p.x, p.y + 4}},
            ink::white);
    pointer(cr, {.pivot = p, .length = 1, .width = 0, .tip_width = 0, .tip_length = 0, .tail_length = 22,
                 .tail_width = 7});
    hub(cr, p, 9, Rgb{96, 96, 100}, Rgb{150, 150, 154});
}

void draw_hundreds(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    const Vec p = pixel_centre(hand(m, kHundreds).base.offset);
    pointer(cr, {.pivot = p,
                 .length = reach(m, kHundreds),
                 .width = 4.5,
                 .tip_width = 3,
                 .tip_length = 16,
                 .tail_length = p.x - 1,
                 .tail_width = 5});
    hub(cr, p, std::min(p.y, canvas.height() - p.y) - 1, Rgb{96, 96, 100}, Rgb{150, 150, 154});
}

// The card's centre is its texture centre, the point the host turns it
// about; radii are texture pixels, a tenth smaller than on the dial.
Vec card_centre(const Canvas& canvas) { return {canvas.width() / 2.0, canvas.height() / 2.0}; }

void draw_card(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    const Vec c = card_centre(canvas);
    const double radius = std::min(c.x, c.y) - 0.5;
    fill_circle(cr, c, radius, Rgb{58, 58, 62});
    ring(cr, c, radius - 2, radius, Rgb{96, 96, 100});

    const Rgb marks{236, 236, 230};
    const int steps = static_cast<int>(std::lround((kCardHigh - kCardLow) * 100));
    set_font(cr, Face::condensed_bold, 9.5);
    for (int k = 0; k <= steps; k += 2) {
        const double angle = k * kCardDegreesPerInch / 100;
        if (k % 10 == 0) {
            tick(cr, c, angle, 92, 101, 1.8, marks);
            char figure_text[8];
            std::snprintf(figure_text, sizeof figure_text, "%.1f", kCardLow + k / 100.0);
            turned_text(cr, figure_text, polar(c, 80.5, angle), angle, marks);
        } else {
            tick(cr, c, angle, 96, 101, 1, marks);
        }
    }
    // A mark at every 0.05 between the figures.
    for (int k = 5; k <= steps; k += 10) tick(cr, c, k * kCardDegreesPerInch / 100, 94, 101, 1.2, marks);
}

// The window over the card: where it shows, its frame and the index that
// points at the setting, on the card's three o'clock line.
void draw_window(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const frame::SpriteElement& card = card_sprite(m);
    const double index_y = card.base.offset.y - card.base.position.y;
    const double w = canvas.width(), h = canvas.height();
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    rounded_rect(cr, 0, 0, w, h, 4, Rgb{40, 40, 44});
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 1, 1, w - 2, h - 2);
    fill_window(cr);
    polygon(cr, {{w - 1, index_y - 4}, {w - 8, index_y}, {w - 1, index_y + 4}}, ink::orange);
    line(cr, {w - 8, index_y}, {w - 14, index_y}, 1, ink::orange);
}

const Register dial_artwork{{"kestrum", kDial, Role::image, draw_dial}};
const Register dial2_artwork{{"kestrum", kDialNoScrew, Role::image, draw_dial_without_screw}};
const Register ten_thousands_artwork{{"kestrum", kTenThousands, Role::image, draw_ten_thousands}};
const Register thousands_artwork{{"kestrum", kThousands, Role::image, draw_thousands}};
const Register hundreds_artwork{{"kestrum", kHundreds, Role::image, draw_hundreds}};
const Register card_artwork{{"kestrum", kCard, Role::image, draw_card}};
const Register window_artwork{{"kestrum", kWindow, Role::mask, draw_window}};

}  // namespace

}  // namespace artwork
