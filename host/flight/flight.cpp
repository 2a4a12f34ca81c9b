// flight.cpp - see flight.h.
#include "flight.h"

#include <algorithm>
#include <cmath>

namespace flight {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// The standard atmosphere's pressure law, with the sea-level pressure given.
constexpr double kAtmosphereFt = 145366.45;
constexpr double kAtmosphereExponent = 0.190263;
constexpr double kStandardInhg = 29.92126;
constexpr double kStandardKelvin = 288.15;
constexpr double kLapseCPerFt = 0.00198;

// The pilot's hands: how hard the heading and altitude are chased, how far
// off a course line the aircraft turns back toward it, how strongly it
// follows the glidepath.
constexpr double kHeadingGainPerS = 0.5;  // degrees per second of turn per degree off
constexpr double kCourseGainDegPerNm = 120.0;
constexpr double kMaxInterceptDeg = 30.0;
constexpr double kOnCourseDeg = 5.0;  // a correction this small means the aircraft is on the course
constexpr double kLevelOffGainFpmPerFt = 6.0;
constexpr double kGlidepathGainFpmPerFt = 6.0;
constexpr double kGlidepathCorrectionFpm = 300.0;
constexpr double kFpmPerKnotPerRadian = 6076.12 / 60.0;
// Flare: the sink rate shrinks with the height, to a gentle touchdown.
constexpr double kFlareSinkFpm = 120.0, kFlareSinkFpmPerFt = 16.0;
// Below this airspeed standing on the ground the aircraft cannot turn.
constexpr double kTaxiTurnKt = 5.0;
// Engine and electrics.
constexpr double kRunningRpm = 400.0;
constexpr double kAlternatorRpm = 900.0;
constexpr double kAlternatorVolts = 28.1, kBatteryVolts = 24.3, kCrankingVolts = 20.6;
constexpr double kManifoldLagS = 0.6, kVoltsLagS = 0.5;
// The ball leans into a turn's entry and out of its exit, as an airplane
// yaws against its roll.
constexpr double kBallPerTurnAccel = 0.08;
constexpr double kBallLagS = 0.8;

double approach(double value, double target, double dt, double lag) {
    return value + (target - value) * (1 - std::exp(-dt / lag));
}

double toward(double value, double target, double step) {
    return value + std::clamp(target - value, -step, step);
}

}  // namespace

double Ramp::at(double t) const {
    if (duration <= 0 || t >= start + duration) return t >= start ? to : from;
    if (t <= start) return from;
    return from + (to - from) * (t - start) / duration;
}

void Ramp::go(double now, double target, double over) {
    from = at(now);
    to = target;
    start = now;
    duration = over;
}

Aircraft::Aircraft(const Scenario& s) : scenario_(s) {
    for (const Station& st : s.stations) stations_.emplace(st.id, place(st, s.variation));
    position_ = {s.start_lat, s.start_lon, s.start_elevation_ft};
    ground_ft_ = s.start_elevation_ft;
    heading_ = wrap360(s.start_heading_mag + s.variation);
    heading_target_ = heading_;
    altitude_target_ = position_.alt_ft;
    manifold_ = static_pressure_inhg();
    manifold_cmd_ = {manifold_, manifold_, 0, 0};
}

const PlacedStation* Aircraft::station(const std::string& id) const {
    auto it = stations_.find(id);
    return it == stations_.end() ? nullptr : &it->second;
}

double Aircraft::static_pressure_inhg() const {
    double ratio = 1 - position_.alt_ft / kAtmosphereFt;
    return scenario_.qnh_inhg * std::pow(std::max(ratio, 0.01), 1 / kAtmosphereExponent);
}

double Aircraft::air_temperature_c() const {
    return scenario_.temperature_c - kLapseCPerFt * (position_.alt_ft - scenario_.start_elevation_ft);
}

double Aircraft::tas_kt() const {
    double sigma = (static_pressure_inhg() / kStandardInhg) / ((air_temperature_c() + 273.15) / kStandardKelvin);
    return ias_ / std::sqrt(sigma);
}

double Aircraft::ground_speed_kt() const { return std::hypot(ground_east_, ground_north_); }

double Aircraft::track_true() const {
    return ground_speed_kt() > 1e-9 ? wrap360(std::atan2(ground_east_, ground_north_) / kDeg) : heading_;
}

double Aircraft::wind_share() const { return on_ground_ ? 0 : std::clamp(agl_ft() / 50.0, 0.0, 1.0); }

bool Aircraft::engine_running() const { return rpm() > kRunningRpm; }

void Aircraft::command(const Command& c, double now) {
    now_ = now;
    double var = scenario_.variation;
    switch (c.kind) {
    case CommandKind::kMaster:
        master_ = c.flag;
        break;
    case CommandKind::kStarter:
        starter_ = c.flag;
        break;
    case CommandKind::kRpm:
        rpm_.go(now, c.value, c.over);
        break;
    case CommandKind::kManifold:
        manifold_cmd_.go(now, c.value, c.over);
        break;
    case CommandKind::kFuelFlow:
        fuel_flow_.go(now, c.value, c.over);
        break;
    case CommandKind::kSpeed:
        ias_target_ = c.value;
        ias_rate_ = c.rate;
        break;
    case CommandKind::kHeading:
        lateral_ = Lateral::kHeading;
        heading_target_ = wrap360(c.value + var);
        turn_direction_ = c.turn;
        break;
    case CommandKind::kTrack:
        lateral_ = Lateral::kTrack;
        course_station_ = c.station;
        course_radial_true_ = wrap360(c.value + var);
        course_inbound_ = c.flag;
        captured_ = false;
        break;
    case CommandKind::kLocalizer:
        lateral_ = Lateral::kLocalizer;
        course_station_ = c.station;
        captured_ = false;
        break;
    case CommandKind::kAltitude:
        vertical_ = Vertical::kAltitude;
        altitude_target_ = c.value;
        altitude_rate_ = c.rate;
        break;
    case CommandKind::kGlideslope:
        vertical_ = Vertical::kGlideslope;
        glideslope_station_ = c.station;
        glideslope_captured_ = false;
        if (!on_ground_) altitude_target_ = position_.alt_ft;
        if (const PlacedStation* st = station(c.station)) ground_ft_ = st->threshold.alt_ft;
        break;
    default:
        break;
    }
}

double Aircraft::desired_track(double& heading_target) {
    heading_target = heading_target_;
    const PlacedStation* st = station(course_station_);
    if (st == nullptr) return heading_;
    bool localizer = lateral_ == Lateral::kLocalizer;
    CourseLine line = localizer ? course_line(st->antenna, wrap360(st->course_true + 180), true, position_)
                                : course_line(st->antenna, course_radial_true_, course_inbound_, position_);
    double track = std::atan2(ground_east_, ground_north_) / kDeg;
    double intercept = wrap180(track - line.course_true);
    double wanted = line.cross_track_nm * kCourseGainDegPerNm;
    double correction = std::clamp(wanted, -kMaxInterceptDeg, kMaxInterceptDeg);
    if (!captured_) {
        // The pilot holds the intercept heading until the course comes
        // alive: until turning onto it asks for less than the present cut
        // toward it, or for hardly a turn at all.
        bool converging = line.cross_track_nm * intercept < 0;
        bool alive = converging && std::fabs(wanted) <= std::fabs(intercept);
        if (!alive && std::fabs(wanted) > kOnCourseDeg) return heading_target;
        captured_ = true;
        note(localizer ? "localizer " + course_station_ + " captured"
                       : "radial " + std::to_string(static_cast<int>(std::lround(wrap360(course_radial_true_ - scenario_.variation)))) +
                             " of " + course_station_ + " captured");
    }
    double want = wrap360(line.course_true - correction);
    // Into the wind by the angle that keeps the track.
    double toward_wind = (scenario_.wind_from_true + 180) * kDeg;
    double cross = wind_share() * scenario_.wind_kt * std::sin(toward_wind - want * kDeg);
    double tas = std::max(tas_kt(), 30.0);
    heading_target = wrap360(want - std::asin(std::clamp(cross / tas, -0.9, 0.9)) / kDeg);
    return want;
}

double Aircraft::vertical_target() {
    double alt = position_.alt_ft;
    auto hold = [&](double target, double rate) {
        return std::clamp((target - alt) * kLevelOffGainFpmPerFt, -rate, rate);
    };
    if (vertical_ != Vertical::kGlideslope) return hold(altitude_target_, vertical_ == Vertical::kLevel ? 500 : altitude_rate_);
    const PlacedStation* st = station(glideslope_station_);
    if (st == nullptr) return 0;
    double height = alt - ground_ft_;
    if (on_ground_) return 0;
    if (flaring_ || (glideslope_captured_ && height < kFlareFt)) {
        if (!flaring_) note("flare");
        flaring_ = true;
        return -(kFlareSinkFpm + kFlareSinkFpmPerFt * std::max(height, 0.0));
    }
    Geodesic g = inverse(st->glideslope.lat, st->glideslope.lon, position_.lat, position_.lon);
    double slope = std::tan(st->station->glideslope_deg * kDeg);
    double path = st->glideslope.alt_ft + g.distance_m / kMetresPerFoot * slope;
    if (!glideslope_captured_) {
        if (alt < path) return hold(altitude_target_, 500);
        glideslope_captured_ = true;
        note("glideslope " + glideslope_station_ + " captured");
    }
    double ground_kt = std::hypot(ground_east_, ground_north_);
    return -ground_kt * kFpmPerKnotPerRadian * slope +
           std::clamp((path - alt) * kGlidepathGainFpmPerFt, -kGlidepathCorrectionFpm, kGlidepathCorrectionFpm);
}

void Aircraft::step(double now, double dt) {
    now_ = now;
    if (dt <= 0) return;

    // Engine and electrics.
    double ambient = static_pressure_inhg();
    double map_target = rpm() < kRunningRpm ? ambient : std::min(manifold_cmd_.at(now), ambient - 0.3);
    manifold_ = approach(manifold_, map_target, dt, kManifoldLagS);
    double volts = !master_ ? 0 : starter_ ? kCrankingVolts : rpm() >= kAlternatorRpm ? kAlternatorVolts : kBatteryVolts;
    volts_ = approach(volts_, volts, dt, kVoltsLagS);

    ias_ = toward(ias_, ias_target_, ias_rate_ * dt);

    // Lateral: a turn rate that chases the heading the mode asks for.
    double heading_target = heading_target_;
    if (lateral_ != Lateral::kHeading) desired_track(heading_target);
    double error = wrap180(heading_target - heading_);
    if (lateral_ == Lateral::kHeading && turn_direction_ != 0) {
        if (std::fabs(error) < 10)
            turn_direction_ = 0;
        else if (turn_direction_ > 0 && error < 0)
            error += 360;
        else if (turn_direction_ < 0 && error > 0)
            error -= 360;
    }
    double rate = std::clamp(error * kHeadingGainPerS, -kStandardRateDegPerS, kStandardRateDegPerS);
    // On the ground the aircraft steers only where it is told a heading;
    // rolling out along a runway it keeps its heading.
    if (on_ground_ && (ias_ < kTaxiTurnKt || lateral_ != Lateral::kHeading)) rate = 0;
    double before = turn_rate_;
    turn_rate_ = toward(turn_rate_, rate, kTurnAccelDegPerS2 * dt);
    turn_accel_ = (turn_rate_ - before) / dt;
    heading_ = wrap360(heading_ + turn_rate_ * dt);
    ball_ = approach(ball_, on_ground_ ? 0 : kBallPerTurnAccel * turn_accel_, dt, kBallLagS);

    // Vertical.
    double vs_target = vertical_target();
    if (on_ground_) {
        vs_target = std::max(vs_target, 0.0);
        if (vs_target > 0 && ias_ >= kRotateKt && !landed_once_) {
            on_ground_ = false;
            note("lift-off");
        } else {
            vs_target = 0;
        }
    }
    vs_ = on_ground_ ? 0 : toward(vs_, vs_target, kVerticalAccelFpmPerS * dt);
    position_.alt_ft += vs_ / 60 * dt;
    if (!on_ground_ && position_.alt_ft <= ground_ft_) {
        position_.alt_ft = ground_ft_;
        vs_ = 0;
        on_ground_ = true;
        landed_once_ = true;
        note("touchdown");
    }

    // Over the ground: the air's motion plus the wind, which takes hold as
    // the aircraft leaves the ground.
    double tas = tas_kt();
    double toward_wind = (scenario_.wind_from_true + 180) * kDeg;
    ground_east_ = tas * std::sin(heading_ * kDeg) + wind_share() * scenario_.wind_kt * std::sin(toward_wind);
    ground_north_ = tas * std::cos(heading_ * kDeg) + wind_share() * scenario_.wind_kt * std::cos(toward_wind);
    double ground_kt = std::hypot(ground_east_, ground_north_);
    if (ground_kt > 1e-9) {
        double track = std::atan2(ground_east_, ground_north_) / kDeg;
        Position next = direct(position_.lat, position_.lon, track, ground_kt * kMetresPerNm / 3600 * dt);
        position_.lat = next.lat;
        position_.lon = next.lon;
    }
}

}  // namespace flight
