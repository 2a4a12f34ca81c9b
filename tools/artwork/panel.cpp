// panel.cpp - see panel.h. The configuration is read with panelhost's own
// reader, so both agree on every gauge's box.
#include "panel.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "bmp.h"
#include "config.h"

namespace artwork {

namespace {

std::vector<PanelArtwork>& table() {
    static std::vector<PanelArtwork> artworks;
    return artworks;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

const host::panel::WindowConfig& window_of(const std::filesystem::path& root, const PanelArtwork& a,
                                           host::panel::PanelConfig& config) {
    config = host::panel::read_panel_config((root / a.panel).string());
    if (config.has_errors())
        for (const auto& d : config.diagnostics)
            if (!d.warning) throw std::runtime_error(d.text());
    for (const auto& w : config.windows)
        if (w.number == a.window) return w;
    throw std::runtime_error(std::string(a.panel) + " has no [Window" + std::to_string(a.window) + "]");
}

// A gauge is round when its background leaves its corners undrawn.
bool corners_undrawn(const std::filesystem::path& root, const Module& m, int bitmap) {
    std::ifstream in(root / "resources" / m.dir() / (std::to_string(bitmap) + ".bmp"), std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string why;
    auto bmp = decode_bmp(bytes, &why);
    if (!bmp) throw std::runtime_error(m.dir() + "/" + std::to_string(bitmap) + ".bmp: " + why);
    return bmp->at(0, 0) == kNotDrawn && bmp->at(bmp->width - 1, bmp->height - 1) == kNotDrawn;
}

}  // namespace

RegisterPanel::RegisterPanel(PanelArtwork artwork) { table().push_back(artwork); }

const std::vector<PanelArtwork>& all_panel_artworks() { return table(); }

const PanelGauge& PanelLayout::gauge(std::string_view name) const {
    for (const PanelGauge& g : gauges)
        if (g.name == name) return g;
    throw std::runtime_error("the panel has no gauge " + std::string(name));
}

PanelLayout read_layout(const std::filesystem::path& root, const PanelArtwork& a,
                        const std::vector<std::unique_ptr<Module>>& modules) {
    host::panel::PanelConfig config;
    const host::panel::WindowConfig& w = window_of(root, a, config);
    PanelLayout layout;
    layout.width = w.width;
    layout.height = w.height;
    for (const host::panel::GaugeLine& line : w.gauges) {
        const Module* module = nullptr;
        for (const auto& m : modules)
            if (m->dir() == lower(line.file)) module = m.get();
        if (module == nullptr)
            throw std::runtime_error(std::string(a.panel) + ":" + std::to_string(line.line) + ": no module " + line.file);
        const frame::GaugeHeader& header = module->gauge(line.gauge);
        int bitmap = header.elements[0]->bitmap;
        const BitmapSpec* spec = nullptr;
        for (const BitmapSpec& b : module->bitmaps())
            if (b.id == bitmap) spec = &b;
        if (spec == nullptr) throw std::runtime_error(module->dir() + " lists no bitmap " + std::to_string(bitmap));
        PanelGauge g;
        g.name = line.gauge;
        g.x = line.x;
        g.y = line.y;
        g.width = line.width ? *line.width : header.size_mm;
        g.height = line.height ? *line.height : g.width * spec->height / spec->width;
        g.round = corners_undrawn(root, *module, bitmap);
        layout.gauges.push_back(g);
    }
    return layout;
}

std::filesystem::path panel_bitmap_path(const std::filesystem::path& root, const PanelArtwork& a) {
    host::panel::PanelConfig config;
    const host::panel::WindowConfig& w = window_of(root, a, config);
    if (w.file.empty()) throw std::runtime_error(std::string(a.panel) + ": the window names no file=");
    return std::filesystem::path(a.panel).parent_path() / w.file;
}

std::vector<std::uint8_t> render_panel(const std::filesystem::path& root, const PanelArtwork& a,
                                       const std::vector<std::unique_ptr<Module>>& modules) {
    PanelLayout layout = read_layout(root, a, modules);
    Canvas canvas(a.width, a.height);
    a.draw(canvas, layout);
    return encode_bmp(canvas.flatten(Role::image));
}

}  // namespace artwork
