// default_panel.cpp - the main window's background of panelhost's default
// panel: a satin grey instrument panel under a glareshield, a recess
// behind every gauge, the blanked place of the attitude indicator, the
// radio stack behind the DME and the clock, placards for the two NAV
// indicators.
#include <algorithm>
#include <cmath>

#include "draw.h"
#include "panel.h"

namespace artwork {

namespace {

constexpr Rgb kFaceTop{76, 78, 82};
constexpr Rgb kFaceBottom{54, 56, 60};
constexpr Rgb kGlare{30, 31, 33};
constexpr Rgb kGlareEdge{104, 106, 110};
constexpr Rgb kRecess{22, 23, 25};
constexpr Rgb kRecessLit{118, 120, 124};
constexpr Rgb kRecessShade{36, 37, 40};
constexpr Rgb kStack{40, 41, 44};
constexpr Rgb kStackRail{62, 63, 67};
constexpr Rgb kPlacard{220, 220, 212};

constexpr double kGlareHeight = 15;  // window units
constexpr double kRecessMargin = 2.5;

void add_stop(cairo_pattern_t* p, double at, Rgb c) {
    cairo_pattern_add_color_stop_rgb(p, at, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void face(cairo_t* cr, const PanelLayout& l) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, l.height);
    add_stop(g, 0, kFaceTop);
    add_stop(g, 1, kFaceBottom);
    cairo_rectangle(cr, 0, 0, l.width, l.height);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // The glareshield's lip overhangs the panel's top edge.
    cairo_pattern_t* glare = cairo_pattern_create_linear(0, 0, 0, kGlareHeight);
    add_stop(glare, 0, Rgb{18, 18, 20});
    add_stop(glare, 0.85, kGlare);
    add_stop(glare, 1, Rgb{52, 53, 56});
    cairo_rectangle(cr, 0, 0, l.width, kGlareHeight);
    cairo_set_source(cr, glare);
    cairo_fill(cr);
    cairo_pattern_destroy(glare);
    line(cr, {0, kGlareHeight + 0.4}, {l.width, kGlareHeight + 0.4}, 0.8, kGlareEdge);
    rectangle(cr, 0, kGlareHeight + 0.8, l.width, 2.2, Rgb{44, 45, 48});
}

// A hole in the panel: dark inside, its lower rim catching the light from
// above, its upper rim in shadow.
void round_recess(cairo_t* cr, Vec c, double r) {
    fill_circle(cr, c, r + 1.2, kRecessShade);
    arc_line(cr, c, r + 0.6, 20, 160, 1.2, kRecessLit);
    fill_circle(cr, c, r, kRecess);
}

void square_recess(cairo_t* cr, double x, double y, double w, double h) {
    rounded_rect(cr, x - 1.2, y - 1.2, w + 2.4, h + 2.4, 7, kRecessShade);
    line(cr, {x + 5, y + h + 0.6}, {x + w - 5, y + h + 0.6}, 1.2, kRecessLit);
    rounded_rect(cr, x, y, w, h, 6, kRecess);
}

void recess(cairo_t* cr, const PanelGauge& g) {
    if (g.round)
        round_recess(cr, {g.x + g.width / 2, g.y + g.height / 2}, std::max(g.width, g.height) / 2 + kRecessMargin);
    else
        square_recess(cr, g.x - kRecessMargin, g.y - kRecessMargin, g.width + 2 * kRecessMargin,
                      g.height + 2 * kRecessMargin);
}

// The attitude indicator's place between the airspeed and the altimeter,
// closed by a plate held by four screws.
void blanking_plate(cairo_t* cr, const PanelLayout& l) {
    const PanelGauge& asi = l.gauge("Asi");
    const PanelGauge& alt = l.gauge("Altimetro");
    double gap = alt.x - (asi.x + asi.width);
    Vec c{asi.x + asi.width + gap / 2, asi.y + asi.height / 2};
    double r = asi.width / 2;
    round_recess(cr, c, r - 6);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r - 8, 0, 2 * std::numbers::pi);
    cairo_pattern_t* g = cairo_pattern_create_radial(c.x - r * 0.3, c.y - r * 0.35, 2, c.x, c.y, r);
    add_stop(g, 0, Rgb{96, 98, 102});
    add_stop(g, 1, Rgb{58, 60, 64});
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    ring(cr, c, r - 22, r - 21.2, Rgb{48, 49, 52});
    for (double a : {45.0, 135.0, 225.0, 315.0}) screw(cr, polar(c, r - 14, a), 3.4, a + 20);
}

// The avionics stack: a darker rack behind the DME and the clock, with its
// rails.
void radio_stack(cairo_t* cr, const PanelLayout& l) {
    const PanelGauge& dme = l.gauge("DME");
    const PanelGauge& clock = l.gauge("Clock");
    double x = dme.x - 9, y = kGlareHeight + 5;
    double w = dme.width + 18, h = std::max(dme.y + dme.height, clock.y + clock.height) + 10 - y;
    rounded_rect(cr, x - 1, y - 1, w + 2, h + 2, 4, Rgb{90, 92, 96});
    rounded_rect(cr, x, y, w, h, 3.5, kStack);
    for (double rx : {x + 3, x + w - 6}) {
        rectangle(cr, rx, y + 4, 3, h - 8, kStackRail);
        for (double ry = y + 10; ry < y + h - 8; ry += 22) fill_circle(cr, {rx + 1.5, ry}, 0.9, kRecess);
    }
}

void placard(cairo_t* cr, const PanelGauge& g, std::string_view text_) {
    double w = 30, h = 9, x = g.x + g.width / 2 - w / 2, y = g.y + g.height + 5;
    rounded_rect(cr, x, y, w, h, 1.5, Rgb{34, 35, 38});
    set_font(cr, Face::sans_bold, 6.5);
    text(cr, text_, {x + w / 2, y + h / 2}, kPlacard);
}

void draw_default_panel(Canvas& canvas, const PanelLayout& l) {
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, canvas.width() / l.width, canvas.height() / l.height);
    face(cr, l);
    radio_stack(cr, l);
    for (const PanelGauge& g : l.gauges) recess(cr, g);
    blanking_plate(cr, l);
    placard(cr, l.gauge("Vor1"), "NAV 1");
    placard(cr, l.gauge("Vor2"), "NAV 2");
    // Panel screws along the edges.
    for (double x : {7.0, 640.0, l.width - 7})
        for (double y : {kGlareHeight + 9, l.height - 7}) screw(cr, {x, y}, 3, 30 + x);
}

const RegisterPanel default_panel{{"panels/default/panel.cfg", 0, 1536, 510, draw_default_panel}};

}  // namespace

}  // namespace artwork
