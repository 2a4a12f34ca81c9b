// format.h - printf-style readouts written into the host's text buffer.
//
// Integer and string formats go through the Windows formatter wsprintfA on
// the 32-bit Windows build, as the readouts always have; the native build
// uses wsprintf_compat, which gives the same bytes for the conversions
// wsprintfA knows (%d %i %u %x %X %c %s %%, flags '-' and '0', width and
// precision). The other readouts use the C library's vsnprintf on both.
// Either way the text stops at the buffer's capacity and ends in NUL.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "records.h"

namespace frame {

// The most wsprintfA ever writes, NUL excluded.
inline constexpr std::size_t kWsprintfLimit = 1024;

// wsprintfA's rules on any platform: writes at most kWsprintfLimit bytes
// and a NUL into out, which must hold kWsprintfLimit + 1 bytes. Returns the
// number of bytes written before the NUL.
int wsprintf_compat(char* out, const char* format, std::va_list args);

// Formats with wsprintfA's rules into the element's buffer.
void format_text(StringElement* s, const char* format, ...);

// Formats with the C library's printf rules into the element's buffer.
void format_c_text(StringElement* s, const char* format, ...);

}  // namespace frame
