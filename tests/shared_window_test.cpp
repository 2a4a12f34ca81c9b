// One panel, two modules: window 1004 belongs to the panel, so Kestrum's Rpm
// and Navrel's Vor1 toggle the same window, each module through its own
// copy of the frame.
#include <gtest/gtest.h>

#include "host.h"
#include "modules.h"

namespace {

using testing_support::module_path;

TEST(SharedWindow, RpmAndVor1ToggleWindow1004) {
    host::Host h;
    host::Gauge& rpm = h.place(h.load(module_path("Kestrum"), RESOURCES_DIR), "Rpm");
    host::Gauge& vor1 = h.place(h.load(module_path("Navrel"), RESOURCES_DIR), "Vor1");
    ASSERT_NE(&rpm.module(), &vor1.module());
    auto open = [&] { return h.windows().count(1004) != 0 && h.windows().at(1004); };

    // Rpm hands back the toggle's result, Vor1 always 0.
    EXPECT_EQ(rpm.click(150, 50), 1);
    EXPECT_TRUE(open());
    EXPECT_EQ(vor1.click(150, 50), 0);
    EXPECT_FALSE(open()) << "Vor1 closes the window Rpm opened";
    EXPECT_EQ(vor1.click(150, 50), 0);
    EXPECT_TRUE(open());
    EXPECT_EQ(rpm.click(150, 50), 0) << "and Rpm closes the one Vor1 opened";
    EXPECT_FALSE(open());
    EXPECT_EQ(h.windows().size(), 1u) << "one window, whichever module asks";
}

}  // namespace
