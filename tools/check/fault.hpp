#pragma once
// A fault found in the data folder, told the way compilers tell errors so
// editors can jump to it.
#include "state/findings.h"

#include <string>
#include <vector>

namespace gloamfell::tools {

struct Fault {
    std::string file; // name within the folder
    int line = 0;     // 0 when the fault belongs to the whole file
    std::string text;
};

using Faults = std::vector<Fault>;

// "file:line: text", or "file: text" for a whole-file fault.
std::string describe(const Fault& fault);

// What the game's readers find, as faults.
class FaultList : public gf::Findings {
public:
    explicit FaultList(Faults& faults) : faults_(faults) {}
    void warning(const gf::Finding& f) override;
    void failure(const gf::Finding& f) override;

private:
    Faults& faults_;
};

} // namespace gloamfell::tools
