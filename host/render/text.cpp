// text.cpp - see text.h.
#include "text.h"

#include <cmath>
#include <numbers>

#include "policy.h"

namespace host {

namespace {

constexpr char32_t kDegreeSign = 0x00B0;

// 0x80 to 0x9F of Windows-1252; the rest of 0xA0 to 0xFF is Latin-1.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The glyph of one character, or 0 (the font's missing glyph).
unsigned long glyph_of(cairo_scaled_font_t* font, char32_t c) {
    std::string s = utf8(c);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    unsigned long index = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, s.c_str(), static_cast<int>(s.size()), &glyphs, &count,
                                         nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
        count == 1)
        index = glyphs[0].index;
    cairo_glyph_free(glyphs);
    return index;
}

double advance_of(cairo_scaled_font_t* font, unsigned long index) {
    cairo_glyph_t g{index, 0, 0};
    cairo_text_extents_t e;
    cairo_scaled_font_glyph_extents(font, &g, 1, &e);
    return e.x_advance;
}

double font_size(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_font_matrix(cr, &m);
    return std::hypot(m.yx, m.yy);
}

// The degree ring's size and place, in units of the font size: it sits at
// the top of the figures, as a degree sign does.
constexpr double kRingAdvance = 0.42;
constexpr double kRingRadius = 0.11;
constexpr double kRingLine = 0.045;

void set_colour(cairo_t* cr, std::uint32_t colorref) {
    cairo_set_source_rgb(cr, (colorref & 0xff) / 255.0, (colorref >> 8 & 0xff) / 255.0,
                         (colorref >> 16 & 0xff) / 255.0);
}

}  // namespace

char32_t readout_character(unsigned char byte) {
    if (byte == kDegreeByte) return kDegreeSign;
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

ReadoutLayout layout_readout(cairo_t* cr, const std::string& bytes) {
    ReadoutLayout out;
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char32_t c = readout_character(static_cast<unsigned char>(bytes[i]));
        if (c == 0) continue;
        ReadoutGlyph g{i, out.width, glyph_of(font, c), false};
        if (g.index == 0 && c == kDegreeSign) {
            g.ring = true;
            out.width += kRingAdvance * font_size(cr);
        } else {
            out.width += advance_of(font, g.index);
        }
        out.glyphs.push_back(g);
    }
    return out;
}

void draw_readout(cairo_t* cr, const ReadoutLayout& layout, double x, double baseline,
                  const std::function<std::uint32_t(std::size_t)>& colour_of) {
    double size = font_size(cr);
    // The top of the figures, for the ring: the ascent of a zero.
    double top = baseline - size * 0.7;
    if (unsigned long zero = glyph_of(cairo_get_scaled_font(cr), U'0'); zero != 0) {
        cairo_glyph_t g{zero, 0, 0};
        cairo_text_extents_t e;
        cairo_scaled_font_glyph_extents(cairo_get_scaled_font(cr), &g, 1, &e);
        top = baseline + e.y_bearing;
    }
    for (const ReadoutGlyph& g : layout.glyphs) {
        set_colour(cr, colour_of(g.byte));
        if (g.ring) {
            double r = kRingRadius * size;
            cairo_new_path(cr);
            cairo_arc(cr, x + g.x + kRingAdvance * size / 2, top + r, r - kRingLine * size / 2, 0, 2 * std::numbers::pi);
            cairo_set_line_width(cr, kRingLine * size);
            cairo_stroke(cr);
            continue;
        }
        cairo_glyph_t glyph{g.index, x + g.x, baseline};
        cairo_show_glyphs(cr, &glyph, 1);
    }
}

}  // namespace host
