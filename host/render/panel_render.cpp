// panel_render.cpp - see panel_render.h.
#include "panel_render.h"

#include <cctype>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace host {

namespace {

// The screen behind the windows, and what a window without a background
// bitmap or colour shows.
constexpr double kScreen[3] = {0.11, 0.12, 0.13};
constexpr double kWindowDefault[3] = {0.16, 0.16, 0.17};
// Pop-up windows stand out from the panel beneath by a shadow and a rim.
constexpr double kShadowUnits = 4.0;

// Overlay colours and lettering, in image pixels.
constexpr double kParentColour[3] = {1.0, 0.85, 0.2};
constexpr double kEventColour[3] = {1.0, 0.5, 0.15};
constexpr double kFunctionColour[3] = {0.25, 0.85, 1.0};
constexpr double kLabelPx = 9.0;
constexpr const char* kLabelFont = "DejaVu Sans Condensed";
constexpr std::uint32_t kRepeatFlag = frame::MouseFlags::kLeftClickRepeat & ~frame::MouseFlags::kLeftClick;

cairo_surface_t* background_image(const Bitmap& b) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b.width, b.height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < b.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < b.width; ++x) {
            const std::uint8_t* p = b.pixel(x, y);
            bool drawn = p[0] != 0 || p[1] != 0 || p[2] != 0;  // black is not drawn, as in a gauge
            row[x] = drawn ? 0xff000000u | p[0] << 16 | p[1] << 8 | p[2] : 0;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

}  // namespace

// Window backgrounds, converted once; the bitmaps live as long as the panel.
struct PanelRenderer::Backgrounds {
    std::map<const Bitmap*, cairo_surface_t*> surfaces;
    ~Backgrounds() {
        for (auto& [b, s] : surfaces) cairo_surface_destroy(s);
    }
    cairo_surface_t* of(const Bitmap& b) {
        auto it = surfaces.find(&b);
        if (it == surfaces.end()) it = surfaces.emplace(&b, background_image(b)).first;
        return it->second;
    }
};

namespace {

void draw_window(cairo_t* cr, const panel::Window& w, bool popup, PanelRenderer::Backgrounds& backgrounds,
                 RenderCache& cache) {
    cairo_save(cr);
    cairo_translate(cr, w.x, w.y);
    if (popup) {
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_rectangle(cr, kShadowUnits, kShadowUnits, w.width, w.height);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, 0, 0, w.width, w.height);
    cairo_clip(cr);
    if (w.config->background)
        cairo_set_source_rgb(cr, w.config->background->r / 255.0, w.config->background->g / 255.0,
                             w.config->background->b / 255.0);
    else
        cairo_set_source_rgb(cr, kWindowDefault[0], kWindowDefault[1], kWindowDefault[2]);
    if (!w.background || popup) cairo_paint(cr);
    if (w.background) {
        // The bitmap is stretched over the window, as the simulator does.
        cairo_save(cr);
        cairo_scale(cr, w.width / w.background->width, w.height / w.background->height);
        cairo_set_source_surface(cr, backgrounds.of(*w.background), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    for (const panel::PlacedGauge& g : w.gauges) {
        cairo_save(cr);
        cairo_translate(cr, g.x, g.y);
        cairo_scale(cr, 1 / g.scale_x(), 1 / g.scale_y());
        draw_gauge(cr, *g.gauge, 0, 0, 1.0, cache);
        cairo_restore(cr);
    }
    cairo_restore(cr);
    if (popup) {
        cairo_save(cr);
        cairo_set_source_rgb(cr, 0.55, 0.56, 0.58);
        cairo_set_line_width(cr, 1.0);
        cairo_rectangle(cr, w.x + 0.5, w.y + 0.5, w.width - 1, w.height - 1);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

// ---------------------------------------------------------------- overlay

const char* cursor_mark(std::int32_t cursor) {
    switch (cursor) {
    case frame::Cursor::kUpArrow:
        return "\u2191";
    case frame::Cursor::kDownArrow:
        return "\u2193";
    case frame::Cursor::kHand:
        return "\u261b";
    default:
        return "";
    }
}

struct DeviceBox {
    double x, y, w, h;
};

struct LabelBox {
    double x, y, w, h;
    bool overlaps(const LabelBox& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
};

// A label at the top left of its area, moved down past the labels already
// placed, so that the two halves of a narrow knob stay readable.
void label(cairo_t* cr, const std::string& text, double x, double y, double bottom, const double colour[3],
           std::vector<LabelBox>& placed) {
    cairo_select_font_face(cr, kLabelFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, kLabelPx);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    double line = kLabelPx * 1.15 + 2;
    LabelBox box{x, y, ext.x_advance + 4, line};
    // Below its area's bottom a label may go down a few lines more.
    double lowest = std::max(bottom, y + line) + 3 * line;
    while (std::any_of(placed.begin(), placed.end(), [&](const LabelBox& o) { return box.overlaps(o); }) &&
           box.y + 2 * line <= lowest)
        box.y += line;
    placed.push_back(box);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.72);
    cairo_rectangle(cr, box.x, box.y, box.w, box.h);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, colour[0], colour[1], colour[2]);
    cairo_move_to(cr, box.x + 2, box.y + 1 + kLabelPx * 0.95);
    cairo_show_text(cr, text.c_str());
}

void outline(cairo_t* cr, const DeviceBox& b, const double colour[3], bool dashed, double fill) {
    if (fill > 0) {
        cairo_set_source_rgba(cr, colour[0], colour[1], colour[2], fill);
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        cairo_fill(cr);
    }
    double dash[] = {4.0, 3.0};
    cairo_set_dash(cr, dash, dashed ? 2 : 0, 0);
    cairo_set_line_width(cr, dashed ? 1.0 : 1.4);
    cairo_set_source_rgb(cr, colour[0], colour[1], colour[2]);
    cairo_rectangle(cr, b.x + 0.5, b.y + 0.5, std::max(b.w - 1, 0.0), std::max(b.h - 1, 0.0));
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// Every area of one gauge's mouse list, nested as the host matches them.
void overlay_gauge(cairo_t* cr, const panel::Window& w, const panel::PlacedGauge& g, double scale) {
    const frame::MouseArea* list = g.gauge->header()->mouse_list;
    if (list == nullptr) return;
    auto device = [&](double gx, double gy, double gw, double gh) {
        double sx = scale / g.scale_x(), sy = scale / g.scale_y();
        return DeviceBox{(w.x + g.x) * scale + gx * sx, (w.y + g.y) * scale + gy * sy, gw * sx, gh * sy};
    };
    Library& library = g.gauge->module().library();
    struct Open {
        double x, y;
    };
    std::vector<Open> parents;
    std::vector<LabelBox> placed;
    constexpr int kMaxEntries = 4096;
    for (int i = 0; i < kMaxEntries && list[i].kind != frame::kMouseEnd; ++i) {
        const frame::MouseArea& a = list[i];
        double ox = parents.empty() ? 0 : parents.back().x, oy = parents.empty() ? 0 : parents.back().y;
        if (a.kind == frame::kMouseEndParent) {
            if (!parents.empty()) parents.pop_back();
            continue;
        }
        bool whole = a.width == 0 && a.height == 0;
        double x = ox + a.x, y = oy + a.y;
        double bw = whole ? g.gauge->width() : a.width, bh = whole ? g.gauge->height() : a.height;
        DeviceBox box = device(x, y, bw, bh);
        if (a.kind == frame::kMouseParent) {
            parents.push_back({x, y});
            outline(cr, box, kParentColour, true, 0);
            if (a.help_id != 0) {
                // The whole gauge's help id at its lower left, an inner
                // parent's under its top edge.
                double ly = whole ? box.y + box.h - kLabelPx * 1.15 - 3 : box.y + 1;
                label(cr, "help " + std::to_string(a.help_id), box.x + 1, ly, box.y + box.h + kLabelPx * 2, kParentColour,
                      placed);
            }
            continue;
        }
        std::string action;
        const double* colour = kFunctionColour;
        if (a.function != nullptr) {
            action = describe_routine(library.routine_name(reinterpret_cast<const void*>(a.function)));
        } else if (a.event != 0) {
            action = "event " + std::to_string(a.event);
            colour = kEventColour;
        } else {
            action = "no action";
        }
        // Areas that repeat while held are marked with a circling arrow.
        if (a.flags & kRepeatFlag) action += " \u21bb";
        outline(cr, box, colour, false, 0.12);
        std::string mark = cursor_mark(a.cursor);
        label(cr, mark.empty() ? action : mark + " " + action, box.x + 2, box.y + 2, box.y + box.h, colour, placed);
    }
}

}  // namespace

std::string describe_routine(const std::string& name) {
    if (name.empty()) return "function";
    // Cut the parameter list and the return type, minding the brackets of
    // template arguments and of "(anonymous namespace)".
    int angle = 0, round = 0;
    std::size_t params = std::string::npos, space = std::string::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '<') ++angle;
        if (c == '>') --angle;
        if (c == '(' && angle == 0 && round == 0) params = i;
        if (c == '(') ++round;
        if (c == ')') --round;
        if (c == ' ' && angle == 0 && round == 0 && params == std::string::npos) space = i;
    }
    std::string qualified = name.substr(0, params);
    if (space != std::string::npos && space < qualified.size()) qualified = qualified.substr(space + 1);
    auto last_part = [](const std::string& s) {
        auto colon = s.rfind("::");
        return colon == std::string::npos ? s : s.substr(colon + 2);
    };
    auto lt = qualified.find('<');
    if (lt == std::string::npos) return last_part(qualified);
    std::string out = last_part(qualified.substr(0, lt));
    std::string args = qualified.substr(lt + 1, qualified.rfind('>') - lt - 1);
    std::size_t start = 0;
    for (;;) {
        auto comma = args.find(',', start);
        std::string a = args.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        while (!a.empty() && a.front() == ' ') a.erase(a.begin());
        if (!a.empty() && std::isdigit(static_cast<unsigned char>(a.front()))) {
            while (!a.empty() && !std::isdigit(static_cast<unsigned char>(a.back()))) a.pop_back();
            out += " " + a;
        } else if (a != "true" && a != "false" && !a.empty()) {
            out += " " + last_part(a);
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}

// Sizes are clamped before they become integers; the commands refuse a
// screen this large before it gets here.
int panel_image_width(const panel::Panel& p, double scale) {
    return static_cast<int>(std::lround(std::clamp(p.screen_width() * scale, 1.0, 65536.0)));
}
int panel_image_height(const panel::Panel& p, double scale) {
    return static_cast<int>(std::lround(std::clamp(p.screen_height() * scale, 1.0, 65536.0)));
}

PanelRenderer::PanelRenderer(const panel::Panel& panel)
    : panel_(panel), backgrounds_(std::make_unique<Backgrounds>()) {}

PanelRenderer::~PanelRenderer() = default;

void PanelRenderer::draw(cairo_t* cr, const PanelImage& image) {
    const panel::Panel& p = panel_;
    cairo_save(cr);
    cairo_set_source_rgb(cr, kScreen[0], kScreen[1], kScreen[2]);
    cairo_paint(cr);
    // A window covers the windows beneath it, their overlays included:
    // where it lies, clicks reach it and not them.
    for (std::size_t i = 0; i < p.windows().size(); ++i) {
        const panel::Window& w = p.windows()[i];
        if (!p.visible(w)) continue;
        cairo_save(cr);
        cairo_scale(cr, image.scale, image.scale);
        draw_window(cr, w, i > 0, *backgrounds_, cache_);
        cairo_restore(cr);
        if (image.mouse_overlay)
            for (const panel::PlacedGauge& g : w.gauges) overlay_gauge(cr, w, g, image.scale);
    }
    cairo_restore(cr);
}

cairo_surface_t* PanelRenderer::render(const PanelImage& image) {
    int w = panel_image_width(panel_, image.scale), h = panel_image_height(panel_, image.scale);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw HostError("cannot make an image of " + std::to_string(w) + " by " + std::to_string(h) + " pixels");
    }
    cairo_t* cr = cairo_create(surface);
    draw(cr, image);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace host
