// Adf: the needle's bearing offset, the card turned by the setting itself,
// the overlay drawn over the needle, the switchable readout, the knob's
// events, the zoom area and the shared failure list.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kCardSetting = 22, kBearing = 39;
constexpr std::size_t kFace = 0, kCard = 1, kNeedle = 2, kOverlay = 3, kReadout = 4;

TEST(Adf, TreeDrawsTheOverlayOverTheNeedle) {
    GaugeOnHost g("Chronel", "Adf");
    struct Want {
        const char* kind;
        int bitmap, parent;
    } want[] = {{"static", 304, -1}, {"sprite", 308, 0}, {"needle", 306, 1}, {"static", 305, 2}, {"string", -1, 3}};
    ASSERT_EQ(g.gauge().elements().size(), std::size(want));
    const char* kinds[] = {"static", "needle", "string", "slider", "icon", "moving", "sprite"};
    for (std::size_t i = 0; i < std::size(want); ++i) {
        const host::ElementState& s = g.element(i);
        EXPECT_STREQ(kinds[s.element->kind], want[i].kind) << i;
        EXPECT_EQ(s.element->bitmap, want[i].bitmap) << i;
        EXPECT_EQ(s.parent, want[i].parent) << i;
    }
    // The needle and the readout name one failure list; the others none.
    EXPECT_EQ(g.element(kNeedle).element->failures, g.element(kReadout).element->failures);
    for (std::size_t i : {kFace, kCard, kOverlay}) EXPECT_EQ(g.element(i).element->failures, nullptr) << i;
    EXPECT_EQ(g.gauge().header()->size_mm, 110u);
}

TEST(Adf, NeedleIsTheBearingLessNinetyWithoutWrap) {
    GaugeOnHost g("Chronel", "Adf");
    struct Case {
        double bearing, value;
    } cases[] = {
        {0, -90}, {90, 0}, {450, 360}, {-30, -120}, {359.5, 269.5}, {1e300, 1e300}, {-kInf, -kInf}, {kInf, kInf},
    };
    for (auto c : cases) {
        g.set(kBearing, c.bearing);
        EXPECT_EQ(g.element(kNeedle).value, c.value) << c.bearing;
        // No table: the value is the angle itself.
        EXPECT_EQ(g.element(kNeedle).angle, c.value) << c.bearing;
    }
    g.set(kBearing, kNaN);
    EXPECT_TRUE(std::isnan(g.element(kNeedle).value));
}

TEST(Adf, CardTurnsByTheSettingItself) {
    GaugeOnHost g("Chronel", "Adf");
    for (double v : {0.0, 30.0, 359.7, -45.0, 720.5}) {
        g.set(kCardSetting, v);
        EXPECT_EQ(g.element(kCard).rotation, v);
        EXPECT_EQ(g.element(kCard).x, 0);
        EXPECT_EQ(g.element(kCard).y, 0);
    }
}

TEST(Adf, ReadoutShowsTheCardSettingOnlyWhileSwitchedOn) {
    GaugeOnHost g("Chronel", "Adf");
    for (double v : {30.0, 359.7}) {
        g.set(kCardSetting, v);
        EXPECT_EQ(g.element(kReadout).text, "") << v;
        EXPECT_EQ(g.element(kReadout).value, v);
    }
    ASSERT_EQ(g.gauge().click(150, 180), 0);
    struct Case {
        double setting;
        const char* text;
    } cases[] = {
        {359.7, "359"}, {5, "  5"},     {0, "  0"},           {-0.5, "  0"},          {-45.9, "-45"},
        {1000, "1000"}, {-100, "-100"}, {1e300, "-2147483648"}, {kNaN, "-2147483648"}, {-kInf, "-2147483648"},
    };
    for (auto c : cases) {
        g.set(kCardSetting, c.setting);
        const host::ElementState& s = g.element(kReadout);
        EXPECT_EQ(s.text, c.text) << c.setting;
        EXPECT_LT(std::strlen(s.buffer.data()), s.buffer.size());
        if (std::isnan(c.setting))
            EXPECT_TRUE(std::isnan(s.value));
        else
            EXPECT_EQ(s.value, c.setting);
    }
    // A second click hides it again.
    ASSERT_EQ(g.gauge().click(150, 229), 0);
    g.set(kCardSetting, 90);
    EXPECT_EQ(g.element(kReadout).text, "");
}

TEST(Adf, MouseAreas) {
    GaugeOnHost g("Chronel", "Adf");
    struct Case {
        int x, y;
        std::uint32_t help;
        std::optional<std::int32_t> event;  // fired, or nothing
        bool window;  // toggles 1008
        bool flip;  // switches the readout
    } cases[] = {
        {150, 60, 43776, {}, true, false},   {0, 119, 43776, {}, true, false},  {150, 125, 43776, {}, false, false},
        {150, 130, 43776, {}, false, true},  {299, 229, 43776, {}, false, true}, {10, 260, 43777, 65882, false, false},
        {34, 260, 43777, 65882, false, false}, {35, 260, 43777, 65881, false, false}, {66, 295, 43777, 65881, false, false},
        {67, 260, 43776, {}, false, false},  {2, 260, 43776, {}, false, false},
    };
    g.set(kCardSetting, 42);
    for (auto c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, c.help);
        const bool open = g.host().windows().count(1008) && g.host().windows().at(1008);
        const std::string text = g.element(kReadout).text;
        const std::size_t events = g.host().events().size();
        auto result = g.gauge().click(c.x, c.y);
        g.set(kCardSetting, 42);
        const bool now_open = g.host().windows().count(1008) && g.host().windows().at(1008);
        EXPECT_EQ(now_open != open, c.window);
        if (c.window) {
            ASSERT_TRUE(result.has_value());
            EXPECT_EQ(*result, now_open ? 1 : 0) << "the toggle's result is passed back";
        }
        EXPECT_EQ(g.element(kReadout).text != text, c.flip);
        if (c.flip) {
            EXPECT_EQ(result, 0);
        }
        if (c.event) {
            ASSERT_EQ(g.host().events().size(), events + 1);
            EXPECT_EQ(g.host().events().back().first, static_cast<std::uint32_t>(*c.event));
            EXPECT_FALSE(result.has_value());
        } else {
            EXPECT_EQ(g.host().events().size(), events);
        }
    }
}

TEST(Adf, FailuresZeroTheNeedleAndTheReadout) {
    for (std::uint32_t key : {20u, 21u, 5u}) {
        GaugeOnHost g("Chronel", "Adf");
        g.gauge().click(150, 180);
        g.set(kCardSetting, 123);
        g.host().set_failure(key, true);
        g.set(kBearing, 45);
        EXPECT_EQ(g.element(kNeedle).value, 0) << key;
        EXPECT_EQ(g.element(kReadout).effect, host::FailureEffect::kZero) << key;
        // The card and the face list no failure.
        EXPECT_EQ(g.element(kCard).rotation, 123) << key;
        EXPECT_EQ(g.element(kFace).effect, host::FailureEffect::kNone) << key;
    }
}

}  // namespace
