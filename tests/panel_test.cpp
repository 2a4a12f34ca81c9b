// A panel placed on a host with the built modules: gauge sizes, windows
// and their idents, clicks at screen coordinates, shared module state, and
// what cannot be loaded named at its line while the rest loads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "config.h"
#include "modules.h"
#include "panel.h"

namespace {

using host::panel::Panel;
using host::panel::PanelOptions;

PanelOptions options(const std::string& resources = RESOURCES_DIR) {
    PanelOptions o;
    o.module_dir = GAUGE_DIR;
    o.resources = resources;
    return o;
}

constexpr const char* kPanel = R"([Window Titles]
Window00=Main
Window01=Airspeed
[Window00]
size_mm=1000,400
gauge00=Kestrum!Asi, 10, 20
gauge01=Kestrum!Asi, 200, 20, 230
gauge02=Kestrum!hsi, 500, 20, 120, 60
gauge03=kestrum!Nope, 0, 0
gauge04=Missing!Asi, 0, 0
[Window01]
size_mm=300,300
position=8
visible=0
ident=1001
gauge00=Kestrum!Asi, 0, 0, 300
)";

TEST(Panel, PlacesGaugesAtTheirSizes) {
    host::Host h;
    Panel p(h, host::panel::parse_panel_config(kPanel, "p.cfg"), options());
    ASSERT_EQ(p.windows().size(), 2u);
    const auto& g = p.windows()[0].gauges;
    ASSERT_EQ(g.size(), 3u);
    // No size: the gauge's own 115 mm, in the window's units, its
    // background's proportions kept.
    EXPECT_EQ(g[0].width, 115);
    EXPECT_EQ(g[0].height, 115);
    EXPECT_EQ(g[1].width, 230);
    EXPECT_EQ(g[1].height, 230);
    EXPECT_EQ(g[2].width, 120);
    EXPECT_EQ(g[2].height, 60);  // both given: stretched
    EXPECT_DOUBLE_EQ(g[1].scale_x(), 302.0 / 230);
    // The pop-up stands at its anchor: bottom right.
    EXPECT_EQ(p.windows()[1].x, 700);
    EXPECT_EQ(p.windows()[1].y, 100);
    EXPECT_EQ(p.screen_width(), 1000);
}

TEST(Panel, WhatCannotLoadIsNamedAtItsLine) {
    host::Host h;
    Panel p(h, host::panel::parse_panel_config(kPanel, "p.cfg"), options());
    ASSERT_EQ(p.diagnostics().size(), 2u);
    EXPECT_EQ(p.diagnostics()[0].line, 9);
    EXPECT_NE(p.diagnostics()[0].message.find("has no gauge named Nope"), std::string::npos) << p.diagnostics()[0].message;
    EXPECT_EQ(p.diagnostics()[1].line, 10);
    EXPECT_NE(p.diagnostics()[1].message.find("no such file"), std::string::npos) << p.diagnostics()[1].message;
    // A module file written in another letter case is found, as on the
    // simulator's file system: gauge03's "kestrum" loaded the module.
    EXPECT_EQ(p.diagnostics()[0].message.find("no such file"), std::string::npos);
}

TEST(Panel, AMissingBitmapIsNamedAndTheOtherGaugesLoad) {
    auto dir = std::filesystem::temp_directory_path() / "panel_test_resources";
    std::filesystem::create_directories(dir / "kestrum");
    // Only the Vsi's two bitmaps: the Asi cannot be drawn.
    for (const char* id : {"256", "257"})
        std::filesystem::copy_file(std::string(RESOURCES_DIR) + "/kestrum/" + id + ".bmp", dir / "kestrum" / (std::string(id) + ".bmp"),
                                   std::filesystem::copy_options::overwrite_existing);
    host::Host h;
    Panel p(h,
            host::panel::parse_panel_config("[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=400,200\n"
                                            "gauge00=Kestrum!Asi, 0, 0\ngauge01=Kestrum!Vsi, 150, 0\n",
                                            "p.cfg"),
            options(dir.string()));
    ASSERT_EQ(p.diagnostics().size(), 1u);
    EXPECT_EQ(p.diagnostics()[0].line, 5);
    EXPECT_NE(p.diagnostics()[0].message.find("bitmap 272 is missing"), std::string::npos) << p.diagnostics()[0].message;
    ASSERT_EQ(p.windows()[0].gauges.size(), 1u);
    EXPECT_STREQ(p.windows()[0].gauges[0].gauge->header()->name, "Vsi");
    std::filesystem::remove_all(dir);
}

TEST(Panel, ABackgroundThatCannotBeReadIsNamed) {
    auto dir = std::filesystem::temp_directory_path() / "panel_test_background";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bad.bmp") << "not a bitmap";
    auto config = host::panel::parse_panel_config(
        "[Window Titles]\nWindow00=M\nWindow01=N\n[Window00]\nfile=bad.bmp\nsize_mm=10,10\n[Window01]\nfile=none.bmp\n",
        (dir / "panel.cfg").string());
    host::Host h;
    Panel p(h, std::move(config), options());
    ASSERT_EQ(p.diagnostics().size(), 3u);
    EXPECT_EQ(p.diagnostics()[0].line, 4);
    EXPECT_NE(p.diagnostics()[0].message.find("background bad.bmp"), std::string::npos);
    EXPECT_NE(p.diagnostics()[1].message.find("no such file"), std::string::npos);
    // Without size_mm and without its bitmap the window still gets a size.
    EXPECT_NE(p.diagnostics()[2].message.find("neither size_mm= nor a background"), std::string::npos);
    EXPECT_EQ(p.windows()[1].width, 1024);
    std::filesystem::remove_all(dir);
}

TEST(Panel, ZoomClicksShowAndHideTheirWindow) {
    host::Host h;
    Panel p(h, host::panel::parse_panel_config(kPanel, "p.cfg"), options());
    const auto& popup = p.windows()[1];
    EXPECT_FALSE(p.visible(popup));
    // The first Asi's upper face, at screen units: (10 + 57.5, 20 + 20).
    auto at = p.at(67.5, 40);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->gauge, &p.windows()[0].gauges[0]);
    EXPECT_EQ(at->x, 151);
    EXPECT_EQ(at->y, 52);
    at->gauge->gauge->click(at->x, at->y);
    EXPECT_TRUE(p.visible(popup));
    // Now the pop-up lies over the panel and takes the clicks there; its
    // own Asi's zoom area closes it again.
    auto over = p.at(850, 150);
    ASSERT_TRUE(over);
    EXPECT_EQ(over->window, &popup);
    EXPECT_EQ(over->x, 151);
    over->gauge->gauge->click(over->x, over->y);
    EXPECT_FALSE(p.visible(popup));
    // Where no gauge is, nothing is hit.
    EXPECT_FALSE(p.at(900, 390));
}

TEST(Panel, InstancesShareTheirModuleState) {
    host::Host h;
    Panel p(h, host::panel::parse_panel_config(kPanel, "p.cfg"), options());
    h.variables().set_f64(61, 123.4);
    h.frame(0.05);
    const auto& g = p.windows()[0].gauges;
    EXPECT_EQ(g[0].gauge->elements()[2].text, "");
    EXPECT_EQ(g[1].gauge->elements()[2].text, "");
    g[1].gauge->click(150, 200);  // one instance's readout area
    h.frame(0.05);
    EXPECT_EQ(g[0].gauge->elements()[2].text, "123");
    EXPECT_EQ(g[1].gauge->elements()[2].text, "123");
    EXPECT_EQ(p.find("Asi"), &g[0]);
    EXPECT_EQ(p.find("Vor1"), nullptr);
}

}  // namespace
