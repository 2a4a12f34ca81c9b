// panel.h - panel backgrounds: the bitmap a panel window's file= names,
// drawn from the panel's own configuration, so that the recess behind each
// gauge lies exactly where the gauge stands.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "canvas.h"
#include "module.h"

namespace artwork {

// A gauge of the window, in the window's units.
struct PanelGauge {
    std::string name;  // Asi
    double x = 0, y = 0, width = 0, height = 0;
    bool round = false;  // its background leaves the corners undrawn
};

struct PanelLayout {
    double width = 0, height = 0;  // size_mm
    std::vector<PanelGauge> gauges;

    // The first gauge of that name; throws if there is none.
    const PanelGauge& gauge(std::string_view name) const;
};

// Draws a background onto a canvas of the bitmap's size; the layout is in
// window units, which the routine scales to the canvas.
using PanelDrawFn = void (*)(Canvas& canvas, const PanelLayout& layout);

struct PanelArtwork {
    std::string_view panel;  // the panel.cfg, from the repository root
    int window;  // NN of [WindowNN]; its file= is the bitmap written
    int width, height;  // pixels
    PanelDrawFn draw;
};

struct RegisterPanel {
    explicit RegisterPanel(PanelArtwork artwork);
};

const std::vector<PanelArtwork>& all_panel_artworks();

// The window's gauges placed as panelhost places them: a size from the
// gauge line, or the gauge's own width and its background's proportions.
// Throws naming the panel when a gauge or module is not found.
PanelLayout read_layout(const std::filesystem::path& root, const PanelArtwork& artwork,
                        const std::vector<std::unique_ptr<Module>>& modules);

// The bitmap's path from the root, as the window's file= names it.
std::filesystem::path panel_bitmap_path(const std::filesystem::path& root, const PanelArtwork& artwork);

// The BMP file of the background.
std::vector<std::uint8_t> render_panel(const std::filesystem::path& root, const PanelArtwork& artwork,
                                       const std::vector<std::unique_ptr<Module>>& modules);

}  // namespace artwork
