// A short flight on a panel of the real gauges: at chosen moments each
// needle stands where the scenario's numbers put it and each readout shows
// them, through the units the host gives its variables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "calibration.h"
#include "config.h"
#include "instruments.h"
#include "modules.h"
#include "panel.h"
#include "scenario.h"
#include "timeline.h"

namespace {

constexpr const char* kPanel = R"([Window Titles]
Window00=Main
[Window00]
size_mm=1000,400
gauge00=Kestrum!Asi, 0, 0
gauge01=Kestrum!Vsi, 120, 0
gauge02=Kestrum!Altimetro, 240, 0
gauge03=Kestrum!Rpm, 360, 0
gauge04=Kestrum!Man, 480, 0
gauge05=Kestrum!Turn, 600, 0
gauge06=Kestrum!hsi, 0, 150
gauge07=Navrel!Vor1, 130, 150
gauge08=Navrel!DME, 250, 150
gauge09=Chronel!Clock, 460, 150
)";

// West of a VOR/DME, heading for it; no wind, standard air.
constexpr const char* kFlight = R"(panelhost-scenario 1
start 38.5 -97.7 1000 090
qnh 29.92
temperature 15
time 10:00:00
hours 100
vor VOR 38.5 -97.5 1000 dme
at 0 master on ; tune nav1 VOR ; course1 90 ; altimeter 29.92
at 0 click DME 230 215 ; click Asi 150 200 ; click Rpm 150 250
at 1 speed 100 rate 10
at 2 rpm 2400 over 2 ; manifold 24 over 2 ; fuelflow 12 over 2
at 11 altitude 3000 rate 600
at 20 event 65663 20
at 25 fail 6 ; speed 120 rate 2
at 30 heading 120
at 40 end
)";

class FlightRun : public ::testing::Test {
protected:
    FlightRun()
        : scenario_(flight::parse_scenario(kFlight, "test.scenario")),
          panel_(host_, host::panel::parse_panel_config(kPanel, "test.cfg"), options()),
          timeline_(host_, &panel_, scenario_) {}

    static host::panel::PanelOptions options() {
        host::panel::PanelOptions o;
        o.module_dir = GAUGE_DIR;
        o.resources = RESOURCES_DIR;
        return o;
    }

    const host::ElementState& element(const char* gauge, std::size_t i) {
        const host::panel::PlacedGauge* g = panel_.find(gauge);
        EXPECT_NE(g, nullptr) << gauge;
        return g->gauge->elements().at(i);
    }

    // The needle stands (after its rate limit) where its table puts the value.
    void expect_needle_at(const char* gauge, std::size_t i, double value, double tolerance) {
        const host::ElementState& s = element(gauge, i);
        EXPECT_NEAR(s.value, value, tolerance) << gauge << " element " << i;
        auto* n = reinterpret_cast<frame::NeedleElement*>(s.element);
        double want = host::table_angle(n->table, n->table_rows, s.element->position, value);
        double off = std::remainder(s.drawn_angle - want, 360.0);
        EXPECT_NEAR(off, 0, 0.5) << gauge << " element " << i << " drawn at " << s.drawn_angle;
    }

    static std::string d3(double v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d", static_cast<int>(v));
        return buf;
    }

    double token(std::uint32_t t) { return host_.variables().number(t); }

    host::Host host_;
    flight::Scenario scenario_;
    host::panel::Panel panel_;
    flight::Timeline timeline_;
};

TEST_F(FlightRun, TheGaugesReadTheFlight) {
    ASSERT_TRUE(panel_.diagnostics().empty()) << panel_.diagnostics()[0].text();

    // The take-off roll: 10 knots a second from the first second.
    timeline_.advance_to(6);
    EXPECT_NEAR(timeline_.aircraft().ias_kt(), 50, 1e-6);
    expect_needle_at("Asi", 1, 50, 1e-6);
    EXPECT_EQ(element("Asi", 2).text, d3(timeline_.aircraft().ias_kt()));
    // On the ground 10 nm out the DME has no reply yet.
    EXPECT_EQ(element("DME", 3).text, "---");

    // Engine: the power set from 2 to 4 s.
    timeline_.advance_to(10);
    expect_needle_at("Rpm", 6, 2400, 1e-6);
    EXPECT_EQ(element("Rpm", 7).text, "2400");
    expect_needle_at("Man", 2, 24, 1e-3);          // inches of mercury from pounds per square foot
    expect_needle_at("Man", 1, 120, 1e-6);         // tenths of a gallon an hour
    EXPECT_NEAR(token(flight::token::kManifold), 24 * flight::kPsfPerInhg, 0.05);

    // The climb at 600 ft/min from 11 s.
    timeline_.advance_to(18);
    EXPECT_FALSE(timeline_.aircraft().on_ground());
    expect_needle_at("Vsi", 1, 600 * 0.3048 / 60 * 256 * 0.769, 1e-9);
    EXPECT_NEAR(element("Vsi", 1).value, 600, 0.1);
    // The altimeter set to the sea-level pressure reads the true altitude.
    double alt = timeline_.aircraft().position().alt_ft;
    EXPECT_NEAR(token(flight::token::kAltitude), alt, 1e-6);
    int feet = static_cast<int>(token(flight::token::kAltitude));
    expect_needle_at("Altimetro", 4, feet % 1000, 1e-9);
    expect_needle_at("Altimetro", 3, (feet % 10000) / 10, 1e-9);
    // Heading 090: the HSI's card turned to 270, the course pointer up.
    EXPECT_NEAR(element("hsi", 1).value, 270, 1e-6);
    EXPECT_NEAR(element("hsi", 3).value, 0, 1e-6);
    // West of the VOR, inbound on 090: TO, centred.
    EXPECT_EQ(element("Vor1", 2).index, 0);
    expect_needle_at("Vor1", 4, 0, 0.02);

    // The NAV1 course knob turned twenty clicks at 20 s: the card, the
    // HSI's course pointer and the needle, now at its stop on the left of a
    // course 20 degrees off.
    timeline_.advance_to(24);
    EXPECT_EQ(token(flight::token::kNav1Course), 110);
    EXPECT_EQ(token(flight::token::kNav1CourseKnob), 110);
    EXPECT_NEAR(element("Vor1", 1).rotation, 110, 1e-9);
    EXPECT_NEAR(element("hsi", 3).value, 20, 1e-6);
    expect_needle_at("Vor1", 4, -1, 1e-9);
    EXPECT_NEAR(element("hsi", 6).x, -flight::kHsiFullScale * -1, 1e-9);

    // The DME: the slant range rounded, and the closing speed, which
    // with no wind is the true airspeed.
    double range = timeline_.instruments().nav(0).dme_nm;
    EXPECT_EQ(element("DME", 3).text, d3(range + 0.5));
    EXPECT_NEAR(token(flight::token::kNav1Speed), timeline_.aircraft().tas_kt(), 1.5);
    EXPECT_EQ(element("DME", 4).text, d3(token(flight::token::kNav1Speed) + 0.5));

    // From 25 s key 6 freezes the airspeed needle, and with it the readout
    // that hangs from it, while the aircraft speeds up.
    timeline_.advance_to(24.5);
    double frozen = element("Asi", 1).value;
    std::string shown = element("Asi", 2).text;
    timeline_.advance_to(30);
    EXPECT_NEAR(timeline_.aircraft().ias_kt(), 110, 1e-6);
    EXPECT_EQ(element("Asi", 1).value, frozen);
    EXPECT_TRUE(element("Asi", 1).failed);
    EXPECT_EQ(element("Asi", 2).text, shown);

    // A standard-rate turn to the right: the airplane symbol on its mark.
    timeline_.advance_to(34);
    EXPECT_NEAR(timeline_.aircraft().turn_rate(), 3, 1e-9);
    expect_needle_at("Turn", 3, 546, 1e-6);

    // The clock and the hour meter ran with the flight.
    timeline_.advance_to(40);
    EXPECT_EQ(element("Clock", 2).text, "10:00:40");
    double hours = token(flight::token::kEngineSeconds) / 3600;
    EXPECT_GT(hours, 100 + 37.0 / 3600);
    EXPECT_LT(hours, 100 + 38.0 / 3600);
    EXPECT_NEAR(element("Rpm", 5).y, (hours - 100) * 100, 1e-9);
}

TEST_F(FlightRun, ClicksLandOnTheGaugeUnderThem) {
    // The Asi's readout was switched on by name; a click at screen units on
    // the Rpm's lower face (360 + 57.5, 90) switches its readout off again.
    timeline_.advance_to(3);
    ASSERT_NE(element("Rpm", 7).text, "");
    auto at = panel_.at(417.5, 90);
    ASSERT_TRUE(at);
    EXPECT_STREQ(at->gauge->gauge->header()->name, "Rpm");
    at->gauge->gauge->click(at->x, at->y);
    timeline_.advance_to(4);
    EXPECT_EQ(element("Rpm", 7).text, "");
    bool logged = false;
    for (const auto& m : timeline_.log()) logged = logged || m.text == "click DME (230, 215) -> 0";
    EXPECT_TRUE(logged);
}

}  // namespace
