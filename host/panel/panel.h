// panel.h - a panel configuration placed on a host: its windows on the
// screen, the gauge instances in each, which windows show, and where a
// click at screen coordinates lands.
//
// The screen is the first window (the main panel) at its own size in its
// own units; every other window keeps its size in the same units and stands
// at its position anchor. Gauges are drawn in a window in gauge-number
// order, windows in window-number order, so later ones lie on top.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bitmap.h"
#include "config.h"
#include "host.h"

namespace host::panel {

struct PanelOptions {
    std::string module_dir;  // where File of File!Gauge is looked for
    std::string resources;  // native bitmaps folder, or empty (found from the module upward)
};

// The file a module is loaded from: File as written when it has an
// extension, else File plus this platform's module extension.
inline constexpr const char* kModuleExtension =
#if defined(_WIN32)
    ".gau";
#else
    ".so";
#endif

struct PlacedGauge {
    const GaugeLine* line = nullptr;
    Gauge* gauge = nullptr;
    double x = 0, y = 0, width = 0, height = 0;  // window units

    // Gauge pixels per window unit, across and down.
    double scale_x() const { return gauge->width() / width; }
    double scale_y() const { return gauge->height() / height; }
};

struct Window {
    const WindowConfig* config = nullptr;
    double x = 0, y = 0;  // on the screen
    double width = 0, height = 0;
    std::optional<Bitmap> background;
    std::vector<PlacedGauge> gauges;
};

// Where a point of the screen lands.
struct PanelPoint {
    const Window* window = nullptr;
    const PlacedGauge* gauge = nullptr;
    int x = 0, y = 0;  // gauge pixels
};

class Panel {
public:
    // Loads the modules, places every gauge and opens the windows declared
    // visible. What cannot be loaded becomes a diagnostic at its line; the
    // rest of the panel loads.
    Panel(Host& host, PanelConfig config, const PanelOptions& options);
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    const PanelConfig& config() const { return config_; }
    const std::vector<Diagnostic>& diagnostics() const { return config_.diagnostics; }
    const std::vector<Window>& windows() const { return windows_; }
    double screen_width() const { return screen_width_; }
    double screen_height() const { return screen_height_; }

    // A window with an ident shows while the host has it open; one without
    // shows as its visible= says.
    bool visible(const Window& window) const;

    // The topmost gauge of a visible window under the point, in that gauge's
    // pixels; nothing where no gauge is.
    std::optional<PanelPoint> at(double x, double y) const;
    // The first instance of a gauge in a visible window, by window order.
    const PlacedGauge* find(const std::string& gauge) const;

private:
    void place_window(const WindowConfig& config);
    Module* module_for(const GaugeLine& line, std::string& error);

    Host& host_;
    PanelConfig config_;
    PanelOptions options_;
    std::vector<Window> windows_;
    double screen_width_ = 0, screen_height_ = 0;
};

}  // namespace host::panel
