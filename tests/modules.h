// modules.h - where the tests find the built modules and what each must
// hold.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct ModuleSpec {
    std::string name;  // Kestrum
    std::string dir;  // kestrum
    std::vector<std::string> gauges;  // the gauge table, in order
};

inline const std::vector<ModuleSpec>& modules() {
    static const std::vector<ModuleSpec> all = {
        {"Kestrum", "kestrum", {"Vsi", "Asi", "Rpm", "Altimetro", "Altimetro2", "Man", "Turn", "hsi"}},
        {"Chronel", "chronel", {"Adf", "Clock"}},
        {"Navrel", "navrel", {"Vor1", "Vor2", "DME"}},
    };
    return all;
}

inline std::string module_path(const std::string& name) { return std::string(GAUGE_DIR) + "/" + name + ".so"; }

}  // namespace testing_support
