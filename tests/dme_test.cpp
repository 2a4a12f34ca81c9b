// DME: the three lines with their "---" rules, rounding and 16-bit wrap, the
// power and channel flags, the icons, the distance records the time line
// refreshes, and the mouse areas.
#include <cstring>
#include <limits>

#include "gauge_fixture.h"
#include "helpers.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Tree order: face, power switch, channel, distance, speed, time.
enum { kPower = 1, kChannel = 2, kDistance = 3, kSpeed = 4, kTime = 5 };

// Areas: the switch halves, the channel button, the zoom area.
constexpr int kOnX = 230, kOnY = 210, kOffX = 230, kOffY = 250, kChannelX = 220, kChannelY = 90;

class Dme : public ::testing::Test {
protected:
    GaugeOnHost g{"Navrel", "DME"};

    void frame(double d1, double s1, double d2 = 0, double s2 = 0) {
        auto& v = g.host().variables();
        v.set_f64(31, d1);
        v.set_f64(32, s1);
        v.set_f64(35, d2);
        v.set_f64(36, s2);
        g.host().frame(host::kStepFrameSeconds);
    }
    std::vector<std::string> lines() const {
        return {g.element(kDistance).text, g.element(kSpeed).text, g.element(kTime).text};
    }
    std::vector<double> values() const {
        return {g.element(kDistance).value, g.element(kSpeed).value, g.element(kTime).value};
    }
};

TEST_F(Dme, PowerOffAtLoadBlanksEveryLine) {
    for (auto [d, s] : {std::pair{12.4, 120.0}, {-1.0, -1.0}, {0.0, 0.0}, {kNaN, kInf}}) {
        frame(d, s, d, s);
        EXPECT_EQ(lines(), (std::vector<std::string>{"", "", ""}));
        EXPECT_EQ(g.element(kPower).index, 0) << "bitmap 373, lever down";
        EXPECT_EQ(g.element(kChannel).index, 0) << "bitmap 370, receiver 1";
        EXPECT_EQ(g.host().lookups(), 2) << "both distance records refreshed while off";
    }
    frame(12.25, 120.2);
    EXPECT_EQ(values(), (std::vector<double>{12.75, 120, 120.2}));
}

TEST_F(Dme, ReceiverOneLines) {
    ASSERT_EQ(g.gauge().click(kOnX, kOnY), 0);
    struct Case {
        double distance, speed;
        const char *top, *middle, *bottom;
    } cases[] = {
        {12.4, 120, " 12", "120", "  6"},  // 6.2 minutes
        {12.5, 120, " 13", "120", "  6"},
        {0.2, 120, "  0", "120", "  0"},  // under half a minute
        {-3, 120, " -2", "120", "---"},  // negative times show no value
        {-1.0, 120, "---", "120", "---"},
        {-1.5, 120, " -1", "120", "---"},
        {999.5, 500, "1000", "500", "120"},
        {100, 6, "100", "  6", "1000"},  // 16.67 hours
        {999, 1, "999", "  1", "---"},  // 999 hours
        {998.9, 1, "999", "  1", "59934"},
        {0, 120, "  0", "120", "---"},
        {50, 0, " 50", "---", "---"},
        {50, 0.4, " 50", "---", "7500"},
        {50, 998.4, " 50", "998", "  3"},
        {50, 998.5, " 50", "---", "  3"},
        {50, -1.0, " 50", "---", "---"},
        {-5, -1.0, " -4", "---", "---"},
        {5, -100, "  5", "---", "---"},
        {50, -1.5, " 50", "---", "---"},  // wraps to 65535
        {50, 65536 + 100, " 50", "100", "  0"},  // far beyond any speed, back into range
        {50, 65536 * 2 + 998.6, " 50", "---", "  0"},
        {2147483647.4, 1e7, "2147483647", "---", "12885"},
        {-2147483648.9, 120, "-2147483648", "120", "---"},
        // No 32-bit mile count: no valid value.
        {2147483647.5, 120, "---", "120", "---"},
        {-2147483649.0, 120, "-2147483648", "120", "---"},
        {-2147483649.5, 120, "---", "120", "---"},
        {kNaN, 120, "---", "120", "---"},
        {kInf, 120, "---", "120", "---"},
        {-kInf, 120, "---", "120", "---"},
        {1e300, 120, "---", "120", "---"},
        {12, kNaN, " 12", "---", "---"},
        {12, kInf, " 12", "---", "---"},  // 12 / inf is 0 hours
        {12, 1e300, " 12", "---", "  0"},
        {12, -1e300, " 12", "---", "---"},
        {1e300, 1e-300, "---", "---", "---"},
    };
    for (auto c : cases) {
        frame(c.distance, c.speed);
        EXPECT_EQ(lines(), (std::vector<std::string>{c.top, c.middle, c.bottom}))
            << "distance " << c.distance << " speed " << c.speed;
    }
}

TEST_F(Dme, ReturnsReceiverOneWhateverPowerAndChannel) {
    struct Case {
        double distance, speed;
        double e, k;  // distance + 0.5; speed + 0.5 truncated, as 16 bits
    } cases[] = {
        {12.25, 120.2, 12.75, 120}, {-1, -1, -0.5, 0}, {0, -1.5, 0.5, 65535}, {7, 65536 + 42.7, 7.5, 43},
        {7, kNaN, 7.5, 0},
    };
    for (int state = 0; state < 4; ++state) {
        if (state == 1) g.gauge().click(kOnX, kOnY);
        if (state == 2) g.gauge().click(kChannelX, kChannelY);
        if (state == 3) g.gauge().click(kOffX, kOffY);
        for (auto c : cases) {
            frame(c.distance, c.speed, 500, 300);
            EXPECT_EQ(g.element(kDistance).value, c.e) << state;
            EXPECT_EQ(g.element(kSpeed).value, c.k) << state;
            if (c.speed == c.speed) {
                EXPECT_EQ(g.element(kTime).value, c.speed) << state;
            }
        }
    }
}

// One click on the channel button moves all three lines to tokens 35 and
// 36 and the icon to bitmap 371; a second moves them back.
TEST_F(Dme, ChannelButtonSwitchesEveryLine) {
    EXPECT_EQ(g.gauge().click(kOnX, kOnY), 0);
    frame(12.4, 120, 50, 200);
    EXPECT_EQ(lines(), (std::vector<std::string>{" 12", "120", "  6"}));
    EXPECT_EQ(g.gauge().click(kChannelX, kChannelY), 0);
    frame(12.25, 120, 50, 200);
    EXPECT_EQ(lines(), (std::vector<std::string>{" 50", "200", " 15"}));
    EXPECT_EQ(g.element(kChannel).index, 1);
    EXPECT_EQ(values(), (std::vector<double>{12.75, 120, 120})) << "still receiver 1";
    // Receiver 2's own marks.
    frame(12.4, 120, -1, -1);
    EXPECT_EQ(lines(), (std::vector<std::string>{"---", "---", "---"}));
    EXPECT_EQ(g.gauge().click(kChannelX, kChannelY), 0);
    frame(12.4, 120, 50, 200);
    EXPECT_EQ(lines(), (std::vector<std::string>{" 12", "120", "  6"}));
    EXPECT_EQ(g.element(kChannel).index, 0);
}

// The time line divides the distance from its own records, not from the
// element, whose variables are the speeds.
TEST_F(Dme, TimeLineReadsItsOwnRecords) {
    g.gauge().click(kOnX, kOnY);
    auto& v = g.host().variables();
    v.set_f64(32, 60);
    v.set_f64(36, 30);
    struct Case {
        double distance;
        const char* minutes;  // at 60 knots
    } cases[] = {{1, "  1"}, {2, "  2"}, {10, " 10"}};
    for (auto c : cases) {
        v.set_f64(31, c.distance);
        v.set_f64(35, c.distance * 3);
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kTime).text, c.minutes);
        EXPECT_EQ(g.host().lookups(), 2);
    }
    g.gauge().click(kChannelX, kChannelY);
    g.host().frame(host::kStepFrameSeconds);
    EXPECT_EQ(g.element(kTime).text, " 60") << "30 nm at 30 kt";
}

TEST_F(Dme, SwitchHalvesAndZoom) {
    struct Case {
        int x, y;
        int power;  // after the click
        bool zoom;
    } cases[] = {
        {205, 203, 1, false}, {254, 232, 1, false},  // on, and on again
        {205, 233, 0, false}, {254, 262, 0, false},  // off, and off again
        {230, 215, 1, false}, {0, 0, 1, true}, {199, 299, 1, true}, {100, 150, 1, true},
    };
    bool open = false;
    for (auto c : cases) {
        EXPECT_EQ(g.gauge().click(c.x, c.y), 0) << c.x << "," << c.y;
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kPower).index, c.power) << c.x << "," << c.y;
        if (c.zoom) open = !open;
        EXPECT_EQ(g.host().windows().count(1011) && g.host().windows().at(1011), open);
    }
    // Outside the child areas nothing runs; the tooltips still apply.
    for (auto [x, y] : {std::pair{230, 280}, {239, 109}, {300, 50}, {200, 100}}) {
        EXPECT_EQ(g.gauge().click(x, y), std::nullopt) << x << "," << y;
    }
    EXPECT_EQ(g.gauge().hit(239, 109).help_id, 42760u);
    EXPECT_EQ(g.gauge().hit(300, 50).help_id, 42756u);
    EXPECT_EQ(g.gauge().hit(kChannelX, kChannelY).area->cursor, 5);
    EXPECT_EQ(g.gauge().hit(kOnX, kOnY).area->cursor, 1);
    EXPECT_EQ(g.gauge().hit(kOffX, kOffY).area->cursor, 2);
    EXPECT_EQ(g.element(kChannel).index, 0);
    EXPECT_TRUE(g.host().events().empty());
}

// The flags belong to the module: every instance shows and changes them.
TEST_F(Dme, InstancesShareTheFlags) {
    host::Gauge& other = g.host().place(g.gauge().module(), "DME");
    EXPECT_EQ(other.click(kOnX, kOnY), 0);
    EXPECT_EQ(g.gauge().click(kChannelX, kChannelY), 0);
    frame(1, 1, 12.4, 120);
    for (const host::Gauge* gauge : {&g.gauge(), &other}) {
        EXPECT_EQ(gauge->elements()[kDistance].text, " 12");
        EXPECT_EQ(gauge->elements()[kPower].index, 1);
        EXPECT_EQ(gauge->elements()[kChannel].index, 1);
    }
    EXPECT_EQ(g.host().lookups(), 4) << "each instance's time line refreshes both records";
}

// Every line writes no further than the buffer the host hands it, also
// for the top and bottom lines' longer texts.
TEST_F(Dme, LinesStayInsideTheHostsBuffer) {
    g.gauge().click(kOnX, kOnY);
    frame(-2147483648.9, 6);
    g.host().variables().set_f64(31, 100);  // for the time line's own record
    struct Case {
        int line;
        std::uint32_t capacity;
        const char* text;
    } cases[] = {
        {kDistance, 12, "-2147483648"}, {kDistance, 4, "-21"}, {kDistance, 1, ""},
        {kSpeed, 2, " "}, {kTime, 5, "1000"}, {kTime, 3, "10"}, {kTime, 1, ""},
    };
    for (auto c : cases) {
        auto* line = frame::as_string(g.element(c.line).element);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        line->text = buffer;
        line->text_capacity = c.capacity;
        line->callback(&line->base);
        EXPECT_STREQ(buffer, c.text) << c.line;
        for (std::size_t i = c.capacity; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << c.line;
    }
}

TEST(DmeFailures, ActOnTheLinesOnly) {
    struct Case {
        std::uint32_t key;
        host::FailureEffect effect;
    } cases[] = {{20, host::FailureEffect::kBlank}, {21, host::FailureEffect::kBlank},
                 {13, host::FailureEffect::kNone}, {14, host::FailureEffect::kNone}};
    for (auto c : cases) {
        GaugeOnHost d("Navrel", "DME");
        d.host().set_failure(c.key, true);
        d.host().frame(host::kStepFrameSeconds);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(d.element(i).effect, i >= kDistance ? c.effect : host::FailureEffect::kNone)
                << "key " << c.key << " element " << i;
    }
}

}  // namespace
