// timeline.h - a scenario flown on a host: each step runs the commands that
// are due (the pilot's clicks, knob events, failures, radio tuning, the
// aircraft's modes), moves the aircraft, writes the instruments' variables
// and walks every gauge, in that order.
//
// Steps are kStepSeconds long, so that the needles' rate limits act as in a
// simulator frame; pictures are taken between steps at any rate.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "flight.h"
#include "host.h"
#include "instruments.h"
#include "panel.h"
#include "scenario.h"

namespace flight {

inline constexpr double kStepSeconds = 1.0 / host::kDefaultFrameRate;

// A failure made active from a time, as --fail KEY@SECONDS gives it.
struct TimedFailure {
    std::uint32_t key = 0;
    double time = 0;
};

class Timeline {
public:
    // Runs the commands of time 0 and one frame, so the gauges stand as at
    // the start. `panel` takes the scenario's clicks; without one, clicks
    // are logged as missed.
    Timeline(host::Host& host, host::panel::Panel* panel, const Scenario& scenario,
             const std::vector<TimedFailure>& failures = {});

    // Steps until the time is within half a step of t (never beyond the end).
    void advance_to(double t);
    double time() const { return now_; }
    double end() const { return scenario_.end; }

    const Aircraft& aircraft() const { return aircraft_; }
    const Instruments& instruments() const { return instruments_; }
    // What happened, in order: the pilot's actions and the aircraft's
    // notable moments.
    std::vector<Moment> log() const;

private:
    void run_due();
    void run(const Command& c);
    void click(const Command& c);
    void step();

    host::Host& host_;
    host::panel::Panel* panel_;
    const Scenario& scenario_;
    std::vector<Command> commands_;
    std::size_t next_ = 0;
    std::deque<std::pair<double, std::uint32_t>> events_;  // a knob turned over time: (when, event)
    Aircraft aircraft_;
    Instruments instruments_;
    long steps_ = 0;
    double now_ = 0;
    std::vector<Moment> actions_;
};

}  // namespace flight
