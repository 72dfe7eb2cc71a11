#pragma once
// Runs the real gloamfell-sim executable on a script, as a level author or an
// outside test would.
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace gf::test {

struct SimRun {
    int exitCode = 0;
    std::string output;
    std::vector<nlohmann::json> lines; // the output's JSON lines
    std::string errors;

    std::vector<nlohmann::json> events(const std::string& kind) const;
    // The last {"dump": ...} line's state.
    nlohmann::json lastDump() const;
};

SimRun runSim(const std::string& folder, const std::string& script);
// The driver with these arguments and nothing on standard input.
SimRun runSimWith(const std::vector<std::string>& args);

} // namespace gf::test
