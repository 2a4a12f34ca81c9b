// highlight.cpp - see highlight.h.
#include "highlight.h"

#include "policy.h"

namespace host {

namespace {

// Guards against a list with no end record.
constexpr int kMaxHighlights = 4096;

}  // namespace

const frame::HighlightRecord* find_highlight(const frame::HighlightRecord* list, std::int32_t number) {
    if (list == nullptr || number == 0) return nullptr;
    for (int i = 0; i < kMaxHighlights && list[i].number != 0; ++i)
        if (list[i].number == number) return &list[i];
    return nullptr;
}

std::int32_t highlight_for_event(std::uint32_t event) {
    for (const HighlightTrigger& t : kHighlightTriggers)
        if (t.event == event) return t.record;
    return 0;
}

}  // namespace host
