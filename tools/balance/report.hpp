#pragma once
// The balance report: docs/balance.md and the plot of life lost per level.
#include "common/image.hpp"
#include "descent.hpp"

#include <string>
#include <vector>

namespace gloamfell::balance {

struct Measured {
    std::string label; // "before", "after"
    DescentReport report;
    std::vector<std::string> faults;
};

// Earlier measurements first; the plot's file name is linked from the text.
std::string balanceMarkdown(const std::vector<Measured>& runs, const Settings& settings,
                            const std::string& plotFile);
// A few lines per level for the terminal.
std::string summary(const Measured& run);
tools::Image lifeLostPlot(const std::vector<Measured>& runs);

} // namespace gloamfell::balance
