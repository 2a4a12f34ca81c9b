// registry.cpp - the table the Register objects fill before main() runs.
#include "registry.h"

#include <stdexcept>
#include <string>

namespace artwork {

namespace {

// Built on first use, so registrations from any translation unit find it.
std::vector<Artwork>& table() {
    static std::vector<Artwork> artworks;
    return artworks;
}

}  // namespace

Register::Register(Artwork artwork) {
    if (find_artwork(artwork.module, artwork.id) != nullptr)
        throw std::logic_error("two routines draw " + std::string(artwork.module) + "/" +
                               std::to_string(artwork.id));
    table().push_back(artwork);
}

const Artwork* find_artwork(std::string_view module, int id) {
    for (const Artwork& a : table())
        if (a.module == module && a.id == id) return &a;
    return nullptr;
}

const std::vector<Artwork>& all_artworks() {
    return table();
}

}  // namespace artwork
