// vor.cpp - Vor1 and Vor2, the course deviation indicators: a course card
// turned by the selected course under the index at the top, a deviation
// needle hanging from the top of the dial, a TO/FROM/NAV flag window and a
// green course readout that a click switches on and off. Vor1 adds a
// glideslope needle and a GS flag, and decides both flags from records of
// its own that it refreshes through lookup_var.
#include "gauges.h"
#include "helpers.h"
#include "format.h"
#include "module.h"

namespace navrel {

using namespace frame;

namespace {

// ------------------------------------------------------------ variables

constexpr std::uint32_t kVor1Course = 854;  // FLOAT64, degrees
constexpr std::uint32_t kVor2Course = 54;
constexpr std::uint32_t kVor1Deviation = 849;  // FLOAT64, -1 .. 1
constexpr std::uint32_t kVor2Deviation = 50;  // FLOAT64, -127 .. 127
constexpr std::uint32_t kVor1Glideslope = 850;  // FLOAT64, -1 .. 1
constexpr std::uint32_t kVor1GsFlagBound = 852;  // bound to the GS flag, read by no callback
constexpr std::uint32_t kVor1ToFromBound = 853;  // bound to the flag window, read by no callback
constexpr std::uint32_t kVor2ToFrom = 52;  // 16-bit unsigned: 1 TO, 2 FROM, 0 NAV

// Vor1's flags come from three records bound to no element. Each callback
// refreshes the ones it reads just before reading them.
SourceVariable Vor1ToFromRecord = {.token = 43};  // 32-bit integer: 1 TO, 2 FROM
SourceVariable Vor1GlideslopeRecord = {.token = 44};  // FLOAT64; 0 puts GS in view
SourceVariable Vor1FlagRecord = {.token = 848};  // FLOAT64; not 0: both flags show

// The readouts' ReadoutToggle bytes, one per gauge, shared by every
// instance of it.
std::int8_t Vor1ReadoutToggle = 0;
std::int8_t Vor2ReadoutToggle = 0;

// Flag pictures, as offsets from each icon's first bitmap.
constexpr double kTo = 0, kFrom = 1, kNav = 2;
constexpr double kNoPicture = -1;
constexpr double kGsOutOfView = 0, kGsShown = 1;

// In the flag tests an unordered comparison counts as equal, so a value
// that is not a number reads as 0.
bool reads_zero(double v) { return v == 0.0 || v != v; }

double refreshed_f64(SourceVariable& record) {
    host()->lookup_var(&record);
    return read_f64(record);
}

// ------------------------------------------------------------ callbacks

double FRAME_API Vor1DeviationNeedleValue(Element* element) {
    return clamp_upper_first(read_f64(as_needle(element)->source), -1.0, 1.0);
}

double FRAME_API Vor1GlideslopeValue(Element* element) {
    return clamp_upper_first(read_f64(as_needle(element)->source), -1.0, 1.0);
}

double FRAME_API Vor1GsFlagIcon(Element*) {
    double glideslope = refreshed_f64(Vor1GlideslopeRecord);
    double flag = refreshed_f64(Vor1FlagRecord);
    return reads_zero(flag) && !reads_zero(glideslope) ? kGsOutOfView : kGsShown;
}

double FRAME_API Vor1ToFromIcon(Element*) {
    host()->lookup_var(&Vor1ToFromRecord);
    double flag = refreshed_f64(Vor1FlagRecord);
    std::int32_t to_from = read_i32(Vor1ToFromRecord);
    if (!reads_zero(flag)) return kNav;
    return to_from == 1 ? kTo : to_from == 2 ? kFrom : kNav;
}

double FRAME_API Vor2ToFromIcon(Element* element) {
    switch (read_u16(as_icon(element)->source)) {
    case 1:
        return kTo;
    case 2:
        return kFrom;
    case 0:
        return kNav;
    default:
        return kNoPicture;
    }
}

double course_readout(Element* element, std::int8_t toggle) {
    StringElement* s = as_string(element);
    double course = read_f64(s->source[0]);
    if (readout_on(toggle))
        format_c_text(s, "%3d", truncate_i32(course));
    else
        format_c_text(s, "%s", "");
    return course;
}

double FRAME_API Vor1CourseReadoutText(Element* element) { return course_readout(element, Vor1ReadoutToggle); }
double FRAME_API Vor2CourseReadoutText(Element* element) { return course_readout(element, Vor2ReadoutToggle); }

// ------------------------------------------------------------- records

constexpr Element element_base(std::uint32_t kind, std::int32_t bitmap, Point position, Point offset,
                               GaugeHeader* gauge, Element** children, const FailureRecord* failures,
                               std::uint32_t image_flags) {
    return {.kind = kind, .bitmap = bitmap, .position = position, .offset = offset, .gauge = gauge,
            .children = children, .failures = failures, .image_flags = image_flags, .flags2 = 0};
}

// The course readout of either gauge: green figures on grey in a 90 x 50
// box at (100, 30).
constexpr StringElement course_readout_element(GaugeHeader* gauge, const FailureRecord* failures,
                                               std::uint32_t course, ValueCallback callback) {
    return {.base = element_base(kString, kNoBitmap, {100, 30}, {0, 0}, gauge, nullptr, failures, 0x7),
            .source = {{.token = course}, {.token = 0}, {.token = 0}},
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
            .callback = callback};
}

// The course card: turned by the course, drawn at 0.97 about the dial's
// centre and seen through the face's mask.
constexpr SpriteElement course_card(GaugeHeader* gauge, std::int32_t texture, std::uint32_t course,
                                    Element** children) {
    return {.base = element_base(kSprite, texture, {0, 0}, {149, 150}, gauge, children, nullptr, 0x83),
            .x = {.source = {.token = 0}, .scale = 0, .callback = nullptr},
            .y = {.source = {.token = 0}, .scale = 0, .callback = nullptr},
            .rotation = {.source = {.token = course}, .scale = 1, .callback = nullptr},
            .texture_scale_x = 0.97f,
            .texture_scale_y = 0.97f};
}

// Both deviation needles hang from (147, 78): value 0 straight down, the
// largest value down and to the right.
CalibrationPoint Vor1DeviationTable[] = {
    {.x = 232, .y = 190, .value = 1},
    {.x = 147, .y = 200, .value = 0},
    {.x = 57, .y = 190, .value = -1},
};

// From (70, 155) at the left of the dial: -1 up and right, 1 down and right.
CalibrationPoint Vor1GlideslopeTable[] = {
    {.x = 215, .y = 97, .value = -1},
    {.x = 220, .y = 155, .value = 0},
    {.x = 213, .y = 209, .value = 1},
};

CalibrationPoint Vor2DeviationTable[] = {
    {.x = 232, .y = 190, .value = 127},
    {.x = 147, .y = 200, .value = 0},
    {.x = 57, .y = 190, .value = -127},
};

template <std::size_t N>
constexpr std::uint32_t rows(const CalibrationPoint (&)[N]) {
    return N;
}

// ---------------------------------------------------------------- Vor1

const FailureRecord Vor1Failures[] = {
    {.key = 20, .action = 2, .reserved = 0},
    {.key = 21, .action = 2, .reserved = 0},
    {.key = 14, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

StringElement Vor1Readout = course_readout_element(&Vor1Gauge, Vor1Failures, kVor1Course, Vor1CourseReadoutText);
Element* Vor1GlideslopeChildren[] = {&Vor1Readout.base, nullptr};

NeedleElement Vor1GlideslopeNeedle = {
    .base = element_base(kNeedle, 257, {70, 155}, {-5, 6}, &Vor1Gauge, Vor1GlideslopeChildren, Vor1Failures, 0x3),
    .source = {.token = kVor1Glideslope},
    .callback = Vor1GlideslopeValue,
    .table = Vor1GlideslopeTable,
    .table_rows = rows(Vor1GlideslopeTable),
    .rate_limit = 6,
};
Element* Vor1DeviationChildren[] = {&Vor1GlideslopeNeedle.base, nullptr};

NeedleElement Vor1DeviationNeedle = {
    .base = element_base(kNeedle, 257, {147, 78}, {-5, 5}, &Vor1Gauge, Vor1DeviationChildren, Vor1Failures, 0x3),
    .source = {.token = kVor1Deviation},
    .callback = Vor1DeviationNeedleValue,
    .table = Vor1DeviationTable,
    .table_rows = rows(Vor1DeviationTable),
    .rate_limit = 6,
};
Element* Vor1GsFlagChildren[] = {&Vor1DeviationNeedle.base, nullptr};

IconElement Vor1GsFlag = {
    .base = element_base(kIcon, 263, {190, 140}, {0, 0}, &Vor1Gauge, Vor1GsFlagChildren, Vor1Failures, 0x3),
    .source = {.token = kVor1GsFlagBound},
    .icon_count = 2,
    .callback = Vor1GsFlagIcon,
};
Element* Vor1ToFromChildren[] = {&Vor1GsFlag.base, nullptr};

IconElement Vor1ToFrom = {
    .base = element_base(kIcon, 259, {136, 197}, {0, 0}, &Vor1Gauge, Vor1ToFromChildren, Vor1Failures, 0x3),
    .source = {.token = kVor1ToFromBound},
    .icon_count = 3,
    .callback = Vor1ToFromIcon,
};
Element* Vor1CardChildren[] = {&Vor1ToFrom.base, nullptr};

SpriteElement Vor1Card = course_card(&Vor1Gauge, 265, kVor1Course, Vor1CardChildren);
Element* Vor1FaceChildren[] = {&Vor1Card.base, nullptr};

StaticImageElement Vor1Face = {
    .base = element_base(kStaticImage, 256, {0, 0}, {0, 0}, &Vor1Gauge, Vor1FaceChildren, nullptr, 0x1),
};
Element* Vor1Elements[] = {&Vor1Face.base, nullptr};

const MouseArea Vor1Mouse[] = {
    mouse_parent({0, 0, 0, 0}, 43890),
    mouse_parent({2, 232, 64, 64}, 43891),  // the course knob
    mouse_event({0, 0, 32, 64}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65662),
    mouse_event({32, 0, 32, 64}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65663),
    mouse_end_parent(),
    mouse_function({0, 0, 300, 100}, Cursor::kHand, ZoomWindowAction<1004, false>),
    mouse_function({0, 120, 300, 100}, Cursor::kHand, ReadoutFlip<Vor1ReadoutToggle, false>),
    mouse_end_parent(),
    mouse_end(),
};

// ---------------------------------------------------------------- Vor2

const FailureRecord Vor2Failures[] = {
    {.key = 20, .action = 2, .reserved = 0},
    {.key = 15, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

StringElement Vor2Readout = course_readout_element(&Vor2Gauge, Vor2Failures, kVor2Course, Vor2CourseReadoutText);
Element* Vor2DeviationChildren[] = {&Vor2Readout.base, nullptr};

// No callback and no clamp: the host maps token 50 through the table as it
// comes.
NeedleElement Vor2DeviationNeedle = {
    .base = element_base(kNeedle, 354, {147, 78}, {-5, 5}, &Vor2Gauge, Vor2DeviationChildren, Vor2Failures, 0x3),
    .source = {.token = kVor2Deviation},
    .callback = nullptr,
    .table = Vor2DeviationTable,
    .table_rows = rows(Vor2DeviationTable),
    .rate_limit = 6,
};
Element* Vor2ToFromChildren[] = {&Vor2DeviationNeedle.base, nullptr};

IconElement Vor2ToFrom = {
    .base = element_base(kIcon, 356, {136, 197}, {0, 0}, &Vor2Gauge, Vor2ToFromChildren, Vor2Failures, 0x3),
    .source = {.token = kVor2ToFrom},
    .icon_count = 3,
    .callback = Vor2ToFromIcon,
};
Element* Vor2CardChildren[] = {&Vor2ToFrom.base, nullptr};

SpriteElement Vor2Card = course_card(&Vor2Gauge, 360, kVor2Course, Vor2CardChildren);
Element* Vor2FaceChildren[] = {&Vor2Card.base, nullptr};

StaticImageElement Vor2Face = {
    .base = element_base(kStaticImage, 352, {0, 0}, {0, 0}, &Vor2Gauge, Vor2FaceChildren, nullptr, 0x1),
};
Element* Vor2Elements[] = {&Vor2Face.base, nullptr};

const MouseArea Vor2Mouse[] = {
    mouse_parent({0, 0, 0, 0}, 43892),
    mouse_parent({2, 232, 64, 64}, 43893),  // the course knob
    mouse_event({0, 0, 32, 64}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65664),
    mouse_event({32, 0, 32, 64}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65665),
    mouse_end_parent(),
    mouse_function({0, 0, 300, 100}, Cursor::kHand, ZoomWindowAction<1002, false>),
    mouse_function({0, 120, 300, 100}, Cursor::kHand, ReadoutFlip<Vor2ReadoutToggle, false>),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader Vor1Gauge = {
    .version = kGaugeHeaderVersion,
    .name = "Vor1",
    .elements = Vor1Elements,
    .routines = kForwardingRoutines,
    .size_mm = 110,
    .mouse_list = Vor1Mouse,
    .callback = nullptr,
    .host_data = nullptr,
};

GaugeHeader Vor2Gauge = {
    .version = kGaugeHeaderVersion,
    .name = "Vor2",
    .elements = Vor2Elements,
    .routines = kForwardingRoutines,
    .size_mm = 110,
    .mouse_list = Vor2Mouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace navrel
