// text.h - readout text as the host draws it: the bytes a module wrote,
// read as Windows-1252 (0xBA standing for the degree mark), laid out glyph
// by glyph in the current font so that each character can take its own
// colour, with a drawn degree ring where the font has no degree sign.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace host {

// The character a readout byte stands for: Windows-1252, except that
// kDegreeByte is the degree sign. 0 for the five bytes Windows-1252 leaves
// undefined, which draw nothing.
char32_t readout_character(unsigned char byte);

struct ReadoutGlyph {
    std::size_t byte;  // index of the byte in the text
    double x;  // pen position from the start of the line
    unsigned long index;  // the font's glyph
    bool ring;  // a degree mark the font cannot draw: drawn as a ring
};

struct ReadoutLayout {
    std::vector<ReadoutGlyph> glyphs;
    double width = 0;  // the pen's advance over the whole line
};

// Lays the bytes out on one line in the context's current font and size.
ReadoutLayout layout_readout(cairo_t* cr, const std::string& bytes);

// Draws a layout with its pen starting at (x, baseline); each glyph in the
// colour colour_of(byte index) gives, as 0x00BBGGRR.
void draw_readout(cairo_t* cr, const ReadoutLayout& layout, double x, double baseline,
                  const std::function<std::uint32_t(std::size_t)>& colour_of);

}  // namespace host
