// man.cpp - Man, manifold pressure and fuel flow: two needles on one dial,
// pressure in inches of mercury on the left half (10 to 35), fuel flow in
// gallons per hour on the right (4 to 24), two two-digit readouts switched
// together, a zoom area for window 1009 and a tooltip per half.
#include "format.h"
#include "gauges.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

namespace {

constexpr std::uint32_t kFuelFlow = 137;  // gallons per hour, FLOAT64
constexpr std::uint32_t kManifoldPressure = 391;  // pounds per square foot, FLOAT64
constexpr double kToInchesOfMercury = 0.014139;
constexpr double kToTenthsOfGallons = 10.0;  // the fuel-flow needle's unit
constexpr double kPressureLow = 10.0, kPressureHigh = 35.0;
constexpr double kFlowLow = 20.0, kFlowHigh = 250.0;

// Both readouts' switch, shared by every Man on the panel.
std::int8_t ManReadoutToggle = 0;

double inches_of_mercury(const SourceVariable& v) { return read_f64(v) * kToInchesOfMercury; }

// The readouts format through wsprintfA on Windows, as they always have.
void write_readout(StringElement* s, double v) {
    if (readout_on(ManReadoutToggle))
        format_text(s, "%2d", truncate_i32(v));
    else
        format_text(s, "%s", "");
}

double FRAME_API ManPressureNeedle(Element* element) {
    return clamp_upper_first(inches_of_mercury(as_needle(element)->source), kPressureLow, kPressureHigh);
}

double FRAME_API ManFuelFlowNeedle(Element* element) {
    return clamp_upper_first(read_f64(as_needle(element)->source) * kToTenthsOfGallons, kFlowLow, kFlowHigh);
}

// The readouts are neither clamped nor truncated in what they return.
double FRAME_API ManPressureText(Element* element) {
    StringElement* s = as_string(element);
    double v = inches_of_mercury(s->source[0]);
    write_readout(s, v);
    return v;
}

double FRAME_API ManFuelFlowText(Element* element) {
    StringElement* s = as_string(element);
    double v = read_f64(s->source[0]);
    write_readout(s, v);
    return v;
}

// Clockwise around (158, 150) from near the top down the right side, in
// tenths of a gallon per hour, falling; there are no rows for 100 and 60.
CalibrationPoint ManFuelFlowTable[] = {
    {.x = 169, .y = 64, .value = 250},  {.x = 187, .y = 68, .value = 240},
    {.x = 214, .y = 88, .value = 220},  {.x = 232, .y = 114, .value = 200},
    {.x = 237, .y = 142, .value = 180}, {.x = 236, .y = 166, .value = 160},
    {.x = 228, .y = 189, .value = 140}, {.x = 218, .y = 204, .value = 120},
    {.x = 194, .y = 222, .value = 80},  {.x = 177, .y = 230, .value = 40},
    {.x = 156, .y = 243, .value = 20},
};

// Clockwise around (150, 150) from the lower left to the top, rising.
CalibrationPoint ManPressureTable[] = {
    {.x = 129, .y = 232, .value = 10}, {.x = 89, .y = 212, .value = 15},
    {.x = 66, .y = 173, .value = 20},  {.x = 64, .y = 127, .value = 25},
    {.x = 87, .y = 87, .value = 30},   {.x = 127, .y = 64, .value = 35},
};

// One list for both readouts.
const FailureRecord ManReadoutFailures[] = {
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 21, .action = 3, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

constexpr StringElement readout(std::int32_t x, std::uint32_t token, ValueCallback callback) {
    return {
        .base = {.kind = kString,
                 .bitmap = kNoBitmap,
                 .position = {x, 20},
                 .offset = {0, 0},
                 .gauge = &ManGauge,
                 .children = nullptr,
                 .failures = ManReadoutFailures,
                 .image_flags = 0x7,
                 .flags2 = 0},
        .source = {{.token = token}, {.token = 0}, {.token = 0}},
        .box_width = 60,
        .box_height = 50,
        .text_colour = 0x00ff00,
        .background_colour = 0x646464,
        .highlight_colour = 0x5c5c5c,
        .font_face = "Quartz",
        .font_weight = 700,
        .charset = 1,
        .text_flags = 0x25,
        .char_count = 2,
        .highlights = nullptr,
        .callback = callback,
    };
}

StringElement ManFuelFlowReadout = readout(160, kFuelFlow, ManFuelFlowText);
StringElement ManPressureReadout = readout(70, kManifoldPressure, ManPressureText);

Element* ManPressureChildren[] = {&ManFuelFlowReadout.base, &ManPressureReadout.base, nullptr};

NeedleElement ManPressure = {
    .base = {.kind = kNeedle,
             .bitmap = 293,
             .position = {150, 150},
             .offset = {10, 12},
             .gauge = &ManGauge,
             .children = ManPressureChildren,
             .failures = nullptr,
             .image_flags = 0x83,
             .flags2 = 0},
    .source = {.token = kManifoldPressure},
    .callback = ManPressureNeedle,
    .table = ManPressureTable,
    .table_rows = sizeof ManPressureTable / sizeof ManPressureTable[0],
    .rate_limit = 6,
};

Element* ManFuelFlowChildren[] = {&ManPressure.base, nullptr};

NeedleElement ManFuelFlow = {
    .base = {.kind = kNeedle,
             .bitmap = 293,
             .position = {158, 150},
             .offset = {10, 12},
             .gauge = &ManGauge,
             .children = ManFuelFlowChildren,
             .failures = nullptr,
             .image_flags = 0x83,
             .flags2 = 0},
    .source = {.token = kFuelFlow},
    .callback = ManFuelFlowNeedle,
    .table = ManFuelFlowTable,
    .table_rows = sizeof ManFuelFlowTable / sizeof ManFuelFlowTable[0],
    .rate_limit = 6,
};

Element* ManDialChildren[] = {&ManFuelFlow.base, nullptr};

StaticImageElement ManDial = {
    .base = {.kind = kStaticImage,
             .bitmap = 292,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &ManGauge,
             .children = ManDialChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
};

Element* ManElements[] = {&ManDial.base, nullptr};

// No tooltip over the whole face; the two halves carry their own.
const MouseArea ManMouse[] = {
    mouse_parent({0, 0, 0, 0}, 0),
    mouse_function({102, 0, 95, 100}, Cursor::kHand, ZoomWindowAction<1009>),
    mouse_function({102, 200, 95, 100}, Cursor::kHand, ReadoutFlip<ManReadoutToggle, true>),
    mouse_parent({0, 0, 100, 300}, 43846),
    mouse_end_parent(),
    mouse_parent({200, 0, 100, 300}, 43816),
    mouse_end_parent(),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader ManGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Man",
    .elements = ManElements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = ManMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace kestrum
