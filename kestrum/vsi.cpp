// vsi.cpp - Vsi, the vertical speed indicator: one needle over a dial in
// hundreds of feet per minute, +-2000, and a zoom area for window 1007.
#include "gauges.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

namespace {

constexpr std::uint32_t kVerticalSpeed = 65;  // FLOAT64
constexpr double kToFeetPerMinute = 0.769;
constexpr double kDialLimit = 2000.0;

double FRAME_API VsiNeedleValue(Element* element) {
    double v = read_f64(as_needle(element)->source) * kToFeetPerMinute;
    return clamp_upper_first(v, -kDialLimit, kDialLimit);
}

// Clockwise around the pivot (155, 151), from just below three o'clock.
CalibrationPoint VsiNeedleTable[] = {
    {.x = 296, .y = 168, .value = -2000},
    {.x = 244, .y = 263, .value = -1500},
    {.x = 125, .y = 294, .value = -1000},
    {.x = 30, .y = 234, .value = -500},
    {.x = 18, .y = 150, .value = 0},
    {.x = 28, .y = 65, .value = 500},
    {.x = 122, .y = 4, .value = 1000},
    {.x = 242, .y = 35, .value = 1500},
    {.x = 295, .y = 131, .value = 2000},
};

const FailureRecord VsiDialFailures[] = {
    {.key = 19, .action = 1, .reserved = 0},
    {.key = 3, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

NeedleElement VsiNeedle = {
    .base = {.kind = kNeedle,
             .bitmap = 257,
             .position = {155, 151},
             .offset = {50, 8},
             .gauge = &VsiGauge,
             .children = nullptr,
             .failures = nullptr,
             .image_flags = 0x3,
             .flags2 = 0},
    .source = {.token = kVerticalSpeed},
    .callback = VsiNeedleValue,
    .table = VsiNeedleTable,
    .table_rows = sizeof VsiNeedleTable / sizeof VsiNeedleTable[0],
    .rate_limit = 6,
};

Element* VsiDialChildren[2] = {&VsiNeedle.base, nullptr};

StaticImageElement VsiDial = {
    .base = {.kind = kStaticImage,
             .bitmap = 256,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &VsiGauge,
             .children = VsiDialChildren,
             .failures = VsiDialFailures,
             .image_flags = 0x1,
             .flags2 = 0},
};

Element* VsiElements[] = {&VsiDial.base, nullptr};

const MouseArea VsiMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43894),
    mouse_function({0, 0, 300, 230}, Cursor::kHand, ZoomWindowAction<1007>),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader VsiGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Vsi",
    .elements = VsiElements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = VsiMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace kestrum
