// Checks the levels and catalogues in a data folder; exits 1 on any problem.
#include "datacheck.hpp"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: gloamfell-check-data DATA_FOLDER\n";
        return 2;
    }
    try {
        const auto problems = gloamfell::tools::checkDataFolder(argv[1]);
        for (const auto& p : problems)
            std::cerr << p << '\n';
        if (!problems.empty())
            return 1;
        std::cout << "data folder is consistent\n";
    } catch (const std::exception& e) {
        std::cerr << "gloamfell-check-data: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
