// dme.cpp - DME, the distance measuring readout: three amber lines (distance
// in nautical miles, ground speed in knots, minutes to the station) for the
// navigation receiver its channel button selects, and a power switch. Power
// and channel are the module's own flags; the time line reads both
// distances through records of its own, refreshed on every call.
#include "format.h"
#include "gauges.h"
#include "helpers.h"
#include "module.h"

namespace navrel {

using namespace frame;

namespace {

// Receiver 1 and receiver 2, FLOAT64 each; -1.0 is the no-reading mark.
constexpr std::uint32_t kNav1Distance = 31;
constexpr std::uint32_t kNav1Speed = 32;
constexpr std::uint32_t kNav2Distance = 35;
constexpr std::uint32_t kNav2Speed = 36;
constexpr std::uint32_t kLinesBound = 355;  // bound to the three lines, read by none
constexpr std::uint32_t kChannelBound = 66286;  // bound to the channel icon, read by none
constexpr double kNoReading = -1.0;

// Module state, shared by every instance of the gauge: 0 at load, off and
// receiver 1.
std::int8_t DmePower = 0;
std::int8_t DmeChannel = 0;

// The distances the time line divides by the speed.
SourceVariable DmeNav1Distance = {.token = kNav1Distance};
SourceVariable DmeNav2Distance = {.token = kNav2Distance};

constexpr const char* kNoValue = "---";

bool powered() { return DmePower != 0; }
bool receiver2() { return DmeChannel != 0; }

// Whether a value truncates to a 32-bit integer at all.
bool fits_i32(double v) { return v > -2147483649.0 && v < 2147483648.0; }

// ------------------------------------------------------------ callbacks

// Top line: the selected distance to the nearest mile, halves going up.
double FRAME_API DmeDistanceText(Element* element) {
    StringElement* s = as_string(element);
    const double d1 = read_f64(s->source[0]), d2 = read_f64(s->source[1]);
    const double e1 = d1 + 0.5, e2 = d2 + 0.5;
    if (!powered()) {
        format_text(s, "%s", "");
    } else {
        const double d = receiver2() ? d2 : d1;
        const double e = receiver2() ? e2 : e1;
        // A distance with no 32-bit mile count (not a number, infinite,
        // beyond 2^31) has no valid value either.
        if (d == kNoReading || !fits_i32(e))
            format_text(s, "%s", kNoValue);
        else
            format_text(s, "%3d", truncate_i32(e));
    }
    return e1;
}

// The speed rounded to whole knots, kept as the unit's 16-bit count.
std::uint16_t knots(double speed) { return static_cast<std::uint16_t>(truncate_i32(speed + 0.5)); }

// Middle line: 1 to 998 knots, "---" for anything else.
double FRAME_API DmeSpeedText(Element* element) {
    StringElement* s = as_string(element);
    const std::uint16_t k1 = knots(read_f64(s->source[0])), k2 = knots(read_f64(s->source[1]));
    if (!powered()) {
        format_text(s, "%s", "");
    } else {
        const std::uint16_t k = receiver2() ? k2 : k1;
        if (k == 0 || k >= 999)
            format_text(s, "%s", kNoValue);
        else
            format_text(s, "%3d", static_cast<int>(k));
    }
    return k1;
}

// Bottom line: minutes to the station, the selected distance over the
// selected speed, for any time under 999 hours.
double FRAME_API DmeTimeText(Element* element) {
    StringElement* s = as_string(element);
    const double s1 = read_f64(s->source[0]), s2 = read_f64(s->source[1]);
    host()->lookup_var(&DmeNav1Distance);
    host()->lookup_var(&DmeNav2Distance);
    if (!powered()) {
        format_text(s, "%s", "");
        return s1;
    }
    const double speed = receiver2() ? s2 : s1;
    const double distance = read_f64(receiver2() ? DmeNav2Distance : DmeNav1Distance);
    // A speed of 0 gives no finite time; it is not divided by.
    double hours = -1.0;
    if (speed != kNoReading && speed != 0.0) hours = distance / speed;
    if (hours > 0.0 && hours < 999.0)
        format_text(s, "%3d", truncate_i32(hours * 60.0 + 0.5));
    else
        format_text(s, "%s", kNoValue);
    return s1;
}

double FRAME_API DmePowerIcon(Element*) { return DmePower; }
double FRAME_API DmeChannelIcon(Element*) { return DmeChannel; }

// ------------------------------------------------------- mouse functions

std::int32_t FRAME_API DmePowerOn(std::int32_t, std::int32_t) {
    DmePower = 1;
    return 0;
}

std::int32_t FRAME_API DmePowerOff(std::int32_t, std::int32_t) {
    DmePower = 0;
    return 0;
}

std::int32_t FRAME_API DmeChannelToggle(std::int32_t, std::int32_t) {
    DmeChannel = static_cast<std::int8_t>(1 - DmeChannel);
    return 0;
}

// ------------------------------------------------------------- records

const FailureRecord DmeLineFailures[] = {
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 21, .action = 3, .reserved = 0},
    {.key = 13, .action = 0, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

// One amber line in a 105 x 60 box of the dark window.
constexpr StringElement dme_line(std::int32_t y, std::uint32_t receiver1, std::uint32_t receiver2,
                                 ValueCallback callback, Element** children) {
    return {.base = {.kind = kString,
                     .bitmap = kNoBitmap,
                     .position = {85, y},
                     .offset = {0, 0},
                     .gauge = &DmeGauge,
                     .children = children,
                     .failures = DmeLineFailures,
                     .image_flags = 0x7,
                     .flags2 = 0},
            .source = {{.token = receiver1}, {.token = receiver2}, {.token = kLinesBound}},
            .box_width = 105,
            .box_height = 60,
            .text_colour = 0x0060d0,
            .background_colour = 0x000000,
            .highlight_colour = 0xffffff,
            .font_face = "Quartz",
            .font_weight = 400,
            .charset = 1,
            .text_flags = 0x25,
            .char_count = 3,
            .highlights = nullptr,
            .callback = callback};
}

StringElement DmeTimeLine = dme_line(185, kNav1Speed, kNav2Speed, DmeTimeText, nullptr);
Element* DmeSpeedChildren[] = {&DmeTimeLine.base, nullptr};
StringElement DmeSpeedLine = dme_line(125, kNav1Speed, kNav2Speed, DmeSpeedText, DmeSpeedChildren);
Element* DmeDistanceChildren[] = {&DmeSpeedLine.base, nullptr};
StringElement DmeDistanceLine = dme_line(65, kNav1Distance, kNav2Distance, DmeDistanceText, DmeDistanceChildren);
Element* DmeChannelChildren[] = {&DmeDistanceLine.base, nullptr};

IconElement DmeChannelMark = {
    .base = {.kind = kIcon,
             .bitmap = 370,
             .position = {250, 77},
             .offset = {0, 0},
             .gauge = &DmeGauge,
             .children = DmeChannelChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
    .source = {.token = kChannelBound},
    .icon_count = 2,
    .callback = DmeChannelIcon,
};

IconElement DmePowerSwitch = {
    .base = {.kind = kIcon,
             .bitmap = 373,
             .position = {205, 203},
             .offset = {0, 0},
             .gauge = &DmeGauge,
             .children = nullptr,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
    .source = {.token = 0},
    .icon_count = 2,
    .callback = DmePowerIcon,
};

Element* DmeFaceChildren[] = {&DmePowerSwitch.base, &DmeChannelMark.base, nullptr};

StaticImageElement DmeFace = {
    .base = {.kind = kStaticImage,
             .bitmap = 368,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &DmeGauge,
             .children = DmeFaceChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
};
Element* DmeElements[] = {&DmeFace.base, nullptr};

const MouseArea DmeMouse[] = {
    mouse_parent({0, 0, 0, 0}, 42756),
    mouse_function({205, 203, 50, 30}, Cursor::kUpArrow, DmePowerOn),
    mouse_function({205, 233, 50, 30}, Cursor::kDownArrow, DmePowerOff),
    mouse_parent({210, 80, 30, 30}, 42760),  // the channel button
    mouse_function({0, 0, 29, 29}, Cursor::kHand, DmeChannelToggle),
    mouse_end_parent(),
    mouse_function({0, 0, 200, 300}, Cursor::kHand, ZoomWindowAction<1011, false>),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader DmeGauge = {
    .version = kGaugeHeaderVersion,
    .name = "DME",
    .elements = DmeElements,
    .routines = kForwardingRoutines,
    .size_mm = 200,
    .mouse_list = DmeMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace navrel
