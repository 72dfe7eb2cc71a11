#pragma once
// item.ini and monster.ini as the game reads them, and what the checker
// finds wrong with the entries the game would build.
#include "check/fault.hpp"
#include "items/catalogue_file.h"

#include <string>

namespace gloamfell::tools {

using Entry = gf::CatalogueEntry;

struct Catalogue : gf::CatalogueFile {
    Catalogue(gf::CatalogueFile read, std::string name)
        : gf::CatalogueFile(std::move(read)), file(std::move(name)) {}
    std::string file;
};

Catalogue readItemCatalogue(const std::string& text, Faults& faults);
Catalogue readMonsterCatalogue(const std::string& text, const Catalogue& items, Faults& faults);

// Roles the game gives fixed item numbers, flags and gear sanity.
void checkItems(const Catalogue& items, Faults& faults);
// Values that break drawing or combat, sounds and the items monsters leave.
void checkMonsters(const Catalogue& monsters, const Catalogue& items, Faults& faults);

} // namespace gloamfell::tools
