// Vsi: the needle value from token 65, where it points, and the zoom area.
#include <cmath>
#include <limits>

#include "calibration.h"
#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Vsi, NeedleValueClampsToTheDial) {
    GaugeOnHost g("Kestrum", "Vsi");
    struct Case {
        double token, value;
    } cases[] = {
        {0, 0},
        {2600, 2600 * 0.769},
        {2700, 2000},
        {-3000, -2000},
        {kNaN, -2000},
        {kInf, 2000},
        {-kInf, -2000},
        {1000 / 0.769, 1000},
        {-1e300, -2000},
    };
    for (auto c : cases) {
        g.set(65, c.token);
        EXPECT_EQ(g.element(1).value, c.value) << c.token;
    }
    EXPECT_LT(2600 * 0.769, 2000);
}

TEST(Vsi, NeedlePointsAtTheTableRows) {
    GaugeOnHost g("Kestrum", "Vsi");
    frame::Point pivot{155, 151};
    struct Case {
        double fpm;
        int x, y;  // the row the needle points at
    } cases[] = {
        {-2000, 296, 168}, {-1000, 125, 294}, {0, 18, 150}, {1000, 122, 4}, {2000, 295, 131},
    };
    for (auto c : cases) {
        g.set(65, c.fpm / 0.769);
        EXPECT_NEAR(g.element(1).angle, host::direction_deg(pivot, c.x, c.y), 1e-6) << c.fpm;
    }
    g.set(65, 0);
    EXPECT_NEAR(g.element(1).angle, 180.42, 0.01);
    // Halfway between rows 5 and 6 in value is halfway along the arc.
    g.set(65, 250 / 0.769);
    double a5 = host::direction_deg(pivot, 18, 150), a6 = host::direction_deg(pivot, 28, 65);
    EXPECT_NEAR(g.element(1).angle, (a5 + a6) / 2, 1e-6);
}

TEST(Vsi, ZoomAreaTogglesWindow1007) {
    GaugeOnHost g("Kestrum", "Vsi");
    struct Case {
        int x, y;
        bool runs;
    } cases[] = {{150, 100, true}, {0, 0, true}, {299, 229, true}, {150, 230, false}, {150, 260, false}, {300, 10, false}};
    for (auto c : cases) {
        auto before = g.host().windows().count(1007) ? g.host().windows().at(1007) : false;
        auto result = g.gauge().click(c.x, c.y);
        EXPECT_EQ(result.has_value(), c.runs) << c.x << "," << c.y;
        bool after = g.host().windows().count(1007) ? g.host().windows().at(1007) : false;
        EXPECT_EQ(after != before, c.runs);
        if (c.runs) {
            EXPECT_EQ(*result, after ? 1 : 0) << "the toggle's result is passed back";
        }
    }
    EXPECT_EQ(g.gauge().hit(150, 260).help_id, 43894u);
    EXPECT_TRUE(g.host().events().empty());
}

}  // namespace
