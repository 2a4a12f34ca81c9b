// altimeter.cpp - Altimetro and Altimetro2, the same three-pointer altimeter
// twice: ten-thousands, thousands and hundreds hands over one dial, the
// barometric setting on a card turning behind a window at the right, a
// switchable digital readout of the setting, and a setting knob.
//
// The two gauges differ only in their background (312 lacks the upper
// right screw), their readout byte and their own copy of the hands' table;
// AltimeterTree builds the records of one from those three.
#include "gauges.h"
#include "format.h"
#include "helpers.h"
#include "module.h"

namespace kestrum {

using namespace frame;

std::int8_t AltimetroReadoutToggle = 0;
std::int8_t Altimetro2ReadoutToggle = 0;

namespace {

constexpr std::uint32_t kAltitude = 74;  // feet, FLOAT64
constexpr std::uint32_t kSetting = 76;  // inches of mercury, FLOAT64
constexpr double kCardLow = 28.1;
constexpr double kCardHigh = 31.5;
constexpr double kCardDegreesPerInch = 100.0;  // one degree of arc per 0.01
constexpr std::uint32_t kWindow = 1003;  // both altimeters open the same one

double FRAME_API AltimeterHundredsNeedle(Element* element) {
    std::int32_t n = truncate_i32(read_f64(as_needle(element)->source));
    return n % 1000;
}

double FRAME_API AltimeterThousandsNeedle(Element* element) {
    std::int32_t n = truncate_i32(read_f64(as_needle(element)->source));
    return (n % 10000) / 10;
}

double FRAME_API AltimeterTenThousandsNeedle(Element* element) {
    std::int32_t n = truncate_i32(read_f64(as_needle(element)->source));
    return n / 100;
}

// The card's rotation in degrees; the card turns counter-clockwise as it
// grows, bringing the setting's mark to its three o'clock, behind the window.
double FRAME_API AltimeterSettingCard(Element* element) {
    double s = clamp_lower_first(read_f64(as_sprite(element)->rotation.source), kCardLow, kCardHigh);
    return (s - kCardLow) * kCardDegreesPerInch;
}

template <std::int8_t& Toggle>
double FRAME_API AltimeterSettingText(Element* element) {
    StringElement* s = as_string(element);
    double setting = read_f64(s->source[0]);
    if (readout_on(Toggle))
        format_c_text(s, "%5.2f", setting);
    else
        format_c_text(s, "%s", "");
    return setting;
}

const FailureRecord AltimeterFailures[] = {
    {.key = 7, .action = 1, .reserved = 0},
    {.key = 3, .action = 1, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

const FailureRecord AltimeterReadoutFailures[] = {
    {.key = 20, .action = 3, .reserved = 0},
    {.key = 21, .action = 3, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

constexpr Point kHandsPivot = {155, 156};

constexpr NeedleElement hand(GaugeHeader* gauge, std::int32_t bitmap, Point offset, Element** children,
                             ValueCallback callback, CalibrationPoint* table) {
    return {
        .base = {.kind = kNeedle,
                 .bitmap = bitmap,
                 .position = kHandsPivot,
                 .offset = offset,
                 .gauge = gauge,
                 .children = children,
                 .failures = AltimeterFailures,
                 .image_flags = 0x3,
                 .flags2 = 0},
        .source = {.token = kAltitude},
        .callback = callback,
        .table = table,
        .table_rows = 2,
        .rate_limit = 0,
    };
}

// One chain: dial, card, ten-thousands, thousands and hundreds hands, readout.
template <GaugeHeader& Gauge, std::int8_t& Toggle, std::int32_t Background>
struct AltimeterTree {
    // Both rows 115 pixels above the pivot, one pixel apart: the hands turn
    // clockwise through one turn less 0.498 degrees for 0 to 999, 0 just
    // right of the top and 999 straight up. The three hands share it.
    static inline constinit CalibrationPoint table[2] = {
        {.x = 156, .y = 41, .value = 0},
        {.x = 155, .y = 41, .value = 999},
    };

    static inline constinit StringElement readout = {
        .base = {.kind = kString,
                 .bitmap = kNoBitmap,
                 .position = {80, 80},
                 .offset = {0, 0},
                 .gauge = &Gauge,
                 .children = nullptr,
                 .failures = AltimeterReadoutFailures,
                 .image_flags = 0x7,
                 .flags2 = 0},
        .source = {{.token = kSetting}, {.token = 0}, {.token = 0}},
        .box_width = 150,
        .box_height = 50,
        .text_colour = 0x00ff00,
        .background_colour = 0x646464,
        .highlight_colour = 0x5c5c5c,
        .font_face = "Quartz",
        .font_weight = 400,
        .charset = 1,
        .text_flags = 0x25,
        .char_count = 5,
        .highlights = nullptr,
        .callback = AltimeterSettingText<Toggle>,
    };
    static inline constinit Element* hundreds_children[2] = {&readout.base, nullptr};

    static inline constinit NeedleElement hundreds =
        hand(&Gauge, 307, {50, 7}, hundreds_children, AltimeterHundredsNeedle, table);
    static inline constinit Element* thousands_children[2] = {&hundreds.base, nullptr};

    static inline constinit NeedleElement thousands =
        hand(&Gauge, 306, {34, 13}, thousands_children, AltimeterThousandsNeedle, table);
    static inline constinit Element* ten_thousands_children[2] = {&thousands.base, nullptr};

    static inline constinit NeedleElement ten_thousands =
        hand(&Gauge, 305, {17, 16}, ten_thousands_children, AltimeterTenThousandsNeedle, table);
    static inline constinit Element* card_children[2] = {&ten_thousands.base, nullptr};

    static inline constinit SpriteElement card = {
        .base = {.kind = kSprite,
                 .bitmap = 309,
                 .position = {229, 130},
                 .offset = {154, 156},
                 .gauge = &Gauge,
                 .children = card_children,
                 .failures = AltimeterFailures,
                 .image_flags = 0x81,
                 .flags2 = 0},
        .x = {.source = {.token = 0}, .scale = 0, .callback = nullptr},
        .y = {.source = {.token = 0}, .scale = 0, .callback = nullptr},
        .rotation = {.source = {.token = kSetting}, .scale = 1, .callback = AltimeterSettingCard},
        .texture_scale_x = 1.1f,
        .texture_scale_y = 1.1f,
    };
    static inline constinit Element* dial_children[2] = {&card.base, nullptr};

    static inline constinit StaticImageElement dial = {
        .base = {.kind = kStaticImage,
                 .bitmap = Background,
                 .position = {0, 0},
                 .offset = {0, 0},
                 .gauge = &Gauge,
                 .children = dial_children,
                 .failures = nullptr,
                 .image_flags = 0x1,
                 .flags2 = 0},
    };
    static inline constinit Element* elements[2] = {&dial.base, nullptr};

    static constexpr MouseArea mouse[] = {
        mouse_parent({0, 0, 0, 0}, 43783),
        mouse_function({0, 0, 300, 120}, Cursor::kHand, ZoomWindowAction<kWindow>),
        mouse_function({0, 130, 300, 100}, Cursor::kHand, ReadoutFlip<Toggle, false>),
        mouse_parent({6, 241, 64, 64}, 43784),  // the setting knob
        mouse_event({0, 0, 32, 64}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65884),
        mouse_event({32, 0, 32, 64}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65883),
        mouse_end_parent(),
        mouse_end_parent(),
        mouse_end(),
    };
};

using Altimetro = AltimeterTree<AltimetroGauge, AltimetroReadoutToggle, 304>;
using Altimetro2 = AltimeterTree<Altimetro2Gauge, Altimetro2ReadoutToggle, 312>;

}  // namespace

GaugeHeader AltimetroGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Altimetro",
    .elements = Altimetro::elements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = Altimetro::mouse,
    .callback = nullptr,
    .host_data = nullptr,
};

GaugeHeader Altimetro2Gauge = {
    .version = kGaugeHeaderVersion,
    .name = "Altimetro2",
    .elements = Altimetro2::elements,
    .routines = kForwardingRoutines,
    .size_mm = 115,
    .mouse_list = Altimetro2::mouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace kestrum
