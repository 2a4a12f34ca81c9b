// bmp.h - palette reduction and the 8-bit BMP files the module resources are
// compiled from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image.h"

namespace artwork {

// Reduces the drawn pixels to at most 254 colours with libimagequant
// (slowest, most careful setting, no dithering, one thread, so the result
// is the same on every run), reserves palette index 0 for pure black
// (blank pixels) and index 1 for (1, 1, 1) (window pixels, masks only),
// and keeps every drawn colour off both. Returns the whole file: an
// uncompressed bottom-up BMP with a 40-byte info header and a full table
// of 256 colours.
std::vector<std::uint8_t> encode_bmp(const Image& image);

// What a reader of the file sees, for tests and checks.
struct DecodedBmp {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;         // 256 entries
    std::vector<std::uint8_t> index;  // rows top-down
    Rgb at(int x, int y) const { return palette[index[std::size_t(y) * width + x]]; }
};

// Accepts only what encode_bmp writes: 8 bits, BI_RGB, bottom-up, full
// colour table. On anything else returns nothing and says why.
std::optional<DecodedBmp> decode_bmp(const std::vector<std::uint8_t>& file, std::string* why);

}  // namespace artwork
