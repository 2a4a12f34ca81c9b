// elf_symbols.cpp - see elf_symbols.h. Reads 64-bit little-endian ELF
// files, the native build's.
#include "elf_symbols.h"

#include <cxxabi.h>
#include <elf.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace host {

namespace {

template <typename T>
bool read_at(const std::vector<char>& file, std::uint64_t offset, T& out) {
    if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, file.data() + offset, sizeof(T));
    return true;
}

}  // namespace

std::map<std::uint64_t, std::string> read_function_symbols(const std::string& path) {
    std::map<std::uint64_t, std::string> out;
    std::ifstream in(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Elf64_Ehdr eh;
    if (!read_at(file, 0, eh) || std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64 ||
        eh.e_shentsize != sizeof(Elf64_Shdr))
        return out;
    std::vector<Elf64_Shdr> sections(eh.e_shnum);
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (!read_at(file, eh.e_shoff + i * sizeof(Elf64_Shdr), sections[i])) return {};
    for (const Elf64_Shdr& sh : sections) {
        if (sh.sh_type != SHT_SYMTAB || sh.sh_entsize != sizeof(Elf64_Sym) || sh.sh_link >= sections.size()) continue;
        const Elf64_Shdr& strings = sections[sh.sh_link];
        for (std::uint64_t at = 0; at + sizeof(Elf64_Sym) <= sh.sh_size; at += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            if (!read_at(file, sh.sh_offset + at, sym)) break;
            if (ELF64_ST_TYPE(sym.st_info) != STT_FUNC || sym.st_value == 0 || sym.st_name >= strings.sh_size) continue;
            std::uint64_t from = strings.sh_offset + sym.st_name;
            if (from >= file.size()) continue;
            const char* name = file.data() + from;
            std::size_t limit = file.size() - from;
            out.emplace(sym.st_value, std::string(name, strnlen(name, limit)));
        }
    }
    return out;
}

std::string demangle(const std::string& name) {
    int status = 0;
    char* plain = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (status != 0 || plain == nullptr) return name;
    std::string out(plain);
    std::free(plain);
    return out;
}

}  // namespace host
