// config.h - panel configurations in the simulator's own panel.cfg syntax:
// the windows of a panel and the gauges placed in each.
//
//   [Window Titles]
//   Window00=Main panel
//   [Window00]
//   file=background.bmp        // drawn stretched over the window
//   size_mm=1024,340           // the window's units: gauge positions and sizes
//   position=7                 // screen anchor 0..8
//   visible=1
//   ident=1001                 // what panel_window_toggle names
//   gauge00=Kestrum!Asi, 20, 30, 115
//
// Reading never stops at a bad line: each problem becomes a diagnostic that
// names the file and line, and the rest of the file is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::panel {

struct Diagnostic {
    std::string file;
    int line = 0;  // 0: the file as a whole
    std::string message;
    bool warning = false;  // true: noted, but the panel is as the simulator would load it

    // "file:line: message" (warnings say so).
    std::string text() const;
};

// gaugeNN=File!Gauge, x, y[, w[, h]]
struct GaugeLine {
    int line = 0;
    int number = 0;  // NN
    std::string file;  // the module file as written, before any extension
    std::string gauge;
    double x = 0, y = 0;  // window units
    std::optional<double> width, height;  // window units; absent: from the gauge's own size
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// Screen anchors of position=, as on a keypad seen from above: 0 top left,
// 1 top centre, 2 top right, 3 middle left, 4 centre, 5 middle right,
// 6 bottom left, 7 bottom centre, 8 bottom right.
inline constexpr int kPositionAnchors = 9;

struct WindowConfig {
    int number = 0;  // NN of [WindowNN]
    int line = 0;  // of the section header
    std::string title;  // from [Window Titles]
    std::string file;  // background bitmap, relative to the panel's folder; empty: none
    double width = 0, height = 0;  // size_mm
    bool has_size = false;
    int position = 0;
    bool visible = true;
    std::optional<std::uint32_t> ident;
    std::optional<Rgb> background;  // background_color=
    std::vector<GaugeLine> gauges;  // in gauge number order
};

struct PanelConfig {
    std::string path;
    std::vector<WindowConfig> windows;  // in window number order
    std::vector<Diagnostic> diagnostics;

    bool has_errors() const;
};

// Reads the text of a panel.cfg; `path` names it in diagnostics and is
// kept as the panel's path.
PanelConfig parse_panel_config(std::string_view text, const std::string& path);

// Reads the file; a file that cannot be read gives a configuration without
// windows and one diagnostic.
PanelConfig read_panel_config(const std::string& path);

}  // namespace host::panel
