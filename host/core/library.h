// library.h - what the host needs of a loaded module file. The loader
// (host/loader) implements it with dlopen or LoadLibrary; the core sees
// only this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

class Library {
public:
    virtual ~Library() = default;
    // The address of an exported symbol, or null.
    virtual void* symbol(const char* name) = 0;
    // The module's resource handle, as handed to element_list_install.
    virtual std::uint32_t resource_handle() const = 0;
    // The bytes of bitmap resource `id` (a device-independent bitmap, or a
    // .bmp file where `is_file` is set), or nothing if the module has none.
    virtual std::optional<std::vector<std::uint8_t>> bitmap(int id, bool& is_file) = 0;
    // Where the bitmaps come from, for messages.
    virtual std::string bitmap_origin(int id) const = 0;
    // The name the module's own symbol table gives the routine at this
    // address (demangled), or empty where the file carries none.
    virtual std::string routine_name(const void* /*address*/) { return {}; }
};

// Opens a module file. On failure returns null and says why.
std::unique_ptr<Library> open_library(const std::string& path, const std::string& resources,
                                      std::string& error);

}  // namespace host
