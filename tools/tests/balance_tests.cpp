// The descent's curve, measured on the game's own rules over the shipped data.
#include "bounds.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace gloamfell::balance;

namespace {

// Fewer fights than the report: the bounds leave room for the sampling noise.
const Settings kQuick{1500, 60};

TEST(BalanceBounds, shippedDataKeepsTheCurve) {
    EXPECT_EQ(balanceFaults(measureDescent(GLOAMFELL_DATA_DIR, kQuick)), std::vector<std::string>{});
}

struct Breakage {
    std::string name, file;
    std::string from, to; // the first occurrence is replaced
    std::string fault;    // a word of the fault that must appear
};

class BrokenData : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenData, breaksABound) {
    const Breakage& b = GetParam();
    const auto dir =
        std::filesystem::temp_directory_path() / ("gloamfell-balance-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::copy(GLOAMFELL_DATA_DIR, dir);
    std::ifstream in(dir / b.file, std::ios::binary);
    std::string data{std::istreambuf_iterator<char>(in), {}};
    const auto at = data.find(b.from);
    ASSERT_NE(at, std::string::npos) << b.from;
    std::ofstream(dir / b.file, std::ios::binary) << data.replace(at, b.from.size(), b.to);
    const std::vector<std::string> faults = balanceFaults(measureDescent(dir.string(), kQuick));
    std::filesystem::remove_all(dir);
    EXPECT_TRUE(std::any_of(faults.begin(), faults.end(), [&](const std::string& f) {
        return f.find(b.fault) != std::string::npos;
    })) << ::testing::PrintToString(faults);
}

INSTANTIATE_TEST_SUITE_P(Data, BrokenData,
                         ::testing::Values(Breakage{"greatSwordOnTheFirstLevel", "murkhol1.map", "S.", "S%",
                                                    "great sword"},
                                           Breakage{"ratsBiteLikeTrolls", "monster.ini",
                                                    "NAME=rat\r\nLEVEL=1", "NAME=rat\r\nLEVEL=9", "rat"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
