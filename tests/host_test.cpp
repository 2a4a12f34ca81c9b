// The host's own rules on small fixtures: needle angles from calibration
// tables, mouse matching with nested parents, variable forms, and the
// probe's step reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "calibration.h"
#include "host.h"
#include "mouse.h"
#include "steps.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double angle(std::vector<frame::CalibrationPoint> rows, frame::Point pivot, double v) {
    return host::table_angle(rows.data(), static_cast<std::uint32_t>(rows.size()), pivot, v);
}

TEST(Calibration, InterpolatesOnTheClockwiseArc) {
    // Three o'clock, six o'clock, nine o'clock around (100, 100).
    std::vector<frame::CalibrationPoint> rows = {{200, 100, 0}, {100, 200, 10}, {0, 100, 20}};
    struct Case {
        double v, want;
    } cases[] = {
        {0, 0},     {5, 45},      {10, 90},     {15, 135},  {20, 180},
        {-5, 315},  {25, 225},    {kNaN, 0},    {kInf, 180}, {-kInf, 0},
    };
    for (auto c : cases) EXPECT_NEAR(angle(rows, {100, 100}, c.v), c.want, 1e-9) << c.v;
    // The host writes each row's angle into the row.
    host::table_angle(rows.data(), 3, {100, 100}, 0);
    EXPECT_NEAR(rows[1].angle, 90, 1e-12);
}

TEST(Calibration, DecreasingTablesAndNearlyWholeTurns) {
    // Falling values run clockwise too.
    std::vector<frame::CalibrationPoint> falling = {{100, 0, 1}, {200, 100, -1}};
    EXPECT_NEAR(angle(falling, {100, 100}, 0), 315, 1e-9);
    EXPECT_NEAR(angle(falling, {100, 100}, 1), 270, 1e-9);
    // One turn less half a degree in one row pair: 500 of 999 points near the
    // bottom, not the top.
    std::vector<frame::CalibrationPoint> alt = {{156, 41, 0}, {155, 41, 999}};
    double a0 = angle(alt, {155, 156}, 0);
    EXPECT_NEAR(a0, 270.498, 1e-3);
    EXPECT_NEAR(angle(alt, {155, 156}, 999), 270, 1e-9);
    double span = 360 - (a0 - 270);
    EXPECT_NEAR(angle(alt, {155, 156}, 500), std::fmod(a0 + span * 500 / 999, 360), 1e-9);
    EXPECT_NEAR(angle(alt, {155, 156}, 500), 90, 0.5);
    // Below the first row the needle goes on counter-clockwise.
    EXPECT_NEAR(angle(alt, {155, 156}, -250), a0 - span * 250 / 999, 1e-9);
}

// A list like a knob gauge's: a whole-gauge parent, a knob parent with two
// halves, then areas that belong again to the whole gauge.
std::int32_t FRAME_API area_a(std::int32_t, std::int32_t) { return 11; }
std::int32_t FRAME_API area_b(std::int32_t, std::int32_t) { return 22; }

const frame::MouseArea kList[] = {
    {frame::kMouseParent, 0, 0, 0, 0, -1, 100, 0, 0, nullptr, 0},
    {frame::kMouseParent, 200, 200, 60, 40, -1, 200, 0, 0, nullptr, 0},
    {frame::kMouseChild, 0, 0, 30, 40, 2, 0, 0x20200000, 65001, nullptr, 0},
    {frame::kMouseChild, 30, 0, 30, 40, 1, 0, 0x20200000, 65002, nullptr, 0},
    {frame::kMouseEndParent, 0, 0, 0, 0, -1, 0, 0, 0, nullptr, 0},
    {frame::kMouseChild, 0, 0, 300, 100, 5, 0, 0x20000000, 0, area_a, 0},
    {frame::kMouseChild, 0, 120, 300, 50, 5, 0, 0x20000000, 0, area_b, 0},
    {frame::kMouseEndParent, 0, 0, 0, 0, -1, 0, 0, 0, nullptr, 0},
    {frame::kMouseEnd, 0, 0, 0, 0, -1, 0, 0, 0, nullptr, 0},
};

TEST(Mouse, NestedBoxesAndRecordsAfterAnEndOfParent) {
    struct Case {
        int x, y;
        int want;  // index of the record hit, or -1
        std::uint32_t help;
    } cases[] = {
        {10, 10, 5, 100},    {299, 99, 5, 100},  {300, 50, -1, 100}, {150, 110, -1, 100},
        {150, 120, 6, 100},  {205, 210, 2, 200}, {235, 210, 3, 200}, {259, 239, 3, 200},
        {260, 239, -1, 100}, {-1, 5, -1, 100},
    };
    for (auto c : cases) {
        host::MouseHit hit = host::match_mouse(kList, c.x, c.y);
        int got = hit.area ? static_cast<int>(hit.area - kList) : -1;
        EXPECT_EQ(got, c.want) << c.x << "," << c.y;
        EXPECT_EQ(hit.help_id, c.help) << c.x << "," << c.y;
    }
    EXPECT_EQ(host::match_mouse(nullptr, 1, 1).area, nullptr);
}

TEST(Variables, EachTokenKeepsItsForm) {
    host::VariableStore store;
    store.set_f64(65, -1.5);
    store.set_i32(279, -2);
    store.set_u16(52, 65535);
    frame::SourceVariable f{.token = 65}, i{.token = 279}, u{.token = 52}, none{.token = 0}, unset{.token = 9};
    for (auto* v : {&f, &i, &u, &none, &unset}) store.refresh(*v);
    double d;
    std::memcpy(&d, f.value, 8);
    EXPECT_EQ(d, -1.5);
    std::int32_t n;
    std::memcpy(&n, i.value, 4);
    EXPECT_EQ(n, -2);
    EXPECT_EQ(i.value[4] | i.value[5] | i.value[6] | i.value[7], 0);
    std::uint16_t w;
    std::memcpy(&w, u.value, 2);
    EXPECT_EQ(w, 65535);
    EXPECT_EQ(store.number(52), 65535);
    EXPECT_EQ(store.number(279), -2);
    for (auto b : unset.value) EXPECT_EQ(b, 0);
    // The old value moves to the previous field.
    store.set_f64(65, 3.0);
    store.refresh(f);
    std::memcpy(&d, f.previous, 8);
    EXPECT_EQ(d, -1.5);
}

TEST(Steps, MalformedStepsAreNamed) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--gauge", "Vsi"}, "--module"},
        {{"--module", "m"}, "--gauge"},
        {{"--module", "m", "--gauge", "Vsi", "--set", "65"}, "TOKEN=VALUE"},
        {{"--module", "m", "--gauge", "Vsi", "--set", "x=1"}, "TOKEN=VALUE"},
        {{"--module", "m", "--gauge", "Vsi", "--set", "0=1"}, "TOKEN=VALUE"},
        {{"--module", "m", "--gauge", "Vsi", "--set", "65="}, "no value"},
        {{"--module", "m", "--gauge", "Vsi", "--set", "65=1x"}, "not a number"},
        {{"--module", "m", "--gauge", "Vsi", "--set-int", "65=2147483648"}, "32-bit"},
        {{"--module", "m", "--gauge", "Vsi", "--set-int", "65=1.5"}, "32-bit"},
        {{"--module", "m", "--gauge", "Vsi", "--click", "150"}, "X,Y"},
        {{"--module", "m", "--gauge", "Vsi", "--click", "a,b"}, "X,Y"},
        {{"--module", "m", "--gauge", "Vsi", "--service"}, "needs a value"},
        {{"--module", "m", "--gauge", "Vsi", "--bogus"}, "unknown argument"},
    };
    for (auto& c : cases) {
        try {
            host::parse_gauge_command(c.args, false);
            ADD_FAILURE() << "accepted: " << c.says;
        } catch (const host::UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
    auto ok = host::parse_gauge_command({"--module", "m", "--gauge", "Vsi", "--set", "65=nan", "--set", "1=-inf",
                                         "--set-int", "279=-2", "--click", "150,100", "--frame"},
                                        false);
    ASSERT_EQ(ok.steps.size(), 5u);
    EXPECT_TRUE(std::isnan(ok.steps[0].value));
    EXPECT_EQ(ok.steps[1].value, -kInf);
    EXPECT_EQ(ok.steps[2].integer, -2);
    EXPECT_EQ(ok.steps[3].x, 150);
    EXPECT_EQ(ok.steps[4].kind, host::Step::kFrame);
}

}  // namespace
