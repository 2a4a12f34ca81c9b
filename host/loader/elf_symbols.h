// elf_symbols.h - the names of a shared object's routines, read from its
// own symbol table: the mouse functions a module keeps to itself have no
// exported name, but an unstripped file still lists them.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace host {

// Offsets from the object's load base -> mangled names of its functions.
// Empty when the file cannot be read or carries no symbol table.
std::map<std::uint64_t, std::string> read_function_symbols(const std::string& path);

// A C++ name demangled, or the name as it is.
std::string demangle(const std::string& name);

}  // namespace host
