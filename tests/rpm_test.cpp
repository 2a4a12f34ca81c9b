// Rpm: the needle's clamp and where it points, the switchable readout, the
// hour meter's five drums over every running time, the mouse areas and
// the failure lists.
#include <cmath>
#include <cstring>
#include <limits>

#include "calibration.h"
#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kEngineSpeed = 390, kRunningTime = 607;
// Tree order: dial, drums 1 to 5, needle, readout.
constexpr std::size_t kDrum1 = 1, kDrum5 = 5, kNeedle = 6, kReadout = 7;
const frame::Point kPivot{150, 150};

TEST(Rpm, NeedleClampsUpperBoundFirst) {
    GaugeOnHost g("Kestrum", "Rpm");
    struct Case {
        double rpm, value;
    } cases[] = {{0, 0}, {2400, 2400}, {3500, 3500}, {3600.7, 3500}, {-5.5, 0},
                 {kNaN, 0}, {kInf, 3500}, {-kInf, 0}, {1e300, 3500}, {-1e300, 0}};
    for (auto c : cases) {
        g.set(kEngineSpeed, c.rpm);
        EXPECT_EQ(g.element(kNeedle).value, c.value) << c.rpm;
    }
}

TEST(Rpm, NeedlePointsAtTheTableRows) {
    GaugeOnHost g("Kestrum", "Rpm");
    struct Case {
        double rpm;
        int x, y;
    } cases[] = {{0, 80, 213}, {1500, 112, 58}, {3000, 248, 154}, {3500, 222, 211}, {9000, 222, 211}, {-100, 80, 213}};
    for (auto c : cases) {
        g.set(kEngineSpeed, c.rpm);
        EXPECT_NEAR(g.element(kNeedle).angle, host::direction_deg(kPivot, c.x, c.y), 1e-9) << c.rpm;
    }
}

TEST(Rpm, ReadoutShowsTheSpeedOnlyWhileSwitchedOn) {
    GaugeOnHost g("Kestrum", "Rpm");
    for (double v : {2400.0, 0.0, 12345.0}) {
        g.set(kEngineSpeed, v);
        EXPECT_EQ(g.element(kReadout).text, "") << v;
        EXPECT_EQ(g.element(kReadout).value, v);
    }
    // The flip hands back the byte as it was: 0 when it switches on.
    ASSERT_EQ(g.gauge().click(150, 250), 0);
    struct Case {
        double rpm;
        const char* text;
    } cases[] = {
        {3600.7, "3600"}, {-5.5, "  -5"},  {0, "   0"},   {999.99, " 999"},           {10000, "10000"},
        {kNaN, "-2147483648"}, {kInf, "-2147483648"}, {-kInf, "-2147483648"}, {1e300, "-2147483648"},
        {-1e300, "-2147483648"}, {-2147483648.5, "-2147483648"}, {2147483648.0, "-2147483648"},
    };
    for (auto c : cases) {
        g.set(kEngineSpeed, c.rpm);
        const host::ElementState& s = g.element(kReadout);
        EXPECT_EQ(s.text, c.text) << c.rpm;
        EXPECT_LT(std::strlen(s.buffer.data()), s.buffer.size());
        if (std::isnan(c.rpm))
            EXPECT_TRUE(std::isnan(s.value));
        else
            EXPECT_EQ(s.value, c.rpm) << "the readout returns the speed unchanged";
    }
    // ... and 1 when it switches off.
    ASSERT_EQ(g.gauge().click(150, 250), 1);
    g.set(kEngineSpeed, 2400);
    EXPECT_EQ(g.element(kReadout).text, "");
}

TEST(Rpm, HourMeterDrums) {
    GaugeOnHost g("Kestrum", "Rpm");
    const double kInt32Min = -2147483648.0;
    struct Case {
        double seconds;
        double digits[4];
        double fraction;  // the fifth drum
        double tolerance;
    } cases[] = {
        {0, {0, 0, 0, 0}, 0, 0},
        {5400, {0, 0, 0, 1}, 50, 0},
        {4442400, {1, 2, 3, 4}, 0, 0},
        {4320000, {1, 2, 0, 0}, 0, 0},
        {35999999, {9, 9, 9, 9}, 100 - 100.0 / 3600, 1e-6},
        {36000000, {10, 0, 0, 0}, 0, 0},
        {359999999, {99, 9, 9, 9}, 100 - 100.0 / 3600, 1e-6},
        {3600.0 * 123456 + 1800, {123, 4, 5, 6}, 50, 1e-6},
        {-5400, {0, 0, 0, -1}, -50, 0},
        {-4442400, {-1, -2, -3, -4}, 0, 0},
        {-1, {0, 0, 0, 0}, -100.0 / 3600, 1e-12},
        // The last 36 seconds of an hour lie above the fifth drum's maximum.
        {3600 - 35, {0, 0, 0, 0}, 99.0278, 0.0001},
        {7200 - 10, {0, 0, 0, 1}, 99.7222, 0.0001},
        // Whole hours beyond 32 bits, infinities and NaN have no integer:
        // their digits are those of INT32_MIN.
        {2147483648.0 * 3600, {-2147483, -6, -4, -8}, (2147483648.0 - kInt32Min) * 100, 0},
    };
    for (auto c : cases) {
        g.set(kRunningTime, c.seconds);
        SCOPED_TRACE(c.seconds);
        for (int d = 0; d < 4; ++d) EXPECT_EQ(g.element(kDrum1 + d).y, c.digits[d]) << "drum " << d + 1;
        EXPECT_NEAR(g.element(kDrum5).y, c.fraction, c.tolerance);
        for (std::size_t d = kDrum1; d <= kDrum5; ++d) EXPECT_EQ(g.element(d).x, 0) << "no x variable";
    }
    for (double v : {kNaN, kInf, -kInf, 1e300, -1e300}) {
        g.set(kRunningTime, v);
        SCOPED_TRACE(v);
        const double digits[4] = {-2147483, -6, -4, -8};
        for (int d = 0; d < 4; ++d) EXPECT_EQ(g.element(kDrum1 + d).y, digits[d]);
        const double fraction = (v / 3600 - kInt32Min) * 100;
        if (std::isnan(fraction))
            EXPECT_TRUE(std::isnan(g.element(kDrum5).y));
        else
            EXPECT_EQ(g.element(kDrum5).y, fraction);
    }
}

TEST(Rpm, MouseAreas) {
    GaugeOnHost g("Kestrum", "Rpm");
    for (auto [x, y] : {std::pair{150, 150}, {150, 100}, {150, 199}, {150, 300}, {300, 250}}) {
        EXPECT_FALSE(g.gauge().click(x, y).has_value()) << x << "," << y;
        EXPECT_EQ(g.gauge().hit(x, y).help_id, 43864u);
    }
    EXPECT_EQ(g.gauge().click(0, 0), 1);
    EXPECT_EQ(g.gauge().click(299, 99), 0);
    EXPECT_FALSE(g.host().windows().at(1004));
    // Two clicks in the lower area leave the readout as it was.
    EXPECT_EQ(g.gauge().click(0, 200), 0);
    EXPECT_EQ(g.gauge().click(299, 299), 1);
    g.set(kEngineSpeed, 2400);
    EXPECT_EQ(g.element(kReadout).text, "");
    EXPECT_EQ(g.host().windows().size(), 1u);
    EXPECT_TRUE(g.host().events().empty());
}

TEST(Rpm, FailureLists) {
    struct Case {
        std::uint32_t key;
        bool drums_frozen, needle_frozen, readout_blank;
    } cases[] = {{20, true, true, true}, {2, false, true, false}, {21, false, false, true}, {6, false, false, false}};
    for (auto c : cases) {
        GaugeOnHost g("Kestrum", "Rpm");
        ASSERT_EQ(g.gauge().click(150, 250), 0);
        g.set(kEngineSpeed, 1000);
        g.set(kRunningTime, 4442400);
        g.host().set_failure(c.key, true);
        g.set(kEngineSpeed, 2000);
        g.set(kRunningTime, 5400);
        SCOPED_TRACE(c.key);
        for (std::size_t d = kDrum1; d < kDrum5; ++d)
            EXPECT_EQ(g.element(d).y, c.drums_frozen ? d : (d == 4 ? 1 : 0)) << "drum " << d;
        EXPECT_EQ(g.element(kNeedle).value, c.needle_frozen ? 1000 : 2000);
        EXPECT_EQ(g.element(kReadout).effect == host::FailureEffect::kBlank, c.readout_blank);
        ASSERT_EQ(g.gauge().click(150, 250), 1);
    }
}

}  // namespace
