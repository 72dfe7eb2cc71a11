#include "check/fault.hpp"

namespace gloamfell::tools {

std::string describe(const Fault& fault) {
    if (fault.line > 0) return fault.file + ":" + std::to_string(fault.line) + ": " + fault.text;
    return fault.file + ": " + fault.text;
}

void FaultList::warning(const gf::Finding& f) {
    faults_.push_back({f.file, f.line, f.text});
}

void FaultList::failure(const gf::Finding& f) {
    faults_.push_back({f.file, f.line, f.text + "; the game stops reading " + f.file + " here"});
}

} // namespace gloamfell::tools
