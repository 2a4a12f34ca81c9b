// The panel.cfg reader: a good file read as the simulator reads it, and
// each kind of bad line named by file and line while the rest still loads.
#include <gtest/gtest.h>

#include "config.h"

namespace {

using host::panel::parse_panel_config;
using host::panel::PanelConfig;

constexpr const char* kGood = R"(// A panel.
[Window Titles]
Window00=Main panel
window01 = Airspeed   // letter case and blanks do not matter

[WINDOW00]
file=back.bmp
size_mm=1024,340
position=7
visible=1
gauge00=Kestrum!Asi, 20, 28
gauge01=Kestrum!Vsi,275,168,120
gauge02=My Gauges!Clock, 720, 252, 70, 80

[Window01]
size_mm=262, 262
position=1
visible=0
ident=1001
background_color=24,25,27
gauge00=Kestrum!Asi, 6, 6, 250

[Views]
VIEW_FORWARD_DIR=10.0, 0.0, 0.0
)";

TEST(PanelConfig, ReadsWindowsAndGauges) {
    PanelConfig c = parse_panel_config(kGood, "panel.cfg");
    EXPECT_TRUE(c.diagnostics.empty()) << c.diagnostics[0].text();
    ASSERT_EQ(c.windows.size(), 2u);
    const auto& main = c.windows[0];
    EXPECT_EQ(main.title, "Main panel");
    EXPECT_EQ(main.file, "back.bmp");
    EXPECT_EQ(main.width, 1024);
    EXPECT_EQ(main.height, 340);
    EXPECT_EQ(main.position, 7);
    EXPECT_TRUE(main.visible);
    EXPECT_FALSE(main.ident);
    ASSERT_EQ(main.gauges.size(), 3u);
    EXPECT_EQ(main.gauges[0].file, "Kestrum");
    EXPECT_EQ(main.gauges[0].gauge, "Asi");
    EXPECT_EQ(main.gauges[0].x, 20);
    EXPECT_EQ(main.gauges[0].y, 28);
    EXPECT_FALSE(main.gauges[0].width);
    EXPECT_EQ(*main.gauges[1].width, 120);
    EXPECT_FALSE(main.gauges[1].height);
    // The file is split from the gauge at '!' only.
    EXPECT_EQ(main.gauges[2].file, "My Gauges");
    EXPECT_EQ(*main.gauges[2].height, 80);
    EXPECT_EQ(main.gauges[2].line, 13);
    const auto& popup = c.windows[1];
    EXPECT_EQ(popup.title, "Airspeed");
    EXPECT_FALSE(popup.visible);
    EXPECT_EQ(*popup.ident, 1001u);
    ASSERT_TRUE(popup.background);
    EXPECT_EQ(popup.background->g, 25);
}

TEST(PanelConfig, GaugesFollowTheirNumbersNotTheirLines) {
    PanelConfig c = parse_panel_config("[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=100,100\n"
                                       "gauge01=K!B, 1, 1\ngauge00=K!A, 0, 0\n",
                                       "p.cfg");
    EXPECT_TRUE(c.diagnostics.empty());
    ASSERT_EQ(c.windows[0].gauges.size(), 2u);
    EXPECT_EQ(c.windows[0].gauges[0].gauge, "A");
    EXPECT_EQ(c.windows[0].gauges[1].gauge, "B");
}

TEST(PanelConfig, BadLinesAreNamedAndTheRestLoads) {
    struct Case {
        const char* line;  // placed as line 5 of a window section
        const char* message;
    } cases[] = {
        {"gauge01=Kestrum Asi, 20, 30", "expected File!Gauge, x, y[, w[, h]]"},
        {"gauge01=Kestrum!Asi, 20", "got 1 numbers"},
        {"gauge01=Kestrum!Asi, 20, 30, 1, 2, 3", "got 5 numbers"},
        {"gauge01=Kestrum!Asi, 20, thirty", "y 'thirty' is not a whole number"},
        {"gauge01=Kestrum!Asi, 20, 30.5", "y '30.5' is not a whole number"},
        {"gauge01=Kestrum!Asi, 20, 30, 0", "width must be above 0"},
        {"gauge01=!Asi, 20, 30", "no module file"},
        {"gauge01=Kestrum!, 20, 30", "no gauge name"},
        {"size_mm=1024", "malformed size_mm=1024"},
        {"size_mm=0,10", "malformed size_mm=0,10"},
        {"position=9", "expected an anchor from 0 to 8"},
        {"position=-1", "expected an anchor from 0 to 8"},
        {"visible=yes", "expected 0 or 1"},
        {"ident=-4", "malformed ident=-4"},
        {"background_color=1,2", "expected R,G,B"},
        {"background_color=1,2,256", "expected R,G,B"},
        {"no equals sign here", "expected KEY=VALUE"},
        {"=3", "expected KEY=VALUE"},
        {"gauge00=Kestrum!Vsi, 1, 1", "duplicate key gauge00 (first on line 4)"},
        {"gauge02=Kestrum!Vsi, 1, 1", "gauge02 follows gauge00"},
        {"[Window00", "malformed section header"},
    };
    for (const Case& c : cases) {
        // A good line after the bad one, of another key.
        bool position_case = std::string(c.line).rfind("position", 0) == 0;
        std::string text = std::string("[Window Titles]\nWindow00=Main\n[Window00]\ngauge00=Kestrum!Vsi, 0, 0\n") +
                           c.line + (position_case ? "\nvisible=0\n" : "\nposition=3\n");
        PanelConfig p = parse_panel_config(text, "dir/panel.cfg");
        ASSERT_EQ(p.diagnostics.size(), 1u) << c.line;
        const auto& d = p.diagnostics[0];
        EXPECT_FALSE(d.warning) << c.line;
        EXPECT_EQ(d.file, "dir/panel.cfg");
        EXPECT_EQ(d.line, 5) << c.line;
        EXPECT_NE(d.message.find(c.message), std::string::npos) << c.line << " -> " << d.message;
        EXPECT_EQ(d.text().rfind("dir/panel.cfg:5: ", 0), 0u) << d.text();
        // The lines around the bad one still count.
        ASSERT_EQ(p.windows.size(), 1u) << c.line;
        if (std::string(c.line) != "[Window00") {
            if (position_case)
                EXPECT_FALSE(p.windows[0].visible) << c.line;
            else
                EXPECT_EQ(p.windows[0].position, 3) << c.line;
        }
        EXPECT_EQ(p.windows[0].gauges.front().gauge, "Vsi") << c.line;
    }
}

TEST(PanelConfig, FileLevelProblems) {
    struct Case {
        const char* text;
        int line;
        const char* message;
        bool warning;
    } cases[] = {
        {"gauge00=K!A, 0, 0\n[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,1\n", 1, "stands before any section", false},
        {"[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,1\n[Window02]\nsize_mm=1,1\n", 5,
         "[Window02] has no line in [Window Titles]", false},
        {"[Window Titles]\nWindow00=M\nWindow01=Lost\n[Window00]\nsize_mm=1,1\n", 3,
         "Window01 has a title but no [Window01] section", false},
        {"[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,1\n[Window00]\nsize_mm=2,2\n", 5, "a second [Window00]", false},
        {"[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,1\nzoom_factor=2\n", 5, "zoom_factor= is not used", true},
        {"[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,1\nident=MAIN_PANEL\n", 5, "not a number", true},
        {"[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,1\n[VCockpit01]\ngauge00=K!A,0,0\n", 5,
         "virtual cockpit panels are not drawn", true},
        {"// nothing\n", 0, "no [WindowNN] section", false},
    };
    for (const Case& c : cases) {
        PanelConfig p = parse_panel_config(c.text, "p.cfg");
        ASSERT_EQ(p.diagnostics.size(), 1u) << c.text;
        EXPECT_EQ(p.diagnostics[0].line, c.line) << c.text;
        EXPECT_EQ(p.diagnostics[0].warning, c.warning) << c.text;
        EXPECT_NE(p.diagnostics[0].message.find(c.message), std::string::npos) << p.diagnostics[0].message;
        EXPECT_EQ(p.has_errors(), !c.warning);
    }
    // The first of two equal windows is the one kept.
    PanelConfig p = parse_panel_config(cases[3].text, "p.cfg");
    ASSERT_EQ(p.windows.size(), 1u);
    EXPECT_EQ(p.windows[0].width, 1);
}

TEST(PanelConfig, AFileThatCannotBeRead) {
    PanelConfig p = host::panel::read_panel_config("/nonexistent/panel.cfg");
    ASSERT_EQ(p.diagnostics.size(), 1u);
    EXPECT_EQ(p.diagnostics[0].text(), "/nonexistent/panel.cfg: cannot read the panel configuration");
    EXPECT_TRUE(p.windows.empty());
}

}  // namespace
