// image.h - a drawn bitmap before it is reduced to a palette: per pixel a
// colour and what the host is to do with it.
#pragma once

#include <compare>
#include <cstdint>
#include <vector>

namespace artwork {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend auto operator<=>(const Rgb&, const Rgb&) = default;
};

// The two colours the host gives a meaning: pure black is never drawn, and
// in a mask (1, 1, 1) is where the texture or strip shows through.
inline constexpr Rgb kNotDrawn{0, 0, 0};
inline constexpr Rgb kWindow{1, 1, 1};

enum class Ink : std::uint8_t {
    blank,   // not drawn: written as pure black
    window,  // mask only: written as exactly (1, 1, 1)
    drawn,   // written as the palette colour nearest to its colour
};

// Rows top-down, as drawn; the BMP writer turns them bottom-up.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Ink> ink;
    std::vector<Rgb> colour;

    Image() = default;
    Image(int w, int h)
        : width(w), height(h), ink(std::size_t(w) * h, Ink::blank), colour(std::size_t(w) * h) {}
    std::size_t at(int x, int y) const { return std::size_t(y) * width + x; }
};

}  // namespace artwork
