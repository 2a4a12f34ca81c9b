// png_writer.h - writes Cairo image surfaces as PNG files, faster than Cairo's own
// writer: a run renders hundreds of frames, and most of a frame's time
// would otherwise go into compressing it hard.
#pragma once

#include <string>

#include <cairo.h>

namespace host {

// zlib's level 1 with the "up" filter: files about a fifth larger than the
// default's, written several times faster.
inline constexpr int kPngCompression = 1;

// Writes an RGB24 or ARGB32 surface as an 8-bit RGB PNG (alpha dropped).
// Throws HostError if the file cannot be written.
void write_png(cairo_surface_t* surface, const std::string& path, int compression = kPngCompression);

}  // namespace host
