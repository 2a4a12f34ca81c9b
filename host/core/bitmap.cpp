// bitmap.cpp - see bitmap.h.
#include "bitmap.h"

#include <cstring>

namespace host {

namespace {

std::uint32_t u32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }
std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

constexpr int kMaxSide = 8192;

}  // namespace

bool decode_dib(const std::uint8_t* data, std::size_t size, Bitmap& out, BitmapFormat& format,
                std::string& error) {
    if (size < 40) {
        error = "bitmap header is truncated";
        return false;
    }
    std::uint32_t header = u32(data);
    if (header < 40 || header > size) {
        error = "bitmap header size " + std::to_string(header) + " is not a Windows info header";
        return false;
    }
    format.width = static_cast<std::int32_t>(u32(data + 4));
    format.height = static_cast<std::int32_t>(u32(data + 8));
    format.bits_per_pixel = u16(data + 14);
    format.compression = u32(data + 16);
    format.colours = u32(data + 32);
    if (format.bits_per_pixel != 8) {
        error = "bitmap has " + std::to_string(format.bits_per_pixel) + " bits per pixel, not 8";
        return false;
    }
    if (format.compression != 0) {
        error = "bitmap is compressed";
        return false;
    }
    long long tall = format.height;
    if (tall < 0) tall = -tall;
    if (format.width <= 0 || format.width > kMaxSide || tall <= 0 || tall > kMaxSide) {
        error = "bitmap size " + std::to_string(format.width) + " x " + std::to_string(format.height) + " is out of range";
        return false;
    }
    std::uint32_t colours = format.colours == 0 ? 256 : format.colours;
    if (colours > 256) {
        error = "bitmap colour table has " + std::to_string(colours) + " entries";
        return false;
    }
    int h = static_cast<int>(tall);
    std::size_t palette_at = header;
    std::size_t pixels_at = palette_at + 4 * static_cast<std::size_t>(colours);
    std::size_t stride = (static_cast<std::size_t>(format.width) + 3) & ~static_cast<std::size_t>(3);
    if (pixels_at > size || (size - pixels_at) / stride < static_cast<std::size_t>(h)) {
        error = "bitmap pixel data is truncated";
        return false;
    }
    out.width = format.width;
    out.height = h;
    out.rgb.assign(static_cast<std::size_t>(format.width) * h * 3, 0);
    for (int y = 0; y < h; ++y) {
        int stored = format.height > 0 ? h - 1 - y : y;
        const std::uint8_t* row = data + pixels_at + stride * stored;
        for (int x = 0; x < format.width; ++x) {
            std::uint8_t index = row[x];
            std::uint8_t* px = &out.rgb[(static_cast<std::size_t>(y) * format.width + x) * 3];
            if (index < colours) {
                const std::uint8_t* entry = data + palette_at + 4 * index;  // b, g, r, 0
                px[0] = entry[2];
                px[1] = entry[1];
                px[2] = entry[0];
            }
        }
    }
    return true;
}

bool decode_bmp_file(const std::vector<std::uint8_t>& file, Bitmap& out, BitmapFormat& format,
                     std::string& error) {
    if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    return decode_dib(file.data() + 14, file.size() - 14, out, format, error);
}

}  // namespace host
