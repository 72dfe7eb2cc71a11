#include "fuzz_folder.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace gf::fuzz {

namespace {

// Rewriting a file on disk thousands of times a second stalls on the file
// system's flushes; a folder in memory keeps the runs fast.
std::filesystem::path tempRoot() {
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

std::filesystem::path freshFolder() {
    auto dir = tempRoot() / ("gloamfell-fuzz-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace

FuzzFolder::FuzzFolder() : path(freshFolder()) {}

FuzzFolder::~FuzzFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

void FuzzFolder::copyData(const std::string& name) const {
    std::filesystem::copy_file(std::filesystem::path(GLOAMFELL_DATA_DIR) / name, path / name,
                               std::filesystem::copy_options::overwrite_existing);
}

std::string FuzzFolder::write(const std::string& name, const uint8_t* data, std::size_t size) const {
    const std::filesystem::path file = path / name;
    std::FILE* out = std::fopen(file.c_str(), "wb");
    require(out != nullptr, "cannot write " + file.string());
    const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
    require(std::fclose(out) == 0 && written, "cannot write " + file.string());
    return file.string();
}

void require(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", what.c_str());
    std::abort();
}

} // namespace gf::fuzz
