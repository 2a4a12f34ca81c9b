// adf.cpp - Adf, the ADF bearing indicator: a compass card turned by the
// card setting, a bearing needle over it, the lubber mark and aircraft
// symbol over the needle, a switchable readout of the card setting, the
// heading knob's two events and a zoom area for window 1008.
#include "gauges.h"
#include "format.h"
#include "helpers.h"
#include "module.h"

namespace chronel {

using namespace frame;

namespace {

constexpr std::uint32_t kCardSetting = 22;  // FLOAT64, degrees
constexpr std::uint32_t kBearing = 39;  // FLOAT64, degrees
// The needle bitmap points to three o'clock; a bearing of 0 is straight up.
constexpr double kNeedleToBearing = 90.0;

std::int8_t AdfReadoutToggle = 0;

double FRAME_API AdfNeedleValue(Element* element) {
    return read_f64(as_needle(element)->source) - kNeedleToBearing;
}

double FRAME_API AdfReadoutText(Element* element) {
    StringElement* s = as_string(element);
    double v = read_f64(s->source[0]);
    if (readout_on(AdfReadoutToggle))
        format_c_text(s, "%3d", truncate_i32(v));
    else
        write_text(s, "");
    return v;
}

// One list, named by both the needle and the readout.
const FailureRecord AdfFailures[] = {
    {.key = 20, .action = 2, .reserved = 0},
    {.key = 21, .action = 2, .reserved = 0},
    {.key = 5, .action = 2, .reserved = 0},
    {.key = 0, .action = 0, .reserved = 0},
};

StringElement AdfReadout = {
    .base = {.kind = kString,
             .bitmap = kNoBitmap,
             .position = {100, 70},
             .offset = {0, 0},
             .gauge = &AdfGauge,
             .children = nullptr,
             .failures = AdfFailures,
             .image_flags = 0x7,
             .flags2 = 0},
    .source = {{.token = kCardSetting}, {.token = 0}, {.token = 0}},
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
    .callback = AdfReadoutText,
};

Element* AdfOverlayChildren[2] = {&AdfReadout.base, nullptr};

StaticImageElement AdfOverlay = {
    .base = {.kind = kStaticImage,
             .bitmap = 305,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &AdfGauge,
             .children = AdfOverlayChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
};

// The overlay is the needle's child so that it is drawn over it.
Element* AdfNeedleChildren[2] = {&AdfOverlay.base, nullptr};

NeedleElement AdfNeedle = {
    .base = {.kind = kNeedle,
             .bitmap = 306,
             .position = {150, 150},
             .offset = {89, 7},
             .gauge = &AdfGauge,
             .children = AdfNeedleChildren,
             .failures = AdfFailures,
             .image_flags = 0x83,
             .flags2 = 0},
    .source = {.token = kBearing},
    .callback = AdfNeedleValue,
    .table = nullptr,
    .table_rows = 0,
    .rate_limit = 0,
};

Element* AdfCardChildren[2] = {&AdfNeedle.base, nullptr};

// The card turns by the setting itself: no callbacks.
SpriteElement AdfCard = {
    .base = {.kind = kSprite,
             .bitmap = 308,
             .position = {15, 14},
             .offset = {150, 150},
             .gauge = &AdfGauge,
             .children = AdfCardChildren,
             .failures = nullptr,
             .image_flags = 0x83,
             .flags2 = 0},
    .x = {.source = {.token = 0}, .scale = 0.0, .callback = nullptr},
    .y = {.source = {.token = 0}, .scale = 0.0, .callback = nullptr},
    .rotation = {.source = {.token = kCardSetting}, .scale = 1.0, .callback = nullptr},
    .texture_scale_x = 0.96f,
    .texture_scale_y = 0.96f,
};

Element* AdfFaceChildren[2] = {&AdfCard.base, nullptr};

StaticImageElement AdfFace = {
    .base = {.kind = kStaticImage,
             .bitmap = 304,
             .position = {0, 0},
             .offset = {0, 0},
             .gauge = &AdfGauge,
             .children = AdfFaceChildren,
             .failures = nullptr,
             .image_flags = 0x1,
             .flags2 = 0},
};

Element* AdfElements[] = {&AdfFace.base, nullptr};

// The heading knob at the lower left: its left half fires the higher event.
const MouseArea AdfMouse[] = {
    mouse_parent({0, 0, 0, 0}, 43776),
    mouse_function({0, 0, 300, 120}, Cursor::kHand, ZoomWindowAction<1008>),
    mouse_function({0, 130, 300, 100}, Cursor::kHand, ReadoutFlip<AdfReadoutToggle, false>),
    mouse_parent({3, 232, 64, 64}, 43777),
    mouse_event({0, 0, 32, 64}, Cursor::kDownArrow, MouseFlags::kLeftClickRepeat, 65882),
    mouse_event({32, 0, 32, 64}, Cursor::kUpArrow, MouseFlags::kLeftClickRepeat, 65881),
    mouse_end_parent(),
    mouse_end_parent(),
    mouse_end(),
};

}  // namespace

GaugeHeader AdfGauge = {
    .version = kGaugeHeaderVersion,
    .name = "Adf",
    .elements = AdfElements,
    .routines = kForwardingRoutines,
    .size_mm = 110,
    .mouse_list = AdfMouse,
    .callback = nullptr,
    .host_data = nullptr,
};

}  // namespace chronel
