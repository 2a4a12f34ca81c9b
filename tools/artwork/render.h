// render.h - one listed bitmap from its drawing routine to its file bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "image.h"
#include "module.h"

namespace artwork {

// Draws the bitmap at its listed size. Throws if no routine draws it.
Image draw_bitmap(const Module& module, const BitmapSpec& spec);

// The BMP file of the bitmap, byte for byte what resources/ should hold.
std::vector<std::uint8_t> render_bitmap(const Module& module, const BitmapSpec& spec);

}  // namespace artwork
