// events.h - what the host does when an event fires: the knobs' effects on
// the variable store, one named row per event.
#pragma once

#include <cstdint>
#include <span>

#include "variables.h"

namespace host {

// How an event changes its tokens.
enum class EventAction {
    kStep,  // adds `step` to every token, then wraps or clamps
    kZero,  // sets every token to 0
};

struct EventEffect {
    std::uint32_t event;
    const char* name;  // what the pilot does, for documents and overlays
    EventAction action;
    std::uint32_t tokens[2];  // 0: unused
    double step;
    double low, high;  // the token's range
    bool wraps;  // true: the range is a circle ([low, high)); false: clamped
    double resolution;  // results are rounded to whole multiples of this
};

// Every event with an effect. Events not listed are recorded and do nothing.
std::span<const EventEffect> event_effects();

// The row of an event, or null.
const EventEffect* find_event_effect(std::uint32_t event);

// Applies the event's effect to the store; the event's value is not used
// (a knob click is one step). Returns false for an event without effect.
bool apply_event(VariableStore& store, std::uint32_t event);

}  // namespace host
