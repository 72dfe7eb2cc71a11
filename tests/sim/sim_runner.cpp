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

SimRun runSimWith(const std::vector<std::string>& args) {
    static int counter = 0;
    const auto base = std::filesystem::temp_directory_path() /
                      ("gloamfell-sim-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    const auto outFile = base.string() + ".out", errFile = base.string() + ".err";
    std::string command = std::string("'") + GLOAMFELL_SIM + "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " </dev/null >'" + outFile + "' 2>'" + errFile + "'";
    const int status = std::system(command.c_str());
    SimRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.output = slurp(outFile);
    std::istringstream out(run.output);
    for (std::string line; std::getline(out, line);)
        if (!line.empty() && line[0] == '{') run.lines.push_back(nlohmann::json::parse(line));
    run.errors = slurp(errFile);
    for (const auto& f : {outFile, errFile})
        std::filesystem::remove(f);
    return run;
}

SimRun runSim(const std::string& folder, const std::string& script) {
    static int counter = 0;
    const auto scriptFile =
        std::filesystem::temp_directory_path() /
        ("gloamfell-sim-" + std::to_string(::getpid()) + "-script-" + std::to_string(counter++));
    std::ofstream(scriptFile) << script;
    SimRun run = runSimWith({folder, scriptFile.string()});
    std::filesystem::remove(scriptFile);
    return run;
}

} // namespace gf::test
