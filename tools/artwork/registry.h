// registry.h - which routine draws which bitmap. Each gauge's artwork file
// registers its bitmaps with a static Register object, so adding a gauge
// touches no shared list.
#pragma once

#include <string_view>
#include <vector>

#include "canvas.h"
#include "module.h"

namespace artwork {

// Draws one bitmap onto a canvas of its listed size. The module gives the
// records (pivots, calibration tables) the drawing must agree with.
using DrawFn = void (*)(Canvas& canvas, const Module& module);

struct Artwork {
    std::string_view module;  // source directory name: "kestrum"
    int id;
    Role role;
    DrawFn draw;
};

struct Register {
    explicit Register(Artwork artwork);
};

// Null if no routine draws that bitmap.
const Artwork* find_artwork(std::string_view module, int id);

const std::vector<Artwork>& all_artworks();

}  // namespace artwork
