// module.h - a gauge module as the artwork sees it: its bitmap list from
// <dir>/bitmaps.inc and its element records, read from the native build of
// the module itself, so that dial marks come from the very tables the
// needles use.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "records.h"

namespace artwork {

struct BitmapSpec {
    int id = 0;
    int width = 0;
    int height = 0;
    std::string what;
};

// The BITMAP(id, width, height, "what") lines of a resource list. Throws on
// a line it cannot read, naming the file and line.
std::vector<BitmapSpec> read_bitmap_list(const std::filesystem::path& file);

class Module {
public:
    // dir is the module's source directory name ("kestrum"); the library is
    // module_dir/<Dir>.so with the first letter upper-case ("Kestrum.so").
    Module(const std::filesystem::path& root, std::string dir, const std::filesystem::path& module_dir);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    const std::string& dir() const { return dir_; }
    const std::vector<BitmapSpec>& bitmaps() const { return bitmaps_; }

    // The gauge of that name in the gauge table; throws if there is none.
    const frame::GaugeHeader& gauge(std::string_view name) const;

    // Every element of the gauge's tree, parents before children.
    std::vector<const frame::Element*> elements(std::string_view gauge) const;

    // The nth needle (in tree order) of the gauge that draws the bitmap;
    // throws if there is none.
    const frame::NeedleElement& needle(std::string_view gauge, int bitmap, int nth = 0) const;

private:
    std::string dir_;
    std::vector<BitmapSpec> bitmaps_;
    void* library_ = nullptr;
    const frame::LinkageHead* linkage_ = nullptr;
};

}  // namespace artwork
