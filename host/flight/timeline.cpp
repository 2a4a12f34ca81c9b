// timeline.cpp - see timeline.h.
#include "timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace flight {

namespace {

std::string format(const char* fmt, double a, double b) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

}  // namespace

Timeline::Timeline(host::Host& host, host::panel::Panel* panel, const Scenario& scenario,
                   const std::vector<TimedFailure>& failures)
    : host_(host), panel_(panel), scenario_(scenario), commands_(scenario.commands), aircraft_(scenario),
      instruments_(aircraft_) {
    for (const TimedFailure& f : failures) {
        Command c;
        c.kind = CommandKind::kFail;
        c.time = std::min(f.time, scenario.end);
        c.token = f.key;
        commands_.push_back(c);
    }
    std::stable_sort(commands_.begin(), commands_.end(), [](const Command& a, const Command& b) { return a.time < b.time; });
    instruments_.start(host_.variables());
    run_due();
    instruments_.update(host_.variables(), 0);
    host_.frame(0);
}

void Timeline::run_due() {
    while (next_ < commands_.size() && commands_[next_].time <= now_ + 1e-9) run(commands_[next_++]);
    while (!events_.empty() && events_.front().first <= now_ + 1e-9) {
        host_.fire_event(events_.front().second, host::kMouseEventValue);
        events_.pop_front();
    }
}

void Timeline::run(const Command& c) {
    host::VariableStore& store = host_.variables();
    auto both = [&](std::uint32_t a, std::uint32_t b, double v) {
        store.set_f64(a, v);
        if (b != 0) store.set_f64(b, v);
    };
    switch (c.kind) {
    case CommandKind::kTune:
        instruments_.tune(c.radio, c.station);
        actions_.push_back({now_, std::string("tune ") + (c.radio == Radio::kNav1 ? "nav1" : c.radio == Radio::kNav2 ? "nav2" : "adf") +
                                      " " + (c.station.empty() ? "off" : c.station)});
        break;
    case CommandKind::kAltimeter:
        both(token::kAltimeterSetting, 0, c.value);
        break;
    case CommandKind::kCourse1:
        both(token::kNav1Course, token::kNav1CourseKnob, c.value);
        break;
    case CommandKind::kCourse2:
        both(token::kNav2Course, 0, c.value);
        break;
    case CommandKind::kBug:
        both(token::kHeadingBug, token::kHeadingBugKnob, c.value);
        break;
    case CommandKind::kAdfCard:
        both(token::kAdfCard, 0, c.value);
        break;
    case CommandKind::kSet:
        store.set_f64(c.token, c.value);
        break;
    case CommandKind::kEvent: {
        // A knob turned click by click, evenly over the time given.
        double gap = c.count > 1 ? c.over / (c.count - 1) : 0;
        std::vector<std::pair<double, std::uint32_t>> all(events_.begin(), events_.end());
        for (int i = 0; i < c.count; ++i) all.emplace_back(c.time + i * gap, c.token);
        std::stable_sort(all.begin(), all.end(), [](auto& a, auto& b) { return a.first < b.first; });
        events_.assign(all.begin(), all.end());
        actions_.push_back({now_, "event " + std::to_string(c.token) + (c.count > 1 ? " x" + std::to_string(c.count) : "")});
        break;
    }
    case CommandKind::kClick:
        click(c);
        break;
    case CommandKind::kFail:
    case CommandKind::kRepair:
        host_.set_failure(c.token, c.kind == CommandKind::kFail);
        actions_.push_back({now_, (c.kind == CommandKind::kFail ? "fail " : "repair ") + std::to_string(c.token)});
        break;
    case CommandKind::kEnd:
        break;
    default:
        aircraft_.command(c, now_);
        break;
    }
}

void Timeline::click(const Command& c) {
    std::string where = c.gauge.empty() ? format("(%g, %g)", c.x, c.y) : c.gauge + format(" (%g, %g)", c.x, c.y);
    const host::panel::PlacedGauge* target = nullptr;
    int x = 0, y = 0;
    if (panel_ != nullptr && !c.gauge.empty()) {
        target = panel_->find(c.gauge);
        x = static_cast<int>(std::floor(c.x));
        y = static_cast<int>(std::floor(c.y));
    } else if (panel_ != nullptr) {
        if (auto at = panel_->at(c.x, c.y)) {
            target = at->gauge;
            x = at->x;
            y = at->y;
            where += std::string(" on ") + target->gauge->header()->name + format(" (%g, %g)", x, y);
        }
    }
    if (target == nullptr) {
        actions_.push_back({now_, "click " + where + ": no gauge there"});
        return;
    }
    auto result = target->gauge->click(x, y);
    actions_.push_back({now_, "click " + where + (result ? " -> " + std::to_string(*result) : "")});
}

// A step covers the time from now to one step later: what is due now runs
// first, then the aircraft moves and the gauges are walked at the step's
// end. Time counts whole steps, so that it does not drift.
void Timeline::step() {
    run_due();
    ++steps_;
    now_ = steps_ * kStepSeconds;
    aircraft_.step(now_, kStepSeconds);
    instruments_.update(host_.variables(), kStepSeconds);
    host_.frame(kStepSeconds);
}

void Timeline::advance_to(double t) {
    t = std::min(t, scenario_.end);
    while (now_ + kStepSeconds / 2 <= t) step();
}

std::vector<Moment> Timeline::log() const {
    std::vector<Moment> all = actions_;
    all.insert(all.end(), aircraft_.moments().begin(), aircraft_.moments().end());
    std::stable_sort(all.begin(), all.end(), [](const Moment& a, const Moment& b) { return a.time < b.time; });
    return all;
}

}  // namespace flight
