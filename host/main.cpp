// main.cpp - panelhost's command line.
//
//   panelhost probe  --module FILE --gauge NAME [STEP]...
//   panelhost render --module FILE --gauge NAME [STEP]... --out FILE.png
//
// Errors print one line to stderr and exit 2.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "steps.h"

#if defined(PANELHOST_RENDER)
#include "render.h"
#endif

namespace {

constexpr int kExitUsage = 2;

const char* kUsage =
    "usage: panelhost probe  --module FILE --gauge NAME [STEP]...\n"
    "       panelhost render --module FILE --gauge NAME [STEP]... --out FILE.png\n"
    "steps: --set TOKEN=VALUE  --set-int TOKEN=N  --set-u16 TOKEN=N  --click X,Y\n"
    "       --frame  --service N  --fail KEY\n"
    "options: --resources DIR (native bitmaps: DIR/<module>/<id>.bmp)\n";

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
        if (verb == "probe" || verb == "render") return gauge_command(verb, args);
        throw host::UsageError("unknown command: " + verb);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "panelhost: %s\n", e.what());
        return kExitUsage;
    }
}
