// fonts.h - the typefaces the dials are lettered in, loaded from their files
// so that no font configuration of the machine can change a bitmap.
#pragma once

#include <cairo.h>

namespace artwork {

enum class Face {
    sans,
    sans_bold,
    condensed,       // narrow figures where a dial is crowded
    condensed_bold,  // the usual dial figure
    mono,            // fixed-pitch readouts
    mono_bold,
};

// The Cairo face for a typeface, loaded on first use and kept for the
// program's life. Throws if the font file is missing.
cairo_font_face_t* font_face(Face face);

}  // namespace artwork
