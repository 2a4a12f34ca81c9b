// Altimetro and Altimetro2: the three hands from one altitude and where the
// shared table points them, the setting card, the switchable readout of the
// setting, the mouse areas and the failure lists, for both gauges.
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "calibration.h"
#include "gauge_fixture.h"
#include "helpers.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::uint32_t kAltitude = 74, kSetting = 76;
constexpr std::size_t kCard = 1, kTenThousands = 2, kThousands = 3, kHundreds = 4, kReadout = 5;
const frame::Point kPivot{155, 156};
const char* const kGauges[] = {"Altimetro", "Altimetro2"};

TEST(Altimeter, HandsFromTheAltitude) {
    struct Case {
        double feet;
        double hundreds, thousands, ten_thousands;
    } cases[] = {
        {0, 0, 0, 0},
        {1234.9, 234, 123, 12},
        {99999, 999, 999, 999},
        {100000, 0, 0, 1000},
        {-250.7, -250, -25, -2},
        {-0.9, 0, 0, 0},
        {9999.99, 999, 999, 99},
        {2147483647.5, 647, 364, 21474836},
        // No 32-bit result: the conversion's INT32_MIN, and its remainders.
        {kNaN, -648, -364, -21474836},
        {kInf, -648, -364, -21474836},
        {-kInf, -648, -364, -21474836},
        {1e300, -648, -364, -21474836},
        {-1e300, -648, -364, -21474836},
    };
    for (const char* name : kGauges) {
        GaugeOnHost g("Kestrum", name);
        for (auto c : cases) {
            g.set(kAltitude, c.feet);
            EXPECT_EQ(g.element(kHundreds).value, c.hundreds) << name << " " << c.feet;
            EXPECT_EQ(g.element(kThousands).value, c.thousands) << name << " " << c.feet;
            EXPECT_EQ(g.element(kTenThousands).value, c.ten_thousands) << name << " " << c.feet;
        }
    }
}

// The angle the shared two-row table gives a value: one clockwise turn less
// the half degree between its rows, continued beyond them.
double hand_angle(double value) {
    const double first = host::direction_deg(kPivot, 156, 41), last = host::direction_deg(kPivot, 155, 41);
    const double span = 360 - (first - last);
    return std::fmod(std::fmod(first + value * span / 999, 360) + 360, 360);
}

double off(double a, double b) { return std::abs(std::remainder(a - b, 360.0)); }

TEST(Altimeter, HandsTurnOnceAroundTheDial) {
    EXPECT_NEAR(host::direction_deg(kPivot, 156, 41), 270.498, 1e-3);
    EXPECT_EQ(host::direction_deg(kPivot, 155, 41), 270);
    struct Case {
        double feet;
        std::size_t hand;
        double dial;  // where on the dial: 270 the top, 90 the bottom
    } cases[] = {
        {0, kHundreds, 270.498},    {500, kHundreds, 90.43},      {999, kHundreds, 270},
        {250, kHundreds, 0.46},     {750, kHundreds, 180.39},     {5000, kThousands, 90.43},
        {50000, kTenThousands, 90.43}, {1000, kHundreds, 270.498}, {-250, kHundreds, 180.53},
        {100000, kTenThousands, 270.36},
    };
    for (const char* name : kGauges) {
        GaugeOnHost g("Kestrum", name);
        for (auto c : cases) {
            g.set(kAltitude, c.feet);
            const double value = g.element(c.hand).value;
            EXPECT_NEAR(g.element(c.hand).angle, hand_angle(value), 1e-9) << name << " " << c.feet;
            EXPECT_LT(off(g.element(c.hand).angle, c.dial), 0.01) << name << " " << c.feet;
        }
        // Each digit of the dial, 36 degrees apart from 0 at the top, is
        // where the hundreds hand stands for that many hundred feet.
        for (int d = 0; d <= 9; ++d) {
            g.set(kAltitude, d * 100.0);
            EXPECT_LT(off(g.element(kHundreds).angle, 270 + 36 * d), 0.5) << name << " digit " << d;
        }
        // The three hands point alike for the same value.
        g.set(kAltitude, 45670);
        EXPECT_EQ(g.element(kHundreds).value, 670);
        g.set(kAltitude, 6700);
        EXPECT_EQ(g.element(kThousands).value, 670);
        const double thousands = g.element(kThousands).angle;
        g.set(kAltitude, 67000);
        EXPECT_EQ(g.element(kTenThousands).angle, thousands);
    }
}

TEST(Altimeter, EachGaugeHasItsOwnTableSharedByItsThreeHands) {
    GaugeOnHost a("Kestrum", "Altimetro");
    host::Gauge& b = a.host().place(a.host().load(testing_support::module_path("Kestrum")), "Altimetro2");
    auto table_of = [](const host::Gauge& g, std::size_t i) {
        return reinterpret_cast<const frame::NeedleElement*>(g.elements().at(i).element)->table;
    };
    for (const host::Gauge* g : {&a.gauge(), &b}) {
        EXPECT_EQ(table_of(*g, kHundreds), table_of(*g, kThousands));
        EXPECT_EQ(table_of(*g, kHundreds), table_of(*g, kTenThousands));
    }
    const frame::CalibrationPoint* ta = table_of(a.gauge(), kHundreds);
    const frame::CalibrationPoint* tb = table_of(b, kHundreds);
    EXPECT_NE(ta, tb);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ta[i].x, tb[i].x);
        EXPECT_EQ(ta[i].y, tb[i].y);
        EXPECT_EQ(ta[i].value, tb[i].value);
    }
}

TEST(Altimeter, SettingCardClampsLowerBoundFirst) {
    struct Case {
        double setting, rotation;
    } cases[] = {
        {28.1, 0},   {28.0, 0},    {0, 0},        {-1e300, 0},     {kNaN, 0},   {-kInf, 0},
        {31.5, 340}, {32, 340},    {kInf, 340},   {1e300, 340},    {29.92, 182}, {29.0, 90},
        {30.0, 190}, {28.11, 1},
    };
    for (const char* name : kGauges) {
        GaugeOnHost g("Kestrum", name);
        for (auto c : cases) {
            g.set(kSetting, c.setting);
            const host::ElementState& s = g.element(kCard);
            EXPECT_NEAR(s.rotation, c.rotation, 1e-12) << name << " " << c.setting;
            EXPECT_EQ(s.x, 0);
            EXPECT_EQ(s.y, 0);
        }
    }
}

// The bytes the C formatter gives, cut at the host's buffer.
std::string formatted(double setting) {
    char full[512];
    std::snprintf(full, sizeof full, "%5.2f", setting);
    return std::string(full).substr(0, host::kTextBufferCapacity - 1);
}

TEST(Altimeter, ReadoutShowsTheSettingWhileSwitchedOn) {
    for (const char* name : kGauges) {
        GaugeOnHost g("Kestrum", name);
        for (double v : {29.92, 0.0, 1e300}) {
            g.set(kSetting, v);
            EXPECT_EQ(g.element(kReadout).text, "") << name << " is blank after loading";
        }
        ASSERT_EQ(g.gauge().click(150, 180), 0);
        struct Case {
            double setting;
            const char* text;
        } cases[] = {
            {29.92, "29.92"}, {27.5, "27.50"}, {32, "32.00"}, {28.1, "28.10"}, {29.925, "29.93"},
            {0, " 0.00"},     {-1, "-1.00"},   {999.999, "1000.00"},
        };
        for (auto c : cases) {
            g.set(kSetting, c.setting);
            EXPECT_EQ(g.element(kReadout).text, c.text) << name << " " << c.setting;
            EXPECT_EQ(g.element(kReadout).value, c.setting) << "the setting, unclamped";
        }
        // Any value stays inside the buffer and ends in NUL.
        for (double v : {kNaN, kInf, -kInf, 1e300, -1e300, std::numeric_limits<double>::max()}) {
            g.set(kSetting, v);
            const host::ElementState& s = g.element(kReadout);
            EXPECT_EQ(s.text, formatted(v)) << name << " " << v;
            EXPECT_LT(std::strlen(s.buffer.data()), s.buffer.size());
            EXPECT_EQ(std::bit_cast<std::uint64_t>(s.value), std::bit_cast<std::uint64_t>(v));
        }
        g.set(kSetting, 1e300);
        EXPECT_EQ(g.element(kReadout).text.size(), host::kTextBufferCapacity - 1);
        EXPECT_EQ(g.element(kReadout).text.substr(0, 20), "10000000000000000525");
        // The card stays on its stops meanwhile.
        g.set(kSetting, 27.5);
        EXPECT_EQ(g.element(kCard).rotation, 0);
        ASSERT_EQ(g.gauge().click(150, 180), 0) << "the flip returns 0 either way";
        g.set(kSetting, 29.92);
        EXPECT_EQ(g.element(kReadout).text, "");
    }
}

TEST(Altimeter, EachGaugeFlipsOnlyItsOwnReadoutAndBothShareWindow1003) {
    GaugeOnHost g("Kestrum", "Altimetro");
    host::Gauge& two = g.host().place(g.host().load(testing_support::module_path("Kestrum")), "Altimetro2");
    auto texts = [&] {
        g.set(kSetting, 30.01);
        return std::pair{g.element(kReadout).text, two.elements().at(kReadout).text};
    };
    EXPECT_EQ(texts(), (std::pair<std::string, std::string>{"", ""}));
    ASSERT_EQ(g.gauge().click(10, 130), 0);
    EXPECT_EQ(texts(), (std::pair<std::string, std::string>{"30.01", ""}));
    ASSERT_EQ(two.click(299, 229), 0);
    EXPECT_EQ(texts(), (std::pair<std::string, std::string>{"30.01", "30.01"}));
    ASSERT_EQ(g.gauge().click(150, 200), 0);
    EXPECT_EQ(texts(), (std::pair<std::string, std::string>{"", "30.01"}));

    // One window for both: toggled by either, it ends as it began.
    EXPECT_EQ(g.gauge().click(0, 0), 1);
    EXPECT_TRUE(g.host().windows().at(1003));
    EXPECT_EQ(two.click(299, 119), 0);
    EXPECT_FALSE(g.host().windows().at(1003));
    EXPECT_EQ(g.host().windows().size(), 1u);
}

TEST(Altimeter, MouseAreas) {
    for (const char* name : kGauges) {
        GaugeOnHost g("Kestrum", name);
        // Between the zoom and the flip areas, below the flip area and
        // outside the knob nothing runs; the gauge's tooltip applies.
        for (auto [x, y] : {std::pair{150, 120}, {150, 129}, {150, 230}, {150, 260}, {5, 260}, {70, 260}, {300, 10}}) {
            EXPECT_FALSE(g.gauge().click(x, y).has_value()) << name << " " << x << "," << y;
            EXPECT_EQ(g.gauge().hit(x, y).help_id, 43783u) << x << "," << y;
        }
        EXPECT_TRUE(g.host().events().empty());
        EXPECT_TRUE(g.host().windows().empty());
        // The knob: the left half turns the setting down, the right half up.
        struct Case {
            int x, y;
            std::uint32_t event;
        } knob[] = {{6, 241, 65884}, {37, 304, 65884}, {38, 241, 65883}, {69, 304, 65883}};
        std::size_t fired = 0;
        for (auto c : knob) {
            EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, 43784u);
            EXPECT_FALSE(g.gauge().click(c.x, c.y).has_value());
            ASSERT_EQ(g.host().events().size(), ++fired);
            EXPECT_EQ(g.host().events().back().first, c.event) << name << " " << c.x << "," << c.y;
        }
        g.set(kSetting, 29.92);
        EXPECT_EQ(g.element(kReadout).text, "") << "the knob does not reach the module";
    }
}

TEST(Altimeter, FailureLists) {
    struct Case {
        std::uint32_t key;
        bool frozen, blank;
    } cases[] = {{7, true, false}, {3, true, false}, {20, false, true}, {21, false, true}, {11, false, false}};
    for (auto c : cases) {
        GaugeOnHost g("Kestrum", "Altimetro");
        g.set(kSetting, 29.0);
        g.set(kAltitude, 1100);
        g.host().set_failure(c.key, true);
        g.host().variables().set_f64(kSetting, 30.0);
        g.set(kAltitude, 2345);
        EXPECT_NEAR(g.element(kCard).rotation, c.frozen ? 90 : 190, 1e-12) << c.key;
        EXPECT_EQ(g.element(kHundreds).value, c.frozen ? 100 : 345) << c.key;
        EXPECT_EQ(g.element(kThousands).value, c.frozen ? 110 : 234) << c.key;
        EXPECT_EQ(g.element(kTenThousands).value, c.frozen ? 11 : 23) << c.key;
        EXPECT_EQ(g.element(kReadout).effect == host::FailureEffect::kBlank, c.blank) << c.key;
        EXPECT_FALSE(g.element(0).failed) << "the dial lists no failure";
    }
}

}  // namespace
