// win32.cpp - loads a .gau module with LoadLibrary; its bitmaps are the
// module's own RT_BITMAP resources.
#include <windows.h>

#include "library.h"

namespace host {

namespace {

class Win32Library : public Library {
public:
    explicit Win32Library(HMODULE module) : module_(module) {}
    ~Win32Library() override { FreeLibrary(module_); }

    void* symbol(const char* name) override {
        return reinterpret_cast<void*>(GetProcAddress(module_, name));
    }
    std::uint32_t resource_handle() const override {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(module_));
    }

    std::optional<std::vector<std::uint8_t>> bitmap(int id, bool& is_file) override {
        is_file = false;
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
        if (found == nullptr) return std::nullopt;
        HGLOBAL loaded = LoadResource(module_, found);
        DWORD size = SizeofResource(module_, found);
        const void* data = loaded ? LockResource(loaded) : nullptr;
        if (data == nullptr) return std::nullopt;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        return std::vector<std::uint8_t>(bytes, bytes + size);
    }

    std::string bitmap_origin(int id) const override { return "resource " + std::to_string(id); }

private:
    HMODULE module_;
};

}  // namespace

std::unique_ptr<Library> open_library(const std::string& path, const std::string&,
                                      std::string& error) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        error = "no such file: " + path;
        return nullptr;
    }
    UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.c_str());
    SetErrorMode(old_mode);
    if (module == nullptr) {
        error = "not a module: " + path;
        return nullptr;
    }
    return std::make_unique<Win32Library>(module);
}

}  // namespace host
