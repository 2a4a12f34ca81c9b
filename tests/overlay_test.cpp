// The mouse overlay's names for mouse functions: read from each module's
// symbol table, and checked against what the functions do when clicked.
#include <gtest/gtest.h>

#include <map>

#include "gauge_fixture.h"
#include "panel_render.h"

namespace {

TEST(Overlay, RoutineNamesAreShortened) {
    struct Case {
        const char* demangled;
        const char* label;
    } cases[] = {
        {"int frame::ZoomWindowAction<1001u, true>(int, int)", "ZoomWindowAction 1001"},
        {"int frame::ZoomWindowAction<1004u, false>(int, int)", "ZoomWindowAction 1004"},
        {"int frame::ReadoutFlip<kestrum::(anonymous namespace)::AsiReadoutToggle, false>(int, int)",
         "ReadoutFlip AsiReadoutToggle"},
        {"navrel::(anonymous namespace)::DmePowerOn(int, int)", "DmePowerOn"},
        {"ClockModeToggle", "ClockModeToggle"},
        {"", "function"},
    };
    for (const Case& c : cases) EXPECT_EQ(host::describe_routine(c.demangled), c.label) << c.demangled;
}

// Every gauge's zoom area: the name the overlay shows names the window that
// a click on the area toggles.
TEST(Overlay, ZoomAreasAreNamedWithTheWindowTheyToggle) {
    int zooms = 0;
    for (const auto& spec : testing_support::modules()) {
        for (const std::string& name : spec.gauges) {
            testing_support::GaugeOnHost g(spec.name, name);
            for (const frame::MouseArea* a = g.gauge().header()->mouse_list; a->kind != frame::kMouseEnd; ++a) {
                if (a->function == nullptr) continue;
                std::string label = host::describe_routine(
                    g.gauge().module().library().routine_name(reinterpret_cast<const void*>(a->function)));
                ASSERT_NE(label, "function") << name << ": the native module has no symbol table";
                if (label.rfind("ZoomWindowAction ", 0) != 0) continue;
                ++zooms;
                a->function(0, 0);
                ASSERT_EQ(g.host().windows().size(), 1u) << name;
                EXPECT_EQ(label, "ZoomWindowAction " + std::to_string(g.host().windows().begin()->first)) << name;
            }
        }
    }
    EXPECT_EQ(zooms, 13);
}

}  // namespace
