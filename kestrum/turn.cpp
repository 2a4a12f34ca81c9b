// turn.cpp - Turn, the turn coordinator: an airplane symbol that banks with
// the turn indication, a ball in a curved tube, an OFF flag in a window at
// the right, and a zoom area for window 1005.
#include "gauges.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

namespace {

constexpr std::uint32_t kTurnIndication = 70;  // FLOAT64
constexpr std::uint32_t kBall = 69;  // sideways displacement, FLOAT64
constexpr std::uint32_t kPowerFlag = 279;  // 32-bit integer: 0 powered, 1 OFF
constexpr double kSymbolLimit = 900.0;
constexpr double kBallRise = 0.0625;  // pixels up per unit; sideways is 0.5625

double FRAME_API TurnNeedleValue(Element* element) {
    return clamp_upper_first(read_f64(as_needle(element)->source), -kSymbolLimit, kSymbolLimit);
}

// The tube is lowest at its centre: the ball rises 1 pixel for every 9 it
// moves sideways, whichever way.
double FRAME_API TurnBallHeight(Element* element) {
    double r = read_f64(as_slider(element)->y.source) * kBallRise;
    if (r > 0) r = -r;
    return r;
}

double FRAME_API TurnFlagIcon(Element* element) { return read_i32(as_icon(element)->source); }

// Clockwise on the right of the pivot (150, 154), right wing up to down.
CalibrationPoint TurnNeedleTable[] = {
    {.x = 205, .y = 83, .value = -900},
    {.x = 237, .y = 117, .value = -546},
    {.x = 250, .y = 154, .value = 0},
    {.x = 240, .y = 185, .value = 546},
    {.x = 213, .y = 227, .value = 900},
};

const FailureRecord TurnDialFailures[] = {
    {.key = 18, .action = 0, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord TurnSymbolFailures[] = {
    {.key = 18, .action = 1, .reserved = 0},
    {.key = 20, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

NeedleElement TurnSymbol = {
    .base = {.kind = kNeedle,
             .bitmap = 341,
             .position = {150, 154},
             .offset = {97, 37},
             .gauge = &TurnGauge,
             .children = nullptr,
             .failures = TurnSymbolFailures,
             .image_flags = 0x83,
             .flags2 = 0},
    .source = {.token = kTurnIndication},
    .callback = TurnNeedleValue,
    .table = TurnNeedleTable,
    .table_rows = sizeof TurnNeedleTable / sizeof TurnNeedleTable[0],
    .rate_limit = 6,
};

Element* TurnBallChildren[2] = {&TurnSymbol.base, nullptr};

SliderElement TurnBall = {
    .base = {.kind = kSlider,
             .bitmap = 338,
             .position = {140, 190},
             .offset = {0, 0},
             .gauge = &TurnGauge,
             .children = TurnBallChildren,
             .failures = nullptr,
             .image_flags = 0x83,
             .flags2 = 0},
    .x = {.source = {.token = kBall}, .scale = 0.5625, .callback = nullptr},
    .y = {.source = {.token = kBall}, .scale = 1, .callback = TurnBallHeight},
};

Element* TurnFlagChildren[2] = {&TurnBall.base, nullptr};

// Index 0 the empty window 339, 1 the OFF flag 340.
IconElement TurnFlag = {
    .base = {.kind = kIcon,
             .bitmap = 339,
             .position = {205, 118},
             .offset = {0, 0},
             .gauge = &TurnGauge,
             .children = TurnFlagChildren,
             .failures = nullptr,
             .image_flags = 0x2,
             .flags2 = 0},
    .source = {.token = kPowerFlag},
    .icon_count = 2,
    .callback = TurnFlagIcon,
};

Element* TurnDialChildren[2] = {&TurnFlag.base, nullptr};

StaticImageElement TurnDial = {
    .base = {.kind = kStaticImage,
             .bitmap = 337,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &TurnGauge,
             .children = TurnDialChildren,
             .failures = TurnDialFailures,
             .image_flags = 0x1,
             .flags2 = 0},
};

Element* TurnElements[] = {&TurnDial.base, nullptr};

const MouseArea TurnMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43889),
    mouse_function({0, 0, 300, 230}, Cursor::kHand, ZoomWindowAction<1005>),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader TurnGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Turn",
    .elements = TurnElements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = TurnMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace kestrum
