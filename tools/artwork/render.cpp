// render.cpp - canvas, drawing routine, palette, file.
#include "render.h"

#include <stdexcept>
#include <string>

#include "bmp.h"
#include "canvas.h"
#include "registry.h"

namespace artwork {

Image draw_bitmap(const Module& module, const BitmapSpec& spec) {
    const Artwork* artwork = find_artwork(module.dir(), spec.id);
    if (artwork == nullptr)
        throw std::runtime_error("no drawing routine for " + module.dir() + "/" + std::to_string(spec.id) +
                                 " (" + spec.what + ")");
    Canvas canvas(spec.width, spec.height);
    artwork->draw(canvas, module);
    return canvas.flatten(artwork->role);
}

std::vector<std::uint8_t> render_bitmap(const Module& module, const BitmapSpec& spec) {
    return encode_bmp(draw_bitmap(module, spec));
}

}  // namespace artwork
