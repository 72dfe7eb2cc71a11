#pragma once
#include <string>

namespace gf {

// The whole of a data file. A missing or unreadable file, or one far larger
// than any data file, is a failure.
std::string readDataFile(const std::string& path);

// The program's folder followed by a literal that begins with a separator;
// either separator names the same folder.
std::string programPath(const std::string& folder, const std::string& literal);

} // namespace gf
