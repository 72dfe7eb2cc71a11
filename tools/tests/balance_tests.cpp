// The descent's curve, measured on the game's own rules over the shipped data.
#include "bounds.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace gloamfell::balance;

namespace {

// Fewer fights than the report: the bounds leave room for the sampling noise.
const Settings kQuick{1500, 60};

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(BalanceBounds, shippedDataKeepsTheCurve) {
    EXPECT_EQ(balanceFaults(measureDescent(GLOAMFELL_DATA_DIR, kQuick)), std::vector<std::string>{});
}

struct Breakage {
    std::string name;
    std::string file;
    std::string from, to; // the first occurrence is replaced
    std::string fault;    // a word of the fault that must appear
};

void PrintTo(const Breakage& b, std::ostream* os) {
    *os << b.name;
}

class BrokenData : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenData, breaksABound) {
    const Breakage& b = GetParam();
    const auto dir =
        std::filesystem::temp_directory_path() / ("gloamfell-balance-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::copy(GLOAMFELL_DATA_DIR, dir);
    std::string text = slurp(dir / b.file);
    const auto at = text.find(b.from);
    ASSERT_NE(at, std::string::npos) << b.from;
    text.replace(at, b.from.size(), b.to);
    std::ofstream(dir / b.file, std::ios::binary) << text;

    const std::vector<std::string> faults = balanceFaults(measureDescent(dir.string(), kQuick));
    std::filesystem::remove_all(dir);
    std::string all;
    for (const std::string& f : faults)
        all += f + "\n";
    EXPECT_NE(all.find(b.fault), std::string::npos) << all;
}

INSTANTIATE_TEST_SUITE_P(Data, BrokenData,
                         ::testing::Values(Breakage{"greatSwordOnTheFirstLevel", "murkhol1.map", "S.", "S%",
                                                    "great sword"},
                                           Breakage{"ratsBiteLikeTrolls", "monster.ini",
                                                    "NAME=rat\r\nLEVEL=1", "NAME=rat\r\nLEVEL=9", "rat"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
