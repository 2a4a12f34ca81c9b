// panel.cpp - see panel.h.
#include "panel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace host::panel {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The simulator runs on a file system that ignores letter case and writes
// paths with backslashes; a panel written for it should load here too.
fs::path find_file(const fs::path& dir, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    fs::path exact = dir / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;
    fs::path here = dir;
    for (const fs::path& part : fs::path(name)) {
        fs::path next = here / part;
        if (!fs::exists(next, ec) && fs::is_directory(here, ec)) {
            for (const auto& entry : fs::directory_iterator(here, ec))
                if (lower(entry.path().filename().string()) == lower(part.string())) next = entry.path();
        }
        here = next;
    }
    return here;
}

}  // namespace

Panel::Panel(Host& host, PanelConfig config, const PanelOptions& options)
    : host_(host), config_(std::move(config)), options_(options) {
    windows_.reserve(config_.windows.size());
    for (const WindowConfig& w : config_.windows) place_window(w);
    if (windows_.empty()) return;

    // The first window is the screen; the others stand at their anchors.
    Window& main = windows_.front();
    screen_width_ = main.width;
    screen_height_ = main.height;
    for (std::size_t i = 1; i < windows_.size(); ++i) {
        Window& w = windows_[i];
        int column = w.config->position % 3, row = w.config->position / 3;
        w.x = (screen_width_ - w.width) * column / 2.0;
        w.y = (screen_height_ - w.height) * row / 2.0;
    }
    for (const Window& w : windows_)
        if (w.config->ident) host_.set_window(*w.config->ident, w.config->visible);
}

Module* Panel::module_for(const GaugeLine& line, std::string& error) {
    std::string file = line.file;
    if (fs::path(file).extension().empty()) file += kModuleExtension;
    fs::path path = find_file(options_.module_dir, file);
    try {
        return &host_.load(path.string(), options_.resources);
    } catch (const HostError& e) {
        error = e.what();
        return nullptr;
    }
}

void Panel::place_window(const WindowConfig& config) {
    auto diagnose = [&](int line, std::string message) {
        config_.diagnostics.push_back({config_.path, line, std::move(message), false});
    };
    Window w;
    w.config = &config;
    if (!config.file.empty()) {
        fs::path path = find_file(fs::path(config_.path).parent_path(), config.file);
        std::ifstream in(path, std::ios::binary);
        Bitmap bmp;
        BitmapFormat format;
        std::string error;
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.is_open())
            diagnose(config.line, "background " + config.file + ": no such file (" + path.string() + ")");
        else if (!decode_bmp_file(bytes, bmp, format, error))
            diagnose(config.line, "background " + config.file + ": " + error);
        else
            w.background = std::move(bmp);
    }
    if (config.has_size) {
        w.width = config.width;
        w.height = config.height;
    } else if (w.background) {
        w.width = w.background->width;
        w.height = w.background->height;
    } else {
        char name[32];
        std::snprintf(name, sizeof name, "[Window%02d]", config.number);
        diagnose(config.line, std::string(name) + " has neither size_mm= nor a background bitmap; it is drawn 1024 by 768");
        w.width = 1024;
        w.height = 768;
    }

    for (const GaugeLine& line : config.gauges) {
        std::string error;
        Module* module = module_for(line, error);
        if (module == nullptr) {
            diagnose(line.line, "gauge " + line.file + "!" + line.gauge + ": " + error);
            continue;
        }
        if (module->find(line.gauge) == nullptr) {
            diagnose(line.line, "gauge " + line.file + "!" + line.gauge + ": " + line.file + " has no gauge named " +
                                    line.gauge);
            continue;
        }
        PlacedGauge g;
        g.line = &line;
        try {
            g.gauge = &host_.place(*module, line.gauge);
        } catch (const HostError& e) {
            diagnose(line.line, "gauge " + line.file + "!" + line.gauge + ": " + e.what());
            continue;
        }
        // Without a size the gauge takes its own width in window units and
        // keeps its background's proportions.
        double aspect = static_cast<double>(g.gauge->height()) / g.gauge->width();
        g.x = line.x;
        g.y = line.y;
        g.width = line.width ? *line.width : g.gauge->header()->size_mm;
        g.height = line.height ? *line.height : g.width * aspect;
        w.gauges.push_back(g);
    }
    windows_.push_back(std::move(w));
}

bool Panel::visible(const Window& window) const {
    if (!window.config->ident) return window.config->visible;
    auto it = host_.windows().find(*window.config->ident);
    return it != host_.windows().end() ? it->second : window.config->visible;
}

std::optional<PanelPoint> Panel::at(double x, double y) const {
    for (auto w = windows_.rbegin(); w != windows_.rend(); ++w) {
        if (!visible(*w)) continue;
        double wx = x - w->x, wy = y - w->y;
        for (auto g = w->gauges.rbegin(); g != w->gauges.rend(); ++g) {
            if (wx < g->x || wy < g->y || wx >= g->x + g->width || wy >= g->y + g->height) continue;
            return PanelPoint{&*w, &*g, static_cast<int>(std::floor((wx - g->x) * g->scale_x())),
                              static_cast<int>(std::floor((wy - g->y) * g->scale_y()))};
        }
        // A window takes the clicks on it, also where it has no gauge.
        if (wx >= 0 && wy >= 0 && wx < w->width && wy < w->height) return std::nullopt;
    }
    return std::nullopt;
}

const PlacedGauge* Panel::find(const std::string& gauge) const {
    for (const Window& w : windows_) {
        if (!visible(w)) continue;
        for (const PlacedGauge& g : w.gauges)
            if (gauge == g.gauge->header()->name) return &g;
    }
    return nullptr;
}

}  // namespace host::panel
