// instruments.h - the aircraft's state written into the host's variables,
// token by token, in the units docs/host.md gives for each (chosen so that
// every gauge reads as the real instrument: token 65 in 1/256 m/s, token
// 391 in pounds per square foot, token 350 in units of 256 degrees C...).
//
// The pilot's settings (altimeter setting, courses, heading bug, ADF card,
// clock) live in the variables themselves: the scenario sets them and the
// knob events step them, and the radios read them back from there.
#pragma once

#include <cstdint>
#include <string>

#include "flight.h"
#include "variables.h"

namespace flight {

namespace token {
inline constexpr std::uint32_t kClockHours = 3, kClockMinutes = 4, kClockSeconds = 5;
inline constexpr std::uint32_t kAdfCard = 22;
inline constexpr std::uint32_t kNav1Distance = 31, kNav1Speed = 32, kNav2Distance = 35, kNav2Speed = 36;
inline constexpr std::uint32_t kAdfBearing = 39;
inline constexpr std::uint32_t kHsiDeviation = 40;
inline constexpr std::uint32_t kNav1ToFrom = 43;  // 32-bit integer
inline constexpr std::uint32_t kNav1GlideslopeReceived = 44;
inline constexpr std::uint32_t kNav1CourseKnob = 45;
inline constexpr std::uint32_t kNav2Deviation = 50;
inline constexpr std::uint32_t kNav2ToFrom = 52;  // 16-bit unsigned
inline constexpr std::uint32_t kNav2Course = 54;
inline constexpr std::uint32_t kAirspeed = 61;
inline constexpr std::uint32_t kVerticalSpeed = 65;
inline constexpr std::uint32_t kBall = 69;
inline constexpr std::uint32_t kTurnRate = 70;
inline constexpr std::uint32_t kAltitude = 74;
inline constexpr std::uint32_t kAltimeterSetting = 76;
inline constexpr std::uint32_t kHeading = 84;
inline constexpr std::uint32_t kHeadingBugKnob = 107;
inline constexpr std::uint32_t kFuelFlow = 137;
inline constexpr std::uint32_t kTurnFlag = 279;  // 32-bit integer
inline constexpr std::uint32_t kTemperatureUnit = 335;
inline constexpr std::uint32_t kAirTemperature = 350;
inline constexpr std::uint32_t kRpm = 390;
inline constexpr std::uint32_t kManifold = 391;
inline constexpr std::uint32_t kEngineSeconds = 607;
inline constexpr std::uint32_t kVolts = 752;
inline constexpr std::uint32_t kNav1Signal = 831;
inline constexpr std::uint32_t kNav1Unpowered = 848;
inline constexpr std::uint32_t kNav1Deviation = 849;
inline constexpr std::uint32_t kNav1Glideslope = 850;
inline constexpr std::uint32_t kNav1Course = 854;
inline constexpr std::uint32_t kHeadingBug = 855;
}  // namespace token

// Units of the variables that are not plain.
inline constexpr double kPsfPerInhg = 70.72620;  // token 391
inline constexpr double kVerticalSpeedPerFpm = 0.3048 / 60 * 256;  // token 65: 1/256 m/s
inline constexpr double kTemperatureUnitC = 256.0;  // token 350
inline constexpr double kTurnPerStandardRate = 546.0;  // token 70: the dial's 2-minute mark
inline constexpr double kBallFullScale = 115.0;  // token 69 with the ball against the end of the tube
inline constexpr double kNav2FullScale = 127.0;  // token 50
// Token 40 moves the HSI's bar 0.632813 pixels a unit, the wrong way for a
// "course to the right" sign: its full scale, the bar at the outer dot 51
// pixels out, is -80.6 for a course to the right.
inline constexpr double kHsiFullScale = 51.0 / 0.632813;
inline constexpr double kAdfParkedDeg = 90.0;  // the needle without a signal
// A DME shows its ground speed once it has tracked the range this long.
inline constexpr double kDmeSpeedSettleS = 4.0;
inline constexpr double kDmeSpeedLagS = 2.0;

class Instruments {
public:
    explicit Instruments(const Aircraft& aircraft);

    // Writes the pilot's settings and clocks as they stand at the start.
    void start(host::VariableStore& store);
    void tune(Radio radio, const std::string& station);  // "" switches it off
    // Writes every variable the aircraft drives, dt seconds after the last.
    void update(host::VariableStore& store, double dt);

    // What the NAV receivers last received, for tests and logs.
    const NavReading& nav(int receiver) const { return receivers_[receiver].reading; }

private:
    struct Receiver {
        const PlacedStation* station = nullptr;
        NavReading reading;
        double last_range = -1;
        double speed = 0;
        double tracked = 0;  // seconds the DME has had the range
    };
    void update_receiver(Receiver& r, double course_mag, double dt);
    void write_nav1(host::VariableStore& store, const Receiver& r);
    void write_nav2(host::VariableStore& store, const Receiver& r);
    void write_dme(host::VariableStore& store, const Receiver& r, std::uint32_t distance, std::uint32_t speed);

    const Aircraft& aircraft_;
    Receiver receivers_[2];
    const PlacedStation* adf_ = nullptr;
    double clock_fraction_ = 0;
};

}  // namespace flight
