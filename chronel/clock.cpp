// clock.cpp - Clock, the digital clock with air temperature and voltmeter:
// a liquid-crystal window whose upper line shows the outside air
// temperature (or, after a click on the button, the voltage) and whose
// lower line shows the time of day, the areas that set the time, and a
// zoom area for window 1010.
#include "gauges.h"
#include "format.h"
#include "helpers.h"
#include "module.h"

namespace chronel {

using namespace frame;

namespace {

constexpr std::uint32_t kAirTemperature = 350;  // FLOAT64, 1/256 degrees Celsius
constexpr std::uint32_t kUnits = 335;  // FLOAT64, 0: Fahrenheit
constexpr std::uint32_t kVolts = 752;  // FLOAT64
constexpr std::uint32_t kHours = 3;  // FLOAT64
constexpr std::uint32_t kMinutes = 4;  // FLOAT64
constexpr std::uint32_t kSeconds = 5;  // FLOAT64

constexpr double kTemperatureScale = 256.0;
// The upper line holds three digits, or a sign and two.
constexpr double kLowestShown = -99.0;
constexpr double kHighestShown = 999.0;

// 0: the upper line shows the temperature; otherwise the voltage.
std::int8_t ClockDisplayMode = 0;

double FRAME_API ClockUpperText(Element* element) {
    StringElement* s = as_string(element);
    double a = read_f64(s->source[0]);
    double u = read_f64(s->source[1]);
    double v = read_f64(s->source[2]);
    bool fahrenheit = u == 0.0;
    double t = a * kTemperatureScale;
    if (fahrenheit) {
        t = t * 9;
        t = t / 5;
        t = t + 32;
    }
    // In the unit shown, so that the text always fits its six characters.
    t = clamp_upper_first(t, kLowestShown, kHighestShown);
    // 0xBA is the degree mark of the readout's character set.
    if (ClockDisplayMode != 0)
        format_text(s, "%4d V", truncate_i32(v));
    else
        format_text(s, fahrenheit ? "%3d \xBA" "F" : "%3d \xBA" "C", truncate_i32(t));
    return t;
}

// A time field as the display holds it: the low 8 bits of the truncated
// value.
int time_field(const SourceVariable& v) {
    return static_cast<std::uint8_t>(truncate_i32(read_f64(v)));
}

// The variables are bound seconds, minutes, hours; the text reads the
// other way.
double FRAME_API ClockLowerText(Element* element) {
    StringElement* s = as_string(element);
    int seconds = time_field(s->source[0]);
    int minutes = time_field(s->source[1]);
    int hours = time_field(s->source[2]);
    format_text(s, "%02d:%02d:%02d", hours, minutes, seconds);
    return seconds;
}

std::int32_t FRAME_API ClockModeToggle(std::int32_t, std::int32_t) {
    ClockDisplayMode = static_cast<std::int8_t>(1 - ClockDisplayMode);
    return 0;
}

const FailureRecord ClockLineFailures[] = {
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

// The host's numbers for the fields it can select for setting. The list
// ends at its first record numbered 0.
const HighlightRecord ClockTimeFields[] = {
    {.number = 24, .first = 0, .last = 1},
    {.number = 25, .first = 3, .last = 4},
    {.number = 26, .first = 6, .last = 7},
    {.number = 0, .first = 0, .last = 0},
};

StringElement ClockUpperLine = {
    .base = {.kind = kString,
             .bitmap = kNoBitmap,
             .position = {55, 70},
             .offset = {0, 0},
             .gauge = &ClockGauge,
             .children = nullptr,
             .failures = ClockLineFailures,
             .image_flags = 0x7,
             .flags2 = 0},
    .source = {{.token = kAirTemperature}, {.token = kUnits}, {.token = kVolts}},
    .box_width = 200,
    .box_height = 55,
    .text_colour = 0x0a0a0a,
    .background_colour = 0x000000,
    .highlight_colour = 0xffffff,
    .font_face = "Quartz",
    .font_weight = 400,
    .charset = 1,
    .text_flags = 0x25,
    .char_count = 6,
    .highlights = nullptr,
    .callback = ClockUpperText,
};

StringElement ClockLowerLine = {
    .base = {.kind = kString,
             .bitmap = kNoBitmap,
             .position = {25, 132},
             .offset = {0, 0},
             .gauge = &ClockGauge,
             .children = nullptr,
             .failures = ClockLineFailures,
             .image_flags = 0x7,
             .flags2 = 0},
    .source = {{.token = kSeconds}, {.token = kMinutes}, {.token = kHours}},
    .box_width = 250,
    .box_height = 68,
    .text_colour = 0x0a0a0a,
    .background_colour = 0x000000,
    .highlight_colour = 0xffffff,
    .font_face = "Quartz",
    .font_weight = 400,
    .charset = 1,
    .text_flags = 0x25,
    .char_count = 8,
    .highlights = ClockTimeFields,
    .callback = ClockLowerText,
};

Element* ClockFaceChildren[3] = {&ClockUpperLine.base, &ClockLowerLine.base, nullptr};

StaticImageElement ClockFace = {
    .base = {.kind = kStaticImage,
             .bitmap = 336,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &ClockGauge,
             .children = ClockFaceChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
};

Element* ClockElements[] = {&ClockFace.base, nullptr};

// Over the lower line: each of hours and minutes has a down and an up half;
// the seconds have one area of their own.
const MouseArea ClockMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43798),
    mouse_function({140, 10, 35, 35}, Cursor::kHand, ClockModeToggle),
    mouse_function({20, 200, 230, 100}, Cursor::kHand, ZoomWindowAction<1010>),
    mouse_parent({20, 125, 230, 70}, 43798),
    mouse_event({0, 0, 30, 70}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65657),
    mouse_event({30, 0, 30, 70}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65658),
    mouse_event({85, 0, 30, 70}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65659),
    mouse_event({115, 0, 30, 70}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65660),
    mouse_event({175, 0, 60, 70}, Cursor::kHand, MouseFlags::kLeftClick, 65661),
    mouse_end_parent(),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader ClockGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Clock",
    .elements = ClockElements,
    .routines = kForwardingRoutines,
    .size_mm = 70,
    .mouse_list = ClockMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace chronel
