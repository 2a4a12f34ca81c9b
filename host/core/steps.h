// steps.h - the gauge commands' arguments: which module and gauge, and the
// steps run against it left to right.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host.h"

namespace host {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Step {
    enum Kind { kSet, kSetInt, kSetU16, kClick, kFrame, kService, kFail } kind;
    std::uint32_t token = 0;  // set steps; failure key
    double value = 0;  // --set
    std::int64_t integer = 0;  // --set-int, --set-u16, --service
    int x = 0, y = 0;  // --click
};

struct GaugeCommand {
    std::string module;
    std::string gauge;
    std::string resources;  // native bitmaps folder, or empty
    std::string out;  // render only
    std::vector<Step> steps;
};

// Reads `--module FILE --gauge NAME [STEP]... [--out FILE]` (the --out only
// where `with_out`). Throws UsageError naming the problem.
GaugeCommand parse_gauge_command(const std::vector<std::string>& args, bool with_out);

// The length of one frame the steps run.
inline constexpr double kStepFrameSeconds = 1.0 / kDefaultFrameRate;

// Runs the steps; a frame runs at the end unless the last step was one.
// Returns one entry per click.
std::vector<std::optional<std::int32_t>> run_steps(Host& host, Gauge& gauge, const std::vector<Step>& steps);

// The probe's JSON object for the gauge after the steps.
std::string probe_json(const Host& host, const Gauge& gauge,
                       const std::vector<std::optional<std::int32_t>>& clicks);

}  // namespace host
