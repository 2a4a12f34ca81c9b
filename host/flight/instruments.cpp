// instruments.cpp - see instruments.h.
#include "instruments.h"

#include <cmath>

namespace flight {

namespace {

constexpr double kAtmosphereFt = 145366.45;
constexpr double kAtmosphereExponent = 0.190263;

// What an altimeter shows: the height in the standard atmosphere at which
// the static pressure stands, counted from the setting instead of the
// standard sea-level pressure.
double indicated_altitude(double static_inhg, double setting_inhg) {
    if (!(setting_inhg > 0)) return 0;
    return kAtmosphereFt * (1 - std::pow(static_inhg / setting_inhg, kAtmosphereExponent));
}

}  // namespace

Instruments::Instruments(const Aircraft& aircraft) : aircraft_(aircraft) {}

void Instruments::tune(Radio radio, const std::string& station) {
    const PlacedStation* st = station.empty() ? nullptr : aircraft_.station(station);
    if (radio == Radio::kAdf) {
        adf_ = st;
        return;
    }
    Receiver& r = receivers_[radio == Radio::kNav1 ? 0 : 1];
    r = Receiver{};
    r.station = st;
}

void Instruments::start(host::VariableStore& store) {
    const Scenario& s = aircraft_.scenario();
    double t = s.time_of_day;
    store.set_f64(token::kClockHours, std::floor(t / 3600));
    store.set_f64(token::kClockMinutes, std::floor(std::fmod(t, 3600) / 60));
    store.set_f64(token::kClockSeconds, std::floor(std::fmod(t, 60)));
    clock_fraction_ = t - std::floor(t);
    store.set_f64(token::kEngineSeconds, s.hours * 3600);
    store.set_f64(token::kAltimeterSetting, 29.92);
    store.set_f64(token::kTemperatureUnit, s.celsius ? 1 : 0);
    double heading = std::round(aircraft_.heading_mag());
    store.set_f64(token::kHeadingBug, heading);
    store.set_f64(token::kHeadingBugKnob, heading);
}

void Instruments::update_receiver(Receiver& r, double course_mag, double dt) {
    if (r.station == nullptr || !aircraft_.powered()) {
        r.reading = NavReading{};
        r.last_range = -1;
        r.tracked = 0;
        return;
    }
    r.reading = nav_reading(*r.station, aircraft_.position(), aircraft_.agl_ft(), course_mag,
                            aircraft_.scenario().variation);
    if (!r.reading.dme_received) {
        r.last_range = -1;
        r.tracked = 0;
        return;
    }
    // The DME's speed is how fast the range changes, smoothed as the
    // receiver's tracking does.
    if (r.last_range >= 0 && dt > 0) {
        double closing = std::fabs(r.reading.dme_nm - r.last_range) / dt * 3600;
        r.speed = r.tracked == 0 ? closing : r.speed + (closing - r.speed) * (1 - std::exp(-dt / kDmeSpeedLagS));
        r.tracked += dt;
    }
    r.last_range = r.reading.dme_nm;
}

void Instruments::write_dme(host::VariableStore& store, const Receiver& r, std::uint32_t distance,
                            std::uint32_t speed) {
    bool have = r.reading.dme_received;
    store.set_f64(distance, have ? r.reading.dme_nm : -1.0);
    store.set_f64(speed, have && r.tracked >= kDmeSpeedSettleS ? r.speed : -1.0);
}

void Instruments::write_nav1(host::VariableStore& store, const Receiver& r) {
    const NavReading& n = r.reading;
    bool powered = aircraft_.powered();
    store.set_f64(token::kNav1Unpowered, powered ? 0 : 1);
    store.set_f64(token::kNav1Signal, n.received ? 1 : -1);
    store.set_i32(token::kNav1ToFrom, n.received ? n.to_from : 0);
    store.set_f64(token::kNav1Deviation, n.received ? n.deviation : 0);
    store.set_f64(token::kHsiDeviation, n.received ? -kHsiFullScale * n.deviation : 0);
    store.set_f64(token::kNav1GlideslopeReceived, n.glideslope_received ? 1 : 0);
    store.set_f64(token::kNav1Glideslope, n.glideslope_received ? n.glideslope : 0);
    write_dme(store, r, token::kNav1Distance, token::kNav1Speed);
}

void Instruments::write_nav2(host::VariableStore& store, const Receiver& r) {
    const NavReading& n = r.reading;
    store.set_u16(token::kNav2ToFrom, static_cast<std::uint16_t>(n.received ? n.to_from : 0));
    store.set_f64(token::kNav2Deviation, n.received ? kNav2FullScale * n.deviation : 0);
    write_dme(store, r, token::kNav2Distance, token::kNav2Speed);
}

void Instruments::update(host::VariableStore& store, double dt) {
    const Aircraft& a = aircraft_;

    // Clocks: the time of day and the engine's hours run on from whatever
    // the variables hold, so that the clock's setting events stick.
    double t = store.number(token::kClockHours) * 3600 + store.number(token::kClockMinutes) * 60 +
               store.number(token::kClockSeconds) + clock_fraction_ + dt;
    t = std::fmod(t, 24 * 3600.0);
    if (t < 0) t += 24 * 3600.0;
    // Steps of 1/18 s do not add up to whole seconds exactly.
    if (std::fabs(t - std::round(t)) < 1e-6) t = std::round(t);
    double whole = std::floor(t);
    clock_fraction_ = t - whole;
    store.set_f64(token::kClockHours, std::floor(whole / 3600));
    store.set_f64(token::kClockMinutes, std::floor(std::fmod(whole, 3600) / 60));
    store.set_f64(token::kClockSeconds, std::fmod(whole, 60));
    if (a.engine_running()) store.set_f64(token::kEngineSeconds, store.number(token::kEngineSeconds) + dt);

    // Air data and engine.
    store.set_f64(token::kAirspeed, a.ias_kt());
    store.set_f64(token::kVerticalSpeed, a.vertical_fpm() * kVerticalSpeedPerFpm);
    store.set_f64(token::kAltitude, indicated_altitude(a.static_pressure_inhg(), store.number(token::kAltimeterSetting)));
    store.set_f64(token::kRpm, a.rpm());
    store.set_f64(token::kManifold, a.manifold_inhg() * kPsfPerInhg);
    store.set_f64(token::kFuelFlow, a.fuel_flow_gph());
    store.set_f64(token::kAirTemperature, a.air_temperature_c() / kTemperatureUnitC);
    store.set_f64(token::kVolts, a.volts());

    // Gyros, electric: without power the turn coordinator shows its flag
    // and its gyro stands.
    bool powered = a.powered();
    store.set_f64(token::kHeading, a.heading_mag());
    store.set_f64(token::kTurnRate, powered ? a.turn_rate() / kStandardRateDegPerS * kTurnPerStandardRate : 0);
    store.set_f64(token::kBall, a.ball() * kBallFullScale);
    store.set_i32(token::kTurnFlag, powered ? 0 : 1);

    // Radios.
    update_receiver(receivers_[0], store.number(token::kNav1Course), dt);
    update_receiver(receivers_[1], store.number(token::kNav2Course), dt);
    write_nav1(store, receivers_[0]);
    write_nav2(store, receivers_[1]);
    double bearing = kAdfParkedDeg;
    if (adf_ != nullptr && powered) {
        AdfReading r = adf_reading(*adf_, a.position(), a.heading_true());
        if (r.received) bearing = r.relative_bearing;
    }
    store.set_f64(token::kAdfBearing, bearing);
}

}  // namespace flight
