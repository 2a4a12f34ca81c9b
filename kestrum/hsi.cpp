// hsi.cpp - hsi, the horizontal situation indicator: a compass card turning
// with the heading, carrying a heading bug, a course pointer with TO and
// FROM triangles, a deviation bar and a NAV flag; a glideslope pointer and
// GS flag at the left; course and bug knobs; two readouts that one click
// switches together.
//
// Everything on the card is drawn at its own value minus the heading, which
// each callback refreshes for itself through a module-owned record just
// before reading it: nothing is kept from one callback, or frame, to the
// next but the hide bits of the TO, FROM and NAV elements.
#include "gauges.h"
#include "format.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

std::int8_t HsiReadoutToggle = 0;

// Records bound to no element, refreshed by the callbacks with lookup_var.
SourceVariable HsiToFromVariable = {.token = 43};  // 32-bit integer: 1 TO, 2 FROM
SourceVariable HsiHeadingVariable = {.token = 84};
SourceVariable HsiNavSignalVariable = {.token = 831};
SourceVariable HsiGsSignalVariable = {.token = 44};
SourceVariable HsiNavRuleVariable = {.token = 848};

namespace {

constexpr std::uint32_t kHeading = 84;
constexpr std::uint32_t kBug = 855;
constexpr std::uint32_t kCourse = 854;
constexpr std::uint32_t kCourseKnob = 45;
constexpr std::uint32_t kBugKnob = 107;
constexpr std::uint32_t kDeviation = 40;
constexpr std::uint32_t kGlideslope = 850;
constexpr std::uint32_t kGsFlag = 852;
constexpr Point kCardCentre = {175, 180};

constexpr std::int32_t kTo = 1;
constexpr std::int32_t kFrom = 2;

double refreshed_f64(SourceVariable& v) {
    host()->lookup_var(&v);
    return read_f64(v);
}

std::int32_t refreshed_i32(SourceVariable& v) {
    host()->lookup_var(&v);
    return read_i32(v);
}

double heading() { return refreshed_f64(HsiHeadingVariable); }

// The flag tests let a value that is not a number pass as equal to 0.0 and
// as below 0.0, as the instrument has always read such values.
bool counts_as_zero(double v) { return v == 0.0 || v != v; }
bool counts_as_below_zero(double v) { return v < 0.0 || v != v; }

void set_hidden(Element* e, bool hidden) {
    if (hidden)
        e->image_flags |= ImageFlags::kHidden;
    else
        e->image_flags &= ~ImageFlags::kHidden;
}

double FRAME_API HsiCardValue(Element* element) { return 360.0 - read_f64(as_needle(element)->source); }

double FRAME_API HsiHeadingBugValue(Element* element) {
    double v = read_f64(as_needle(element)->source);
    return v - heading();
}

double FRAME_API HsiCoursePointerValue(Element* element) {
    double v = read_f64(as_needle(element)->source);
    return v - heading();
}

template <std::int32_t ShownFor>
double FRAME_API triangle_value(Element* element) {
    double v = read_f64(as_needle(element)->source);
    set_hidden(element, refreshed_i32(HsiToFromVariable) != ShownFor);
    return v - heading();
}

double FRAME_API HsiFromPointerValue(Element* element) { return triangle_value<kFrom>(element); }
double FRAME_API HsiToPointerValue(Element* element) { return triangle_value<kTo>(element); }

double FRAME_API HsiDeviationBarAngle(Element* element) {
    double v = read_f64(as_sprite(element)->rotation.source);
    return v - heading();
}

double FRAME_API HsiGlideslopeValue(Element* element) {
    return clamp_upper_first(read_f64(as_slider(element)->y.source), -1.0, 1.0);
}

// -1 names no picture, so the flag is out of view.
double FRAME_API HsiGsFlagIcon(Element*) {
    double signal = refreshed_f64(HsiGsSignalVariable);
    double rule = refreshed_f64(HsiNavRuleVariable);
    return counts_as_zero(rule) && !counts_as_zero(signal) ? -1.0 : 0.0;
}

// Frames that neither rule decides leave the flag as an earlier frame did.
double FRAME_API HsiNavFlagValue(Element* element) {
    double v = read_f64(as_needle(element)->source);
    std::int32_t to_from = refreshed_i32(HsiToFromVariable);
    double signal = refreshed_f64(HsiNavSignalVariable);
    double rule = refreshed_f64(HsiNavRuleVariable);
    if (counts_as_zero(rule)) {
        if (to_from == kTo || to_from == kFrom)
            set_hidden(element, true);
        else if (to_from == 0)
            set_hidden(element, false);
    } else if (counts_as_below_zero(signal)) {
        set_hidden(element, false);
    }
    return v - heading();
}

double readout(Element* element) {
    StringElement* s = as_string(element);
    double v = read_f64(s->source[0]);
    if (readout_on(HsiReadoutToggle))
        format_c_text(s, "%3d", truncate_i32(v));
    else
        format_c_text(s, "%s", "");
    return v;
}

double FRAME_API HsiCourseReadoutText(Element* element) { return readout(element); }
double FRAME_API HsiBugReadoutText(Element* element) { return readout(element); }

// ------------------------------------------------------------------ records

const FailureRecord HsiCardFailures[] = {  // A
    {.key = 11, .action = 1, .reserved = 0},
    {.key = 20, .action = 1, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord HsiCourseFailures[] = {  // B
    {.key = 11, .action = 1, .reserved = 0},
    {.key = 14, .action = 2, .reserved = 0},
    {.key = 20, .action = 1, .reserved = 0},
    {.key = 21, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord HsiGlideslopeFailures[] = {  // C
    {.key = 14, .action = 2, .reserved = 0},
    {.key = 20, .action = 1, .reserved = 0},
    {.key = 21, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord HsiReadoutFailures[] = {  // D
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 21, .action = 3, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

constexpr Element common(std::uint32_t kind, std::int32_t bitmap, Point position, Point offset,
                          Element** children, const FailureRecord* failures, std::uint32_t flags) {
    return {.kind = kind,
            .bitmap = bitmap,
            .position = position,
            .offset = offset,
            .gauge = &HsiGauge,
            .children = children,
            .failures = failures,
            .image_flags = flags,
            .flags2 = 0};
}

// Needles without a table: the value is the angle in degrees, clockwise.
constexpr NeedleElement needle(std::int32_t bitmap, Point position, Point offset, Element** children,
                               const FailureRecord* failures, std::uint32_t flags, std::uint32_t token,
                               ValueCallback callback) {
    return {.base = common(kNeedle, bitmap, position, offset, children, failures, flags),
            .source = {.token = token},
            .callback = callback,
            .table = nullptr,
            .table_rows = 0,
            .rate_limit = 0};
}

constexpr StringElement readout_element(Point position, std::uint32_t token, std::uint32_t colour,
                                        ValueCallback callback) {
    return {.base = common(kString, kNoBitmap, position, {0, 0}, nullptr, HsiReadoutFailures, 0x7),
            .source = {{.token = token}, {.token = 0}, {.token = 0}},
            .box_width = 90,
            .box_height = 50,
            .text_colour = colour,
            .background_colour = 0x646464,
            .highlight_colour = 0x5c5c5c,
            .font_face = "Quartz",
            .font_weight = 700,
            .charset = 1,
            .text_flags = 0x25,
            .char_count = 3,
            .highlights = nullptr,
            .callback = callback};
}

constinit StringElement HsiCourseReadout = readout_element({50, 10}, kCourseKnob, 0x00ff00, HsiCourseReadoutText);
constinit StringElement HsiBugReadout = readout_element({220, 10}, kBugKnob, 0x00ffff, HsiBugReadoutText);

Element* HsiNavFlagChildren[3] = {&HsiCourseReadout.base, &HsiBugReadout.base, nullptr};
constinit NeedleElement HsiNavFlag =
    needle(391, kCardCentre, {-20, 70}, HsiNavFlagChildren, nullptr, 0x3, kCourseKnob, HsiNavFlagValue);

Element* HsiCourseKnobChildren[2] = {&HsiNavFlag.base, nullptr};
constinit NeedleElement HsiCourseKnob = needle(370, {47, 332}, {32, 32}, HsiCourseKnobChildren, nullptr, 0x83, kCourseKnob, nullptr);

Element* HsiBugKnobChildren[2] = {&HsiCourseKnob.base, nullptr};
constinit NeedleElement HsiBugKnob = needle(371, {310, 333}, {32, 32}, HsiBugKnobChildren, nullptr, 0x83, kBugKnob, nullptr);

Element* HsiGsFlagChildren[2] = {&HsiBugKnob.base, nullptr};
IconElement HsiGsFlag = {
    .base = common(kIcon, 390, {20, 129}, {0, 0}, HsiGsFlagChildren, nullptr, 0x83),
    .source = {.token = kGsFlag},
    .icon_count = 1,
    .callback = HsiGsFlagIcon,
};

Element* HsiGlideslopeChildren[2] = {&HsiGsFlag.base, nullptr};
SliderElement HsiGlideslopePointer = {
    .base = common(kSlider, 375, {27, 176}, {0, 0}, HsiGlideslopeChildren, HsiGlideslopeFailures, 0x83),
    .x = {.source = {.token = 0}, .scale = 1, .callback = nullptr},
    .y = {.source = {.token = kGlideslope}, .scale = 50, .callback = HsiGlideslopeValue},
};

// Turned by course minus heading through rotation scale -1, so it follows
// the course pointer; shifted across its length along its own x axis.
Element* HsiDeviationBarChildren[2] = {&HsiGlideslopePointer.base, nullptr};
SpriteElement HsiDeviationBar = {
    .base = common(kSprite, 385, {50, 62}, kCardCentre, HsiDeviationBarChildren, HsiCourseFailures, 0x83),
    .x = {.source = {.token = kDeviation}, .scale = -0.632813, .callback = nullptr},
    .y = {.source = {.token = 0}, .scale = 0, .callback = nullptr},
    .rotation = {.source = {.token = kCourse}, .scale = -1, .callback = HsiDeviationBarAngle},
    .texture_scale_x = 1.5f,
    .texture_scale_y = 1.5f,
};

Element* HsiToChildren[2] = {&HsiDeviationBar.base, nullptr};
constinit NeedleElement HsiToPointer =
    needle(372, kCardCentre, {-20, 60}, HsiToChildren, HsiCourseFailures, 0x83, kCourse, HsiToPointerValue);

// The TO triangle is the FROM triangle's child: the hide bit hides an
// element alone, so it shows while its parent is hidden.
Element* HsiFromChildren[2] = {&HsiToPointer.base, nullptr};
constinit NeedleElement HsiFromPointer =
    needle(373, kCardCentre, {-20, 60}, HsiFromChildren, HsiCourseFailures, 0x83, kCourse, HsiFromPointerValue);

Element* HsiCoursePointerChildren[2] = {&HsiFromPointer.base, nullptr};
constinit NeedleElement HsiCoursePointer = needle(376, kCardCentre, {87, 109}, HsiCoursePointerChildren, HsiCourseFailures,
                                        0x83, kCourse, HsiCoursePointerValue);

Element* HsiBugChildren[2] = {&HsiCoursePointer.base, nullptr};
constinit NeedleElement HsiHeadingBug =
    needle(374, kCardCentre, {15, 130}, HsiBugChildren, HsiCardFailures, 0x83, kBug, HsiHeadingBugValue);

Element* HsiCardChildren[2] = {&HsiHeadingBug.base, nullptr};
constinit NeedleElement HsiCard =
    needle(377, kCardCentre, {131, 131}, HsiCardChildren, HsiCardFailures, 0x83, kHeading, HsiCardValue);

Element* HsiFaceChildren[2] = {&HsiCard.base, nullptr};
StaticImageElement HsiFace = {
    .base = common(kStaticImage, 368, {0, 0}, {0, 0}, HsiFaceChildren, nullptr, 0x3),
};

Element* HsiElements[] = {&HsiFace.base, nullptr};

const MouseArea HsiMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43830),
    mouse_function({0, 0, 300, 130}, Cursor::kHand, ZoomWindowAction<1006>),
    mouse_function({0, 140, 300, 100}, Cursor::kHand, ReadoutFlip<HsiReadoutToggle, true>),
    mouse_parent({8, 280, 64, 64}, 43832),  // the course knob
    mouse_event({0, 0, 31, 64}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65662),
    mouse_event({32, 0, 31, 64}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65663),
    mouse_end_parent(),
    mouse_parent({287, 280, 64, 64}, 43827),  // the bug knob: left half the larger event
    mouse_event({0, 0, 31, 64}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65880),
    mouse_event({32, 0, 31, 64}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65879),
    mouse_end_parent(),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader HsiGauge = {
    .version = kGaugeHeaderVersion,
    .name = "hsi",
    .elements = HsiElements,
    .routines = kForwardingRoutines,
    .size_mm = 120,
    .mouse_list = HsiMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace kestrum
