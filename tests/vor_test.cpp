// Vor1 and Vor2: needle clamps and where the needles point, the flags from
// tokens 43, 44, 848 and 52, the readouts and their own bytes, the card, the
// mouse areas and the failure lists.
#include <cstring>
#include <limits>

#include "calibration.h"
#include "gauge_fixture.h"
#include "helpers.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Tree order of Vor1: face, card, flag, GS flag, deviation, glideslope,
// readout. Vor2: face, card, flag, deviation, readout.
enum Vor1Element { kCard1 = 1, kToFrom1 = 2, kGsFlag1 = 3, kDeviation1 = 4, kGlideslope1 = 5, kReadout1 = 6 };
enum Vor2Element { kCard2 = 1, kToFrom2 = 2, kDeviation2 = 3, kReadout2 = 4 };

TEST(Vor1, NeedlesClampToMinusOneToOne) {
    GaugeOnHost g("Navrel", "Vor1");
    struct Case {
        double token, value;
    } cases[] = {
        {0.5, 0.5}, {3, 1}, {-7, -1}, {1.2, 1}, {-0.25, -0.25}, {1, 1}, {-1, -1},
        {kNaN, -1}, {kInf, 1}, {-kInf, -1}, {1e300, 1}, {-1e300, -1},
    };
    for (auto c : cases) {
        g.host().variables().set_f64(849, c.token);
        g.host().variables().set_f64(850, c.token);
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kDeviation1).value, c.value) << c.token;
        EXPECT_EQ(g.element(kGlideslope1).value, c.value) << c.token;
    }
}

// The needles point at their tables' rows: deviation from (147, 78), 0
// straight down and 1 down to the right; glideslope from (70, 155), -1 up
// to the right.
TEST(Vor, NeedlesPointAtTheirRows) {
    struct Case {
        const char* gauge;
        std::size_t element;
        std::uint32_t token;
        double value;
        frame::Point pivot;
        int x, y;
    } cases[] = {
        {"Vor1", kDeviation1, 849, 1, {147, 78}, 232, 190},
        {"Vor1", kDeviation1, 849, 0, {147, 78}, 147, 200},
        {"Vor1", kDeviation1, 849, -1, {147, 78}, 57, 190},
        {"Vor1", kGlideslope1, 850, -1, {70, 155}, 215, 97},
        {"Vor1", kGlideslope1, 850, 0, {70, 155}, 220, 155},
        {"Vor1", kGlideslope1, 850, 1, {70, 155}, 213, 209},
        {"Vor2", kDeviation2, 50, 127, {147, 78}, 232, 190},
        {"Vor2", kDeviation2, 50, 0, {147, 78}, 147, 200},
        {"Vor2", kDeviation2, 50, -127, {147, 78}, 57, 190},
    };
    for (auto c : cases) {
        GaugeOnHost g("Navrel", c.gauge);
        g.set(c.token, c.value);
        EXPECT_NEAR(g.element(c.element).angle, host::direction_deg(c.pivot, c.x, c.y), 1e-9)
            << c.gauge << " " << c.token << "=" << c.value;
    }
    GaugeOnHost g("Navrel", "Vor1");
    g.set(849, 0);
    EXPECT_NEAR(g.element(kDeviation1).angle, 90, 1e-9) << "straight down";
}

TEST(Vor2, NeedleTakesTokenFiftyUnclamped) {
    GaugeOnHost g("Navrel", "Vor2");
    const double at127 = host::direction_deg({147, 78}, 232, 190);
    const double at0 = host::direction_deg({147, 78}, 147, 200);
    for (double v : {200.0, -300.0, 127.5, 1e6}) {
        g.set(50, v);
        EXPECT_EQ(g.element(kDeviation2).value, v);
    }
    // Beyond the first row the needle goes on along the end pair's arc.
    g.set(50, 200);
    EXPECT_NEAR(g.element(kDeviation2).angle, at127 - (200.0 - 127) / 127 * (at0 - at127), 1e-9);
}

TEST(Vor1, ToFromFlagFromTokens43And848) {
    GaugeOnHost g("Navrel", "Vor1");
    struct Case {
        double flag;  // token 848
        std::int32_t to_from;  // token 43
        int index;
    } cases[] = {
        {0, 1, 0}, {0, 2, 1}, {0, 0, 2}, {0, 7, 2}, {0, -1, 2}, {0, 257, 2},
        {1, 1, 2}, {1, 2, 2}, {-0.5, 1, 2}, {1e300, 2, 2},
        {-0.0, 1, 0}, {kNaN, 1, 0}, {kNaN, 2, 1},  // not a number counts as 0
    };
    for (auto c : cases) {
        g.host().variables().set_f64(848, c.flag);
        g.host().variables().set_i32(43, c.to_from);
        g.host().variables().set_f64(853, 2.0);  // bound to the flag, read by no one
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kToFrom1).index, c.index) << "848=" << c.flag << " 43=" << c.to_from;
    }
}

TEST(Vor1, GsFlagFromTokens44And848) {
    GaugeOnHost g("Navrel", "Vor1");
    struct Case {
        double flag, glideslope;  // tokens 848, 44
        int index;  // 0 out of view, 1 GS
    } cases[] = {
        {0, 0, 1}, {0, 1, 0}, {0, -1, 0}, {0, 1e-300, 0}, {1, 0, 1}, {1, 1, 1},
        {kNaN, 1, 0}, {0, kNaN, 1}, {kNaN, kNaN, 1}, {0, kInf, 0},
    };
    for (auto c : cases) {
        g.host().variables().set_f64(848, c.flag);
        g.host().variables().set_f64(44, c.glideslope);
        g.host().variables().set_f64(852, 1.0);  // bound to the GS flag, read by no one
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kGsFlag1).index, c.index) << "848=" << c.flag << " 44=" << c.glideslope;
    }
}

// Each flag refreshes the records it reads in the frame it reads them: 44
// and 848 for the GS flag, 43 and 848 for the other.
TEST(Vor1, FlagsRefreshTheirRecordsEveryFrame) {
    GaugeOnHost g("Navrel", "Vor1");
    g.host().variables().set_i32(43, 1);
    g.set(44, 1);
    EXPECT_EQ(g.host().lookups(), 4);
    EXPECT_EQ(g.element(kToFrom1).index, 0);
    EXPECT_EQ(g.element(kGsFlag1).index, 0);
    g.set(848, 1);
    EXPECT_EQ(g.host().lookups(), 4);
    EXPECT_EQ(g.element(kToFrom1).index, 2);
    EXPECT_EQ(g.element(kGsFlag1).index, 1);
    g.set(848, 0);
    EXPECT_EQ(g.element(kToFrom1).index, 0);
    EXPECT_EQ(g.element(kGsFlag1).index, 0);
}

// Token 52 counts by its low 16 bits, whatever form the host keeps it in.
TEST(Vor2, ToFromFlagFromTheLow16BitsOfToken52) {
    GaugeOnHost g("Navrel", "Vor2");
    auto& v = g.host().variables();
    struct Case {
        void (*set)(host::VariableStore&);
        int index;
    } cases[] = {
        {[](host::VariableStore& s) { s.set_u16(52, 1); }, 0},
        {[](host::VariableStore& s) { s.set_u16(52, 2); }, 1},
        {[](host::VariableStore& s) { s.set_u16(52, 0); }, 2},
        {[](host::VariableStore& s) { s.set_u16(52, 3); }, -1},
        {[](host::VariableStore& s) { s.set_u16(52, 65535); }, -1},
        {[](host::VariableStore& s) { s.set_i32(52, 65537); }, 0},
        {[](host::VariableStore& s) { s.set_i32(52, 0x20002); }, 1},
        {[](host::VariableStore& s) { s.set_i32(52, 65536); }, 2},
        {[](host::VariableStore& s) { s.set_i32(52, -1); }, -1},
        {[](host::VariableStore& s) { s.set_f64(52, 1.0); }, 2},  // 1.0 has 16 zero bits at its start
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        cases[i].set(v);
        g.host().frame(host::kStepFrameSeconds);
        EXPECT_EQ(g.element(kToFrom2).index, cases[i].index) << "case " << i;
    }
    EXPECT_EQ(g.host().lookups(), 0) << "Vor2 owns no records";
}

// Each readout shows "%3d" of its course only while its own byte is 1.
TEST(Vor, ReadoutsFollowTheirOwnBytes) {
    GaugeOnHost g("Navrel", "Vor1");
    host::Gauge& vor2 = g.host().place(g.gauge().module(), "Vor2");
    auto frame_with = [&](double course) {
        g.host().variables().set_f64(854, course);
        g.host().variables().set_f64(54, course);
        g.host().frame(host::kStepFrameSeconds);
    };
    frame_with(45);
    EXPECT_EQ(g.element(kReadout1).text, "");
    EXPECT_EQ(vor2.elements()[kReadout2].text, "");

    EXPECT_EQ(g.gauge().click(150, 150), 0);
    struct Case {
        double course;
        const char* text;
    } cases[] = {
        {45.0, " 45"}, {359.9, "359"}, {0, "  0"}, {7.99, "  7"}, {-5.7, " -5"}, {-99.9, "-99"},
        {1000, "1000"}, {123456789.9, "123456789"}, {kNaN, "-2147483648"}, {1e300, "-2147483648"},
        {-kInf, "-2147483648"},
    };
    for (auto c : cases) {
        frame_with(c.course);
        EXPECT_EQ(g.element(kReadout1).text, c.text) << c.course;
        EXPECT_EQ(vor2.elements()[kReadout2].text, "") << "Vor2's byte is its own";
        if (c.course == c.course) {
            EXPECT_EQ(g.element(kReadout1).value, c.course) << "returned unchanged";
        }
    }
    EXPECT_EQ(vor2.click(150, 150), 0);
    frame_with(359.9);
    EXPECT_EQ(vor2.elements()[kReadout2].text, "359");
    EXPECT_EQ(g.gauge().click(150, 219), 0);
    frame_with(359.9);
    EXPECT_EQ(g.element(kReadout1).text, "") << "two clicks leave it as it was";
    EXPECT_EQ(vor2.elements()[kReadout2].text, "359");
}

// The readout writes no further than the buffer the host hands it, for a
// value whose text is longer than the readout.
TEST(Vor1, ReadoutStaysInsideTheHostsBuffer) {
    GaugeOnHost g("Navrel", "Vor1");
    g.gauge().click(150, 150);
    g.set(854, -1e300);
    auto* readout = frame::as_string(g.element(kReadout1).element);
    struct Case {
        std::uint32_t capacity;
        const char* text;
    } cases[] = {{12, "-2147483648"}, {4, "-21"}, {1, ""}};
    for (auto c : cases) {
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        readout->text = buffer;
        readout->text_capacity = c.capacity;
        EXPECT_EQ(readout->callback(&readout->base), -1e300);
        EXPECT_STREQ(buffer, c.text);
        for (std::size_t i = c.capacity; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << c.capacity;
    }
}

TEST(Vor, CardTurnsByTheCourse) {
    for (auto [gauge, token] : {std::pair{"Vor1", 854u}, {"Vor2", 54u}}) {
        GaugeOnHost g("Navrel", gauge);
        for (double course : {0.0, 90.0, 359.5, -30.0, 720.0}) {
            g.set(token, course);
            EXPECT_EQ(g.element(1).rotation, course) << gauge;
        }
    }
}

TEST(Vor, MouseAreas) {
    struct Case {
        const char* gauge;
        std::uint32_t window, gauge_help, knob_help, down, up;
    } cases[] = {{"Vor1", 1004, 43890, 43891, 65662, 65663}, {"Vor2", 1002, 43892, 43893, 65664, 65665}};
    for (auto c : cases) {
        SCOPED_TRACE(c.gauge);
        GaugeOnHost g("Navrel", c.gauge);
        auto& h = g.host();
        // The zoom area toggles the gauge's window; both clicks return 0.
        EXPECT_EQ(g.gauge().click(150, 50), 0);
        EXPECT_TRUE(h.windows().at(c.window));
        EXPECT_EQ(g.gauge().click(299, 99), 0);
        EXPECT_FALSE(h.windows().at(c.window));
        EXPECT_EQ(h.windows().size(), 1u);
        // The knob's halves fire their events; the module sees nothing.
        EXPECT_EQ(g.gauge().click(2, 240), std::nullopt);
        EXPECT_EQ(g.gauge().click(65, 295), std::nullopt);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> events = {{c.down, 0}, {c.up, 0}};
        EXPECT_EQ(h.events(), events);
        EXPECT_EQ(g.gauge().hit(10, 240).area->flags, 0x20200000u);
        EXPECT_EQ(g.gauge().hit(10, 240).area->cursor, 2);
        EXPECT_EQ(g.gauge().hit(40, 240).area->cursor, 1);
        EXPECT_EQ(g.gauge().hit(40, 240).help_id, c.knob_help);
        // Between the zoom and readout areas, and below the readout area:
        // nothing, under the gauge's tooltip.
        for (auto [x, y] : {std::pair{150, 110}, {150, 225}, {200, 280}}) {
            EXPECT_EQ(g.gauge().click(x, y), std::nullopt);
            EXPECT_EQ(g.gauge().hit(x, y).help_id, c.gauge_help);
        }
        EXPECT_EQ(h.events().size(), 2u);
        EXPECT_FALSE(h.windows().at(c.window));
    }
}

// Every element below the card carries the gauge's failure list, with
// action 2: the values read as 0.
TEST(Vor, FailureListsBelowTheCard) {
    struct Case {
        const char* gauge;
        std::uint32_t key;
        bool acts;
    } cases[] = {{"Vor1", 20, true}, {"Vor1", 21, true}, {"Vor1", 14, true}, {"Vor1", 15, false},
                 {"Vor2", 20, true}, {"Vor2", 15, true}, {"Vor2", 21, false}, {"Vor2", 14, false}};
    for (auto c : cases) {
        GaugeOnHost g("Navrel", c.gauge);
        g.host().set_failure(c.key, true);
        g.set(849, 0.7);
        const auto& all = g.gauge().elements();
        for (std::size_t i = 0; i < all.size(); ++i) {
            bool below_card = i >= 2;
            EXPECT_EQ(all[i].failed, c.acts && below_card) << c.gauge << " key " << c.key << " element " << i;
            if (all[i].failed) {
                EXPECT_EQ(all[i].effect, host::FailureEffect::kZero);
            }
        }
    }
}

}  // namespace
