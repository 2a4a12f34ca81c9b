// rpm.cpp - Rpm, the tachometer: a needle over a dial in hundreds of
// revolutions per minute, 0 to 3500, a switchable four-digit readout, and
// below the centre an hour meter of five drums, four whole-hour digits and
// a fifth that rolls once an hour. A zoom area toggles window 1004.
#include "format.h"
#include "gauges.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

namespace {

constexpr std::uint32_t kEngineSpeed = 390;  // revolutions per minute, FLOAT64
constexpr std::uint32_t kRunningTime = 607;  // seconds, FLOAT64
constexpr double kNeedleLow = 0.0;
constexpr double kNeedleHigh = 3500.0;
constexpr double kSecondsPerHour = 3600.0;

// The readout's switch, shared by every Rpm on the panel.
std::int8_t RpmReadoutToggle = 0;

double FRAME_API RpmNeedleValue(Element* element) {
    return clamp_upper_first(read_f64(as_needle(element)->source), kNeedleLow, kNeedleHigh);
}

// The readout is not clamped: it shows the speed where the needle stops.
double FRAME_API RpmReadoutText(Element* element) {
    StringElement* s = as_string(element);
    double r = read_f64(s->source[0]);
    if (readout_on(RpmReadoutToggle))
        format_c_text(s, "%4d", truncate_i32(r));
    else
        format_c_text(s, "%s", "");
    return r;
}

// The running time in hours, and its whole hours truncated toward zero.
// The digits are exact decimal digits of the whole hours with C++'s
// truncating / and %, so a negative time gives digits of 0 or less and
// from 10,000 hours on the first drum's value passes 9.
struct Hours {
    double hours;
    std::int32_t whole;
};

Hours running_hours(Element* element) {
    double x = read_f64(as_moving(element)->y.source) / kSecondsPerHour;
    return {x, truncate_i32(x)};
}

double FRAME_API RpmHourDigit1(Element* element) { return running_hours(element).whole / 1000; }
double FRAME_API RpmHourDigit2(Element* element) { return running_hours(element).whole / 100 % 10; }
double FRAME_API RpmHourDigit3(Element* element) { return running_hours(element).whole / 10 % 10; }
double FRAME_API RpmHourDigit4(Element* element) { return running_hours(element).whole % 10; }

// Not truncated: 0 at the start of each hour, just under 100 at its end.
double FRAME_API RpmHourFraction(Element* element) {
    Hours h = running_hours(element);
    return (h.hours - h.whole) * 100.0;
}

// Clockwise around the pivot (150, 150) from the lower left.
CalibrationPoint RpmNeedleTable[] = {
    {.x = 80, .y = 213, .value = 0},     {.x = 54, .y = 165, .value = 500},
    {.x = 64, .y = 102, .value = 1000},  {.x = 112, .y = 58, .value = 1500},
    {.x = 179, .y = 54, .value = 2000},  {.x = 231, .y = 92, .value = 2500},
    {.x = 248, .y = 154, .value = 3000}, {.x = 222, .y = 211, .value = 3500},
};

// One list for all five drums.
const FailureRecord RpmDrumFailures[] = {
    {.key = 20, .action = 1, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord RpmNeedleFailures[] = {
    {.key = 2, .action = 1, .reserved = 0},
    {.key = 20, .action = 1, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord RpmReadoutFailures[] = {
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 21, .action = 3, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

StringElement RpmReadout = {
    .base = {.kind = kString,
             .bitmap = kNoBitmap,
             .position = {80, 20},
             .offset = {0, 0},
             .gauge = &RpmGauge,
             .children = nullptr,
             .failures = RpmReadoutFailures,
             .image_flags = 0x7,
             .flags2 = 0},
    .source = {{.token = kEngineSpeed}, {.token = 0}, {.token = 0}},
    .box_width = 120,
    .box_height = 50,
    .text_colour = 0x00ff00,
    .background_colour = 0x646464,
    .highlight_colour = 0x5c5c5c,
    .font_face = "Quartz",
    .font_weight = 700,
    .charset = 1,
    .text_flags = 0x25,
    .char_count = 4,
    .highlights = nullptr,
    .callback = RpmReadoutText,
};

Element* RpmNeedleChildren[] = {&RpmReadout.base, nullptr};

NeedleElement RpmNeedle = {
    .base = {.kind = kNeedle,
             .bitmap = 289,
             .position = {150, 150},
             .offset = {10, 10},
             .gauge = &RpmGauge,
             .children = RpmNeedleChildren,
             .failures = RpmNeedleFailures,
             .image_flags = 0x83,
             .flags2 = 0},
    .source = {.token = kEngineSpeed},
    .callback = RpmNeedleValue,
    .table = RpmNeedleTable,
    .table_rows = sizeof RpmNeedleTable / sizeof RpmNeedleTable[0],
    .rate_limit = 6,
};

// A drum of the hour meter at x on the meter's row; the strip holds the
// digits 0 to 9 from top to bottom and id + 1 is its window.
constexpr MovingImageElement drum(std::int32_t strip, std::int32_t x, double y_maximum,
                                  ValueCallback callback, Element** children) {
    return {
        .base = {.kind = kMovingImage,
                 .bitmap = strip,
                 .position = {x, 185},
                 .offset = {0, 0},
                 .gauge = &RpmGauge,
                 .children = children,
                 .failures = RpmDrumFailures,
                 .image_flags = 0x3,
                 .flags2 = 0},
        .x = {.source = {.token = 0}, .minimum = 0, .maximum = 0, .callback = nullptr},
        .y = {.source = {.token = kRunningTime}, .minimum = 0, .maximum = y_maximum, .callback = callback},
    };
}

Element* RpmFractionChildren[] = {&RpmNeedle.base, nullptr};

MovingImageElement RpmDrum1 = drum(354, 104, 9, RpmHourDigit1, nullptr);
MovingImageElement RpmDrum2 = drum(354, 123, 9, RpmHourDigit2, nullptr);
MovingImageElement RpmDrum3 = drum(354, 142, 9, RpmHourDigit3, nullptr);
MovingImageElement RpmDrum4 = drum(354, 161, 9, RpmHourDigit4, nullptr);
MovingImageElement RpmDrum5 = drum(357, 180, 99, RpmHourFraction, RpmFractionChildren);

Element* RpmDialChildren[] = {&RpmDrum1.base, &RpmDrum2.base, &RpmDrum3.base,
                              &RpmDrum4.base, &RpmDrum5.base, nullptr};

StaticImageElement RpmDial = {
    .base = {.kind = kStaticImage,
             .bitmap = 288,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &RpmGauge,
             .children = RpmDialChildren,
             .failures = nullptr,
             .image_flags = 0x81,
             .flags2 = 0},
};

Element* RpmElements[] = {&RpmDial.base, nullptr};

const MouseArea RpmMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43864),
    mouse_function({0, 0, 300, 100}, Cursor::kHand, ZoomWindowAction<1004>),
    mouse_function({0, 200, 300, 100}, Cursor::kHand, ReadoutFlip<RpmReadoutToggle, true>),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader RpmGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Rpm",
    .elements = RpmElements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = RpmMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace kestrum
