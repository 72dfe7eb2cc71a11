#pragma once
#include <string>

namespace gf {

// Far larger than any catalogue or level.
inline constexpr std::size_t kMaxDataFile = 64 * 1024 * 1024;

// The whole of a data file. A missing or unreadable file, or one larger than
// maxBytes, is a failure naming the file.
std::string readDataFile(const std::string& path, std::size_t maxBytes = kMaxDataFile);

// The program's folder followed by a literal that begins with a separator;
// either separator names the same folder.
std::string programPath(const std::string& folder, const std::string& literal);

} // namespace gf
