// main.cpp - the artwork program: draws every bitmap the modules list and
// writes resources/<module>/<id>.bmp, or with --check says which committed
// files no longer match their drawing.
//
//   artwork [--check] [--root DIR] [--module-dir DIR]
//
// Exit status: 0 all written or all current, 1 some file stale (--check),
// 2 the artwork could not be drawn.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "module.h"
#include "panel.h"
#include "registry.h"
#include "render.h"

namespace fs = std::filesystem;

namespace {

// Source directories of the modules, as they will appear; one not yet in
// the tree is skipped.
constexpr const char* kModules[] = {"kestrum", "navrel", "chronel"};

struct Options {
    bool check = false;
    fs::path root = ".";
    fs::path module_dir;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::runtime_error(a + " needs a directory");
            return argv[++i];
        };
        if (a == "--check")
            o.check = true;
        else if (a == "--root")
            o.root = value();
        else if (a == "--module-dir")
            o.module_dir = value();
        else
            throw std::runtime_error("unknown option " + a +
                                     "; usage: artwork [--check] [--root DIR] [--module-dir DIR]");
    }
    if (o.module_dir.empty()) o.module_dir = o.root / "build/native/gauges";
    return o;
}

std::vector<std::uint8_t> read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
}

// A routine for a bitmap no list names is as wrong as a listed bitmap
// without one: the two lists have drifted apart.
void check_registry(const std::vector<std::unique_ptr<artwork::Module>>& modules) {
    for (const artwork::Artwork& a : artwork::all_artworks()) {
        bool listed = false;
        for (const auto& m : modules)
            for (const artwork::BitmapSpec& b : m->bitmaps())
                listed = listed || (m->dir() == a.module && b.id == a.id);
        if (!listed)
            throw std::runtime_error("a routine draws " + std::string(a.module) + "/" + std::to_string(a.id) +
                                     ", which no bitmap list names");
    }
}

int run(const Options& o) {
    std::vector<std::unique_ptr<artwork::Module>> modules;
    for (const char* dir : kModules)
        if (fs::exists(o.root / dir / "bitmaps.inc"))
            modules.push_back(std::make_unique<artwork::Module>(o.root, dir, o.module_dir));
    if (modules.empty()) throw std::runtime_error("no module bitmap list under " + o.root.string());
    check_registry(modules);

    int stale = 0;
    for (const auto& m : modules) {
        for (const artwork::BitmapSpec& b : m->bitmaps()) {
            const fs::path rel = fs::path("resources") / m->dir() / (std::to_string(b.id) + ".bmp");
            const std::vector<std::uint8_t> bytes = artwork::render_bitmap(*m, b);
            if (read_file(o.root / rel) == bytes) continue;
            if (o.check) {
                std::printf("stale: %s\n", rel.c_str());
                ++stale;
            } else {
                write_file(o.root / rel, bytes);
                std::printf("wrote %s\n", rel.c_str());
            }
        }
    }
    // The panel backgrounds, placed from their panels' configurations.
    for (const artwork::PanelArtwork& a : artwork::all_panel_artworks()) {
        const fs::path rel = artwork::panel_bitmap_path(o.root, a);
        const std::vector<std::uint8_t> bytes = artwork::render_panel(o.root, a, modules);
        if (read_file(o.root / rel) == bytes) continue;
        if (o.check) {
            std::printf("stale: %s\n", rel.c_str());
            ++stale;
        } else {
            write_file(o.root / rel, bytes);
            std::printf("wrote %s\n", rel.c_str());
        }
    }
    return stale > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(parse(argc, argv));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artwork: %s\n", e.what());
        return 2;
    }
}
