// canvas.cpp - the ARGB surface and its reduction to drawn and blank pixels.
#include "canvas.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace artwork {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo failed");
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Image Canvas::flatten(Role role) const {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("drawing failed: ") + cairo_status_to_string(cairo_status(cr_)));
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const int threshold = static_cast<int>(std::lround(edge_.threshold * 255));

    Image out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t p = row[x];  // premultiplied 0xAARRGGBB
            const int a = p >> 24;
            if (a == 0 || a < threshold) continue;
            const int pr = (p >> 16) & 0xff, pg = (p >> 8) & 0xff, pb = p & 0xff;
            auto channel = [&](int premultiplied, std::uint8_t matte) {
                int v = edge_.matte ? premultiplied + (matte * (255 - a) + 127) / 255
                                    : (premultiplied * 255 + a / 2) / a;
                return static_cast<std::uint8_t>(v > 255 ? 255 : v);
            };
            const Rgb m = edge_.matte.value_or(Rgb{});
            const Rgb c{channel(pr, m.r), channel(pg, m.g), channel(pb, m.b)};
            const std::size_t i = out.at(x, y);
            out.colour[i] = c;
            out.ink[i] = (role == Role::mask && a == 255 && c == kWindow) ? Ink::window : Ink::drawn;
        }
    }
    return out;
}

}  // namespace artwork
