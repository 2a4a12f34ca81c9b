// module.cpp - reading a module's bitmap list and its Linkage record.
#include "module.h"

#include <dlfcn.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <stdexcept>

namespace artwork {

namespace {

std::runtime_error error(const std::string& what) {
    return std::runtime_error(what);
}

void walk(const frame::Element* e, std::vector<const frame::Element*>& out) {
    out.push_back(e);
    if (e->children == nullptr) return;
    for (frame::Element* const* c = e->children; *c != nullptr; ++c) walk(*c, out);
}

}  // namespace

std::vector<BitmapSpec> read_bitmap_list(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw error("cannot read " + file.string());
    static const std::regex line_re(
        R"re(^\s*BITMAP\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*"([^"]*)"\s*\)\s*$)re");
    std::vector<BitmapSpec> list;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line.compare(first, 2, "//") == 0) continue;
        std::smatch m;
        if (!std::regex_match(line, m, line_re))
            throw error(file.string() + ":" + std::to_string(number) + ": not a BITMAP line");
        list.push_back({std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), m[4]});
    }
    return list;
}

Module::Module(const std::filesystem::path& root, std::string dir, const std::filesystem::path& module_dir)
    : dir_(std::move(dir)), bitmaps_(read_bitmap_list(root / dir_ / "bitmaps.inc")) {
    std::string name = dir_;
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    const std::filesystem::path so = module_dir / (name + ".so");
    library_ = dlopen(so.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr)
        throw error("cannot load " + so.string() + " (build the native modules first): " + dlerror());
    linkage_ = static_cast<const frame::LinkageHead*>(dlsym(library_, "Linkage"));
    if (linkage_ == nullptr || linkage_->id != frame::kLinkageId) {
        dlclose(library_);
        throw error(so.string() + " has no Linkage record");
    }
}

Module::~Module() {
    dlclose(library_);
}

const frame::GaugeHeader& Module::gauge(std::string_view name) const {
    for (frame::GaugeHeader* const* g = frame::gauge_table_of(linkage_); *g != nullptr; ++g)
        if (name == (*g)->name) return **g;
    throw error(dir_ + " has no gauge " + std::string(name));
}

std::vector<const frame::Element*> Module::elements(std::string_view name) const {
    std::vector<const frame::Element*> out;
    const frame::GaugeHeader& g = gauge(name);
    for (frame::Element* const* e = g.elements; e != nullptr && *e != nullptr; ++e) walk(*e, out);
    return out;
}

const frame::NeedleElement& Module::needle(std::string_view name, int bitmap, int nth) const {
    for (const frame::Element* e : elements(name)) {
        if (e->kind != frame::kNeedle || e->bitmap != bitmap) continue;
        if (nth-- == 0) return *reinterpret_cast<const frame::NeedleElement*>(e);
    }
    throw error(dir_ + " gauge " + std::string(name) + " has no needle drawing bitmap " +
                std::to_string(bitmap));
}

}  // namespace artwork
