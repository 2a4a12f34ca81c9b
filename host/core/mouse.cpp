// mouse.cpp - see mouse.h.
#include "mouse.h"

#include <vector>

namespace host {

namespace {

// Guards against a list with no end record.
constexpr int kMaxMouseRecords = 4096;

}  // namespace

MouseHit match_mouse(const frame::MouseArea* list, int x, int y) {
    MouseHit result;
    if (list == nullptr) return result;
    struct Open {
        int x, y;
        std::uint32_t help;
    };
    std::vector<Open> open;
    auto inside = [&](int bx, int by, const frame::MouseArea& a) {
        return x >= bx && y >= by && x < bx + a.width && y < by + a.height;
    };
    for (int i = 0; i < kMaxMouseRecords && list[i].kind != frame::kMouseEnd; ++i) {
        const frame::MouseArea& a = list[i];
        int ox = open.empty() ? 0 : open.back().x;
        int oy = open.empty() ? 0 : open.back().y;
        switch (a.kind) {
        case frame::kMouseParent: {
            int bx = ox + a.x, by = oy + a.y;
            // A parent of size 0 stands for the whole gauge.
            bool whole = a.width == 0 && a.height == 0;
            if ((whole || inside(bx, by, a)) && a.help_id != 0) result.help_id = a.help_id;
            open.push_back({bx, by, a.help_id});
            break;
        }
        case frame::kMouseChild:
            if (result.area == nullptr && inside(ox + a.x, oy + a.y, a)) result.area = &a;
            break;
        case frame::kMouseEndParent:
            if (!open.empty()) open.pop_back();
            break;
        default:
            break;
        }
    }
    return result;
}

}  // namespace host
