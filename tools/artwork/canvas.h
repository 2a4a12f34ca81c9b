// canvas.h - a Cairo surface of a bitmap's exact size, and the rule that
// turns its anti-aliased edges into pixels the host either draws or skips.
#pragma once

#include <cairo.h>

#include <optional>

#include "image.h"

namespace artwork {

// An image is drawn over the texture of its sprite or strip; a mask tells
// where that texture shows. Only a mask may contain (1, 1, 1).
enum class Role { image, mask };

// Where the drawing thins out to nothing (a dial's rim, a needle's outline)
// the host has no blending: a pixel is drawn or it is not. A pixel less
// covered than the threshold is not drawn; a pixel at or above it is drawn
// in its own colour, or, with a matte, blended over the matte colour, so
// that a needle's outline already carries the colour of the face it will
// sweep over.
struct Edge {
    double threshold = 0.5;
    std::optional<Rgb> matte;
};

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void set_edge(Edge edge) { edge_ = edge; }

    // Colour and ink of every pixel. In a mask, fully covered pixels of
    // exactly (1, 1, 1) are window; elsewhere such a colour is only a very
    // dark drawn pixel.
    Image flatten(Role role) const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    Edge edge_;
};

}  // namespace artwork
