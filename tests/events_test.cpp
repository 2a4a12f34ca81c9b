// The host's event effects: every knob event a mouse list names steps its
// setting as a pilot expects, wrapping round the compass, stopping at the
// ends of the altimeter's card, and the clock's keys set the time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "events.h"
#include "gauge_fixture.h"

namespace {

using testing_support::GaugeOnHost;

TEST(Events, KnobsStepTheirSettings) {
    struct Case {
        std::uint32_t event;
        std::uint32_t token;
        double before, after;
        std::uint32_t also;  // a second token that shows the same setting, or 0
    } cases[] = {
        {65883, 76, 29.92, 29.93, 0},    {65884, 76, 29.92, 29.91, 0},
        {65883, 76, 31.50, 31.50, 0},    {65884, 76, 28.10, 28.10, 0},  // the card's ends
        {65884, 76, 27.00, 28.10, 0},    {65883, 76, 40.00, 31.50, 0},
        {65663, 854, 59, 60, 45},        {65662, 854, 0, 359, 45},
        {65663, 854, 359, 0, 45},        {65662, 854, 359.5, 358.5, 45},
        {65665, 54, 359, 0, 0},          {65664, 54, 10, 9, 0},
        {65879, 855, 100, 101, 107},     {65880, 855, 0, 359, 107},
        {65881, 22, 359, 0, 0},          {65882, 22, 0, 359, 0},
        {65658, 3, 23, 0, 0},            {65657, 3, 0, 23, 0},
        {65660, 4, 59, 0, 0},            {65659, 4, 0, 59, 0},
        {65661, 5, 42, 0, 0},
    };
    for (const Case& c : cases) {
        host::VariableStore store;
        store.set_f64(c.token, c.before);
        ASSERT_TRUE(host::apply_event(store, c.event)) << c.event;
        EXPECT_NEAR(store.number(c.token), c.after, 1e-9) << c.event << " from " << c.before;
        if (c.also != 0) {
            EXPECT_NEAR(store.number(c.also), c.after, 1e-9) << c.event;
        }
    }
}

TEST(Events, HundredthsStayExactOverManySteps) {
    host::VariableStore store;
    store.set_f64(76, 29.92);
    for (int i = 0; i < 20; ++i) host::apply_event(store, 65883);
    EXPECT_DOUBLE_EQ(store.number(76), 30.12);
    for (int i = 0; i < 400; ++i) host::apply_event(store, 65883);
    EXPECT_DOUBLE_EQ(store.number(76), 31.5);
}

TEST(Events, ASettingThatIsNotANumberStartsFromTheLowEnd) {
    host::VariableStore store;
    store.set_f64(854, std::numeric_limits<double>::quiet_NaN());
    host::apply_event(store, 65663);
    EXPECT_EQ(store.number(854), 1);
    store.set_f64(76, std::numeric_limits<double>::infinity());
    host::apply_event(store, 65884);
    EXPECT_NEAR(store.number(76), 28.1, 1e-12);
}

TEST(Events, EveryKnobEventOfEveryMouseListHasAnEffect) {
    // The events the gauges' mouse lists name; all of them are knobs or
    // clock keys, so each must change the variables.
    std::set<std::uint32_t> named;
    for (const auto& spec : testing_support::modules()) {
        host::Host h;
        host::Module& m = h.load(testing_support::module_path(spec.name), RESOURCES_DIR);
        for (frame::GaugeHeader* g : m.gauges())
            for (const frame::MouseArea* a = g->mouse_list; a->kind != frame::kMouseEnd; ++a)
                if (a->event != 0) named.insert(a->event);
    }
    EXPECT_EQ(named.size(), 15u);
    for (std::uint32_t e : named) EXPECT_NE(host::find_event_effect(e), nullptr) << e;
    host::VariableStore store;
    EXPECT_FALSE(host::apply_event(store, 65957));  // the airspeed's gauge callback event: recorded only
}

TEST(Events, AClickOnAKnobMovesWhatTheGaugeShows) {
    GaugeOnHost g("Kestrum", "Altimetro");
    g.set(76, 29.92);
    double card = g.element(1).rotation;
    g.gauge().click(50, 260);  // the knob's right half: up
    g.host().frame(host::kStepFrameSeconds);
    EXPECT_NEAR(g.host().variables().number(76), 29.93, 1e-12);
    EXPECT_NEAR(g.element(1).rotation - card, 1.0, 1e-9);  // one hundredth is one degree of card
    ASSERT_EQ(g.host().events().size(), 1u);
    EXPECT_EQ(g.host().events()[0].first, 65883u);
}

}  // namespace
