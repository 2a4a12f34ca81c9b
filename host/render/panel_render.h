// panel_render.h - draws a whole panel as the screen shows it: every
// visible window at its place, its background and its gauges, and on
// request the designer's overlay of every mouse area.
#pragma once

#include <memory>
#include <string>

#include <cairo.h>

#include "panel.h"
#include "render.h"

namespace host {

struct PanelImage {
    double scale = 1.0;  // image pixels per screen unit
    bool mouse_overlay = false;
};

// The image's size in pixels for a panel at a scale.
int panel_image_width(const panel::Panel& panel, double scale);
int panel_image_height(const panel::Panel& panel, double scale);

// Draws one panel again and again, keeping the Cairo images of its gauges'
// bitmaps and of its window backgrounds from one drawing to the next. It
// must not outlive the panel.
class PanelRenderer {
public:
    explicit PanelRenderer(const panel::Panel& panel);
    ~PanelRenderer();
    PanelRenderer(const PanelRenderer&) = delete;
    PanelRenderer& operator=(const PanelRenderer&) = delete;

    // Draws the panel with the context's origin at the screen's top left.
    void draw(cairo_t* cr, const PanelImage& image);
    // Draws it into a new image surface of its size at the scale; the
    // caller destroys the surface.
    cairo_surface_t* render(const PanelImage& image);

    struct Backgrounds;

private:
    const panel::Panel& panel_;
    RenderCache cache_;
    std::unique_ptr<Backgrounds> backgrounds_;
};

// The label the overlay gives a mouse function: its name and the window it
// toggles, as read from the module's symbol table ("ZoomWindowAction 1001",
// "ReadoutFlip AsiReadoutToggle", "DmePowerOn"), or "function" for a
// module without one.
std::string describe_routine(const std::string& demangled);

}  // namespace host
