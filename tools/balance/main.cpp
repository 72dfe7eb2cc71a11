// gloamfell-balance [--descents N] [--fights N] [--threads N] [--before FOLDER] DATA_FOLDER [OUT_FOLDER]
// Plays seeded descents through DATA_FOLDER's levels and checks them against
// the curve the game keeps. With OUT_FOLDER it writes balance.md and balance.png
// there; --before adds an earlier data folder to compare with.
#include "bounds.hpp"
#include "common/png.hpp"
#include "report.hpp"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

using namespace gloamfell::balance;

namespace {

int usage() {
    std::cerr << "usage: gloamfell-balance [--descents N] [--fights N] [--threads N] [--before FOLDER] "
                 "DATA_FOLDER [OUT_FOLDER]\n";
    return 2;
}

Measured measure(const std::string& label, const std::string& folder, const Settings& settings) {
    Measured m{label, measureDescent(folder, settings), {}};
    m.faults = balanceFaults(m.report);
    return m;
}

int run(int argc, char** argv) {
    Settings settings;
    std::string before, data, out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--fights" && hasValue)
            settings.fights = std::stoi(argv[++i]);
        else if (arg == "--descents" && hasValue)
            settings.descents = std::stoi(argv[++i]);
        else if (arg == "--threads" && hasValue)
            settings.threads = std::stoi(argv[++i]);
        else if (arg == "--before" && hasValue)
            before = argv[++i];
        else if (data.empty())
            data = arg;
        else if (out.empty())
            out = arg;
        else
            return usage();
    }
    if (data.empty() || settings.fights < 1 || settings.descents < 1 || settings.threads < 1) return usage();
    for (const std::string& folder : {data, before})
        if (!folder.empty() && !std::filesystem::is_directory(folder)) {
            std::cerr << folder << ": is not a folder\n";
            return 2;
        }

    std::vector<Measured> runs;
    if (!before.empty()) runs.push_back(measure("before", before, settings));
    runs.push_back(measure(before.empty() ? "now" : "after", data, settings));
    std::cout << summary(runs.back());
    for (const std::string& f : runs.back().faults)
        std::cout << f << "\n";
    if (!out.empty()) {
        std::filesystem::create_directories(out);
        std::ofstream(std::filesystem::path(out) / "balance.md")
            << balanceMarkdown(runs, settings, "balance.png");
        gloamfell::tools::savePng(lifeLostPlot(runs), std::filesystem::path(out) / "balance.png");
    }
    if (!runs.back().faults.empty()) return 1;
    std::cout << "every bound holds\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "gloamfell-balance: " << e.what() << '\n';
        return 2;
    }
}
