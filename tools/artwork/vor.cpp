// vor.cpp - Navrel's course deviation indicators: a square case with a
// round bezel, the course index at the top and the course knob at the lower
// left; a black course card graduated every 5 degrees, seen through a ring
// of the face plate; the plate itself with its deviation dots, drawn as the
// card's mask; the white needle and the flag pictures.
//
// Vor2 shows the same pictures as Vor1, except that its plate has no
// glideslope scale.
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kModule = "navrel";

// Plate, card and bezel radii about the card's centre, in gauge pixels.
constexpr double kPlateRadius = 86;   // the plate the card turns behind
constexpr double kRingRadius = 89;    // the chrome edge of the plate
constexpr double kWindowRadius = 118; // where the bezel's lip hides the card
constexpr double kBezelOuter = 141;
constexpr double kBezelWidth = 13;

// The dots, pixel for pixel: four either side of the centre circle on the
// course scale, and in Vor1 four above and below it on the glideslope scale.
constexpr std::array<int, 8> kCourseDotsX = {95, 105, 115, 126, 173, 184, 194, 204};
constexpr int kCourseDotsY = 155;
constexpr std::array<int, 8> kGlideslopeDotsY = {99, 110, 120, 130, 179, 189, 200, 210};
constexpr int kGlideslopeDotsX = 150;
constexpr Vec kCentreCircle{150.5, 155.5};

constexpr Rgb kPlate{22, 22, 25};
constexpr Rgb kCard{20, 20, 22};
constexpr Rgb kChrome{150, 152, 156};
constexpr Rgb kCase{40, 40, 44};

// The records the face is drawn to fit: the card sprite, and the flag
// windows and readout box that sit over it.
struct Layout {
    Vec centre;  // the card's centre; the host places the texture centre here
    const frame::IconElement* to_from = nullptr;
    const frame::StringElement* readout = nullptr;
};

Layout layout(const Module& m, const char* gauge) {
    Layout l;
    bool card = false;
    for (const frame::Element* e : m.elements(gauge)) {
        if (e->kind == frame::kSprite) {
            l.centre = {double(e->offset.x), double(e->offset.y)};
            card = true;
        } else if (e->kind == frame::kIcon && l.to_from == nullptr) {
            l.to_from = reinterpret_cast<const frame::IconElement*>(e);
        } else if (e->kind == frame::kString) {
            l.readout = reinterpret_cast<const frame::StringElement*>(e);
        }
    }
    if (!card || l.to_from == nullptr || l.readout == nullptr)
        throw std::runtime_error(std::string(gauge) + " lacks its card, flag window or readout");
    return l;
}

// --------------------------------------------------------------- face

void draw_knob(cairo_t* cr, Vec c, double radius) {
    // Knurled rim, then a domed cap with a white pointer line.
    fill_circle(cr, c, radius, Rgb{58, 58, 62});
    for (int i = 0; i < 48; ++i) tick(cr, c, i * 7.5, radius - 3.5, radius, 1.4, Rgb{26, 26, 28});
    hub(cr, c, radius - 5, Rgb{34, 34, 37}, Rgb{76, 76, 80});
    set_font(cr, Face::sans_bold, 8);
    text(cr, "OBS", {c.x, c.y + 1}, Rgb{200, 200, 196});
}

void draw_face(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Layout l = layout(m, "Vor1");
    const Vec c = l.centre;

    // The square case, the round bezel and a plain black face under the card.
    rounded_rect(cr, 0.5, 0.5, canvas.width() - 1, canvas.height() - 1, 20, kCase);
    const double face = dial(cr, c, kBezelOuter, kBezelWidth, kPlate);
    (void)face;

    // The course index over the card's top, its reciprocal at the bottom.
    polygon(cr, {{c.x - 8, c.y - 136}, {c.x + 8, c.y - 136}, {c.x, c.y - 123}}, ink::white);
    polygon(cr, {{c.x - 5, c.y + 131}, {c.x + 5, c.y + 131}, {c.x, c.y + 122}}, ink::white);

    // Under the mask the plate shows only if the card fails to draw; keep
    // it plain, with the centre circle where the needle rests.
    ring(cr, kCentreCircle, 8, 10, ink::white);

    draw_knob(cr, {34, 264}, 25);
    screw(cr, {14, 14}, 6, 40);
    screw(cr, {canvas.width() - 14.0, 14}, 6, 115);
    screw(cr, {canvas.width() - 14.0, canvas.height() - 14.0}, 6, 70);
    screw(cr, {14, canvas.height() - 14.0}, 6, 150);
}

// --------------------------------------------------------------- card

void draw_card(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    const Vec c{canvas.width() / 2.0, canvas.height() / 2.0};
    // The host draws the card at 0.97: these are texture pixels.
    fill_circle(cr, c, canvas.width() / 2.0, kCard);
    ticks_around(cr, c, 270, 5, 72, {114, 124, 1.6, ink::white});
    ticks_around(cr, c, 270, 10, 36, {108, 124, 2.2, ink::white});
    const char* names[] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (int i = 0; i < 12; ++i) {
        const bool cardinal = i % 3 == 0;
        set_font(cr, cardinal ? Face::sans_bold : Face::condensed_bold, cardinal ? 17 : 15);
        figure(cr, names[i], c, 98, 270 + 30 * i, ink::white, Turn::radial);
    }
}

// --------------------------------------------------------------- mask

void draw_mask(Canvas& canvas, const Module& m, const char* gauge, bool glideslope) {
    cairo_t* cr = canvas.cr();
    const Layout l = layout(m, gauge);
    const Vec c = l.centre;

    // The card shows in the ring between the plate and the bezel's lip.
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, kWindowRadius, 0, 2 * std::numbers::pi);
    fill_window(cr);
    ring(cr, c, kPlateRadius, kRingRadius, kChrome);
    fill_circle(cr, c, kPlateRadius, kPlate);

    // The readout sits in a recess cut through the card ring.
    const frame::StringElement& r = *l.readout;
    const frame::Point p = r.base.position;
    rounded_rect(cr, p.x - 4, p.y - 3, r.box_width + 8, r.box_height + 6, 4, Rgb{52, 52, 56});
    rectangle(cr, p.x - 1, p.y - 1, r.box_width + 2, r.box_height + 2, Rgb{12, 12, 13});

    // The flag window, a dark recess the flag pictures fill.
    const frame::Point f = l.to_from->base.position;
    const BitmapSpec* flag = nullptr;
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == l.to_from->base.bitmap) flag = &b;
    if (flag == nullptr) throw std::runtime_error("flag picture not listed");
    rounded_rect(cr, f.x - 2, f.y - 2, flag->width + 4, flag->height + 4, 3, Rgb{8, 8, 9});

    ring(cr, kCentreCircle, 8, 10, ink::white);
    for (int x : kCourseDotsX) fill_circle(cr, pixel_centre(x, kCourseDotsY), 2.6, ink::white);
    if (glideslope)
        for (int y : kGlideslopeDotsY) fill_circle(cr, pixel_centre(kGlideslopeDotsX, y), 2.6, ink::white);
}

void draw_vor1_mask(Canvas& canvas, const Module& m) { draw_mask(canvas, m, "Vor1", true); }
void draw_vor2_mask(Canvas& canvas, const Module& m) { draw_mask(canvas, m, "Vor2", false); }

// ------------------------------------------------------------- needle

// A thin white bar from its bitmap's left edge to its right, on the rows
// either side of the pivot row.
void draw_needle(Canvas& canvas, const Module&) {
    cairo_t* cr = canvas.cr();
    rectangle(cr, 0, 4, canvas.width() - 2, 3, ink::white);
    rectangle(cr, canvas.width() - 2, 4.5, 2, 2, ink::white);
}

// --------------------------------------------------------------- flags

constexpr Rgb kFlagRed{204, 34, 30};
constexpr Rgb kFlagDark{30, 30, 33};

void flag_letters(cairo_t* cr, const char* s, Vec at, Rgb colour) {
    set_font(cr, Face::condensed_bold, 10);
    text(cr, s, at, colour);
}

// TO: the upper half white; FROM: the lower half.
void draw_to_from(Canvas& canvas, bool to) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    rectangle(cr, 0, 0, w, h, kFlagDark);
    if (to) {
        rectangle(cr, 0, 0, w, h / 2, ink::white);
        flag_letters(cr, "TO", {w / 2, h / 4}, kFlagDark);
    } else {
        rectangle(cr, 0, h / 2, w, h / 2, ink::white);
        flag_letters(cr, "FR", {w / 2, h * 3 / 4}, kFlagDark);
    }
}

void draw_to(Canvas& canvas, const Module&) { draw_to_from(canvas, true); }
void draw_from(Canvas& canvas, const Module&) { draw_to_from(canvas, false); }

void draw_red_flag(Canvas& canvas, const char* letters) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    rectangle(cr, 0, 0, w, h, kFlagRed);
    // Diagonal stripes, as a warning flag has.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    for (double x = -h; x < w; x += 9) line(cr, {x, h}, {x + h, 0}, 2.5, Rgb{168, 24, 22});
    cairo_restore(cr);
    flag_letters(cr, letters, {w / 2, h / 2}, ink::white);
}

void draw_nav(Canvas& canvas, const Module&) { draw_red_flag(canvas, "NAV"); }
void draw_gs(Canvas& canvas, const Module&) { draw_red_flag(canvas, "GS"); }
// Out of view: nothing drawn.
void draw_nothing(Canvas&, const Module&) {}

const Register vor1_face{{kModule, 256, Role::image, draw_face}};
const Register vor1_needle{{kModule, 257, Role::image, draw_needle}};
const Register vor1_to{{kModule, 259, Role::image, draw_to}};
const Register vor1_from{{kModule, 260, Role::image, draw_from}};
const Register vor1_nav{{kModule, 261, Role::image, draw_nav}};
const Register vor1_gs_out{{kModule, 263, Role::image, draw_nothing}};
const Register vor1_gs{{kModule, 264, Role::image, draw_gs}};
const Register vor1_card{{kModule, 265, Role::image, draw_card}};
const Register vor1_mask{{kModule, 266, Role::mask, draw_vor1_mask}};

const Register vor2_face{{kModule, 352, Role::image, draw_face}};
const Register vor2_needle{{kModule, 354, Role::image, draw_needle}};
const Register vor2_to{{kModule, 356, Role::image, draw_to}};
const Register vor2_from{{kModule, 357, Role::image, draw_from}};
const Register vor2_nav{{kModule, 358, Role::image, draw_nav}};
const Register vor2_card{{kModule, 360, Role::image, draw_card}};
const Register vor2_mask{{kModule, 361, Role::mask, draw_vor2_mask}};

}  // namespace

}  // namespace artwork
