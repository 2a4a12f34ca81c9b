// vsi.cpp - Kestrum's vertical speed indicator: a black dial in hundreds of
// feet per minute, climb above zero and descent below, and its white
// pointer.
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Vsi";
constexpr int kDial = 256;
constexpr int kNeedle = 257;

const frame::NeedleElement& vsi_needle(const Module& m) {
    return m.needle(kGauge, kNeedle);
}

// How far the pointer reaches from its pivot: to the last column of its
// bitmap. The dial's marks are sized so that the tip just meets the short
// marks.
double pointer_reach(const Module& m) {
    const frame::NeedleElement& n = vsi_needle(m);
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == kNeedle) return b.width - pixel_centre(n.base.offset).x - 0.4;
    throw std::runtime_error("Vsi needle bitmap is not listed");
}

void draw_dial(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Scale scale(vsi_needle(m));
    const Vec c = scale.pivot();
    // The case is as large as the bitmap allows around the pivot.
    const double radius = std::min({c.x, c.y, canvas.width() - c.x, canvas.height() - c.y});
    const double face = dial(cr, c, radius, 14, ink::face);
    const double reach = pointer_reach(m);

    // Marks over the needle's whole travel: short every 100 ft/min, long
    // every 500.
    const double low = scale.first_value(), high = scale.last_value();
    const double outer = face - 6;
    ticks(cr, scale, low, high, 100, {reach + 2, outer, 2.2, ink::white});
    ticks(cr, scale, low, high, 500, {reach - 8, outer, 4.5, ink::white});

    // Figures in hundreds; both halves read 5, 10, 15 away from zero. The
    // two end marks stand either side of three o'clock and share one 20.
    set_font(cr, Face::condensed_bold, 27);
    const double figures = reach - 28;
    for (int v = int(low) + 500; v < high; v += 500)
        figure(cr, std::to_string(std::abs(v) / 100), c, figures, scale.angle(v), ink::white);
    const double top = scale.angle(scale.last_value());
    const double gap = clockwise_from(top, scale.angle(scale.first_value()));
    figure(cr, std::to_string(int(high) / 100), c, figures, top + gap / 2, ink::white);

    set_font(cr, Face::sans_bold, 13);
    figure(cr, "UP", c, figures - 6, scale.angle(240), ink::white);
    figure(cr, "DN", c, figures - 6, scale.angle(-240), ink::white);

    set_font(cr, Face::sans_bold, 10.5);
    text(cr, "VERTICAL SPEED", {c.x, c.y - 34}, ink::white);
    set_font(cr, Face::sans_bold, 9);
    text(cr, "100 FEET PER MIN", {c.x, c.y + 36}, ink::white);
}

void draw_needle(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Vec pivot = pixel_centre(vsi_needle(m).base.offset);
    // The pointer sweeps the black face; its outline is blended into it.
    canvas.set_edge({.threshold = 0.3, .matte = ink::face});
    pointer(cr, {.pivot = pivot,
                 .length = pointer_reach(m),
                 .width = 5,
                 .tip_width = 3.4,
                 .tip_length = 14,
                 .tail_length = 34,
                 .tail_width = 6});
    const double hub_radius = std::min(pivot.y, canvas.height() - pivot.y) - 1;
    hub(cr, pivot, hub_radius, ink::dark, ink::grey);
}

const Register dial_artwork{{"kestrum", kDial, Role::image, draw_dial}};
const Register needle_artwork{{"kestrum", kNeedle, Role::image, draw_needle}};

}  // namespace

}  // namespace artwork
