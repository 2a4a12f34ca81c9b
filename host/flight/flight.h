// flight.h - the aircraft of a scenario: where it is, how it moves, what
// its engine and electrics do, and the pilot who steers it by the
// scenario's commands (a heading, a radial or a localizer to track, an
// altitude or the glideslope to fly, a speed).
//
// This is a kinematic model, not a flight model: the scenario says what
// the aircraft does and the model makes it do so smoothly and consistently
// (turns at standard rate, vertical speed and speed changes at bounded
// rates, a flare before touchdown), so that every instrument agrees with
// every other.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "nav.h"
#include "scenario.h"

namespace flight {

// A value that moves linearly to a target over a time.
struct Ramp {
    double from = 0, to = 0, start = 0, duration = 0;
    double at(double t) const;
    void go(double now, double target, double over);
};

inline constexpr double kStandardRateDegPerS = 3.0;
// Limits of the smooth motion: roll into a turn, pitch to a new vertical
// speed.
inline constexpr double kTurnAccelDegPerS2 = 1.5;
inline constexpr double kVerticalAccelFpmPerS = 400.0;
// The aircraft leaves the ground at this airspeed once a climb is asked for.
inline constexpr double kRotateKt = 55.0;
// The pilot starts the flare at this height above the runway.
inline constexpr double kFlareFt = 25.0;

struct Moment {
    double time;
    std::string text;
};

class Aircraft {
public:
    explicit Aircraft(const Scenario& scenario);

    // Flight, engine and electrical commands; others are ignored here.
    void command(const Command& c, double now);
    // Moves the aircraft on by dt seconds, to time `now`.
    void step(double now, double dt);

    const Scenario& scenario() const { return scenario_; }
    const PlacedStation* station(const std::string& id) const;

    // State, as the instruments read it.
    Position position() const { return position_; }
    double heading_true() const { return heading_; }
    double heading_mag() const { return wrap360(heading_ - scenario_.variation); }
    double ias_kt() const { return ias_; }
    double tas_kt() const;
    double vertical_fpm() const { return vs_; }
    double ground_speed_kt() const;
    double track_true() const;
    double turn_rate() const { return turn_rate_; }  // degrees per second, right positive
    double ball() const { return ball_; }  // sideways, right positive, in tube widths
    bool on_ground() const { return on_ground_; }
    double agl_ft() const { return position_.alt_ft - ground_ft_; }
    double static_pressure_inhg() const;  // at the aircraft
    double air_temperature_c() const;
    double rpm() const { return rpm_.at(now_); }
    double manifold_inhg() const { return manifold_; }
    double fuel_flow_gph() const { return fuel_flow_.at(now_); }
    bool engine_running() const;
    bool powered() const { return volts_ > kBusMinVolts; }
    double volts() const { return volts_; }

    // Notable moments (lift-off, captures, touchdown), for the run's log.
    const std::vector<Moment>& moments() const { return moments_; }

    static constexpr double kBusMinVolts = 10.0;

private:
    enum class Lateral { kHeading, kTrack, kLocalizer };
    enum class Vertical { kLevel, kAltitude, kGlideslope };

    double desired_track(double& heading_target);
    // How much of the wind moves the aircraft: none on the ground, all of
    // it from 50 ft up.
    double wind_share() const;
    double vertical_target();
    void note(const std::string& text) { moments_.push_back({now_, text}); }

    const Scenario& scenario_;
    std::map<std::string, PlacedStation> stations_;
    double now_ = 0;

    Position position_;
    double heading_ = 0;  // true
    double ias_ = 0, ias_target_ = 0, ias_rate_ = 2;
    double vs_ = 0;
    double turn_rate_ = 0;
    double turn_accel_ = 0;
    double ball_ = 0;
    double ground_east_ = 0, ground_north_ = 0;  // knots
    bool on_ground_ = true;
    bool landed_once_ = false;
    double ground_ft_ = 0;

    Lateral lateral_ = Lateral::kHeading;
    double heading_target_ = 0;  // true
    int turn_direction_ = 0;
    std::string course_station_;
    double course_radial_true_ = 0;
    bool course_inbound_ = true;
    bool captured_ = false;

    Vertical vertical_ = Vertical::kLevel;
    double altitude_target_ = 0, altitude_rate_ = 700;
    std::string glideslope_station_;
    bool glideslope_captured_ = false;
    bool flaring_ = false;

    Ramp rpm_, manifold_cmd_, fuel_flow_;
    double manifold_ = 29.92;
    bool master_ = false, starter_ = false;
    double volts_ = 0;

    std::vector<Moment> moments_;
};

}  // namespace flight
