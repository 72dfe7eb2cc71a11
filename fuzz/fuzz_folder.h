#pragma once
// What every fuzz target shares: a program folder written once per process,
// with the file under test rewritten on each run.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace gf::fuzz {

// A fresh temporary folder, removed when the process ends normally.
class FuzzFolder {
public:
    FuzzFolder();
    ~FuzzFolder();
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    // Copies a file of the shipped data into the folder.
    void copyData(const std::string& name) const;
    // Writes the input as the named file and returns its full path.
    std::string write(const std::string& name, const uint8_t* data, std::size_t size) const;

    const std::filesystem::path path;
};

// A broken promise of the code under test: report it and stop, so libFuzzer keeps the input.
void require(bool holds, const std::string& what);

} // namespace gf::fuzz
