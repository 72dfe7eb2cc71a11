#pragma once
// Runs the real gloamfell-sim executable on a script, as a level author or an
// outside test would.
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace gf::test {

struct SimRun {
    int exitCode = 0;
    std::vector<nlohmann::json> lines;
    std::string errors;

    std::vector<nlohmann::json> events(const std::string& kind) const;
    // The last {"dump": ...} line's state.
    nlohmann::json lastDump() const;
};

SimRun runSim(const std::string& folder, const std::string& script);

} // namespace gf::test
