// Asi: the needle's clamp and where it points, the switchable readout, the
// mouse areas, the gauge callback and the failure lists.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "calibration.h"
#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kAirspeed = 61;
constexpr std::size_t kNeedle = 1, kReadout = 2;
const frame::Point kPivot{148, 150};

TEST(Asi, NeedleClampsUpperBoundFirst) {
    GaugeOnHost g("Kestrum", "Asi");
    struct Case {
        double knots, value;
    } cases[] = {
        {0, 0},     {30, 30},    {99.9, 99.9}, {210, 210},  {250, 210},   {-5, 0},
        {kNaN, 0},  {kInf, 210}, {-kInf, 0},   {1e300, 210}, {-1e300, 0}, {209.999, 209.999},
    };
    for (auto c : cases) {
        g.set(kAirspeed, c.knots);
        EXPECT_EQ(g.element(kNeedle).value, c.value) << c.knots;
    }
}

TEST(Asi, NeedlePointsAlongTheTable) {
    GaugeOnHost g("Kestrum", "Asi");
    struct Case {
        double knots;
        int x, y;  // the row the needle points at
    } cases[] = {{0, 148, 52}, {40, 182, 82}, {100, 173, 223}, {200, 94, 96}, {210, 108, 84}, {250, 108, 84}};
    for (auto c : cases) {
        g.set(kAirspeed, c.knots);
        EXPECT_NEAR(g.element(kNeedle).angle, host::direction_deg(kPivot, c.x, c.y), 1e-9) << c.knots;
    }
    // Below 40 knots the needle moves evenly from straight up to the 40
    // mark: 30 knots is three quarters of the way.
    g.set(kAirspeed, 30);
    const double up = host::direction_deg(kPivot, 148, 52), forty = host::direction_deg(kPivot, 182, 82);
    EXPECT_NEAR(up, 270, 1e-9);
    EXPECT_NEAR(g.element(kNeedle).angle, up + 0.75 * (forty - up), 1e-9);
}

TEST(Asi, ReadoutShowsTheAirspeedOnlyWhileSwitchedOn) {
    GaugeOnHost g("Kestrum", "Asi");
    // Blank after loading, whatever the airspeed.
    for (double v : {120.0, 0.0, -5.0, 1000.0}) {
        g.set(kAirspeed, v);
        EXPECT_EQ(g.element(kReadout).text, "") << v;
        EXPECT_EQ(g.element(kReadout).value, v) << "the readout returns the airspeed unchanged";
    }
    ASSERT_EQ(g.gauge().click(150, 200), 0);
    struct Case {
        double knots;
        const char* text;
    } cases[] = {
        {250, "250"},   {-5, " -5"},           {99.9, " 99"},          {0, "  0"},
        {-0.9, "  0"},  {1000, "1000"},        {1e300, "-2147483648"}, {-1e300, "-2147483648"},
        {kNaN, "-2147483648"}, {kInf, "-2147483648"}, {-kInf, "-2147483648"}, {2147483647.9, "2147483647"},
    };
    for (auto c : cases) {
        g.set(kAirspeed, c.knots);
        const host::ElementState& s = g.element(kReadout);
        EXPECT_EQ(s.text, c.text) << c.knots;
        // The text ends inside the host's buffer.
        EXPECT_LT(std::strlen(s.buffer.data()), s.buffer.size());
        if (std::isnan(c.knots))
            EXPECT_TRUE(std::isnan(s.value));
        else
            EXPECT_EQ(s.value, c.knots);
    }
    ASSERT_EQ(g.gauge().click(150, 200), 0) << "the flip returns 0 either way";
    g.set(kAirspeed, 120);
    EXPECT_EQ(g.element(kReadout).text, "");
}

TEST(Asi, MouseAreas) {
    GaugeOnHost g("Kestrum", "Asi");
    // Between the zoom and the flip areas, and below the flip area, nothing
    // runs; the gauge's tooltip still applies.
    for (auto [x, y] : {std::pair{150, 135}, {150, 130}, {150, 139}, {150, 240}, {300, 50}}) {
        EXPECT_FALSE(g.gauge().click(x, y).has_value()) << x << "," << y;
        EXPECT_EQ(g.gauge().hit(x, y).help_id, 43778u);
    }
    g.set(kAirspeed, 120);
    EXPECT_EQ(g.element(kReadout).text, "");
    // The zoom area toggles window 1001 and hands back the host's result.
    EXPECT_EQ(g.gauge().click(0, 0), 1);
    EXPECT_TRUE(g.host().windows().at(1001));
    EXPECT_EQ(g.gauge().click(299, 129), 0);
    EXPECT_FALSE(g.host().windows().at(1001));
    // The flip area spans (0, 140) to (299, 239).
    for (auto [x, y] : {std::pair{0, 140}, {299, 239}}) {
        EXPECT_EQ(g.gauge().click(x, y), 0);
        g.set(kAirspeed, 120);
        EXPECT_EQ(g.element(kReadout).text, "120") << x << "," << y;
        EXPECT_EQ(g.gauge().click(x, y), 0);
        g.set(kAirspeed, 120);
        EXPECT_EQ(g.element(kReadout).text, "");
    }
    EXPECT_EQ(g.host().windows().size(), 1u);
    EXPECT_TRUE(g.host().events().empty());
}

TEST(Asi, EveryInstanceSharesTheReadoutSwitch) {
    GaugeOnHost g("Kestrum", "Asi");
    host::Gauge& other = g.host().place(g.host().load(testing_support::module_path("Kestrum")), "Asi");
    ASSERT_EQ(other.click(150, 200), 0);
    g.set(kAirspeed, 88.8);
    EXPECT_EQ(g.element(kReadout).text, " 88");
    EXPECT_EQ(other.elements().at(kReadout).text, " 88");
    ASSERT_EQ(g.gauge().click(150, 200), 0);
    g.set(kAirspeed, 88.8);
    EXPECT_EQ(other.elements().at(kReadout).text, "");
}

TEST(Asi, GaugeCallbackFiresItsEventOnServiceTwoOnly) {
    GaugeOnHost g("Kestrum", "Asi");
    using Events = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    for (std::int32_t service : {0, 1, 3, -2, 4, 65957, INT32_MIN}) g.gauge().call_gauge_callback(service, 0);
    EXPECT_EQ(g.host().events(), Events{});
    // The extra value is not looked at; each call with 2 fires once.
    g.gauge().call_gauge_callback(2, 0);
    EXPECT_EQ(g.host().events(), (Events{{65957, 1}}));
    g.gauge().call_gauge_callback(2, 0xffffffffu);
    g.gauge().call_gauge_callback(1, 0);
    EXPECT_EQ(g.host().events(), (Events{{65957, 1}, {65957, 1}}));
}

TEST(Asi, FailureLists) {
    struct Case {
        std::uint32_t key;
        bool needle_frozen, readout_blank;
    } cases[] = {{6, true, false}, {3, true, false}, {20, false, true}, {21, false, true}, {19, false, false}};
    for (auto c : cases) {
        GaugeOnHost g("Kestrum", "Asi");
        ASSERT_EQ(g.gauge().click(150, 200), 0);
        g.set(kAirspeed, 100);
        g.host().set_failure(c.key, true);
        g.set(kAirspeed, 150);
        EXPECT_EQ(g.element(kNeedle).value, c.needle_frozen ? 100 : 150) << c.key;
        EXPECT_EQ(g.element(kReadout).effect == host::FailureEffect::kBlank, c.readout_blank) << c.key;
        EXPECT_FALSE(g.element(0).failed) << "the dial lists no failure";
        ASSERT_EQ(g.gauge().click(150, 200), 0);
    }
}

}  // namespace
