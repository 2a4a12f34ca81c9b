// policy.h - every decision the stand-in host makes on its own, as named
// constants in one place. docs/host.md explains each one.
#pragma once

#include <cstdint>

namespace host {

// Bytes of the text buffer the host gives each string element, NUL included.
inline constexpr std::uint32_t kTextBufferCapacity = 64;

// panel_window_toggle returns 1 when the window is open after the toggle,
// 0 when it is closed.
inline constexpr std::int32_t kWindowOpened = 1;
inline constexpr std::int32_t kWindowClosed = 0;

// trigger_key_event returns this.
inline constexpr std::int32_t kEventAccepted = 1;

// The value that an event fired by a mouse area carries.
inline constexpr std::uint32_t kMouseEventValue = 0;

// A needle's rate limit r lets its drawn angle move at most
// r * kRateDegreesPerSecond degrees per second toward the target angle;
// 0 takes the target at once.
inline constexpr double kRateDegreesPerSecond = 60.0;

// A string element paints its box in its background colour, except where
// that colour is pure black, which the host never draws: the bitmap beneath
// shows through (the clock's lines over their liquid-crystal window). A
// string whose text is empty draws nothing at all, so a readout switched
// off leaves the face beneath it as it is.
inline constexpr std::uint32_t kUnpaintedBackground = 0x000000;

// Highlight lists: a fired event from this table selects the highlight
// record of that number in every string element that lists it, for
// kHighlightSeconds of frame time; a later event of the table selects its
// own record instead. These are the clock's setting areas: the down and up
// halves of the hours (24) and of the minutes (25), and the seconds (26).
struct HighlightTrigger {
    std::uint32_t event;
    std::int32_t record;
};
inline constexpr HighlightTrigger kHighlightTriggers[] = {
    {65657, 24}, {65658, 24}, {65659, 25}, {65660, 25}, {65661, 26},
};
inline constexpr double kHighlightSeconds = 3.0;

// Readout text is Windows-1252; the readouts write the byte 0xBA (a
// masculine ordinal there) as their degree mark, and the host draws it as
// the degree sign.
inline constexpr unsigned char kDegreeByte = 0xBA;

// Frames per second when nothing else is asked for.
inline constexpr double kDefaultFrameRate = 18.0;

// Failure actions: what an active failure does to an element that lists it
// and to that element's children, unless a child lists an active failure of
// its own.
enum class FailureEffect {
    kNone,  // action 0: nothing visible
    kFreeze,  // action 1: the element keeps the state of its last frame
    kZero,  // action 2: the element shows its values as 0 (needles at 0)
    kBlank,  // action 3: a string shows nothing; other kinds are hidden
};

FailureEffect failure_effect(std::uint32_t action);

}  // namespace host
