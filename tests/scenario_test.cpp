// The scenario reader: a good file in all its forms, and each mistake
// named by its line, all of them at once.
#include <gtest/gtest.h>

#include "scenario.h"

namespace {

using flight::CommandKind;
using flight::parse_scenario;

constexpr const char* kGood = R"(panelhost-scenario 1
# comment lines and blank lines are skipped

title A short hop   # the rest of the line is the title
variation -3.5
qnh 29.80
temperature -5
wind 270 15
time 06:05:30
hours 12.25
units celsius
start 47.1 8.2 1400 270
vor ABC 47.2 8.3 1500 dme range 60
ils IXY 47.0 8.1 1350 course 264 length 8000 glideslope 3.5 dme
ndb XY 47.05 8.15

at 0 tune nav1 ABC ; tune adf XY
at 0:05 rpm 2500 over 3; manifold 25
at 1:02.5 speed 100 rate 2.5
at 0:01:10 heading 090 left
at 75 track ABC 240 inbound
at 80 localizer IXY ; glideslope IXY ; altitude 3000 rate 500
at 81 event 65883 20 over 4 ; event 65661
at 82 click Asi 150 200 ; click 400.5 60
at 83 fail 5 ; repair 5 ; set 66286 1.5 ; course2 180
at 90 end
)";

TEST(Scenario, ReadsEveryLine) {
    flight::Scenario s = parse_scenario(kGood, "hop.scenario");
    EXPECT_EQ(s.title, "A short hop");
    EXPECT_EQ(s.variation, -3.5);
    EXPECT_EQ(s.qnh_inhg, 29.80);
    EXPECT_EQ(s.temperature_c, -5);
    EXPECT_EQ(s.wind_from_true, 270);
    EXPECT_EQ(s.wind_kt, 15);
    EXPECT_EQ(s.time_of_day, 6 * 3600 + 5 * 60 + 30);
    EXPECT_EQ(s.hours, 12.25);
    EXPECT_TRUE(s.celsius);
    EXPECT_EQ(s.start_lat, 47.1);
    EXPECT_EQ(s.start_heading_mag, 270);
    EXPECT_EQ(s.end, 90);
    ASSERT_EQ(s.stations.size(), 3u);
    const flight::Station* ils = s.find("IXY");
    ASSERT_NE(ils, nullptr);
    EXPECT_EQ(ils->kind, flight::StationKind::kIls);
    EXPECT_EQ(ils->course_mag, 264);
    EXPECT_EQ(ils->length_ft, 8000);
    EXPECT_EQ(ils->glideslope_deg, 3.5);
    EXPECT_TRUE(ils->dme);
    EXPECT_EQ(ils->range_nm, 18);  // a localizer's when none is given
    EXPECT_EQ(s.find("ABC")->range_nm, 60);
    EXPECT_FALSE(s.find("XY")->dme);

    struct Want {
        double time;
        CommandKind kind;
    } want[] = {
        {0, CommandKind::kTune},       {0, CommandKind::kTune},      {5, CommandKind::kRpm},
        {5, CommandKind::kManifold},   {62.5, CommandKind::kSpeed},  {70, CommandKind::kHeading},
        {75, CommandKind::kTrack},     {80, CommandKind::kLocalizer}, {80, CommandKind::kGlideslope},
        {80, CommandKind::kAltitude},  {81, CommandKind::kEvent},    {81, CommandKind::kEvent},
        {82, CommandKind::kClick},     {82, CommandKind::kClick},    {83, CommandKind::kFail},
        {83, CommandKind::kRepair},    {83, CommandKind::kSet},      {83, CommandKind::kCourse2},
        {90, CommandKind::kEnd},
    };
    ASSERT_EQ(s.commands.size(), std::size(want));
    for (std::size_t i = 0; i < s.commands.size(); ++i) {
        EXPECT_EQ(s.commands[i].time, want[i].time) << i;
        EXPECT_EQ(s.commands[i].kind, want[i].kind) << i;
    }
    const auto& c = s.commands;
    EXPECT_EQ(c[1].radio, flight::Radio::kAdf);
    EXPECT_EQ(c[1].station, "XY");
    EXPECT_EQ(c[2].value, 2500);
    EXPECT_EQ(c[2].over, 3);
    EXPECT_EQ(c[3].over, 2);  // a ramp's default
    EXPECT_EQ(c[4].rate, 2.5);
    EXPECT_EQ(c[5].turn, -1);
    EXPECT_TRUE(c[6].flag);
    EXPECT_EQ(c[6].value, 240);
    EXPECT_EQ(c[9].rate, 500);
    EXPECT_EQ(c[10].token, 65883u);
    EXPECT_EQ(c[10].count, 20);
    EXPECT_EQ(c[10].over, 4);
    EXPECT_EQ(c[11].count, 1);
    EXPECT_EQ(c[12].gauge, "Asi");
    EXPECT_EQ(c[12].y, 200);
    EXPECT_EQ(c[13].gauge, "");
    EXPECT_EQ(c[13].x, 400.5);
    EXPECT_EQ(c[14].token, 5u);
    EXPECT_EQ(c[16].token, 66286u);
    EXPECT_EQ(c[16].value, 1.5);
}

TEST(Scenario, CommandsRunInTimeOrder) {
    flight::Scenario s = parse_scenario(
        "panelhost-scenario 1\nstart 0 0 0 0\nat 20 end\nat 10 master on\nat 5 master off\nat 10 starter on\n", "s");
    ASSERT_EQ(s.commands.size(), 4u);
    EXPECT_EQ(s.commands[0].time, 5);
    EXPECT_EQ(s.commands[1].kind, CommandKind::kMaster);  // equal times keep their order
    EXPECT_EQ(s.commands[2].kind, CommandKind::kStarter);
    EXPECT_EQ(s.end, 20);
}

TEST(Scenario, MistakesAreNamedByLine) {
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"at 10 hedding 90", "unknown command 'hedding'"},
        {"at 1:75 master on", "'1:75' is not a time"},
        {"at ten master on", "'ten' is not a time"},
        {"at 24:00:01 master on", "within 24 hours"},
        {"at 10 click 1e9 5", "x '1e9' is not a number from -100000 to 100000"},
        {"at 10 master maybe", "master: expected on or off"},
        {"at 10 rpm 9000", "is not a number from 0 to 4000"},
        {"at 10 rpm 2000 in 3", "expected 'over NUMBER'"},
        {"at 10 track NOPE 240 inbound", "no station NOPE"},
        {"at 10 track ABC 240 sideways", "expected inbound or outbound"},
        {"at 10 localizer ABC", "ABC is not an ILS"},
        {"at 10 tune nav1 XY", "XY is an NDB"},
        {"at 10 tune adf ABC", "ABC is not an NDB"},
        {"at 10 tune nav3 ABC", "expected nav1, nav2 or adf"},
        {"at 10 event 65883 2.5", "count"},
        {"at 10 click Asi 1", "x 'Asi' is not a number"},
        {"at 10 click Asi 1 2 3", "expected 'click X Y  or  click GAUGE X Y'"},
        {"at 10 fail 0", "failure key"},
        {"at 10 set 12.5 3", "the token must be a whole number"},
        {"at 99 master on", "comes after the scenario's end"},
        {"vor ABC 1 2 3", "declared twice"},
        {"ils IZZ 1 2 3", "'course DEG' and 'length FT' are required"},
        {"ndb Q 100 2", "latitude '100' is not a number from -89 to 89"},
        {"vor Q 1 2 3 tacan", "unknown option 'tacan'"},
        {"qnh 40", "qnh '40'"},
        {"qnh 30 31", "expected 'qnh INHG'"},
        {"units kelvin", "expected fahrenheit or celsius"},
        {"time 25:00:00", "not a time of day"},
        {"start 1 2 3 4", "start is given twice"},
        {"bogus 1", "unknown line 'bogus'"},
    };
    for (const Case& c : cases) {
        std::string text = std::string("panelhost-scenario 1\nstart 0 0 0 0\nvor ABC 0 1 0\nndb XY 0 2\n") + c.line +
                           "\nat 90 end\n";
        try {
            parse_scenario(text, "s.scenario");
            ADD_FAILURE() << c.line << " was accepted";
        } catch (const flight::ScenarioError& e) {
            std::string what = e.what();
            EXPECT_NE(what.find("s.scenario:5: "), std::string::npos) << c.line << " -> " << what;
            EXPECT_NE(what.find(c.message), std::string::npos) << c.line << " -> " << what;
            EXPECT_EQ(what.find('\n'), std::string::npos) << "one problem, one line: " << what;
        }
    }
}

TEST(Scenario, EveryProblemIsListed) {
    try {
        parse_scenario("panelhost-scenario 1\nat 1 hover\nat 2 master\n", "s");
        FAIL();
    } catch (const flight::ScenarioError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("s:2: unknown command 'hover'"), std::string::npos) << what;
        EXPECT_NE(what.find("s:3: master: expected on or off"), std::string::npos) << what;
        EXPECT_NE(what.find("no 'start"), std::string::npos) << what;
        EXPECT_NE(what.find("no 'at TIME end'"), std::string::npos) << what;
    }
    try {
        parse_scenario("panelhost-scenario 1\nstart 0 0 0 0\nat 5 end\nat 9 end\n", "s");
        FAIL();
    } catch (const flight::ScenarioError& e) {
        EXPECT_NE(std::string(e.what()).find("s:4: a second 'end'"), std::string::npos) << e.what();
    }
    EXPECT_THROW(parse_scenario("panelhost-scenario 2\n", "s"), flight::ScenarioError);
    EXPECT_THROW(parse_scenario("", "s"), flight::ScenarioError);
}

TEST(Scenario, TheBuiltInFlightReads) {
    const flight::Scenario& s = flight::default_scenario();
    EXPECT_GT(s.end, 120);
    EXPECT_LT(s.end, 600);
    EXPECT_NE(s.find("KSV"), nullptr);
    EXPECT_NE(s.find("IKS"), nullptr);
    EXPECT_NE(s.find("KL"), nullptr);
}

}  // namespace
