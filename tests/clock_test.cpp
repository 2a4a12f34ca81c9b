// Clock: the temperature line (conversion, clamp, degree byte), the volts
// mode and its button, the time line (bound order, 8-bit fields), the
// highlight list and the areas that select it, the zoom area and the
// failure that blanks both lines.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "gauge_fixture.h"
#include "policy.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kTemperature = 350, kUnits = 335, kVolts = 752;
constexpr std::uint32_t kHours = 3, kMinutes = 4, kSeconds = 5;
constexpr std::size_t kUpper = 1, kLower = 2;
constexpr int kButtonX = 157, kButtonY = 27;

std::string degrees(const char* number, char unit) { return std::string(number) + " \xBA" + unit; }

void set_temperature(GaugeOnHost& g, double celsius_over_256, double units) {
    g.host().variables().set_f64(kUnits, units);
    g.set(kTemperature, celsius_over_256);
}

TEST(Clock, TemperatureIsConvertedThenClamped) {
    GaugeOnHost g("Chronel", "Clock");
    struct Case {
        double token;  // 350: degrees Celsius / 256
        double units;  // 335
        std::string text;
        double value;
    } cases[] = {
        {0.25, 0, degrees("147", 'F'), 147.2},
        {0.25, 1, degrees(" 64", 'C'), 64},
        {2, 0, degrees("953", 'F'), 953.6},  // 512 C: in range only before the conversion
        {3, 0, degrees("999", 'F'), 999},
        {3, 1, degrees("768", 'C'), 768},
        {600 / 256.0, 0, degrees("999", 'F'), 999},
        {600 / 256.0, 1, degrees("600", 'C'), 600},
        {-80 / 256.0, 0, degrees("-99", 'F'), -99},  // -112 F
        {-80 / 256.0, 1, degrees("-80", 'C'), -80},
        {-99.5 / 256, 1, degrees("-99", 'C'), -99},
        {-98.6 / 256, 1, degrees("-98", 'C'), -98.6},
        {999 / 256.0, 1, degrees("999", 'C'), 999},
        {-99 / 256.0, 1, degrees("-99", 'C'), -99},
        {0, 0, degrees(" 32", 'F'), 32},
        {0, -0.0, degrees(" 32", 'F'), 32},  // -0 equals 0: Fahrenheit
        {0.25, 2, degrees(" 64", 'C'), 64},
        {0.25, kNaN, degrees(" 64", 'C'), 64},  // not 0: Celsius
        {kNaN, 0, degrees("-99", 'F'), -99},
        {kNaN, 1, degrees("-99", 'C'), -99},
        {kInf, 0, degrees("999", 'F'), 999},
        {-kInf, 1, degrees("-99", 'C'), -99},
        {1e300, 0, degrees("999", 'F'), 999},
        {-1e300, 0, degrees("-99", 'F'), -99},
    };
    for (const auto& c : cases) {
        set_temperature(g, c.token, c.units);
        const host::ElementState& s = g.element(kUpper);
        EXPECT_EQ(s.text, c.text) << c.token << " " << c.units;
        EXPECT_EQ(s.text.size(), 6u) << "six characters for every shown temperature";
        EXPECT_EQ(s.value, c.value) << c.token << " " << c.units;
    }
}

TEST(Clock, ButtonSwitchesTheUpperLineToVolts) {
    GaugeOnHost g("Chronel", "Clock");
    g.host().variables().set_f64(kVolts, 27.9);
    set_temperature(g, 0.25, 0);
    ASSERT_EQ(g.element(kUpper).text, degrees("147", 'F'));
    ASSERT_EQ(g.gauge().click(kButtonX, kButtonY), 0);
    struct Case {
        double volts;
        const char* text;
    } cases[] = {
        {27.9, "  27 V"},  {0, "   0 V"},     {-5.5, "  -5 V"},         {12345, "12345 V"},
        {-1000, "-1000 V"}, {1e300, "-2147483648 V"}, {kNaN, "-2147483648 V"}, {-kInf, "-2147483648 V"},
    };
    for (auto c : cases) {
        g.set(kVolts, c.volts);
        const host::ElementState& s = g.element(kUpper);
        EXPECT_EQ(s.text, c.text) << c.volts;
        EXPECT_LT(std::strlen(s.buffer.data()), s.buffer.size());
        EXPECT_EQ(s.value, 147.2) << "the clamped temperature, whatever the mode";
    }
    set_temperature(g, kNaN, 0);
    EXPECT_EQ(g.element(kUpper).value, -99);
    // The second click brings the temperature back; neither opens a window.
    ASSERT_EQ(g.gauge().click(kButtonX, kButtonY), 0);
    set_temperature(g, 3, 1);
    EXPECT_EQ(g.element(kUpper).text, degrees("768", 'C'));
    EXPECT_TRUE(g.host().windows().empty());
    EXPECT_TRUE(g.host().events().empty());
}

TEST(Clock, TimeLinePrintsHoursMinutesSecondsOfEightBitFields) {
    GaugeOnHost g("Chronel", "Clock");
    // Bound seconds, minutes, hours; printed the other way round.
    auto* line = reinterpret_cast<frame::StringElement*>(g.element(kLower).element);
    EXPECT_EQ(line->source[0].token, kSeconds);
    EXPECT_EQ(line->source[1].token, kMinutes);
    EXPECT_EQ(line->source[2].token, kHours);
    struct Case {
        double h, m, s;
        const char* text;
        double value;
    } cases[] = {
        {9, 5, 7, "09:05:07", 7},
        {23.99, 59.99, 59.99, "23:59:59", 59},
        {256, 0, 0, "00:00:00", 0},
        {24, 60, 60, "24:60:60", 60},
        {-1, -1, -1, "255:255:255", 255},
        {100, 255, 257, "100:255:01", 1},
        {511.9, -0.5, -256.5, "255:00:00", 0},
        {kNaN, kInf, -kInf, "00:00:00", 0},
        {1e300, -1e300, 2147483647, "00:00:255", 255},
    };
    for (auto c : cases) {
        g.host().variables().set_f64(kHours, c.h);
        g.host().variables().set_f64(kMinutes, c.m);
        g.set(kSeconds, c.s);
        const host::ElementState& s = g.element(kLower);
        EXPECT_EQ(s.text, c.text) << c.h << " " << c.m << " " << c.s;
        EXPECT_EQ(s.value, c.value) << c.h << " " << c.m << " " << c.s;
    }
}

TEST(Clock, SettingAreasFireTheirEventsAndSelectTheirField) {
    GaugeOnHost g("Chronel", "Clock");
    g.host().variables().set_f64(kHours, 9);
    g.host().variables().set_f64(kMinutes, 5);
    g.set(kSeconds, 7);
    EXPECT_EQ(g.element(kLower).highlight, 0) << "nothing selected before a setting click";
    struct Case {
        int x, y;
        std::uint32_t event;  // 0: none fired
        std::int32_t field;  // the highlight record then selected
        int first, last;
    } cases[] = {
        {20, 125, 65657, 24, 0, 1},  {49, 194, 65657, 24, 0, 1}, {50, 150, 65658, 24, 0, 1},
        {79, 150, 65658, 24, 0, 1},  {105, 150, 65659, 25, 3, 4}, {135, 150, 65660, 25, 3, 4},
        {195, 150, 65661, 26, 6, 7}, {249, 194, 65661, 26, 6, 7},
        {90, 150, 0, 26, 6, 7},  // between hours and minutes: nothing, the seconds stay selected
        {170, 150, 0, 26, 6, 7},
    };
    for (auto c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, 43798u);
        const std::size_t before = g.host().events().size();
        EXPECT_FALSE(g.gauge().click(c.x, c.y).has_value());
        if (c.event != 0) {
            ASSERT_EQ(g.host().events().size(), before + 1);
            EXPECT_EQ(g.host().events().back().first, c.event);
        } else {
            EXPECT_EQ(g.host().events().size(), before);
        }
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kLower).highlight, c.field);
        EXPECT_EQ(g.element(kLower).highlight_first, c.first);
        EXPECT_EQ(g.element(kLower).highlight_last, c.last);
        EXPECT_EQ(g.element(kUpper).highlight, 0) << "the upper line has no highlight list";
    }
}

TEST(Clock, SelectionLastsItsTimeAfterTheLastSettingClick) {
    GaugeOnHost g("Chronel", "Clock");
    const int frames = static_cast<int>(std::lround(host::kHighlightSeconds / host::kStepFrameSeconds));
    g.gauge().click(120, 150);
    for (int i = 1; i < frames; ++i) {
        g.host().frame(host::kStepFrameSeconds);
        ASSERT_EQ(g.element(kLower).highlight, 25) << "frame " << i;
    }
    g.host().frame(host::kStepFrameSeconds);
    EXPECT_EQ(g.element(kLower).highlight, 0);
    // A click on another gauge area, or a window toggle, selects nothing.
    g.gauge().click(100, 250);
    g.gauge().click(kButtonX, kButtonY);
    g.host().frame(host::kStepFrameSeconds);
    EXPECT_EQ(g.element(kLower).highlight, 0);
}

TEST(Clock, ZoomAreaAndOtherClicks) {
    GaugeOnHost g("Chronel", "Clock");
    struct Case {
        int x, y;
        bool window;
    } cases[] = {{20, 200, true}, {249, 299, true}, {150, 250, true}, {19, 250, false}, {250, 250, false},
                 {150, 50, false}, {10, 150, false}, {139, 27, false}, {175, 27, false}};
    for (auto c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, 43798u);
        const bool open = g.host().windows().count(1010) && g.host().windows().at(1010);
        auto result = g.gauge().click(c.x, c.y);
        const bool now_open = g.host().windows().count(1010) && g.host().windows().at(1010);
        EXPECT_EQ(now_open != open, c.window);
        EXPECT_EQ(result.has_value(), c.window);
        if (c.window) {
            EXPECT_EQ(*result, now_open ? 1 : 0);
        }
    }
    EXPECT_TRUE(g.host().events().empty());
    EXPECT_EQ(g.gauge().header()->size_mm, 70u);
}

TEST(Clock, FailureTwentyBlanksBothLines) {
    GaugeOnHost g("Chronel", "Clock");
    g.host().set_failure(20, true);
    g.set(kSeconds, 7);
    EXPECT_EQ(g.element(0).effect, host::FailureEffect::kNone);
    EXPECT_EQ(g.element(kUpper).effect, host::FailureEffect::kBlank);
    EXPECT_EQ(g.element(kLower).effect, host::FailureEffect::kBlank);
}

}  // namespace
