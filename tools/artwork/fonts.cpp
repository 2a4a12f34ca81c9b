// fonts.cpp - DejaVu faces through FreeType, by file path.
#include "fonts.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <stdexcept>
#include <string>

namespace artwork {

namespace {

// Debian's fonts-dejavu-core.
constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

const char* file_of(Face face) {
    switch (face) {
        case Face::sans:
            return "DejaVuSans.ttf";
        case Face::sans_bold:
            return "DejaVuSans-Bold.ttf";
        case Face::condensed:
            return "DejaVuSansCondensed.ttf";
        case Face::condensed_bold:
            return "DejaVuSansCondensed-Bold.ttf";
        case Face::mono:
            return "DejaVuSansMono.ttf";
        case Face::mono_bold:
            return "DejaVuSansMono-Bold.ttf";
    }
    throw std::logic_error("unknown face");
}

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) throw std::runtime_error("FreeType did not start");
        return l;
    }();
    return lib;
}

}  // namespace

cairo_font_face_t* font_face(Face face) {
    static std::array<cairo_font_face_t*, 6> loaded{};
    auto& slot = loaded.at(static_cast<std::size_t>(face));
    if (slot) return slot;
    const std::string path = std::string(kFontDir) + file_of(face);
    FT_Face ft = nullptr;
    if (FT_New_Face(library(), path.c_str(), 0, &ft) != 0)
        throw std::runtime_error("cannot load font " + path);
    slot = cairo_ft_font_face_create_for_ft_face(ft, 0);
    return slot;
}

}  // namespace artwork
