// options.cpp - see options.h.
#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "numbers.h"
#include "steps.h"

namespace app {

namespace {

bool parse_number(const std::string& text, double& out) {
    auto v = host::parse_finite(text);
    if (v) out = *v;
    return v.has_value();
}

// KEY or KEY@SECONDS.
Failure parse_failure(const std::string& arg) {
    Failure f;
    auto at = arg.find('@');
    double key = 0;
    if (!parse_number(arg.substr(0, at), key) || key < 1 || key > 4294967295.0 || key != std::floor(key))
        throw host::UsageError("malformed --fail " + arg + ": expected KEY or KEY@SECONDS with a key from 1 to 4294967295");
    if (at != std::string::npos && (!parse_number(arg.substr(at + 1), f.time) || f.time < 0))
        throw host::UsageError("malformed --fail " + arg + ": the time must be a number of seconds, 0 or more");
    f.key = static_cast<std::uint32_t>(key);
    return f;
}

}  // namespace

Options parse_options(const std::vector<std::string>& args, Verb verb) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        auto operand = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw host::UsageError(flag + " needs a value");
            return args[++i];
        };
        auto seconds = [&](double lo) {
            const std::string& v = operand();
            double d = 0;
            if (!parse_number(v, d) || d < lo) throw host::UsageError("malformed " + flag + " " + v + ": expected a number");
            return d;
        };
        if (flag == "--modules") {
            o.modules = operand();
        } else if (flag == "--resources") {
            o.resources = operand();
        } else if (flag == "--scenario" && verb != Verb::kCheck) {
            o.scenario = operand();
        } else if (flag == "--at" && verb == Verb::kRender) {
            o.at = seconds(0);
        } else if (flag == "--fps" && verb == Verb::kRun) {
            o.fps = seconds(0);
            if (o.fps <= 0 || o.fps > 60) throw host::UsageError("malformed --fps " + args[i] + ": expected more than 0 and at most 60");
        } else if (flag == "--out" && verb != Verb::kCheck) {
            o.out = operand();
        } else if (flag == "--fail" && verb != Verb::kCheck) {
            o.failures.push_back(parse_failure(operand()));
        } else if (flag == "--overlay" && verb != Verb::kCheck) {
            const std::string& what = operand();
            if (what != "mouse") throw host::UsageError("unknown overlay " + what + ": the overlay is 'mouse'");
            o.mouse_overlay = true;
        } else if (flag == "--width" && verb != Verb::kCheck) {
            double w = seconds(1);
            if (w < 64 || w > 8192 || w != std::floor(w))
                throw host::UsageError("malformed --width " + args[i] + ": expected whole pixels from 64 to 8192");
            o.width = static_cast<int>(w);
        } else if (!flag.empty() && flag[0] != '-' && o.panel.empty()) {
            o.panel = flag;
        } else {
            throw host::UsageError("unknown argument: " + flag);
        }
    }
    if (verb == Verb::kRender && o.out.empty()) throw host::UsageError("--out FILE.png is required");
    return o;
}

std::string default_panel_path() { return std::string(PANELHOST_SOURCE_DIR) + "/panels/default/panel.cfg"; }
std::string default_module_dir() { return PANELHOST_GAUGE_DIR; }
std::string default_resources_dir() { return std::string(PANELHOST_SOURCE_DIR) + "/resources"; }

LoadedPanel load_panel(const Options& o) {
    LoadedPanel loaded;
    std::string path = o.panel.empty() ? default_panel_path() : o.panel;
    host::panel::PanelConfig config = host::panel::read_panel_config(path);
    host::panel::PanelOptions options;
    options.module_dir = o.modules.empty() ? default_module_dir() : o.modules;
    options.resources = o.resources;
#if !defined(_WIN32)
    // A build outside the checkout finds no resources/ above its modules;
    // the checkout's own are the ones it was built from.
    if (options.resources.empty()) {
        namespace fs = std::filesystem;
        std::error_code ec;
        bool found = false;
        for (fs::path dir = fs::absolute(options.module_dir, ec); !dir.empty() && !found; dir = dir.parent_path()) {
            found = fs::is_directory(dir / "resources", ec);
            if (dir == dir.parent_path()) break;
        }
        if (!found) options.resources = default_resources_dir();
    }
#endif
    loaded.host = std::make_unique<host::Host>();
    loaded.panel = std::make_unique<host::panel::Panel>(*loaded.host, std::move(config), options);
    for (const host::panel::Diagnostic& d : loaded.panel->diagnostics()) {
        std::fprintf(stderr, "%s\n", d.text().c_str());
        loaded.errors = loaded.errors || !d.warning;
    }
    if (loaded.panel->windows().empty()) throw host::UsageError(path + ": the panel has no window to show");
    return loaded;
}

}  // namespace app
