// steps.cpp - see steps.h.
#include "steps.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "json.h"
#include "numbers.h"

namespace host {

namespace {

const char* kKindNames[] = {"static", "needle", "string", "slider", "icon", "moving", "sprite"};

bool parse_int(const std::string& text, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    auto v = parse_whole(text);
    if (!v || *v < lo || *v > hi) return false;
    out = *v;
    return true;
}

bool parse_double(const std::string& text, double& out) {
    auto v = parse_real(text);
    if (v) out = *v;
    return v.has_value();
}

// TOKEN=VALUE, split at the first '='.
void split_assignment(const std::string& flag, const std::string& arg, std::uint32_t& token,
                      std::string& value) {
    auto eq = arg.find('=');
    std::int64_t t = 0;
    if (eq == std::string::npos || !parse_int(arg.substr(0, eq), 1, UINT32_MAX, t))
        throw UsageError("malformed step " + flag + " " + arg + ": expected TOKEN=VALUE with a token from 1 to 4294967295");
    token = static_cast<std::uint32_t>(t);
    value = arg.substr(eq + 1);
}

}  // namespace

GaugeCommand parse_gauge_command(const std::vector<std::string>& args, bool with_out) {
    GaugeCommand cmd;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        auto operand = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(flag + " needs a value");
            return args[++i];
        };
        Step step{};
        if (flag == "--module") {
            cmd.module = operand();
        } else if (flag == "--gauge") {
            cmd.gauge = operand();
        } else if (flag == "--resources") {
            cmd.resources = operand();
        } else if (flag == "--out" && with_out) {
            cmd.out = operand();
        } else if (flag == "--frame") {
            step.kind = Step::kFrame;
            cmd.steps.push_back(step);
        } else if (flag == "--set" || flag == "--set-int" || flag == "--set-u16") {
            std::string value;
            split_assignment(flag, operand(), step.token, value);
            if (flag == "--set") {
                step.kind = Step::kSet;
                if (!parse_double(value, step.value))
                    throw UsageError("malformed step --set " + args[i] + ": " + (value.empty() ? "no value" : "'" + value + "' is not a number"));
            } else if (flag == "--set-int") {
                step.kind = Step::kSetInt;
                if (!parse_int(value, INT32_MIN, INT32_MAX, step.integer))
                    throw UsageError("malformed step --set-int " + args[i] + ": expected a 32-bit integer");
            } else {
                step.kind = Step::kSetU16;
                if (!parse_int(value, 0, 65535, step.integer))
                    throw UsageError("malformed step --set-u16 " + args[i] + ": expected an integer from 0 to 65535");
            }
            cmd.steps.push_back(step);
        } else if (flag == "--click") {
            const std::string& arg = operand();
            auto comma = arg.find(',');
            std::int64_t x = 0, y = 0;
            if (comma == std::string::npos || !parse_int(arg.substr(0, comma), -100000, 100000, x) ||
                !parse_int(arg.substr(comma + 1), -100000, 100000, y))
                throw UsageError("malformed step --click " + arg + ": expected X,Y in gauge pixels");
            step.kind = Step::kClick;
            step.x = static_cast<int>(x);
            step.y = static_cast<int>(y);
            cmd.steps.push_back(step);
        } else if (flag == "--service") {
            const std::string& arg = operand();
            if (!parse_int(arg, INT32_MIN, INT32_MAX, step.integer))
                throw UsageError("malformed step --service " + arg + ": expected a 32-bit service number");
            step.kind = Step::kService;
            cmd.steps.push_back(step);
        } else if (flag == "--fail") {
            const std::string& arg = operand();
            std::int64_t key = 0;
            if (!parse_int(arg, 1, UINT32_MAX, key))
                throw UsageError("malformed step --fail " + arg + ": expected a failure key from 1 to 4294967295");
            step.kind = Step::kFail;
            step.token = static_cast<std::uint32_t>(key);
            cmd.steps.push_back(step);
        } else {
            throw UsageError("unknown argument: " + flag);
        }
    }
    if (cmd.module.empty()) throw UsageError("--module FILE is required");
    if (cmd.gauge.empty()) throw UsageError("--gauge NAME is required");
    if (with_out && cmd.out.empty()) throw UsageError("--out FILE.png is required");
    return cmd;
}

std::vector<std::optional<std::int32_t>> run_steps(Host& host, Gauge& gauge, const std::vector<Step>& steps) {
    std::vector<std::optional<std::int32_t>> clicks;
    for (const Step& s : steps) {
        switch (s.kind) {
        case Step::kSet:
            host.variables().set_f64(s.token, s.value);
            break;
        case Step::kSetInt:
            host.variables().set_i32(s.token, static_cast<std::int32_t>(s.integer));
            break;
        case Step::kSetU16:
            host.variables().set_u16(s.token, static_cast<std::uint16_t>(s.integer));
            break;
        case Step::kClick:
            clicks.push_back(gauge.click(s.x, s.y));
            break;
        case Step::kFrame:
            host.frame(kStepFrameSeconds);
            break;
        case Step::kService:
            gauge.call_gauge_callback(static_cast<std::int32_t>(s.integer), 0);
            break;
        case Step::kFail:
            host.set_failure(s.token, true);
            break;
        }
    }
    if (steps.empty() || steps.back().kind != Step::kFrame) host.frame(kStepFrameSeconds);
    return clicks;
}

std::string probe_json(const Host& host, const Gauge& gauge,
                       const std::vector<std::optional<std::int32_t>>& clicks) {
    std::string out = "{\"gauge\":" + json_string(gauge.header()->name) + ",\"elements\":[";
    bool first = true;
    for (const ElementState& s : gauge.elements()) {
        const frame::Element* e = s.element;
        out += first ? "{" : ",{";
        first = false;
        std::uint32_t kind = e->kind;
        out += "\"kind\":" + json_string(kind < 7 ? kKindNames[kind] : "unknown");
        out += ",\"bitmap\":" + std::to_string(e->bitmap);
        out += std::string(",\"hidden\":") + (s.hidden ? "true" : "false");
        switch (kind) {
        case frame::kNeedle:
            out += ",\"value\":" + json_number(s.value) + ",\"angle\":" + json_number(s.angle);
            break;
        case frame::kString:
            out += ",\"value\":" + json_number(s.value) + ",\"text\":" + json_string(s.text) +
                   ",\"highlight\":" + std::to_string(s.highlight);
            break;
        case frame::kSlider:
        case frame::kMovingImage:
            out += ",\"x\":" + json_number(s.x) + ",\"y\":" + json_number(s.y);
            break;
        case frame::kIcon:
            out += ",\"index\":" + std::to_string(s.index);
            break;
        case frame::kSprite:
            out += ",\"x\":" + json_number(s.x) + ",\"y\":" + json_number(s.y) +
                   ",\"rotation\":" + json_number(s.rotation);
            break;
        default:
            break;
        }
        out += "}";
    }
    out += "],\"windows\":{";
    first = true;
    for (auto& [ident, open] : host.windows()) {
        out += (first ? "\"" : ",\"") + std::to_string(ident) + "\":" + (open ? "true" : "false");
        first = false;
    }
    out += "},\"events\":[";
    first = true;
    for (auto& [event, value] : host.events()) {
        out += (first ? "[" : ",[") + std::to_string(event) + "," + std::to_string(value) + "]";
        first = false;
    }
    out += "],\"clicks\":[";
    first = true;
    for (auto& c : clicks) {
        out += first ? "" : ",";
        out += c ? std::to_string(*c) : "null";
        first = false;
    }
    out += "],\"lookups\":" + std::to_string(host.lookups()) + "}\n";
    return out;
}

}  // namespace host
