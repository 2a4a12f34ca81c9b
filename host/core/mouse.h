// mouse.h - matching a click against a gauge's mouse list.
#pragma once

#include <cstdint>

#include "records.h"

namespace host {

struct MouseHit {
    const frame::MouseArea* area = nullptr;  // the child hit, or null
    std::uint32_t help_id = 0;  // the help id of the innermost parent under the point
};

// Walks the list in order: a parent opens a box relative to the enclosing
// parent (a parent of size 0 stands for the whole gauge), a child's box is
// relative to the innermost open parent, an end-of-parent returns to the
// enclosing one. The first child whose box holds (x, y) is hit; boxes hold
// their top and left edges, not their bottom and right ones.
MouseHit match_mouse(const frame::MouseArea* list, int x, int y);

}  // namespace host
