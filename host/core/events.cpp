// events.cpp - see events.h.
#include "events.h"

#include <array>
#include <cmath>

namespace host {

namespace {

// Token numbers the knobs act on; docs/host.md lists their units.
constexpr std::uint32_t kAltimeterSetting = 76;  // inches of mercury
constexpr std::uint32_t kNav1Course = 854;  // degrees, the CDI card and the HSI course pointer
constexpr std::uint32_t kNav1CourseKnob = 45;  // the same course, as the HSI knob and readout show it
constexpr std::uint32_t kNav2Course = 54;
constexpr std::uint32_t kHeadingBug = 855;
constexpr std::uint32_t kHeadingBugKnob = 107;
constexpr std::uint32_t kAdfCard = 22;
constexpr std::uint32_t kClockHours = 3;
constexpr std::uint32_t kClockMinutes = 4;
constexpr std::uint32_t kClockSeconds = 5;

// The setting card carries 28.1 to 31.5; the knob stops at its ends.
constexpr double kSettingLow = 28.1, kSettingHigh = 31.5, kSettingStep = 0.01;
constexpr double kDegreeStep = 1.0;

constexpr EventEffect step_setting(std::uint32_t event, const char* name, double step) {
    return {event, name, EventAction::kStep, {kAltimeterSetting, 0}, step, kSettingLow, kSettingHigh, false,
            kSettingStep};
}
constexpr EventEffect step_degrees(std::uint32_t event, const char* name, std::uint32_t a, std::uint32_t b,
                                   double step) {
    return {event, name, EventAction::kStep, {a, b}, step, 0, 360, true, 0};
}
constexpr EventEffect step_clock(std::uint32_t event, const char* name, std::uint32_t token, double step,
                                 double high) {
    return {event, name, EventAction::kStep, {token, 0}, step, 0, high, true, 1};
}

constexpr std::array kEffects = {
    step_setting(65883, "altimeter setting up 0.01 inHg", +kSettingStep),
    step_setting(65884, "altimeter setting down 0.01 inHg", -kSettingStep),
    step_degrees(65662, "NAV1 course down 1 degree", kNav1Course, kNav1CourseKnob, -kDegreeStep),
    step_degrees(65663, "NAV1 course up 1 degree", kNav1Course, kNav1CourseKnob, +kDegreeStep),
    step_degrees(65664, "NAV2 course down 1 degree", kNav2Course, 0, -kDegreeStep),
    step_degrees(65665, "NAV2 course up 1 degree", kNav2Course, 0, +kDegreeStep),
    step_degrees(65879, "heading bug right 1 degree", kHeadingBug, kHeadingBugKnob, +kDegreeStep),
    step_degrees(65880, "heading bug left 1 degree", kHeadingBug, kHeadingBugKnob, -kDegreeStep),
    step_degrees(65881, "ADF card up 1 degree", kAdfCard, 0, +kDegreeStep),
    step_degrees(65882, "ADF card down 1 degree", kAdfCard, 0, -kDegreeStep),
    step_clock(65657, "clock hours down 1", kClockHours, -1, 24),
    step_clock(65658, "clock hours up 1", kClockHours, +1, 24),
    step_clock(65659, "clock minutes down 1", kClockMinutes, -1, 60),
    step_clock(65660, "clock minutes up 1", kClockMinutes, +1, 60),
    EventEffect{65661, "clock seconds to zero", EventAction::kZero, {kClockSeconds, 0}, 0, 0, 60, true, 1},
};

double stepped(const EventEffect& e, double v) {
    // A value that is not a number starts the knob from its low end.
    if (!std::isfinite(v)) v = e.low;
    v += e.step;
    if (e.resolution > 0) v = std::round(v / e.resolution) * e.resolution;
    if (e.wraps) {
        double span = e.high - e.low;
        v = std::fmod(v - e.low, span);
        if (v < 0) v += span;
        v += e.low;
        if (v >= e.high) v = e.low;  // fmod's rounding can land on the top
    } else {
        v = v < e.low ? e.low : v > e.high ? e.high : v;
    }
    return v;
}

}  // namespace

std::span<const EventEffect> event_effects() { return kEffects; }

const EventEffect* find_event_effect(std::uint32_t event) {
    for (const EventEffect& e : kEffects)
        if (e.event == event) return &e;
    return nullptr;
}

bool apply_event(VariableStore& store, std::uint32_t event) {
    const EventEffect* e = find_event_effect(event);
    if (e == nullptr) return false;
    // The first token leads; the second shows the same setting elsewhere.
    double v = e->action == EventAction::kZero ? 0.0 : stepped(*e, store.number(e->tokens[0]));
    for (std::uint32_t token : e->tokens)
        if (token != 0) store.set_f64(token, v);
    return true;
}

}  // namespace host
