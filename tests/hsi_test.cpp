// hsi: the card and everything it carries less the heading, the TO, FROM
// and NAV hide bits and the NAV flag's memory, the GS flag and glideslope
// pointer, the readouts, the thirteen lookups of a frame in their order,
// the mouse areas and the failure lists.
#include <dlfcn.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

#include "gauge_fixture.h"
#include "helpers.h"

namespace {

using testing_support::GaugeOnHost;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Element indices, parents before children.
constexpr std::size_t kCard = 1, kBug = 2, kCourse = 3, kFrom = 4, kTo = 5, kBar = 6, kGlideslope = 7,
                      kGsFlag = 8, kBugKnob = 9, kCourseKnob = 10, kNav = 11, kCourseText = 12, kBugText = 13;

void set_all(GaugeOnHost& g, std::initializer_list<std::pair<std::uint32_t, double>> values) {
    for (auto [token, v] : values) g.host().variables().set_f64(token, v);
    g.host().frame(host::kStepFrameSeconds);
}

TEST(Hsi, CardTurnsByTheHeading) {
    GaugeOnHost g("Kestrum", "hsi");
    struct Case {
        double heading, card;
    } cases[] = {{0, 360}, {90, 270}, {359.5, 0.5}, {-90, 450}, {720, -360}};
    for (auto c : cases) {
        g.set(84, c.heading);
        EXPECT_EQ(g.element(kCard).value, c.card) << c.heading;
        EXPECT_EQ(g.element(kCard).angle, c.card) << "no table: the value is the angle";
    }
    g.set(84, kNaN);
    EXPECT_TRUE(std::isnan(g.element(kCard).value));
}

TEST(Hsi, PointersOnTheCardStandAtTheirValueLessTheHeading) {
    GaugeOnHost g("Kestrum", "hsi");
    struct Case {
        double heading, bug, course, knob;
        double bug_angle, course_angle, nav_angle;
    } cases[] = {
        {350, 10, 0, 0, -340, -350, -350},
        {20, 0, 200, 45, -20, 180, 25},
        {0, 359, 90, 270, 359, 90, 270},
        {90, 90, -30, 400, 0, -120, 310},
    };
    for (auto c : cases) {
        set_all(g, {{84, c.heading}, {855, c.bug}, {854, c.course}, {45, c.knob}});
        EXPECT_EQ(g.element(kBug).value, c.bug_angle) << c.heading;
        EXPECT_EQ(g.element(kCourse).value, c.course_angle);
        EXPECT_EQ(g.element(kFrom).value, c.course_angle);
        EXPECT_EQ(g.element(kTo).value, c.course_angle);
        EXPECT_EQ(g.element(kBar).rotation, c.course_angle);
        EXPECT_EQ(g.element(kNav).value, c.nav_angle);
        // The knobs have no callback: they turn by their variables.
        EXPECT_EQ(g.element(kCourseKnob).angle, c.knob);
    }
    set_all(g, {{107, 123.4}});
    EXPECT_EQ(g.element(kBugKnob).angle, 123.4);
}

TEST(Hsi, DeviationBarTurnsWithTheCourseAndShiftsAcrossItself) {
    GaugeOnHost g("Kestrum", "hsi");
    const auto* bar = reinterpret_cast<const frame::SpriteElement*>(g.element(kBar).element);
    EXPECT_EQ(bar->rotation.scale, -1);
    EXPECT_EQ(bar->x.scale, -0.632813);
    EXPECT_EQ(bar->y.scale, 0);
    for (double dev : {0.0, 40.0, -127.0, 1e300, kInf}) {
        set_all(g, {{40, dev}, {84, 30}, {854, 75}});
        EXPECT_EQ(g.element(kBar).x, dev) << "no callback, no clamp";
        EXPECT_EQ(g.element(kBar).y, 0);
        EXPECT_EQ(g.element(kBar).rotation, 45);
    }
}

TEST(Hsi, ToAndFromTrianglesShowForTheirValueOnly) {
    GaugeOnHost g("Kestrum", "hsi");
    struct Case {
        std::int32_t to_from;
        bool to, from;  // shown
    } cases[] = {{1, true, false}, {2, false, true}, {0, false, false}, {3, false, false},
                 {-1, false, false}, {1, true, false}, {INT32_MIN, false, false}};
    for (double rule : {0.0, 1.0, kNaN}) {
        for (auto c : cases) {
            g.host().variables().set_i32(43, c.to_from);
            set_all(g, {{848, rule}});
            EXPECT_EQ(!g.element(kTo).hidden, c.to) << c.to_from << " rule " << rule;
            EXPECT_EQ(!g.element(kFrom).hidden, c.from) << c.to_from << " rule " << rule;
        }
    }
    // The TO triangle is the FROM triangle's child; hiding one hides it alone.
    EXPECT_EQ(g.element(kTo).parent, static_cast<int>(kFrom));
    g.host().variables().set_i32(43, 1);
    g.host().frame(host::kStepFrameSeconds);
    EXPECT_TRUE(g.element(kFrom).hidden);
    EXPECT_FALSE(g.element(kTo).hidden);
    EXPECT_EQ(g.element(kFrom).element->image_flags, 0x83u | frame::ImageFlags::kHidden);
    EXPECT_EQ(g.element(kTo).element->image_flags, 0x83u) << "only the hide bit changes";
}

TEST(Hsi, NavFlagRemembersWhatNoRuleDecides) {
    GaugeOnHost g("Kestrum", "hsi");
    EXPECT_EQ(g.element(kNav).element->image_flags, 0x3u) << "visible at load";
    struct Frame {
        double rule;  // token 848
        std::int32_t to_from;  // token 43
        double signal;  // token 831
        bool shown;
    } frames[] = {
        {0, 5, 0, true},       // undecided: as loaded
        {0, 1, 0, false},      // a station: hidden
        {0, 7, -1, false},     // undecided: kept
        {1, 0, 0.5, false},    // undecided: kept
        {1, 0, -1, true},      // the other rule's signal below 0: shown
        {0, 2, 0, false},
        {1, 2, 0, false},      // 0 is not below 0
        {0, 0, 0, true},       // no station: shown
        {1, 1, 2, true},
        {kNaN, 1, 0, false},   // counts as 0
        {1, 1, kNaN, true},    // counts as below 0
        {0, -1, 0, true},
        {-0.0, 2, -5, false},
        {1e-300, 1, -1e-300, true},
    };
    int i = 0;
    for (auto f : frames) {
        g.host().variables().set_i32(43, f.to_from);
        set_all(g, {{848, f.rule}, {831, f.signal}, {45, 100 + i}, {84, 30}});
        EXPECT_EQ(!g.element(kNav).hidden, f.shown) << "frame " << i;
        EXPECT_EQ(g.element(kNav).value, 70 + i) << "the course knob less the heading, whatever the flag";
        ++i;
    }
}

TEST(Hsi, GsFlagAndGlideslopePointer) {
    GaugeOnHost g("Kestrum", "hsi");
    struct Case {
        double rule, signal;  // tokens 848 and 44
        std::int32_t index;
    } flags[] = {{0, 0, 0}, {0, 1, -1}, {1, 0, 0}, {1, 1, 0}, {kNaN, 1, -1}, {0, kNaN, 0},
                 {kNaN, kNaN, 0}, {-0.0, -2, -1}, {-1, 1, 0}};
    for (auto c : flags) {
        set_all(g, {{848, c.rule}, {44, c.signal}, {852, 7}});
        EXPECT_EQ(g.element(kGsFlag).index, c.index) << c.rule << " " << c.signal;
        EXPECT_EQ(g.element(kGsFlag).value, c.index);
    }
    struct Slope {
        double in, out;
    } slopes[] = {{2.5, 1}, {-3, -1}, {0.4, 0.4}, {1, 1}, {-1, -1}, {kNaN, -1}, {kInf, 1}, {-kInf, -1}, {0, 0}};
    for (auto c : slopes) {
        g.set(850, c.in);
        EXPECT_EQ(g.element(kGlideslope).y, c.out) << c.in;
        EXPECT_EQ(g.element(kGlideslope).x, 0);
    }
    const auto* gs = reinterpret_cast<const frame::SliderElement*>(g.element(kGlideslope).element);
    g.set(850, 0.4);
    EXPECT_DOUBLE_EQ(g.element(kGlideslope).y * gs->y.scale, 20) << "pixels down";
}

TEST(Hsi, ReadoutsShowTogetherWhileSwitchedOn) {
    GaugeOnHost g("Kestrum", "hsi");
    set_all(g, {{45, 45}, {107, 270}});
    EXPECT_EQ(g.element(kCourseText).text, "");
    EXPECT_EQ(g.element(kBugText).text, "");
    ASSERT_EQ(g.gauge().click(150, 180), 0) << "the flip returns the byte before it";
    struct Case {
        double v;
        const char* text;
    } cases[] = {
        {45, " 45"},   {359.9, "359"},   {7.8, "  7"},    {-0.5, "  0"},          {0, "  0"},
        {-99, "-99"},  {-100, "-100"},   {1000, "1000"},  {kNaN, "-2147483648"},  {kInf, "-2147483648"},
        {-kInf, "-2147483648"}, {1e300, "-2147483648"}, {-1e300, "-2147483648"}, {2147483647.9, "2147483647"},
    };
    for (auto c : cases) {
        set_all(g, {{45, c.v}, {107, c.v}});
        for (std::size_t i : {kCourseText, kBugText}) {
            const host::ElementState& s = g.element(i);
            EXPECT_EQ(s.text, c.text) << c.v;
            EXPECT_LT(std::strlen(s.buffer.data()), s.buffer.size());
            EXPECT_EQ(std::bit_cast<std::uint64_t>(s.value), std::bit_cast<std::uint64_t>(c.v));
        }
    }
    set_all(g, {{45, 12}, {107, 345}});
    EXPECT_EQ(g.element(kCourseText).text, " 12");
    EXPECT_EQ(g.element(kBugText).text, "345");
    ASSERT_EQ(g.gauge().click(299, 239), 1);
    set_all(g, {{45, 12}});
    EXPECT_EQ(g.element(kCourseText).text, "");
    EXPECT_EQ(g.element(kBugText).text, "");
}

TEST(Hsi, ReadoutFlipChangesNoOtherGauge) {
    GaugeOnHost g("Kestrum", "hsi");
    host::Gauge& alt = g.host().place(g.host().load(testing_support::module_path("Kestrum")), "Altimetro");
    ASSERT_EQ(g.gauge().click(150, 200), 0);
    set_all(g, {{45, 90}, {76, 29.92}});
    EXPECT_EQ(g.element(kCourseText).text, " 90");
    EXPECT_EQ(alt.elements().at(5).text, "");
}

TEST(Hsi, ThirteenLookupsAFrame) {
    GaugeOnHost g("Kestrum", "hsi");
    for (std::int32_t to_from : {0, 1, 2, 3}) {
        g.host().variables().set_i32(43, to_from);
        set_all(g, {{848, to_from % 2}, {831, -1}});
        EXPECT_EQ(g.host().lookups(), 13) << to_from;
    }
    host::Gauge& other = g.host().place(g.host().load(testing_support::module_path("Kestrum")), "hsi");
    (void)other;
    g.host().frame(host::kStepFrameSeconds);
    EXPECT_EQ(g.host().lookups(), 26) << "thirteen for each instance";
}

// The callbacks called one by one on a service table of our own, whose
// lookup_var records each token and hands out a new heading on every call:
// each callback refreshes what it reads just before it reads it.
std::vector<std::uint32_t> g_lookups;
std::map<std::uint32_t, double> g_values;
double g_next_heading = 0;

void FRAME_API record_lookup(frame::SourceVariable* v) {
    g_lookups.push_back(v->token);
    double value = v->token == 84 ? (g_next_heading += 1) : g_values[v->token];
    if (v->token == 43) {
        std::int32_t i = static_cast<std::int32_t>(value);
        std::memset(v->value, 0, sizeof v->value);
        std::memcpy(v->value, &i, sizeof i);
    } else {
        std::memcpy(v->value, &value, sizeof value);
    }
}

TEST(Hsi, EachCallbackRefreshesItsRecordsJustBeforeReading) {
    void* lib = dlopen(testing_support::module_path("Kestrum").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto* imports = static_cast<frame::ImportTableRecord*>(dlsym(lib, "ImportTable"));
    auto* linkage = static_cast<frame::LinkageHead*>(dlsym(lib, "Linkage"));
    ASSERT_TRUE(imports && linkage);
    frame::HostServices services{};
    services.lookup_var = record_lookup;
    imports->panels.services = &services;

    frame::GaugeHeader* hsi = nullptr;
    for (auto* const* p = frame::gauge_table_of(linkage); *p; ++p)
        if (std::strcmp((*p)->name, "hsi") == 0) hsi = *p;
    ASSERT_NE(hsi, nullptr);
    std::vector<frame::Element*> chain;
    for (frame::Element* e = hsi->elements[0]; e; e = e->children ? e->children[0] : nullptr) chain.push_back(e);
    ASSERT_EQ(chain.size(), 13u);
    chain.push_back(chain[kNav]->children[1]);
    ASSERT_EQ(chain.size(), 14u);

    auto put = [](frame::SourceVariable& v, double d) { std::memcpy(v.value, &d, sizeof d); };
    put(frame::as_needle(chain[kCard])->source, 10);
    put(frame::as_needle(chain[kBug])->source, 200);
    put(frame::as_needle(chain[kCourse])->source, 300);
    put(frame::as_needle(chain[kFrom])->source, 300);
    put(frame::as_needle(chain[kTo])->source, 300);
    put(frame::as_sprite(chain[kBar])->rotation.source, 300);
    put(frame::as_needle(chain[kNav])->source, 400);
    put(frame::as_slider(chain[kGlideslope])->y.source, 5);
    g_values = {{43, 2}, {831, -1}, {848, 1}, {44, 1}};
    g_next_heading = 0;

    struct Case {
        std::size_t element;
        frame::ValueCallback callback;
        std::vector<std::uint32_t> lookups;
        double result;  // each heading refresh hands out one more degree
    };
    auto cb = [&](std::size_t i) -> frame::ValueCallback {
        frame::Element* e = chain[i];
        switch (e->kind) {
        case frame::kNeedle: return frame::as_needle(e)->callback;
        case frame::kSprite: return frame::as_sprite(e)->rotation.callback;
        case frame::kSlider: return frame::as_slider(e)->y.callback;
        case frame::kIcon: return frame::as_icon(e)->callback;
        default: return nullptr;
        }
    };
    const Case cases[] = {
        {kCard, cb(kCard), {}, 350},
        {kBug, cb(kBug), {84}, 199},
        {kCourse, cb(kCourse), {84}, 298},
        {kFrom, cb(kFrom), {43, 84}, 297},
        {kTo, cb(kTo), {43, 84}, 296},
        {kBar, cb(kBar), {84}, 295},
        {kGlideslope, cb(kGlideslope), {}, 1},
        {kGsFlag, cb(kGsFlag), {44, 848}, 0},
        {kNav, cb(kNav), {43, 831, 848, 84}, 394},
    };
    std::size_t total = 0;
    for (const Case& c : cases) {
        ASSERT_NE(c.callback, nullptr) << c.element;
        g_lookups.clear();
        EXPECT_EQ(c.callback(chain[c.element]), c.result) << c.element;
        EXPECT_EQ(g_lookups, c.lookups) << c.element;
        total += g_lookups.size();
    }
    // The readouts read only their own variables.
    frame::StringElement* texts[] = {frame::as_string(chain[kCourseText]), frame::as_string(chain[kBugText])};
    char buffers[2][64];
    for (int i = 0; i < 2; ++i) {
        texts[i]->text = buffers[i];
        texts[i]->text_capacity = sizeof buffers[i];
        g_lookups.clear();
        texts[i]->callback(&texts[i]->base);
        EXPECT_TRUE(g_lookups.empty());
        texts[i]->text = nullptr;
        texts[i]->text_capacity = 0;
    }
    EXPECT_EQ(total, 13u);
    EXPECT_FALSE(chain[kFrom]->image_flags & frame::ImageFlags::kHidden);
    EXPECT_TRUE(chain[kTo]->image_flags & frame::ImageFlags::kHidden);
    EXPECT_FALSE(chain[kNav]->image_flags & frame::ImageFlags::kHidden);
    imports->panels.services = nullptr;
    dlclose(lib);
}

TEST(Hsi, MouseAreas) {
    GaugeOnHost g("Kestrum", "hsi");
    struct Case {
        int x, y;
        std::uint32_t help, event;  // event 0: none fired
    } cases[] = {
        {8, 280, 43832, 65662},   {38, 343, 43832, 65662},  {39, 300, 43832, 0},     {40, 280, 43832, 65663},
        {70, 343, 43832, 65663},  {71, 300, 43832, 0},     {72, 300, 43830, 0},      {287, 280, 43827, 65880}, {317, 343, 43827, 65880},
        {318, 300, 43827, 0},     {319, 280, 43827, 65879}, {349, 343, 43827, 65879}, {350, 300, 43827, 0},    {351, 300, 43830, 0},
        {150, 135, 43830, 0},     {150, 250, 43830, 0},     {7, 300, 43830, 0},       {150, 344, 43830, 0},
    };
    std::size_t fired = 0;
    for (auto c : cases) {
        EXPECT_EQ(g.gauge().hit(c.x, c.y).help_id, c.help) << c.x << "," << c.y;
        EXPECT_FALSE(g.gauge().click(c.x, c.y).has_value()) << c.x << "," << c.y;
        if (c.event != 0) {
            ASSERT_EQ(g.host().events().size(), ++fired) << c.x << "," << c.y;
            EXPECT_EQ(g.host().events().back().first, c.event) << c.x << "," << c.y;
        }
        EXPECT_EQ(g.host().events().size(), fired) << c.x << "," << c.y;
    }
    EXPECT_TRUE(g.host().windows().empty());
    EXPECT_EQ(g.gauge().click(0, 0), 1);
    EXPECT_EQ(g.gauge().click(299, 129), 0);
    EXPECT_FALSE(g.host().windows().at(1006));
    // The flip hands back the byte as it was: 0 switching on, 1 off.
    EXPECT_EQ(g.gauge().click(0, 140), 0);
    EXPECT_EQ(g.gauge().click(0, 140), 1);
    EXPECT_EQ(g.gauge().click(0, 140), 0);
    EXPECT_EQ(g.gauge().click(0, 140), 1);
}

TEST(Hsi, FailureLists) {
    using enum host::FailureEffect;
    struct Case {
        std::vector<std::uint32_t> keys;
        host::FailureEffect card, course, glideslope, readout;
    } cases[] = {
        // An element that lists none of the active keys takes its parent's.
        {{11}, kFreeze, kFreeze, kFreeze, kFreeze},
        {{14}, kNone, kZero, kZero, kZero},
        {{21}, kNone, kZero, kZero, kBlank},
        {{20}, kFreeze, kFreeze, kFreeze, kBlank},
        {{14, 11}, kFreeze, kFreeze, kZero, kZero},  // the first active record of a list
    };
    for (const Case& c : cases) {
        GaugeOnHost g("Kestrum", "hsi");
        set_all(g, {{84, 10}, {854, 100}, {850, 0.5}});
        for (std::uint32_t key : c.keys) g.host().set_failure(key, true);
        set_all(g, {{84, 20}, {854, 200}, {850, 0.7}});
        EXPECT_EQ(g.element(kCard).effect, c.card) << c.keys[0];
        EXPECT_EQ(g.element(kCourse).effect, c.course) << c.keys[0];
        EXPECT_EQ(g.element(kGlideslope).effect, c.glideslope) << c.keys[0];
        EXPECT_EQ(g.element(kCourseText).effect, c.readout) << c.keys[0];
        const double course = c.course == kFreeze ? 90 : c.course == kZero ? 0 : 180;
        EXPECT_EQ(g.element(kCourse).value, course) << c.keys[0];
        EXPECT_FALSE(g.element(0).failed);
    }
}

}  // namespace
