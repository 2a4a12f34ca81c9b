// test_main.cpp - the artwork tests' entry: GoogleTest's own flags, then
// --root DIR and --module-dir DIR.
#include <gtest/gtest.h>

#include <cstring>

#include "test_main.h"

namespace artwork {

std::filesystem::path g_root = ".";
std::filesystem::path g_module_dir;

}  // namespace artwork

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--root") == 0)
            artwork::g_root = argv[++i];
        else if (std::strcmp(argv[i], "--module-dir") == 0)
            artwork::g_module_dir = argv[++i];
    }
    if (artwork::g_module_dir.empty()) artwork::g_module_dir = artwork::g_root / "build/native/gauges";
    return RUN_ALL_TESTS();
}
