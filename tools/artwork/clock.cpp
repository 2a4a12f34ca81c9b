// clock.cpp - Chronel's digital clock: a square bezel with a liquid-crystal
// window behind the two readout lines, the push button above it labelled
// for air temperature on one side and volts on the other, and the field
// names under the areas that set the time. Every place is taken from the
// gauge's records: the window from the two string boxes, the button and the
// field names from the mouse list.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "draw.h"
#include "registry.h"

namespace artwork {

namespace {

constexpr const char* kGauge = "Clock";
constexpr int kFace = 336;
constexpr std::uint32_t kModeButtonFlags = frame::MouseFlags::kLeftClick;

// The window's liquid crystal: light enough for the dark segments, dark
// enough that the white of a selected field still reads.
constexpr Rgb kCrystalTop{150, 160, 138};
constexpr Rgb kCrystalBottom{124, 134, 114};

struct Rect {
    double x, y, width, height;
};

std::vector<Rect> readout_boxes(const Module& m) {
    std::vector<Rect> out;
    for (const frame::Element* e : m.elements(kGauge)) {
        if (e->kind != frame::kString) continue;
        auto* s = reinterpret_cast<const frame::StringElement*>(e);
        out.push_back({double(e->position.x), double(e->position.y), double(s->box_width), double(s->box_height)});
    }
    if (out.empty()) throw std::runtime_error("Clock has no readout");
    return out;
}

// The mouse list in gauge pixels, children placed from their parents.
struct Area {
    Rect box;
    const frame::MouseArea* record;
};
std::vector<Area> areas(const Module& m) {
    std::vector<Area> out;
    std::vector<Vec> open;
    for (const frame::MouseArea* a = m.gauge(kGauge).mouse_list; a->kind != frame::kMouseEnd; ++a) {
        const Vec o = open.empty() ? Vec{} : open.back();
        const Rect box{o.x + a->x, o.y + a->y, double(a->width), double(a->height)};
        if (a->kind == frame::kMouseParent) open.push_back({box.x, box.y});
        if (a->kind == frame::kMouseEndParent && !open.empty()) open.pop_back();
        out.push_back({box, a});
    }
    return out;
}

// The button is the one area that runs a function with no window to open:
// the first function area, above the readouts.
Rect mode_button(const Module& m, double above) {
    for (const Area& a : areas(m))
        if (a.record->kind == frame::kMouseChild && a.record->function != nullptr &&
            a.record->flags == kModeButtonFlags && a.box.y + a.box.height <= above)
            return a.box;
    throw std::runtime_error("Clock has no mode button above its window");
}

// The time fields, left to right: hours and minutes each have two halves,
// the seconds one area. Fields are the runs of event areas that touch.
std::vector<Rect> time_fields(const Module& m) {
    std::vector<Rect> fields;
    for (const Area& a : areas(m)) {
        if (a.record->kind != frame::kMouseChild || a.record->event == 0) continue;
        if (!fields.empty() && fields.back().x + fields.back().width == a.box.x)
            fields.back().width += a.box.width;
        else
            fields.push_back(a.box);
    }
    return fields;
}

void rounded_path(cairo_t* cr, Rect r, double corner) {
    const double pi = std::numbers::pi;
    cairo_new_path(cr);
    cairo_arc(cr, r.x + r.width - corner, r.y + corner, corner, -pi / 2, 0);
    cairo_arc(cr, r.x + r.width - corner, r.y + r.height - corner, corner, 0, pi / 2);
    cairo_arc(cr, r.x + corner, r.y + r.height - corner, corner, pi / 2, pi);
    cairo_arc(cr, r.x + corner, r.y + corner, corner, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void fill_gradient(cairo_t* cr, Rect r, Rgb from, Rgb to, bool diagonal) {
    cairo_pattern_t* g = cairo_pattern_create_linear(r.x, r.y, diagonal ? r.x + r.width : r.x, r.y + r.height);
    cairo_pattern_add_color_stop_rgb(g, 0, from.r / 255.0, from.g / 255.0, from.b / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, to.r / 255.0, to.g / 255.0, to.b / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void push_button(cairo_t* cr, Vec c, double r) {
    fill_circle(cr, {c.x + 1, c.y + 1.5}, r + 2, Rgb{14, 14, 15});
    fill_circle(cr, c, r + 2, Rgb{96, 96, 102});
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * std::numbers::pi);
    cairo_pattern_t* g = cairo_pattern_create_radial(c.x - r * 0.4, c.y - r * 0.5, 1, c.x, c.y, r);
    cairo_pattern_add_color_stop_rgb(g, 0, 150 / 255.0, 150 / 255.0, 156 / 255.0);
    cairo_pattern_add_color_stop_rgb(g, 1, 46 / 255.0, 46 / 255.0, 50 / 255.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void draw_face(Canvas& canvas, const Module& m) {
    cairo_t* cr = canvas.cr();
    const double w = canvas.width(), h = canvas.height();
    rounded_path(cr, {0, 0, w, h}, 20);
    fill_gradient(cr, {0, 0, w, h}, Rgb{64, 64, 68}, Rgb{26, 26, 28}, true);
    rounded_path(cr, {9, 9, w - 18, h - 18}, 13);
    fill_gradient(cr, {9, 9, w - 18, h - 18}, Rgb{22, 22, 24}, Rgb{44, 44, 48}, true);
    rounded_path(cr, {11, 11, w - 22, h - 22}, 11);
    fill_gradient(cr, {11, 11, w - 22, h - 22}, Rgb{36, 36, 40}, Rgb{30, 30, 33}, false);
    for (auto [x, y] : {std::pair{22.0, 22.0}, {w - 22, 22.0}, {22.0, h - 22}, {w - 22, h - 22}})
        screw(cr, {x, y}, 6, 45);

    // The window holds both readout boxes with a margin.
    double left = w, top = h, right = 0, bottom = 0;
    for (const Rect& b : readout_boxes(m)) {
        left = std::min(left, b.x);
        top = std::min(top, b.y);
        right = std::max(right, b.x + b.width);
        bottom = std::max(bottom, b.y + b.height);
    }
    const Rect frame_box{left - 12, top - 14, right - left + 24, bottom - top + 24};
    rounded_path(cr, frame_box, 9);
    fill_gradient(cr, frame_box, Rgb{12, 12, 13}, Rgb{70, 70, 74}, false);
    const Rect crystal{frame_box.x + 4, frame_box.y + 4, frame_box.width - 8, frame_box.height - 8};
    rounded_path(cr, crystal, 6);
    fill_gradient(cr, crystal, kCrystalTop, kCrystalBottom, false);

    // The button and what its two sides select.
    const Rect b = mode_button(m, frame_box.y);
    const Vec bc{b.x + b.width / 2, b.y + b.height / 2};
    push_button(cr, bc, b.width / 2 - 4);
    set_font(cr, Face::sans_bold, 13);
    text(cr, "OAT", {b.x - 8, bc.y}, ink::white, Anchor::right);
    text(cr, "VOLTS", {b.x + b.width + 8, bc.y}, ink::white, Anchor::left);

    // The names of the fields the areas over the time set.
    static const char* const kFields[] = {"HRS", "MIN", "SEC"};
    const std::vector<Rect> fields = time_fields(m);
    if (fields.size() != 3) throw std::runtime_error("Clock time areas are not three fields");
    set_font(cr, Face::sans_bold, 11);
    for (std::size_t i = 0; i < fields.size(); ++i)
        text(cr, kFields[i], {fields[i].x + fields[i].width / 2, frame_box.y + frame_box.height + 12}, ink::white);
    set_font(cr, Face::sans_bold, 10);
    text(cr, "DIGITAL CLOCK  \xC2\xB7  OAT  \xC2\xB7  VOLTMETER", {w / 2, h - 38}, ink::grey);
}

const Register face_artwork{{"chronel", kFace, Role::image, draw_face}};

}  // namespace

}  // namespace artwork
