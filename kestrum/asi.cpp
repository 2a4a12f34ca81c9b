// asi.cpp - Asi, the airspeed indicator: a needle over a dial in knots, 40
// to 200, a three-digit readout switched by a click on the lower face, a
// zoom area for window 1001, and the module's one gauge callback, which
// fires event 65957 on service 2.
#include "format.h"
#include "gauges.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

namespace {

constexpr std::uint32_t kAirspeed = 61;  // knots, FLOAT64
constexpr double kNeedleLow = 0.0;
constexpr double kNeedleHigh = 210.0;

constexpr std::int32_t kServiceFiresEvent = 2;
constexpr std::uint32_t kAsiEvent = 65957;
constexpr std::uint32_t kAsiEventValue = 1;

// The readout's switch, shared by every Asi on the panel.
std::int8_t AsiReadoutToggle = 0;

double FRAME_API AsiNeedleValue(Element* element) {
    return clamp_upper_first(read_f64(as_needle(element)->source), kNeedleLow, kNeedleHigh);
}

// The readout is not clamped: it shows the airspeed where the needle stops.
double FRAME_API AsiReadoutText(Element* element) {
    StringElement* s = as_string(element);
    double v = read_f64(s->source[0]);
    if (readout_on(AsiReadoutToggle))
        format_c_text(s, "%3d", truncate_i32(v));
    else
        write_text(s, "");
    return v;
}

void FRAME_API AsiGaugeCallback(GaugeHeader*, std::int32_t service, std::uint32_t) {
    if (service == kServiceFiresEvent) host()->trigger_key_event(kAsiEvent, kAsiEventValue);
}

// Clockwise around the pivot (148, 150) from straight up; below 40 knots
// the needle moves evenly from straight up to the 40 mark.
CalibrationPoint AsiNeedleTable[] = {
    {.x = 148, .y = 52, .value = 0},    {.x = 182, .y = 82, .value = 40},
    {.x = 219, .y = 122, .value = 60},  {.x = 219, .y = 180, .value = 80},
    {.x = 173, .y = 223, .value = 100}, {.x = 121, .y = 221, .value = 120},
    {.x = 85, .y = 193, .value = 140},  {.x = 72, .y = 159, .value = 160},
    {.x = 75, .y = 127, .value = 180},  {.x = 94, .y = 96, .value = 200},
    {.x = 108, .y = 84, .value = 210},
};

const FailureRecord AsiNeedleFailures[] = {
    {.key = 6, .action = 1, .reserved = 0},
    {.key = 3, .action = 1, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord AsiReadoutFailures[] = {
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 21, .action = 3, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

StringElement AsiReadout = {
    .base = {.kind = kString,
             .bitmap = kNoBitmap,
             .position = {30, 20},
             .offset = {0, 0},
             .gauge = &AsiGauge,
             .children = nullptr,
             .failures = AsiReadoutFailures,
             .image_flags = 0x7,
             .flags2 = 0},
    .source = {{.token = kAirspeed}, {.token = 0}, {.token = 0}},
    .box_width = 90,
    .box_height = 50,
    .text_colour = 0x00ff00,
    .background_colour = 0x646464,
    .highlight_colour = 0x5c5c5c,
    .font_face = "Quartz",
    .font_weight = 400,
    .charset = 1,
    .text_flags = 0x25,
    .char_count = 3,
    .highlights = nullptr,
    .callback = AsiReadoutText,
};

Element* AsiNeedleChildren[] = {&AsiReadout.base, nullptr};

NeedleElement AsiNeedle = {
    .base = {.kind = kNeedle,
             .bitmap = 273,
             .position = {148, 150},
             .offset = {54, 54},
             .gauge = &AsiGauge,
             .children = AsiNeedleChildren,
             .failures = AsiNeedleFailures,
             .image_flags = 0x83,
             .flags2 = 0},
    .source = {.token = kAirspeed},
    .callback = AsiNeedleValue,
    .table = AsiNeedleTable,
    .table_rows = sizeof AsiNeedleTable / sizeof AsiNeedleTable[0],
    .rate_limit = 6,
};

Element* AsiDialChildren[] = {&AsiNeedle.base, nullptr};

StaticImageElement AsiDial = {
    .base = {.kind = kStaticImage,
             .bitmap = 272,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &AsiGauge,
             .children = AsiDialChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
};

Element* AsiElements[] = {&AsiDial.base, nullptr};

const MouseArea AsiMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43778),
    mouse_function({0, 0, 300, 130}, Cursor::kHand, ZoomWindowAction<1001>),
    mouse_function({0, 140, 300, 100}, Cursor::kHand, ReadoutFlip<AsiReadoutToggle, false>),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader AsiGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Asi",
    .elements = AsiElements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = AsiMouse,
    .callback = AsiGaugeCallback,
    .host_data = nullptr,
};

}  // namespace kestrum
