// Turn: the airplane symbol's clamp and where the table banks it, the
// ball's offsets, the flag window, the zoom area and the failure lists.
#include <bit>
#include <cmath>
#include <limits>

#include "calibration.h"
#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kTurn = 70, kBall = 69, kFlag = 279;
constexpr std::size_t kFlagIcon = 1, kBallSlider = 2, kSymbol = 3;
const frame::Point kPivot{150, 154};

TEST(Turn, SymbolClampsUpperBoundFirst) {
    GaugeOnHost g("Kestrum", "Turn");
    struct Case {
        double turn, value;
    } cases[] = {
        {0, 0},      {546, 546},   {-546, -546}, {900, 900},    {1000, 900},   {-1000, -900},
        {kNaN, -900}, {kInf, 900}, {-kInf, -900}, {1e300, 900}, {-1e300, -900}, {899.5, 899.5},
    };
    for (auto c : cases) {
        g.set(kTurn, c.turn);
        EXPECT_EQ(g.element(kSymbol).value, c.value) << c.turn;
    }
}

TEST(Turn, SymbolBanksAlongTheTable) {
    GaugeOnHost g("Kestrum", "Turn");
    struct Case {
        double turn;
        int x, y;  // the row the right wing points at
    } cases[] = {{-900, 205, 83}, {-546, 237, 117}, {0, 250, 154}, {546, 240, 185}, {900, 213, 227}, {2000, 213, 227}};
    for (auto c : cases) {
        g.set(kTurn, c.turn);
        EXPECT_NEAR(g.element(kSymbol).angle, host::direction_deg(kPivot, c.x, c.y), 1e-9) << c.turn;
    }
    // Level at 0; the turn rows 23 degrees above and 19 below the level.
    g.set(kTurn, 0);
    EXPECT_EQ(g.element(kSymbol).angle, 0);
    g.set(kTurn, -546);
    EXPECT_NEAR(g.element(kSymbol).angle, 360 - 23, 0.1);
    g.set(kTurn, 546);
    EXPECT_NEAR(g.element(kSymbol).angle, 19, 0.1);
}

TEST(Turn, BallRisesOnePixelForNineSideways) {
    GaugeOnHost g("Kestrum", "Turn");
    const auto* ball = reinterpret_cast<const frame::SliderElement*>(g.element(kBallSlider).element);
    struct Case {
        double b;
        double right, up;  // pixels: value times scale on each axis
    } cases[] = {{16, 9, 1}, {-16, -9, 1}, {0, 0, 0}, {128, 72, 8}, {-128, -72, 8}, {1.6, 0.9, 0.1}};
    for (auto c : cases) {
        g.set(kBall, c.b);
        const host::ElementState& s = g.element(kBallSlider);
        EXPECT_DOUBLE_EQ(s.x * ball->x.scale, c.right) << c.b;
        EXPECT_DOUBLE_EQ(-s.y * ball->y.scale, c.up) << c.b;
        EXPECT_LE(s.y, 0) << "never below the tube's lowest point";
    }
    EXPECT_EQ(ball->base.position.x, 140);
    EXPECT_EQ(ball->base.position.y, 190);
    // The offsets are not bounded; a value that is not a number passes on.
    g.set(kBall, 1e300);
    EXPECT_EQ(g.element(kBallSlider).y, -1e300 * 0.0625);
    g.set(kBall, kNaN);
    EXPECT_TRUE(std::isnan(g.element(kBallSlider).y));
    g.set(kBall, -kInf);
    EXPECT_EQ(g.element(kBallSlider).y, -kInf);
}

TEST(Turn, FlagReadsTheFirstFourBytesAsAnInteger) {
    GaugeOnHost g("Kestrum", "Turn");
    struct Case {
        std::int32_t flag;
        std::int32_t index;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {-1, -1}, {INT32_MIN, INT32_MIN}};
    for (auto c : cases) {
        g.host().variables().set_i32(kFlag, c.flag);
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kFlagIcon).index, c.index) << c.flag;
    }
    // Eight bytes whose first four hold 0, then 1: only those count.
    g.set(kFlag, 1.0);
    EXPECT_EQ(g.element(kFlagIcon).index, 0);
    g.set(kFlag, std::bit_cast<double>(std::uint64_t{0x4059000000000001}));
    EXPECT_EQ(g.element(kFlagIcon).index, 1);
}

TEST(Turn, ZoomAreaTogglesWindow1005) {
    GaugeOnHost g("Kestrum", "Turn");
    struct Case {
        int x, y;
        std::optional<std::int32_t> result;
    } cases[] = {{150, 100, 1}, {0, 0, 0}, {299, 229, 1}, {150, 230, {}}, {150, 290, {}}, {300, 10, {}}};
    for (auto c : cases) {
        EXPECT_EQ(g.gauge().click(c.x, c.y), c.result) << c.x << "," << c.y;
        EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, 43889u);
    }
    EXPECT_TRUE(g.host().windows().at(1005));
    EXPECT_EQ(g.host().windows().size(), 1u);
    EXPECT_TRUE(g.host().events().empty());
}

TEST(Turn, FailureLists) {
    struct Case {
        std::uint32_t key;
        double symbol;  // after 300 then 600
    } cases[] = {{18, 300}, {20, 0}, {3, 600}};
    for (auto c : cases) {
        GaugeOnHost g("Kestrum", "Turn");
        g.set(kTurn, 300);
        g.host().set_failure(c.key, true);
        g.set(kBall, 16);
        g.set(kTurn, 600);
        EXPECT_EQ(g.element(kSymbol).value, c.symbol) << c.key;
        EXPECT_EQ(g.element(kBallSlider).x, 16) << "the ball lists no failure";
        EXPECT_EQ(g.element(0).effect, host::FailureEffect::kNone) << "key 18 does nothing to the dial";
    }
}

}  // namespace
