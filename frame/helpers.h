// helpers.h - the few rules every callback shares: reading a variable in its
// form, clamping in a fixed order, truncating to a 32-bit integer, and
// writing a text into the host's buffer without passing its capacity.
#pragma once

#include <cstdint>
#include <cstring>

#include "records.h"

namespace frame {

// ------------------------------------------------------- variable values

inline double read_f64(const SourceVariable& v) {
    double d;
    std::memcpy(&d, v.value, sizeof d);
    return d;
}

inline std::int32_t read_i32(const SourceVariable& v) {
    std::int32_t i;
    std::memcpy(&i, v.value, sizeof i);
    return i;
}

inline std::uint16_t read_u16(const SourceVariable& v) {
    std::uint16_t u;
    std::memcpy(&u, v.value, sizeof u);
    return u;
}

// ------------------------------------------------------------- clamping
//
// A value that is not a number fails every comparison; each order below
// sends it to the lower bound, as the dials expect.

// Upper bound tested first: v > hi gives hi; v < lo or NaN gives lo.
inline double clamp_upper_first(double v, double lo, double hi) {
    if (v > hi) return hi;
    if (v < lo || v != v) return lo;
    return v;
}

// Lower bound tested first: v < lo or NaN gives lo; v > hi gives hi.
inline double clamp_lower_first(double v, double lo, double hi) {
    if (v < lo || v != v) return lo;
    if (v > hi) return hi;
    return v;
}

// ----------------------------------------------------------- truncation
//
// Truncation toward zero to a 32-bit signed integer, defined for every
// double. Values that have no 32-bit result (NaN, infinities, anything at
// or beyond +-2^31 after truncation) give INT32_MIN, the result the x86
// conversion instruction produces, so the native and the 32-bit Windows
// builds agree.
inline constexpr std::int32_t kTruncationInvalid = INT32_MIN;

inline std::int32_t truncate_i32(double v) {
    if (v > -2147483649.0 && v < 2147483648.0) return static_cast<std::int32_t>(v);
    return kTruncationInvalid;
}

// ---------------------------------------------------------------- text

// Copies the NUL-terminated text into the element's buffer: at most
// capacity - 1 bytes, always followed by NUL. A null buffer or zero
// capacity writes nothing.
inline void write_text(StringElement* s, const char* text) {
    if (s->text == nullptr || s->text_capacity == 0) return;
    std::size_t n = std::strlen(text);
    if (n > s->text_capacity - 1) n = s->text_capacity - 1;
    std::memcpy(s->text, text, n);
    s->text[n] = '\0';
}

inline StringElement* as_string(Element* e) { return reinterpret_cast<StringElement*>(e); }
inline NeedleElement* as_needle(Element* e) { return reinterpret_cast<NeedleElement*>(e); }
inline SliderElement* as_slider(Element* e) { return reinterpret_cast<SliderElement*>(e); }
inline IconElement* as_icon(Element* e) { return reinterpret_cast<IconElement*>(e); }
inline MovingImageElement* as_moving(Element* e) { return reinterpret_cast<MovingImageElement*>(e); }
inline SpriteElement* as_sprite(Element* e) { return reinterpret_cast<SpriteElement*>(e); }

}  // namespace frame
