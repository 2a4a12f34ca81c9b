// options.h - the arguments of the panel commands, and the panel they name
// loaded onto a host.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host.h"
#include "panel.h"

namespace app {

struct Failure {
    std::uint32_t key = 0;
    double time = 0;
};

struct Options {
    std::string panel;  // the panel.cfg; the default panel when empty
    std::string scenario;  // the built-in flight when empty
    double at = 0;  // render
    double fps = 0;  // run; 0: the default
    std::string out;
    std::vector<Failure> failures;
    bool mouse_overlay = false;
    int width = 0;  // image pixels across; 0: the default
    std::string modules;
    std::string resources;
};

// Which options a command takes besides the common ones.
enum class Verb { kCheck, kRender, kRun };

// Reads the arguments; throws host::UsageError naming the problem.
Options parse_options(const std::vector<std::string>& args, Verb verb);

// The default panel shipped with panelhost, where the modules are looked
// for and where native bitmaps are found when no folder is named.
std::string default_panel_path();
std::string default_module_dir();
std::string default_resources_dir();

// A host with the panel placed on it. Diagnostics are printed to stderr as
// they are found, one line each.
struct LoadedPanel {
    std::unique_ptr<host::Host> host;
    std::unique_ptr<host::panel::Panel> panel;
    bool errors = false;
};
LoadedPanel load_panel(const Options& options);

}  // namespace app
