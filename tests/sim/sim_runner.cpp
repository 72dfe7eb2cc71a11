#include "sim_runner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace gf::test {

std::vector<nlohmann::json> SimRun::events(const std::string& kind) const {
    std::vector<nlohmann::json> found;
    for (const auto& l : lines)
        if (l.value("event", "") == kind) found.push_back(l);
    return found;
}

nlohmann::json SimRun::lastDump() const {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (it->contains("dump")) return (*it)["dump"];
    return nullptr;
}

static std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

SimRun runSim(const std::string& folder, const std::string& script) {
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path() /
                      ("gloamfell-sim-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    const auto scriptFile = base.string() + ".script", outFile = base.string() + ".out",
               errFile = base.string() + ".err";
    std::ofstream(scriptFile) << script;
    const std::string command = std::string("'") + GLOAMFELL_SIM + "' '" + folder + "' '" + scriptFile +
                                "' >'" + outFile + "' 2>'" + errFile + "'";
    const int status = std::system(command.c_str());
    SimRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream out(slurp(outFile));
    for (std::string line; std::getline(out, line);)
        if (!line.empty()) run.lines.push_back(nlohmann::json::parse(line));
    run.errors = slurp(errFile);
    for (const auto& f : {scriptFile, outFile, errFile})
        std::filesystem::remove(f);
    return run;
}

} // namespace gf::test
