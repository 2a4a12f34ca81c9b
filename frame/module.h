// module.h - what every gauge module has: the two exported records, the
// module routines, the forwarding routines and the shared mouse pieces.
//
// The frame is compiled into each module; each module supplies its own
// gauge table (a ModuleLinkage exported as Linkage) and defines
// module_first_gauge() to read entry 0 of it.
#pragma once

#include <cstdint>

#include "records.h"

#if defined(_WIN32)
#define FRAME_EXPORT
#else
#define FRAME_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
// Written by the host after loading and before calling anything; the module
// only reads it, afresh on every call.
extern FRAME_EXPORT frame::ImportTableRecord ImportTable;

// The library's entry routine: returns 1 for every reason. A shared object
// has no entry-point slot, so the native build exports it by name.
FRAME_EXPORT int FRAME_API ModuleEntry(void* module, std::uint32_t reason, void* reserved);
}

namespace frame {

void FRAME_API ModuleInit();
void FRAME_API ModuleDeinit();

void FRAME_API ForwardQuery();
void FRAME_API ForwardInstall(std::uint32_t resource);
void FRAME_API ForwardInitialize();
void FRAME_API ForwardUpdate();
void FRAME_API ForwardGenerate(std::uint32_t phase);
void FRAME_API ForwardPlot();
void FRAME_API ForwardKill();

// The same seven in every gauge header of a module.
inline constexpr ForwardingRoutines kForwardingRoutines = {
    .query = ForwardQuery,
    .install = ForwardInstall,
    .initialize = ForwardInitialize,
    .update = ForwardUpdate,
    .generate = ForwardGenerate,
    .plot = ForwardPlot,
    .kill = ForwardKill,
};

// Defined by each module: gauge-table entry 0 of its own Linkage.
GaugeHeader* module_first_gauge();

inline HostServices* host() { return ImportTable.panels.services; }

// ------------------------------------------------------- mouse pieces

// Toggles the gauge's panel window. Most gauges hand the host's result
// back; the Navrel gauges drop it and return 0.
template <std::uint32_t Ident, bool PassResult = true>
std::int32_t FRAME_API ZoomWindowAction(std::int32_t, std::int32_t) {
    std::int32_t result = host()->panel_window_toggle(Ident);
    return PassResult ? result : 0;
}

// Sets a gauge's ReadoutToggle byte to 1 minus its value. Some gauges
// return the byte as it was before the flip, the others 0.
template <std::int8_t& Byte, bool ReturnPrevious>
std::int32_t FRAME_API ReadoutFlip(std::int32_t, std::int32_t) {
    std::int8_t before = Byte;
    Byte = static_cast<std::int8_t>(1 - before);
    return ReturnPrevious ? before : 0;
}

// Mouse-list records. Parents carry a help id and no action; children one
// action and no help id (see MouseArea).
struct Box {
    std::int32_t x, y, width, height;
};

constexpr MouseArea mouse_parent(Box b, std::uint32_t help_id) {
    return {.kind = kMouseParent, .x = b.x, .y = b.y, .width = b.width, .height = b.height,
            .cursor = Cursor::kNone, .help_id = help_id, .flags = 0, .event = 0,
            .function = nullptr, .reserved = 0};
}

constexpr MouseArea mouse_function(Box b, std::int32_t cursor, MouseFunction function) {
    return {.kind = kMouseChild, .x = b.x, .y = b.y, .width = b.width, .height = b.height,
            .cursor = cursor, .help_id = 0, .flags = MouseFlags::kLeftClick, .event = 0,
            .function = function, .reserved = 0};
}

constexpr MouseArea mouse_event(Box b, std::int32_t cursor, std::uint32_t flags,
                                std::uint32_t event) {
    return {.kind = kMouseChild, .x = b.x, .y = b.y, .width = b.width, .height = b.height,
            .cursor = cursor, .help_id = 0, .flags = flags, .event = event,
            .function = nullptr, .reserved = 0};
}

constexpr MouseArea mouse_closing(std::uint32_t kind) {
    return {.kind = kind, .x = 0, .y = 0, .width = 0, .height = 0, .cursor = Cursor::kNone,
            .help_id = 0, .flags = 0, .event = 0, .function = nullptr, .reserved = 0};
}
constexpr MouseArea mouse_end_parent() { return mouse_closing(kMouseEndParent); }
constexpr MouseArea mouse_end() { return mouse_closing(kMouseEnd); }

// A readout governed by a ReadoutToggle shows its value only while the
// byte is exactly 1.
inline bool readout_on(std::int8_t byte) { return byte == 1; }

}  // namespace frame
