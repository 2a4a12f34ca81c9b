// highlight.h - which characters of a string element the host draws in its
// highlight colour: the record a setting event selected, looked up in the
// element's highlight list.
#pragma once

#include <cstdint>

#include "records.h"

namespace host {

// The record of that number in a highlight list, or null. The list ends at
// its first record numbered 0; number 0 selects nothing.
const frame::HighlightRecord* find_highlight(const frame::HighlightRecord* list, std::int32_t number);

// The record a fired event selects (kHighlightTriggers), or 0.
std::int32_t highlight_for_event(std::uint32_t event);

}  // namespace host
