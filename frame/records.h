// records.h - the records that host and gauge modules share.
//
// Every record the host lays out (gauge header, elements, source variables,
// calibration rows, failure records, mouse areas, the service table) is
// declared here and nowhere else. Field order follows the host's records;
// gauges fill them by field name with designated initializers, so adopting
// another host layout means changing this one header.
//
// Fields marked "host" belong to the host: they are 0 in the module's data
// and the host writes them after it installs the gauge.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define FRAME_API __stdcall
#else
#define FRAME_API
#endif

namespace frame {

struct GaugeHeader;
struct Element;
struct SourceVariable;

// ---------------------------------------------------------------- routines

using ValueCallback = double(FRAME_API*)(Element* element);
using MouseFunction = std::int32_t(FRAME_API*)(std::int32_t a, std::int32_t b);
using GaugeCallback = void(FRAME_API*)(GaugeHeader* gauge, std::int32_t service,
                                       std::uint32_t extra);
using PlainRoutine = void(FRAME_API*)();
using ArgRoutine = void(FRAME_API*)(std::uint32_t value);

// ---------------------------------------------------------------- elements

enum ElementKind : std::uint32_t {
    kStaticImage = 0,
    kNeedle = 1,
    kString = 2,
    kSlider = 3,
    kIcon = 4,
    kMovingImage = 5,
    kSprite = 6,
};

// Image flag values the data use, and the one bit the code changes.
namespace ImageFlags {
inline constexpr std::uint32_t kHidden = 0x40000000u;
}

inline constexpr std::int32_t kNoBitmap = -1;

struct Point {
    std::int32_t x;
    std::int32_t y;
};

struct SourceVariable {
    std::uint32_t token;  // 0: no variable
    std::uint32_t pointer = 0;  // host
    std::uint32_t type = 0;  // host
    alignas(8) unsigned char value[8] = {};  // host: FLOAT64, or an integer at the start
    alignas(8) unsigned char previous[8] = {};  // host
};

struct FailureRecord {
    std::uint32_t key;  // 0 ends the list
    std::uint32_t action;
    std::uint32_t reserved;
};

struct CalibrationPoint {
    std::int32_t x;
    std::int32_t y;
    double value;
    double angle = 0;  // host
};

// The part every element kind starts with. Children lists and callbacks
// name elements through this type; each kind embeds it as its first member.
struct Element {
    std::uint32_t kind;
    std::int32_t bitmap;
    Point position;
    Point offset;
    GaugeHeader* gauge;
    Element** children;  // null-terminated, or null
    const FailureRecord* failures;  // ended by a zero record, or null
    std::uint32_t image_flags;
    std::uint32_t flags2 = 0;
};

struct StaticImageElement {
    Element base;
};

struct NeedleElement {
    Element base;
    SourceVariable source;
    ValueCallback callback;
    CalibrationPoint* table;
    std::uint32_t table_rows;
    std::uint32_t rate_limit;
};

// A highlight record: number (0 ends the list), first and last character.
struct HighlightRecord {
    std::int32_t number;
    std::int32_t first;
    std::int32_t last;
};

struct StringElement {
    Element base;
    SourceVariable source[3];
    std::int32_t box_width;
    std::int32_t box_height;
    std::uint32_t text_colour;
    std::uint32_t background_colour;
    std::uint32_t highlight_colour;
    char font_face[32];
    std::uint32_t font_weight;
    std::uint32_t charset;
    std::uint32_t text_flags;
    std::uint32_t char_count;
    const HighlightRecord* highlights;
    ValueCallback callback;
    char* text = nullptr;  // host: the buffer the callback writes into
    std::uint32_t text_capacity = 0;  // host: bytes available at text, NUL included
};

struct Axis {
    SourceVariable source;
    double scale;
    ValueCallback callback;
};

struct SliderElement {
    Element base;
    Axis x;
    Axis y;
};

struct IconElement {
    Element base;
    SourceVariable source;
    std::uint32_t icon_count;
    ValueCallback callback;
};

struct ScrollAxis {
    SourceVariable source;
    double minimum;
    double maximum;
    ValueCallback callback;
};

struct MovingImageElement {
    Element base;
    ScrollAxis x;
    ScrollAxis y;
};

struct SpriteElement {
    Element base;
    Axis x;
    Axis y;
    Axis rotation;
    float texture_scale_x;
    float texture_scale_y;
};

// ---------------------------------------------------------------- mouse

enum MouseAreaKind : std::uint32_t {
    kMouseEnd = 0,
    kMouseParent = 1,
    kMouseChild = 2,
    kMouseEndParent = 3,
};

namespace Cursor {
inline constexpr std::int32_t kNone = -1;
inline constexpr std::int32_t kUpArrow = 1;
inline constexpr std::int32_t kDownArrow = 2;
inline constexpr std::int32_t kHand = 5;
}  // namespace Cursor

namespace MouseFlags {
inline constexpr std::uint32_t kLeftClick = 0x20000000u;
inline constexpr std::uint32_t kLeftClickRepeat = 0x20200000u;
}  // namespace MouseFlags

struct MouseArea {
    std::uint32_t kind;
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    std::int32_t cursor;
    std::uint32_t help_id;
    std::uint32_t flags;
    std::uint32_t event;
    MouseFunction function;
    std::uint32_t reserved;
};

// ---------------------------------------------------------------- gauges

struct ForwardingRoutines {
    PlainRoutine query;
    ArgRoutine install;
    PlainRoutine initialize;
    PlainRoutine update;
    ArgRoutine generate;
    PlainRoutine plot;
    PlainRoutine kill;
};

struct GaugeHeader {
    std::uint32_t version;  // 800
    const char* name;
    Element** elements;  // one root, then null
    ForwardingRoutines routines;
    std::uint32_t size_mm;
    const MouseArea* mouse_list;
    GaugeCallback callback;
    void* host_data = nullptr;  // host
};

inline constexpr std::uint32_t kGaugeHeaderVersion = 800;

// ---------------------------------------------------------------- host

using ElementOp = void(FRAME_API*)(Element* first);
using ElementArgOp = void(FRAME_API*)(Element* first, std::uint32_t value);

// The host's service table. Slots are pointer-sized; the modules call only
// the ten named ones, reached by slot number.
struct HostServices {
    void* reserved0[24];
    ElementOp element_list_query;  // 24
    ElementArgOp element_list_install;  // 25
    ElementOp element_list_initialize;  // 26
    ElementOp element_list_update;  // 27
    ElementArgOp element_list_generate;  // 28
    ElementOp element_list_plot;  // 29
    void* reserved30;
    ElementOp element_list_kill;  // 31
    void* reserved32[3];
    std::int32_t(FRAME_API* panel_window_toggle)(std::uint32_t ident);  // 35
    std::int32_t(FRAME_API* trigger_key_event)(std::uint32_t event, std::uint32_t value);  // 36
    void* reserved37[3];
    void(FRAME_API* lookup_var)(SourceVariable* variable);  // 40
};

inline constexpr std::size_t kServiceSlot = sizeof(void*);
static_assert(offsetof(HostServices, element_list_query) == 24 * kServiceSlot);
static_assert(offsetof(HostServices, element_list_plot) == 29 * kServiceSlot);
static_assert(offsetof(HostServices, element_list_kill) == 31 * kServiceSlot);
static_assert(offsetof(HostServices, panel_window_toggle) == 35 * kServiceSlot);
static_assert(offsetof(HostServices, trigger_key_event) == 36 * kServiceSlot);
static_assert(offsetof(HostServices, lookup_var) == 40 * kServiceSlot);

struct ImportEntry {
    std::uint32_t id;
    HostServices* services;
};

inline constexpr std::uint32_t kImportPanelServices = 0x0F;

struct ImportTableRecord {
    ImportEntry panels;  // id 0x0F; pointer written by the host
    ImportEntry end;  // id 0, null
};

inline constexpr std::uint32_t kLinkageId = 0x13;
inline constexpr std::uint32_t kLinkageVersion = 0x900;

// The head of a module's linkage record; the gauge table follows it directly.
struct LinkageHead {
    std::uint32_t id;  // 0x13
    PlainRoutine init;
    PlainRoutine deinit;
    std::uint32_t reserved[2];
    std::uint32_t version;  // 0x900
};

template <std::size_t N>
struct ModuleLinkage {
    std::uint32_t id;
    PlainRoutine init;
    PlainRoutine deinit;
    std::uint32_t reserved[2];
    std::uint32_t version;
    GaugeHeader* gauge_table[N + 1];  // ended by null
};

// Where a host finds the gauge table of a linkage record it knows only by
// its head.
inline GaugeHeader* const* gauge_table_of(const LinkageHead* head) {
    return reinterpret_cast<GaugeHeader* const*>(
        reinterpret_cast<const unsigned char*>(head) + offsetof(ModuleLinkage<1>, gauge_table));
}

static_assert(offsetof(ModuleLinkage<1>, version) == offsetof(LinkageHead, version));
static_assert(offsetof(ModuleLinkage<1>, gauge_table) == offsetof(ModuleLinkage<8>, gauge_table));

}  // namespace frame
