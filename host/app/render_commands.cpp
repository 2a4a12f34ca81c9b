// render_commands.cpp - `panelhost render PANEL.cfg` and `panelhost run`:
// a panel flown through a scenario, drawn at one moment or as a run of
// frames with a page that plays them.
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "frame_writer.h"
#include "instruments.h"
#include "options.h"
#include "page.h"
#include "panel_command.h"
#include "panel_render.h"
#include "png_writer.h"
#include "progress.h"
#include "scenario.h"
#include "steps.h"
#include "timeline.h"

namespace app {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Wide enough that every readout is legible, small enough that a run of a
// few minutes renders in well under a minute.
constexpr int kDefaultWidth = 1280;
constexpr double kDefaultFps = 3;
constexpr double kMaxImageHeight = 16384;

double seconds_since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

flight::Scenario scenario_of(const Options& o) {
    return o.scenario.empty() ? flight::default_scenario() : flight::read_scenario(o.scenario);
}

std::vector<flight::TimedFailure> failures_of(const Options& o) {
    std::vector<flight::TimedFailure> out;
    for (const Failure& f : o.failures) out.push_back({f.key, f.time});
    return out;
}

host::PanelImage image_of(const Options& o, const host::panel::Panel& panel) {
    host::PanelImage image;
    image.scale = (o.width > 0 ? o.width : kDefaultWidth) / panel.screen_width();
    image.mouse_overlay = o.mouse_overlay;
    // A screen far taller than it is wide would make an image no one can
    // hold in memory.
    double height = panel.screen_height() * image.scale;
    if (!(height <= kMaxImageHeight))
        throw host::UsageError("the screen would be " + std::to_string(static_cast<long long>(std::min(height, 1e15))) +
                               " pixels tall; choose a smaller --width");
    return image;
}

double round_to(double v, double step) { return std::round(v / step) * step; }

// The flight's state beside each frame: what the gauges should be showing.
const std::vector<std::string> kColumns = {
    "airspeed (kt)",  "altitude (ft, indicated)", "vertical speed (ft/min)", "heading (mag)",
    "track (mag)",    "ground speed (kt)",        "height above ground (ft)", "engine (rpm)",
    "manifold (inHg)", "fuel flow (gal/h)",       "volts",                    "air temperature (C)",
    "NAV1 deviation (full scale 1)", "NAV1 glideslope (full scale 1)", "NAV1 DME (nm)", "NAV2 deviation (full scale 1)",
    "NAV2 DME (nm)",  "ADF relative bearing",
};

std::vector<double> values_of(const flight::Timeline& t, const host::VariableStore& store) {
    const flight::Aircraft& a = t.aircraft();
    const flight::NavReading& n1 = t.instruments().nav(0);
    const flight::NavReading& n2 = t.instruments().nav(1);
    double none = std::nan("");
    double var = a.scenario().variation;
    return {
        round_to(a.ias_kt(), 0.1),
        round_to(store.number(flight::token::kAltitude), 1),
        round_to(a.vertical_fpm(), 1),
        round_to(a.heading_mag(), 0.1),
        round_to(flight::wrap360(a.track_true() - var), 0.1),
        round_to(a.ground_speed_kt(), 0.1),
        round_to(a.agl_ft(), 1),
        round_to(a.rpm(), 1),
        round_to(a.manifold_inhg(), 0.01),
        round_to(a.fuel_flow_gph(), 0.1),
        round_to(a.volts(), 0.1),
        round_to(a.air_temperature_c(), 0.1),
        n1.received ? round_to(n1.deviation, 0.001) : none,
        n1.glideslope_received ? round_to(n1.glideslope, 0.001) : none,
        n1.dme_received ? round_to(n1.dme_nm, 0.01) : none,
        n2.received ? round_to(n2.deviation, 0.001) : none,
        n2.dme_received ? round_to(n2.dme_nm, 0.01) : none,
        round_to(store.number(flight::token::kAdfBearing), 0.1),
    };
}

}  // namespace

int render_panel_command(const std::vector<std::string>& args) {
    Options o = parse_options(args, Verb::kRender);
    flight::Scenario scenario = scenario_of(o);
    LoadedPanel lp = load_panel(o);
    flight::Timeline timeline(*lp.host, lp.panel.get(), scenario, failures_of(o));
    timeline.advance_to(o.at);
    host::PanelRenderer renderer(*lp.panel);
    cairo_surface_t* surface = renderer.render(image_of(o, *lp.panel));
    try {
        host::write_png(surface, o.out);
    } catch (...) {
        cairo_surface_destroy(surface);
        throw;
    }
    cairo_surface_destroy(surface);
    return lp.errors ? 1 : 0;
}

int run_command(const std::vector<std::string>& args) {
    Options o = parse_options(args, Verb::kRun);
    if (o.out.empty()) o.out = "out/run";
    double fps = o.fps > 0 ? o.fps : kDefaultFps;
    flight::Scenario scenario = scenario_of(o);
    LoadedPanel lp = load_panel(o);
    std::error_code ec;
    fs::create_directories(o.out, ec);
    if (!fs::is_directory(o.out)) throw host::HostError("cannot make the folder " + o.out);
    // Frames of an earlier run would outlast this one's in the folder.
    for (const auto& entry : fs::directory_iterator(o.out, ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("frame_", 0) == 0 && entry.path().extension() == ".png") fs::remove(entry.path(), ec);
    }

    flight::Timeline timeline(*lp.host, lp.panel.get(), scenario, failures_of(o));
    host::PanelRenderer renderer(*lp.panel);
    host::PanelImage image = image_of(o, *lp.panel);
    PageData page;
    page.title = (scenario.title.empty() ? std::string("panelhost run") : scenario.title) + " - " +
                 fs::path(o.panel.empty() ? default_panel_path() : o.panel).filename().string();
    page.width = host::panel_image_width(*lp.panel, image.scale);
    page.height = host::panel_image_height(*lp.panel, image.scale);
    page.fps = fps;
    page.columns = kColumns;

    int total = static_cast<int>(std::floor(scenario.end * fps + 1e-9)) + 1;
    Progress progress("run", total);
    // The PNG files are compressed on other threads while this one steps
    // the host and draws the next frame.
    FrameWriter writer(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())), 4);
    double stepping = 0, drawing = 0;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < total; ++i) {
        double t = i / fps;
        Clock::time_point t0 = Clock::now();
        timeline.advance_to(t);
        stepping += seconds_since(t0);
        Clock::time_point t1 = Clock::now();
        cairo_surface_t* surface = renderer.render(image);
        drawing += seconds_since(t1);
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05d.png", i);
        writer.write(surface, (fs::path(o.out) / name).string());
        page.frames.push_back({name, timeline.time(), values_of(timeline, lp.host->variables())});
        progress.advance(i + 1);
    }
    writer.finish();
    progress.finish();
    for (const flight::Moment& m : timeline.log()) page.events.push_back({m.time, m.text});
    write_page(o.out, page);
    double all = seconds_since(start);
    std::fprintf(stderr,
                 "run: %d frames of %dx%d at %g fps in %.1f s: %.1f ms a frame (stepping %.1f and drawing %.1f on "
                 "the host's thread, writing %.1f on others)\nrun: open %s\n",
                 total, page.width, page.height, fps, all, all / total * 1000, stepping / total * 1000,
                 drawing / total * 1000, writer.busy_seconds() / total * 1000,
                 (fs::path(o.out) / "index.html").string().c_str());
    return lp.errors ? 1 : 0;
}

}  // namespace app
