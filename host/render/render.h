// render.h - draws gauges from their draw state with Cairo.
#pragma once

#include <memory>
#include <string>

#include <cairo.h>

#include "host.h"

namespace host {

// The Cairo images of the bitmaps drawn so far, kept from frame to frame.
// It must not outlive the modules whose bitmaps it holds.
class RenderCache {
public:
    RenderCache();
    ~RenderCache();
    RenderCache(const RenderCache&) = delete;
    RenderCache& operator=(const RenderCache&) = delete;
    struct Images;
    Images& images() { return *images_; }

private:
    std::unique_ptr<Images> images_;
};

// Draws the gauge at (x, y) of the context, in gauge pixels times `scale`,
// as the simulator shows it: pure black not drawn, needles turned about
// their pivots with bilinear filtering, elements in tree order.
void draw_gauge(cairo_t* cr, const Gauge& gauge, double x, double y, double scale, RenderCache& cache);
// The same with a cache for this one drawing.
void draw_gauge(cairo_t* cr, const Gauge& gauge, double x, double y, double scale);

// Renders one gauge alone into a PNG of its background's size times scale.
// Throws HostError if the file cannot be written.
void render_gauge_png(const Gauge& gauge, const std::string& path, double scale = 1.0);

// The font that stands in for "Quartz" in the string elements.
inline constexpr const char* kReadoutFont = "DSEG7 Classic";

}  // namespace host
