#pragma once
// Checks a game data folder: the catalogues, the tile sheets, the sounds and every level.
#include "check/fault.hpp"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace gloamfell::tools {

// The folder itself cannot be listed.
struct FolderUnreadable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Every fault found, ordered by file and line.
Faults checkDataFolder(const std::filesystem::path& folder);

// "N faults in M files", or "no faults".
std::string summary(const Faults& faults);

} // namespace gloamfell::tools
