// posix.cpp - loads a native module with dlopen. Its bitmaps are the .bmp
// files of resources/<module>/, found from the module's directory upward,
// or in the folder the user names.
#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "elf_symbols.h"
#include "library.h"

namespace host {

namespace fs = std::filesystem;

namespace {

class PosixLibrary : public Library {
public:
    PosixLibrary(void* handle, fs::path resources) : handle_(handle), resources_(std::move(resources)) {}
    ~PosixLibrary() override { dlclose(handle_); }

    void* symbol(const char* name) override { return dlsym(handle_, name); }
    std::uint32_t resource_handle() const override { return 1; }

    std::optional<std::vector<std::uint8_t>> bitmap(int id, bool& is_file) override {
        is_file = true;
        std::ifstream in(path_of(id), std::ios::binary);
        if (!in) return std::nullopt;
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    std::string bitmap_origin(int id) const override { return path_of(id).string(); }

    std::string routine_name(const void* address) override {
        Dl_info info{};
        if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
        if (info.dli_sname != nullptr && info.dli_saddr == address) return demangle(info.dli_sname);
        if (!symbols_read_) {
            symbols_ = read_function_symbols(info.dli_fname);
            symbols_read_ = true;
        }
        auto offset = static_cast<std::uint64_t>(static_cast<const char*>(address) - static_cast<const char*>(info.dli_fbase));
        auto it = symbols_.find(offset);
        return it == symbols_.end() ? std::string() : demangle(it->second);
    }

private:
    fs::path path_of(int id) const { return resources_ / (std::to_string(id) + ".bmp"); }

    void* handle_;
    fs::path resources_;
    std::map<std::uint64_t, std::string> symbols_;
    bool symbols_read_ = false;
};

// resources/<stem in lower case>, searched from the module's folder up.
fs::path find_resources(const fs::path& module, const std::string& given) {
    std::string stem = module.stem().string();
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::tolower(c); });
    if (!given.empty()) return fs::path(given) / stem;
    std::error_code ec;
    fs::path dir = fs::absolute(module, ec).parent_path();
    for (int up = 0; up < 6 && !dir.empty(); ++up) {
        fs::path candidate = dir / "resources" / stem;
        if (fs::is_directory(candidate, ec)) return candidate;
        if (dir == dir.parent_path()) break;
        dir = dir.parent_path();
    }
    return fs::path("resources") / stem;
}

}  // namespace

std::unique_ptr<Library> open_library(const std::string& path, const std::string& resources,
                                      std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        error = "no such file: " + path;
        return nullptr;
    }
    // Each open gets the module's own fresh state; RTLD_LOCAL keeps the
    // exports of two modules apart.
    void* handle = dlopen(fs::absolute(path, ec).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = "not a module: " + path + (why ? std::string(" (") + why + ")" : "");
        return nullptr;
    }
    return std::make_unique<PosixLibrary>(handle, find_resources(path, resources));
}

}  // namespace host
