#pragma once
#include <string>
#include <string_view>

namespace gf {

// Far larger than any catalogue or level.
inline constexpr std::size_t kMaxDataFile = 64 * 1024 * 1024;

// The whole of a data file. A missing or unreadable file, or one larger than
// maxBytes, is a failure naming the file.
std::string readDataFile(const std::string& path, std::size_t maxBytes = kMaxDataFile);

// A file that can be opened without waiting: a pipe would wait for a writer forever.
bool isPlainFile(const std::string& path);

// The file `name` directly in `folder`.
std::string fileIn(const std::string& folder, std::string_view name);

} // namespace gf
