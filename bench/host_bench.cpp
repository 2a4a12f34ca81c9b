// host_bench.cpp - how long a frame of the element walk and a drawing of a
// gauge take, for every gauge of every built module.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <filesystem>
#include <string>

#include "host.h"
#include "render.h"

namespace {

const char* kModules[] = {"Kestrum", "Navrel", "Chronel"};

void walk(benchmark::State& state, std::string module, std::string gauge) {
    host::Host h;
    host::Gauge& g = h.place(h.load(module, RESOURCES_DIR), gauge);
    double t = 0;
    for (auto _ : state) {
        h.variables().set_f64(65, t);  // something changes every frame
        h.frame(1.0 / 18);
        t += 1;
    }
    benchmark::DoNotOptimize(g.elements().data());
}

void draw(benchmark::State& state, std::string module, std::string gauge) {
    host::Host h;
    host::Gauge& g = h.place(h.load(module, RESOURCES_DIR), gauge);
    h.frame(1.0 / 18);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, g.width(), g.height());
    cairo_t* cr = cairo_create(surface);
    host::RenderCache cache;
    for (auto _ : state) draw_gauge(cr, g, 0, 0, 1.0, cache);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

}  // namespace

int main(int argc, char** argv) {
    for (const char* m : kModules) {
        std::string path = std::string(GAUGE_DIR) + "/" + m + ".so";
        if (!std::filesystem::exists(path)) continue;
        std::vector<std::string> names;
        {
            host::Host h;
            for (auto* header : h.load(path, RESOURCES_DIR).gauges()) names.push_back(header->name);
        }
        for (const std::string& n : names) {
            benchmark::RegisterBenchmark(("walk/" + n).c_str(), walk, path, n);
            benchmark::RegisterBenchmark(("draw/" + n).c_str(), draw, path, n)->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
