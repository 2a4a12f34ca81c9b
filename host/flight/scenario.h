// scenario.h - a flight scenario: the places and radio stations, the
// aircraft's start, and a timeline of what the pilot and the aircraft do.
// docs/scenario.md describes the text format; this is its reader.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace flight {

struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class StationKind { kVor, kIls, kNdb };

struct Station {
    std::string id;
    StationKind kind = StationKind::kVor;
    int line = 0;
    double lat = 0, lon = 0;  // degrees; an ILS: its runway threshold
    double elevation_ft = 0;
    bool dme = false;
    double range_nm = 0;
    // ILS only.
    double course_mag = 0;  // the runway's course, magnetic
    double length_ft = 0;  // of the runway
    double glideslope_deg = 0;
};

enum class CommandKind {
    kMaster,  // on: flag
    kStarter,
    kRpm,  // value, over
    kManifold,
    kFuelFlow,
    kSpeed,  // value, rate (knots per second)
    kHeading,  // value; turn: -1 left, +1 right, 0 the shorter way
    kTrack,  // station, value (radial), inbound: flag
    kLocalizer,  // station
    kAltitude,  // value, rate (feet per minute)
    kGlideslope,  // station
    kTune,  // radio, station ("" for off)
    kAltimeter,  // value
    kCourse1,
    kCourse2,
    kBug,
    kAdfCard,
    kSet,  // token, value
    kEvent,  // token (event), count, over
    kClick,  // gauge ("" for screen coordinates), x, y
    kFail,  // token (key)
    kRepair,
    kEnd,
};

enum class Radio { kNav1, kNav2, kAdf };

struct Command {
    double time = 0;  // seconds from the start
    int line = 0;
    CommandKind kind = CommandKind::kEnd;
    double value = 0;
    double over = 0;  // seconds a ramp or a run of events takes
    double rate = 0;
    double x = 0, y = 0;
    int turn = 0;
    int count = 1;
    bool flag = false;
    std::uint32_t token = 0;
    Radio radio = Radio::kNav1;
    std::string station;
    std::string gauge;
};

struct Scenario {
    std::string name;  // the file, for messages
    std::string title;
    double variation = 0;  // magnetic variation, degrees east
    double start_lat = 0, start_lon = 0, start_elevation_ft = 0, start_heading_mag = 0;
    double qnh_inhg = 29.92;
    double temperature_c = 15;  // at the start's elevation
    double wind_from_true = 0, wind_kt = 0;
    double time_of_day = 12 * 3600;  // seconds after midnight at the start
    double hours = 0;  // the hour meter at the start
    bool celsius = false;  // the clock's unit
    double end = 0;  // seconds; the run's length
    std::vector<Station> stations;
    std::vector<Command> commands;  // in time order; equal times in file order

    const Station* find(const std::string& id) const;
};

// Reads a scenario. Every problem is collected; if there are any, throws a
// ScenarioError whose text lists them as "name:line: problem".
Scenario parse_scenario(std::string_view text, const std::string& name);
Scenario read_scenario(const std::string& path);

// The scenario panelhost flies when none is named.
const Scenario& default_scenario();
// Its text, as shipped in scenarios/default.scenario.
std::string_view default_scenario_text();

}  // namespace flight
