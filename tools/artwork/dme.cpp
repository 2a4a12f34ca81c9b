// dme.cpp - Navrel's DME: a grey avionics face with the dark display window
// its three lines glow in, labelled in nautical miles, knots and minutes;
// the channel button with its annunciator for receivers 1 and 2; and the
// power toggle switch, lever down for off and up for on.
#include <stdexcept>
#include <string>
#include <vector>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kModule = "navrel";
constexpr const char* kGauge = "DME";

constexpr Rgb kPanel{58, 59, 63};
constexpr Rgb kPanelEdge{86, 87, 92};
constexpr Rgb kWindow{5, 5, 6};
constexpr Rgb kLegend{226, 226, 220};
constexpr Rgb kFlagShown{232, 232, 226};
constexpr Rgb kFlagHidden{36, 36, 39};

struct Box {
    double x, y, w, h;
};

// The records the face is drawn around: the three lines (tree order), the
// channel strip and the power switch.
struct Layout {
    std::vector<Box> lines;
    Box channel{}, power{};
};

Box box_of(const Module& m, const frame::Element& e) {
    for (const BitmapSpec& b : m.bitmaps())
        if (b.id == e.bitmap) return {double(e.position.x), double(e.position.y), double(b.width), double(b.height)};
    throw std::runtime_error("DME bitmap " + std::to_string(e.bitmap) + " is not listed");
}

Layout layout(const Module& m) {
    Layout l;
    int icons = 0;
    for (const frame::Element* e : m.elements(kGauge)) {
        if (e->kind == frame::kString) {
            auto* s = reinterpret_cast<const frame::StringElement*>(e);
            l.lines.push_back({double(e->position.x), double(e->position.y), double(s->box_width),
                               double(s->box_height)});
        } else if (e->kind == frame::kIcon) {
            (icons++ == 0 ? l.power : l.channel) = box_of(m, *e);
        }
    }
    if (l.lines.size() != 3 || icons != 2) throw std::runtime_error("DME lacks its lines or icons");
    return l;
}

void draw_face(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const Layout l = layout(m);
    const double w = canvas.width(), h = canvas.height();

    rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 16, kPanelEdge);
    rounded_rect(cr, 3, 3, w - 6, h - 6, 14, kPanel);
    for (Vec s : {Vec{16, 16}, Vec{w - 16, 16}, Vec{w - 16, h - 16}, Vec{16, h - 16}})
        screw(cr, s, 6.5, 35);

    // The display window around the three lines, sunk into the face.
    const Box& top = l.lines.front();
    const Box& bottom = l.lines.back();
    const double wx = top.x - 10, wy = top.y - 10;
    const double ww = top.w + 20, wh = bottom.y + bottom.h - top.y + 20;
    rounded_rect(cr, wx - 4, wy - 4, ww + 8, wh + 8, 8, Rgb{30, 30, 33});
    rounded_rect(cr, wx, wy, ww, wh, 5, kWindow);

    // Units to the left of each line.
    set_font(cr, Face::sans_bold, 15);
    const char* units[] = {"NM", "KT", "MIN"};
    for (int i = 0; i < 3; ++i)
        text(cr, units[i], {wx - 30, l.lines[i].y + l.lines[i].h / 2}, kLegend);

    set_font(cr, Face::sans_bold, 17);
    text(cr, "DME", {wx + ww / 2, wy - 22}, kLegend);

    // The channel button left of its annunciator, and the legend above.
    const Box& ch = l.channel;
    const Vec button{ch.x - 25, ch.y + 18};
    fill_circle(cr, button, 14, Rgb{30, 30, 33});
    hub(cr, button, 12, Rgb{70, 70, 75}, Rgb{120, 120, 126});
    set_font(cr, Face::sans_bold, 10);
    text(cr, "CH", {button.x, button.y + 24}, kLegend);
    rounded_rect(cr, ch.x - 3, ch.y - 3, ch.w + 6, ch.h + 6, 4, Rgb{30, 30, 33});
    text(cr, "NAV", {ch.x + ch.w / 2, ch.y - 12}, kLegend);

    // The switch's plate and its two positions.
    const Box& pw = l.power;
    rounded_rect(cr, pw.x + 4, pw.y + 4, pw.w - 8, pw.h - 8, 6, Rgb{42, 42, 46});
    set_font(cr, Face::sans_bold, 11);
    text(cr, "ON", {pw.x + pw.w / 2, pw.y - 9}, kLegend);
    text(cr, "OFF", {pw.x + pw.w / 2, pw.y + pw.h + 9}, kLegend);
    text(cr, "PWR", {pw.x + pw.w + 22, pw.y + pw.h / 2}, kLegend);
}

// ------------------------------------------------------------ channel

// A mechanical annunciator, so it reads with the power off too: receiver 1
// above receiver 2, the selected one's white flag in view.
void draw_channel(Canvas& canvas, bool second) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    rectangle(cr, 0, 0, w, h, Rgb{24, 24, 26});
    const double flag_h = (h - 9) / 2;
    for (int i = 0; i < 2; ++i) {
        const bool shown = (i == 1) == second;
        const double y = 3 + i * (flag_h + 3);
        rounded_rect(cr, 3, y, w - 6, flag_h, 3, shown ? kFlagShown : kFlagHidden);
        set_font(cr, Face::sans_bold, 22);
        text(cr, i == 0 ? "1" : "2", {w / 2, y + flag_h / 2 + 2}, shown ? Rgb{30, 30, 33} : Rgb{88, 88, 92});
    }
}

void draw_channel1(Canvas& canvas, const Module&) { draw_channel(canvas, false); }
void draw_channel2(Canvas& canvas, const Module&) { draw_channel(canvas, true); }

// -------------------------------------------------------------- switch

// A chrome toggle: hex nut, bushing and a bat lever with a ball end.
void draw_switch(Canvas& canvas, bool on) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    const Vec c{w / 2, h / 2};
    polygon(cr,
            {polar(c, 13, 0), polar(c, 13, 60), polar(c, 13, 120), polar(c, 13, 180), polar(c, 13, 240),
             polar(c, 13, 300)},
            Rgb{112, 112, 118});
    fill_circle(cr, c, 9, Rgb{172, 172, 178});
    fill_circle(cr, c, 6, Rgb{60, 60, 64});
    const double dir = on ? -1 : 1;
    const Vec tip{c.x, c.y + dir * 24};
    // The lever narrows from the bushing to the ball.
    polygon(cr, {{c.x - 4, c.y}, {c.x + 4, c.y}, {tip.x + 2.5, tip.y}, {tip.x - 2.5, tip.y}}, Rgb{196, 196, 202});
    line(cr, {c.x - 1.5, c.y}, {tip.x - 1, tip.y}, 1.2, Rgb{236, 236, 240});
    hub(cr, tip, 5, Rgb{190, 190, 196}, Rgb{120, 120, 126});
}

void draw_off(Canvas& canvas, const Module&) { draw_switch(canvas, false); }
void draw_on(Canvas& canvas, const Module&) { draw_switch(canvas, true); }

const Register face{{kModule, 368, Role::image, draw_face}};
const Register channel1{{kModule, 370, Role::image, draw_channel1}};
const Register channel2{{kModule, 371, Role::image, draw_channel2}};
const Register off{{kModule, 373, Role::image, draw_off}};
const Register on{{kModule, 374, Role::image, draw_on}};

}  // namespace

}  // namespace artwork
