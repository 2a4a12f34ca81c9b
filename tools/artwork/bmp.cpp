// bmp.cpp - palette reduction with libimagequant and the BMP byte layout.
#include "bmp.h"

#include <libimagequant.h>
#include <omp.h>

#include <array>
#include <memory>
#include <stdexcept>

namespace artwork {

namespace {

constexpr int kPaletteSize = 256;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * kPaletteSize;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dpi, what paint programs expect

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <typename T>
using LiqPtr = std::unique_ptr<T, LiqDeleter>;

int row_stride(int width) {
    return (width + 3) & ~3;
}

// A drawn colour that came out as (0, 0, 0) or (1, 1, 1) would read as
// "not drawn" or "window"; the nearest colour that means neither.
Rgb off_reserved(Rgb c) {
    if (c.r <= 1 && c.g <= 1 && c.b <= 1) return Rgb{2, 2, 2};
    return c;
}

// Palette and per-pixel indices for the drawn pixels; blank and window
// pixels are left at 0 and set by the caller.
void quantize_drawn(const Image& image, int first_free, std::vector<Rgb>& palette,
                    std::vector<std::uint8_t>& index) {
    const std::size_t n = image.ink.size();
    std::vector<std::uint8_t> rgba(n * 4, 0);
    bool any = false;
    for (std::size_t i = 0; i < n; ++i) {
        if (image.ink[i] != Ink::drawn) continue;  // alpha 0: libimagequant keeps it apart
        rgba[4 * i] = image.colour[i].r;
        rgba[4 * i + 1] = image.colour[i].g;
        rgba[4 * i + 2] = image.colour[i].b;
        rgba[4 * i + 3] = 255;
        any = true;
    }
    if (!any) return;

    // The parallel loops sum per thread; one thread keeps the sums, and so
    // the palette, the same on every machine.
    omp_set_num_threads(1);

    LiqPtr<liq_attr> attr(liq_attr_create());
    liq_set_max_colors(attr.get(), kPaletteSize - first_free);
    liq_set_speed(attr.get(), 1);
    LiqPtr<liq_image> img(liq_image_create_rgba(attr.get(), rgba.data(), image.width, image.height, 0));
    if (!img) throw std::runtime_error("libimagequant refused the image");
    liq_result* raw = nullptr;
    if (liq_image_quantize(img.get(), attr.get(), &raw) != LIQ_OK)
        throw std::runtime_error("libimagequant could not quantize the image");
    LiqPtr<liq_result> result(raw);
    liq_set_dithering_level(result.get(), 0.0f);
    std::vector<std::uint8_t> remapped(n);
    if (liq_write_remapped_image(result.get(), img.get(), remapped.data(), remapped.size()) != LIQ_OK)
        throw std::runtime_error("libimagequant could not remap the image");

    // libimagequant's own transparent entry stands for blank and window
    // pixels, which have reserved entries; only its opaque entries move on.
    const liq_palette* liq = liq_get_palette(result.get());
    std::array<int, kPaletteSize> to_final;
    to_final.fill(-1);
    int next = first_free;
    for (unsigned k = 0; k < liq->count; ++k) {
        const liq_color& c = liq->entries[k];
        if (c.a != 255) continue;
        if (next == kPaletteSize) throw std::runtime_error("palette overflow");
        palette[next] = off_reserved(Rgb{c.r, c.g, c.b});
        to_final[k] = next++;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (image.ink[i] != Ink::drawn) continue;
        int f = to_final[remapped[i]];
        if (f < 0) throw std::runtime_error("a drawn pixel fell on a transparent entry");
        index[i] = static_cast<std::uint8_t>(f);
    }
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
std::uint32_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    return in[at] | (in[at + 1] << 8);
}
std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return get16(in, at) | (get16(in, at + 2) << 16);
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const Image& image) {
    if (image.width <= 0 || image.height <= 0) throw std::runtime_error("empty image");
    bool mask = false;
    for (Ink k : image.ink) mask = mask || k == Ink::window;

    std::vector<Rgb> palette(kPaletteSize, kNotDrawn);
    std::vector<std::uint8_t> index(image.ink.size(), 0);
    int first_free = 1;
    if (mask) {
        palette[1] = kWindow;
        for (std::size_t i = 0; i < index.size(); ++i)
            if (image.ink[i] == Ink::window) index[i] = 1;
        first_free = 2;
    }
    quantize_drawn(image, first_free, palette, index);

    const int stride = row_stride(image.width);
    const std::uint32_t pixel_bytes = std::uint32_t(stride) * image.height;
    std::vector<std::uint8_t> out;
    out.reserve(kPixelOffset + pixel_bytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, kPixelOffset + pixel_bytes);
    put32(out, 0);
    put32(out, kPixelOffset);
    put32(out, kInfoHeaderSize);
    put32(out, image.width);
    put32(out, image.height);  // positive: bottom-up
    put16(out, 1);             // planes
    put16(out, 8);             // bits per pixel
    put32(out, 0);             // BI_RGB
    put32(out, pixel_bytes);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, kPaletteSize);  // colours used
    put32(out, 0);             // all important
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) out.push_back(index[image.at(x, y)]);
        for (int p = image.width; p < stride; ++p) out.push_back(0);
    }
    return out;
}

std::optional<DecodedBmp> decode_bmp(const std::vector<std::uint8_t>& f, std::string* why) {
    auto fail = [&](const char* reason) {
        if (why) *why = reason;
        return std::optional<DecodedBmp>();
    };
    if (f.size() < kPixelOffset) return fail("shorter than the headers and colour table");
    if (f[0] != 'B' || f[1] != 'M') return fail("no BM signature");
    if (get32(f, 2) != f.size()) return fail("file size field does not match");
    if (get32(f, 10) != kPixelOffset) return fail("pixels do not follow a full colour table");
    if (get32(f, 14) != kInfoHeaderSize) return fail("info header is not 40 bytes");
    const auto width = static_cast<std::int32_t>(get32(f, 18));
    const auto height = static_cast<std::int32_t>(get32(f, 22));
    if (width <= 0) return fail("width not positive");
    if (height <= 0) return fail("height not positive (top-down or empty)");
    if (get16(f, 26) != 1) return fail("planes not 1");
    if (get16(f, 28) != 8) return fail("not 8 bits per pixel");
    if (get32(f, 30) != 0) return fail("compressed");
    const std::uint32_t used = get32(f, 46);
    if (used != 0 && used != kPaletteSize) return fail("colour table not full");
    const int stride = row_stride(width);
    if (f.size() != kPixelOffset + std::size_t(stride) * height)
        return fail("pixel rows not padded to 4 bytes");

    DecodedBmp d;
    d.width = width;
    d.height = height;
    for (int k = 0; k < kPaletteSize; ++k) {
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize + 4 * k;
        d.palette.push_back(Rgb{f[at + 2], f[at + 1], f[at]});
    }
    d.index.resize(std::size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = kPixelOffset + std::size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) d.index[std::size_t(y) * width + x] = f[row + x];
    }
    return d;
}

}  // namespace artwork
