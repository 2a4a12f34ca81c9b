// main.cpp - panelhost's command line.
//
//   panelhost probe  --module FILE --gauge NAME [STEP]...
//   panelhost render --module FILE --gauge NAME [STEP]... --out FILE.png
//   panelhost render [PANEL.cfg] [--scenario FILE] [--at SECONDS] ... --out FILE.png
//   panelhost run    [PANEL.cfg] [--scenario FILE] [--fps N] [--out DIR] ...
//   panelhost check  [PANEL.cfg]
//
// Errors print one line to stderr and exit 2.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "panel_command.h"
#include "steps.h"

#if defined(PANELHOST_RENDER)
#include "render.h"
#endif

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps its configuration for the life of the process, and only
// a call that no library here makes frees it: the sanitizer build's leak
// checker is told so, once a panel's readouts have loaded their font.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

namespace {

constexpr int kExitUsage = 2;

const char* kUsage =
    "usage: panelhost probe  --module FILE --gauge NAME [STEP]...\n"
    "       panelhost render --module FILE --gauge NAME [STEP]... --out FILE.png\n"
    "       panelhost render [PANEL.cfg] [--scenario FILE] [--at SECONDS] [PANEL OPTIONS] --out FILE.png\n"
    "       panelhost run    [PANEL.cfg] [--scenario FILE] [--fps N] [--out DIR] [PANEL OPTIONS]\n"
    "       panelhost check  [PANEL.cfg] [--modules DIR] [--resources DIR]\n"
    "steps: --set TOKEN=VALUE  --set-int TOKEN=N  --set-u16 TOKEN=N  --click X,Y\n"
    "       --frame  --service N  --fail KEY\n"
    "panel options: --fail KEY[@SECONDS]  --overlay mouse  --width PIXELS  --modules DIR\n"
    "options: --resources DIR (native bitmaps: DIR/<module>/<id>.bmp)\n"
    "Without PANEL.cfg the default panel is used, without --scenario the built-in flight.\n";

int gauge_command(const std::string& verb, const std::vector<std::string>& args) {
    bool render = verb == "render";
    host::GaugeCommand cmd = host::parse_gauge_command(args, render);
    host::Host h;
    host::Module& module = h.load(cmd.module, cmd.resources);
    host::Gauge& gauge = h.place(module, cmd.gauge);
    auto clicks = host::run_steps(h, gauge, cmd.steps);
    if (!render) {
        std::string json = host::probe_json(h, gauge, clicks);
        std::fwrite(json.data(), 1, json.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
#if defined(PANELHOST_RENDER)
    host::render_gauge_png(gauge, cmd.out);
    return 0;
#else
    throw host::UsageError("this build of panelhost does not render; use the native build");
#endif
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? kExitUsage : 0;
    }
    std::string verb = args[0];
    args.erase(args.begin());
    try {
        // A gauge alone is named with --module; otherwise render draws a panel.
        bool one_gauge = std::find(args.begin(), args.end(), "--module") != args.end();
        if (verb == "probe" || (verb == "render" && one_gauge)) return gauge_command(verb, args);
        if (verb == "check") return app::check_command(args);
#if defined(PANELHOST_RENDER)
        if (verb == "render") return app::render_panel_command(args);
        if (verb == "run") return app::run_command(args);
#else
        if (verb == "render" || verb == "run")
            throw host::UsageError("this build of panelhost does not render; use the native build");
#endif
        throw host::UsageError("unknown command: " + verb);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "panelhost: %s\n", e.what());
        return kExitUsage;
    }
}
