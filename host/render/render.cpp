// render.cpp - see render.h.
#include "render.h"

#include <cmath>
#include <map>
#include <memory>

#include "helpers.h"
#include "text.h"

namespace host {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBackdrop[3] = {0.19, 0.20, 0.21};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface make_surface(cairo_format_t format, int w, int h) {
    return Surface(cairo_image_surface_create(format, w, h), cairo_surface_destroy);
}

// A bitmap as Cairo sees it: black pixels transparent.
Surface image_of(const Bitmap& b) {
    Surface s = make_surface(CAIRO_FORMAT_ARGB32, b.width, b.height);
    cairo_surface_flush(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < b.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < b.width; ++x) {
            const std::uint8_t* p = b.pixel(x, y);
            bool drawn = p[0] != 0 || p[1] != 0 || p[2] != 0;
            row[x] = drawn ? 0xff000000u | p[0] << 16 | p[1] << 8 | p[2] : 0;
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

// A mask bitmap split in two: where the texture shows (colour 1, 1, 1) and
// what is drawn over it (every other colour but black).
struct Mask {
    Surface window{nullptr, cairo_surface_destroy};
    Surface overlay{nullptr, cairo_surface_destroy};
};

Mask mask_of(const Bitmap& b) {
    Mask m;
    m.window = make_surface(CAIRO_FORMAT_A8, b.width, b.height);
    m.overlay = make_surface(CAIRO_FORMAT_ARGB32, b.width, b.height);
    cairo_surface_flush(m.window.get());
    cairo_surface_flush(m.overlay.get());
    unsigned char* wd = cairo_image_surface_get_data(m.window.get());
    unsigned char* od = cairo_image_surface_get_data(m.overlay.get());
    int ws = cairo_image_surface_get_stride(m.window.get());
    int os = cairo_image_surface_get_stride(m.overlay.get());
    for (int y = 0; y < b.height; ++y) {
        auto* orow = reinterpret_cast<std::uint32_t*>(od + static_cast<std::size_t>(y) * os);
        for (int x = 0; x < b.width; ++x) {
            const std::uint8_t* p = b.pixel(x, y);
            bool shows = p[0] == 1 && p[1] == 1 && p[2] == 1;
            bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
            wd[static_cast<std::size_t>(y) * ws + x] = shows ? 255 : 0;
            orow[x] = shows || black ? 0 : 0xff000000u | p[0] << 16 | p[1] << 8 | p[2];
        }
    }
    cairo_surface_mark_dirty(m.window.get());
    cairo_surface_mark_dirty(m.overlay.get());
    return m;
}

class Painter {
public:
    Painter(cairo_t* cr, Module& module, RenderCache::Images& cache) : cr_(cr), module_(module), cache_(cache) {}

    cairo_surface_t* image(int id);
    const Mask& mask(int id);

    void paint(cairo_surface_t* s, double x, double y) {
        cairo_set_source_surface(cr_, s, x, y);
        cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BILINEAR);
        cairo_paint(cr_);
    }

    // Draws the source already set up only where the mask shows, then the
    // mask's own colours over it.
    void through_mask(const Mask& m, double x, double y) {
        cairo_mask_surface(cr_, m.window.get(), x, y);
        paint(m.overlay.get(), x, y);
    }

private:
    cairo_t* cr_;
    Module& module_;
    RenderCache::Images& cache_;
};

void colour(cairo_t* cr, std::uint32_t colorref) {
    cairo_set_source_rgb(cr, (colorref & 0xff) / 255.0, (colorref >> 8 & 0xff) / 255.0, (colorref >> 16 & 0xff) / 255.0);
}

// One line, as large as the box allows, centred both ways; the characters
// of the selected highlight record in the highlight colour.
void draw_string(cairo_t* cr, const frame::StringElement* t, const std::string& text, const ElementState& s) {
    if (text.empty()) return;
    const frame::Element& e = t->base;
    cairo_save(cr);
    cairo_rectangle(cr, e.position.x, e.position.y, t->box_width, t->box_height);
    cairo_clip(cr);
    if (t->background_colour != kUnpaintedBackground) {
        colour(cr, t->background_colour);
        cairo_paint(cr);
    }
    cairo_select_font_face(cr, kReadoutFont, CAIRO_FONT_SLANT_NORMAL,
                           t->font_weight >= 700 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    double size = t->box_height * 0.62;
    cairo_set_font_size(cr, size);
    ReadoutLayout layout = layout_readout(cr, text);
    if (layout.width > t->box_width * 0.92) {
        size *= t->box_width * 0.92 / layout.width;
        cairo_set_font_size(cr, size);
        layout = layout_readout(cr, text);
    }
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    double tx = e.position.x + (t->box_width - layout.width) / 2.0;
    double ty = e.position.y + (t->box_height + fe.ascent - fe.descent) / 2.0;
    draw_readout(cr, layout, tx, ty, [&](std::size_t byte) {
        bool lit = s.highlight != 0 && static_cast<std::int64_t>(byte) >= s.highlight_first &&
                   static_cast<std::int64_t>(byte) <= s.highlight_last;
        return lit ? t->highlight_colour : t->text_colour;
    });
    cairo_restore(cr);
}

// The window's offset into the strip: its top at the minimum, its bottom at
// the maximum, linear between; values beyond stay at the ends.
double strip_offset(double value, double lo, double hi, int strip, int window) {
    if (!(hi != lo) || strip <= window || !std::isfinite(value)) return 0.0;
    double t = (value - lo) / (hi - lo);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return t * (strip - window);
}

}  // namespace

struct RenderCache::Images {
    std::map<std::pair<const Module*, int>, Surface> images;
    std::map<std::pair<const Module*, int>, Mask> masks;
};

RenderCache::RenderCache() : images_(std::make_unique<Images>()) {}
RenderCache::~RenderCache() = default;

namespace {

cairo_surface_t* Painter::image(int id) {
    auto key = std::make_pair(&module_, id);
    auto it = cache_.images.find(key);
    if (it == cache_.images.end()) it = cache_.images.emplace(key, image_of(module_.bitmap(id))).first;
    return it->second.get();
}

const Mask& Painter::mask(int id) {
    auto key = std::make_pair(&module_, id);
    auto it = cache_.masks.find(key);
    if (it == cache_.masks.end()) it = cache_.masks.emplace(key, mask_of(module_.bitmap(id))).first;
    return it->second;
}

}  // namespace

void draw_gauge(cairo_t* cr, const Gauge& gauge, double x, double y, double scale) {
    RenderCache cache;
    draw_gauge(cr, gauge, x, y, scale, cache);
}

void draw_gauge(cairo_t* cr, const Gauge& gauge, double x, double y, double scale, RenderCache& cache) {
    Painter p(cr, gauge.module(), cache.images());
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, gauge.width(), gauge.height());
    cairo_clip(cr);
    for (const ElementState& s : gauge.elements()) {
        const frame::Element* e = s.element;
        if (s.hidden) continue;
        if (s.effect == FailureEffect::kBlank && e->kind != frame::kString) continue;
        cairo_save(cr);
        switch (e->kind) {
        case frame::kStaticImage:
            p.paint(p.image(e->bitmap), e->position.x, e->position.y);
            break;
        case frame::kNeedle:
            if (std::isfinite(s.drawn_angle)) {
                cairo_translate(cr, e->position.x, e->position.y);
                cairo_rotate(cr, s.drawn_angle * kPi / 180.0);
                p.paint(p.image(e->bitmap), -e->offset.x, -e->offset.y);
            }
            break;
        case frame::kString: {
            auto* t = reinterpret_cast<const frame::StringElement*>(e);
            draw_string(cr, t, s.effect == FailureEffect::kBlank ? std::string() : s.text, s);
            break;
        }
        case frame::kSlider: {
            auto* sl = reinterpret_cast<const frame::SliderElement*>(e);
            double dx = s.x * sl->x.scale, dy = s.y * sl->y.scale;
            if (std::isfinite(dx) && std::isfinite(dy)) p.paint(p.image(e->bitmap), e->position.x + dx, e->position.y + dy);
            break;
        }
        case frame::kIcon: {
            auto* ic = reinterpret_cast<const frame::IconElement*>(e);
            if (s.index >= 0 && static_cast<std::uint32_t>(s.index) < ic->icon_count)
                p.paint(p.image(e->bitmap + s.index), e->position.x, e->position.y);
            break;
        }
        case frame::kMovingImage: {
            auto* m = reinterpret_cast<const frame::MovingImageElement*>(e);
            const Bitmap& strip = gauge.module().bitmap(e->bitmap);
            const Bitmap& window = gauge.module().bitmap(e->bitmap + 1);
            double ox = strip_offset(s.x, m->x.minimum, m->x.maximum, strip.width, window.width);
            double oy = strip_offset(s.y, m->y.minimum, m->y.maximum, strip.height, window.height);
            cairo_set_source_surface(cr, p.image(e->bitmap), e->position.x - ox, e->position.y - oy);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
            p.through_mask(p.mask(e->bitmap + 1), e->position.x, e->position.y);
            break;
        }
        case frame::kSprite: {
            auto* sp = reinterpret_cast<const frame::SpriteElement*>(e);
            const Bitmap& texture = gauge.module().bitmap(e->bitmap);
            double turn = s.rotation * sp->rotation.scale;
            double dx = s.x * sp->x.scale, dy = s.y * sp->y.scale;
            if (!std::isfinite(turn) || !std::isfinite(dx) || !std::isfinite(dy)) {
                // Nowhere to put the texture; the mask's own colours, a face
                // plate or a symbol over the texture, still show.
                p.paint(p.mask(e->bitmap + 1).overlay.get(), e->position.x, e->position.y);
                break;
            }
            // The texture centre on the gauge point `offset`, turned
            // counter-clockwise, shifted along its own turned axes.
            cairo_matrix_t m;
            cairo_matrix_init_translate(&m, e->offset.x, e->offset.y);
            cairo_matrix_rotate(&m, -turn * kPi / 180.0);
            cairo_matrix_translate(&m, dx, dy);
            cairo_matrix_scale(&m, sp->texture_scale_x, sp->texture_scale_y);
            cairo_matrix_translate(&m, -texture.width / 2.0, -texture.height / 2.0);
            cairo_pattern_t* pattern = cairo_pattern_create_for_surface(p.image(e->bitmap));
            cairo_matrix_invert(&m);
            cairo_pattern_set_matrix(pattern, &m);
            cairo_pattern_set_filter(pattern, CAIRO_FILTER_BILINEAR);
            cairo_set_source(cr, pattern);
            p.through_mask(p.mask(e->bitmap + 1), e->position.x, e->position.y);
            cairo_pattern_destroy(pattern);
            break;
        }
        default:
            break;
        }
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

void render_gauge_png(const Gauge& gauge, const std::string& path, double scale) {
    int w = static_cast<int>(std::lround(gauge.width() * scale));
    int h = static_cast<int>(std::lround(gauge.height() * scale));
    Surface surface = make_surface(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface.get());
    // A panel-grey backdrop, so that what the gauge leaves undrawn shows.
    cairo_set_source_rgb(cr, kBackdrop[0], kBackdrop[1], kBackdrop[2]);
    cairo_paint(cr);
    draw_gauge(cr, gauge, 0, 0, scale);
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw HostError("cannot write " + path);
}

}  // namespace host
