// test_main.h - where the artwork tests find the checkout and the built
// modules, from their --root and --module-dir arguments.
#pragma once

#include <filesystem>

namespace artwork {

extern std::filesystem::path g_root;  // --root, default "."
extern std::filesystem::path g_module_dir;  // --module-dir, default <root>/build/native/gauges

}  // namespace artwork
