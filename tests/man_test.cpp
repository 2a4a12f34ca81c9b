// Man: both needles' conversion and clamp and where they point, the two
// readouts switched together, the mouse areas with a tooltip per half, and
// the readouts' failure list.
#include <cmath>
#include <cstring>
#include <limits>

#include "calibration.h"
#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kFuelFlow = 137, kPressure = 391;
constexpr double kToInches = 0.014139;
// Tree order: dial, fuel-flow needle, pressure needle, fuel-flow readout,
// pressure readout.
constexpr std::size_t kFlowNeedle = 1, kPressureNeedle = 2, kFlowText = 3, kPressureText = 4;

TEST(Man, PressureNeedleInInchesClampedUpperFirst) {
    GaugeOnHost g("Kestrum", "Man");
    struct Case {
        double psf, value;
    } cases[] = {{2116.8, 2116.8 * kToInches}, {0, 10}, {3000, 35}, {-100, 10}, {kNaN, 10},
                 {kInf, 35}, {-kInf, 10}, {1e300, 35}};
    for (auto c : cases) {
        g.set(kPressure, c.psf);
        EXPECT_EQ(g.element(kPressureNeedle).value, c.value) << c.psf;
    }
    g.set(kPressure, 2116.8);
    EXPECT_NEAR(g.element(kPressureNeedle).value, 29.9294352, 1e-9);
}

TEST(Man, FuelFlowNeedleInTenthsClampedUpperFirst) {
    GaugeOnHost g("Kestrum", "Man");
    struct Case {
        double gph, value;
    } cases[] = {{12.7, 127}, {1, 20}, {30, 250}, {-0.5, 20}, {2, 20}, {25, 250},
                 {kNaN, 20}, {kInf, 250}, {-kInf, 20}, {-1e300, 20}};
    for (auto c : cases) {
        g.set(kFuelFlow, c.gph);
        EXPECT_EQ(g.element(kFlowNeedle).value, c.value) << c.gph;
    }
}

TEST(Man, NeedlesPointAtTheirTableRows) {
    GaugeOnHost g("Kestrum", "Man");
    struct Case {
        std::uint32_t token;
        double value;
        std::size_t needle;
        frame::Point pivot;
        int x, y;
    } cases[] = {
        {kPressure, 10 / kToInches, kPressureNeedle, {150, 150}, 129, 232},
        {kPressure, 20 / kToInches, kPressureNeedle, {150, 150}, 66, 173},
        {kPressure, 9000, kPressureNeedle, {150, 150}, 127, 64},
        {kFuelFlow, 25, kFlowNeedle, {158, 150}, 169, 64},
        {kFuelFlow, 12, kFlowNeedle, {158, 150}, 218, 204},
        {kFuelFlow, 8, kFlowNeedle, {158, 150}, 194, 222},
        {kFuelFlow, 0, kFlowNeedle, {158, 150}, 156, 243},
    };
    for (auto c : cases) {
        g.set(c.token, c.value);
        EXPECT_NEAR(g.element(c.needle).angle, host::direction_deg(c.pivot, c.x, c.y), 1e-6) << c.value;
    }
    // The flow table has no row for 10 gallons an hour: 100 lies halfway
    // along the arc from the 120 row to the 80 row.
    g.set(kFuelFlow, 10);
    const frame::Point flow{158, 150};
    const double a120 = host::direction_deg(flow, 218, 204), a80 = host::direction_deg(flow, 194, 222);
    EXPECT_NEAR(g.element(kFlowNeedle).angle, (a120 + a80) / 2, 1e-9);
}

TEST(Man, BothReadoutsSwitchTogether) {
    GaugeOnHost g("Kestrum", "Man");
    g.set(kPressure, 2116.8);
    g.set(kFuelFlow, 12.7);
    EXPECT_EQ(g.element(kPressureText).text, "");
    EXPECT_EQ(g.element(kFlowText).text, "");
    ASSERT_EQ(g.gauge().click(150, 250), 0) << "the flip hands back the byte as it was";
    struct Case {
        double psf, gph;
        const char* pressure;
        const char* flow;
    } cases[] = {
        {2116.8, 12.7, "29", "12"},
        {0, 1, " 0", " 1"},
        {3000, 30, "42", "30"},
        {-100, -0.5, "-1", " 0"},
        {100000, 100, "1413", "100"},
        {kNaN, kNaN, "-2147483648", "-2147483648"},
        {kInf, -kInf, "-2147483648", "-2147483648"},
        {1e300, -1e300, "-2147483648", "-2147483648"},
    };
    for (auto c : cases) {
        g.host().variables().set_f64(kPressure, c.psf);
        g.set(kFuelFlow, c.gph);
        const host::ElementState& p = g.element(kPressureText);
        const host::ElementState& f = g.element(kFlowText);
        EXPECT_EQ(p.text, c.pressure) << c.psf;
        EXPECT_EQ(f.text, c.flow) << c.gph;
        EXPECT_LT(std::strlen(p.buffer.data()), p.buffer.size());
        EXPECT_LT(std::strlen(f.buffer.data()), f.buffer.size());
        // Neither clamped nor truncated: inches for the pressure, the
        // token itself for the flow.
        const double inches = c.psf * kToInches;
        if (std::isnan(inches))
            EXPECT_TRUE(std::isnan(p.value));
        else
            EXPECT_EQ(p.value, inches);
        if (std::isnan(c.gph))
            EXPECT_TRUE(std::isnan(f.value));
        else
            EXPECT_EQ(f.value, c.gph);
    }
    ASSERT_EQ(g.gauge().click(150, 250), 1);
    g.set(kPressure, 2116.8);
    EXPECT_EQ(g.element(kPressureText).text, "");
    EXPECT_EQ(g.element(kFlowText).text, "");
}

TEST(Man, MouseAreasAndTooltips) {
    GaugeOnHost g("Kestrum", "Man");
    struct Case {
        int x, y;
        std::uint32_t help;
    } quiet[] = {
        {50, 150, 43846}, {0, 0, 43846},     {99, 299, 43846}, {250, 150, 43816}, {200, 0, 43816},
        {299, 299, 43816}, {150, 150, 0},    {101, 50, 0},     {197, 50, 0},      {150, 100, 0},
        {150, 199, 0},    {100, 250, 0},    {150, 300, 0},
    };
    for (auto c : quiet) {
        EXPECT_FALSE(g.gauge().click(c.x, c.y).has_value()) << c.x << "," << c.y;
        EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, c.help) << c.x << "," << c.y;
    }
    EXPECT_EQ(g.gauge().click(102, 0), 1);
    EXPECT_TRUE(g.host().windows().at(1009));
    EXPECT_EQ(g.gauge().click(196, 99), 0);
    EXPECT_EQ(g.gauge().click(102, 200), 0);
    EXPECT_EQ(g.gauge().click(196, 299), 1);
    EXPECT_EQ(g.host().windows().size(), 1u);
    EXPECT_TRUE(g.host().events().empty());
}

TEST(Man, EveryInstanceSharesTheReadoutSwitch) {
    GaugeOnHost g("Kestrum", "Man");
    host::Gauge& other = g.host().place(g.host().load(testing_support::module_path("Kestrum")), "Man");
    ASSERT_EQ(other.click(150, 250), 0);
    g.set(kFuelFlow, 9.9);
    EXPECT_EQ(g.element(kFlowText).text, " 9");
    EXPECT_EQ(other.elements().at(kFlowText).text, " 9");
    ASSERT_EQ(g.gauge().click(150, 250), 1);
}

TEST(Man, OnlyTheReadoutsListFailures) {
    for (std::uint32_t key : {20u, 21u}) {
        GaugeOnHost g("Kestrum", "Man");
        g.host().set_failure(key, true);
        g.set(kPressure, 2116.8);
        for (std::size_t i : {kPressureText, kFlowText})
            EXPECT_EQ(g.element(i).effect, host::FailureEffect::kBlank) << key;
        for (std::size_t i : {std::size_t{0}, kFlowNeedle, kPressureNeedle}) EXPECT_FALSE(g.element(i).failed) << key;
    }
}

}  // namespace
