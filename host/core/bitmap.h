// bitmap.h - the 8-bit bitmaps of a module, decoded for drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Pixels top-down, three bytes (r, g, b) each. Pure black is "not drawn".
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* pixel(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// What a bitmap resource holds, as read from its header.
struct BitmapFormat {
    int width = 0;
    int height = 0;  // negative: stored top-down
    int bits_per_pixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours = 0;
};

// Decodes a device-independent bitmap (info header, colour table, pixels),
// the form a RT_BITMAP resource takes. Only uncompressed 8-bit bitmaps are
// accepted; anything else, or data too short for what its header says,
// gives false and a reason.
bool decode_dib(const std::uint8_t* data, std::size_t size, Bitmap& out, BitmapFormat& format,
                std::string& error);

// The same for a .bmp file's contents (file header first).
bool decode_bmp_file(const std::vector<std::uint8_t>& file, Bitmap& out, BitmapFormat& format,
                     std::string& error);

}  // namespace host
