// The host's highlight lists: a list ends at its first record numbered 0,
// and the setting events select the records the policy table names.
#include <gtest/gtest.h>

#include "highlight.h"
#include "policy.h"

namespace {

TEST(Highlight, ListEndsAtItsFirstRecordNumberedZero) {
    const frame::HighlightRecord list[] = {
        {24, 0, 1}, {25, 3, 4}, {0, 9, 9}, {26, 6, 7}, {0, 0, 0},
    };
    EXPECT_EQ(host::find_highlight(list, 24), &list[0]);
    EXPECT_EQ(host::find_highlight(list, 25), &list[1]);
    EXPECT_EQ(host::find_highlight(list, 26), nullptr) << "a record after the end is not in the list";
    EXPECT_EQ(host::find_highlight(list, 0), nullptr) << "0 selects nothing, not the end record";
    EXPECT_EQ(host::find_highlight(list, -1), nullptr);
    EXPECT_EQ(host::find_highlight(nullptr, 24), nullptr);
    const frame::HighlightRecord empty[] = {{0, 0, 0}};
    EXPECT_EQ(host::find_highlight(empty, 24), nullptr);
}

TEST(Highlight, SettingEventsSelectTheirFields) {
    struct Case {
        std::uint32_t event;
        std::int32_t record;
    } cases[] = {{65657, 24}, {65658, 24}, {65659, 25}, {65660, 25}, {65661, 26},
                 {65656, 0},  {65662, 0},  {65881, 0},  {65882, 0},  {0, 0}};
    for (auto c : cases) EXPECT_EQ(host::highlight_for_event(c.event), c.record) << c.event;
}

}  // namespace
