#include "util/files.h"

#include "util/failure.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace gf {

std::string readDataFile(const std::string& path, std::size_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) fail("File not found: " + path);
    if (!isPlainFile(path)) fail("Cannot read file: " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("File not found: " + path);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) fail("Cannot read file: " + path);
    if (static_cast<std::size_t>(size) > maxBytes) fail("File too large: " + path);
    in.seekg(0);
    std::string contents(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(contents.data(), size)) fail("Cannot read file: " + path);
    return contents;
}

bool isPlainFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string fileIn(const std::string& folder, std::string_view name) {
    return (std::filesystem::path(folder) / name).string();
}

} // namespace gf
