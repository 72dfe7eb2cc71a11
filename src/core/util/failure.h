#pragma once
// A failure inside a game procedure. Guarded procedures catch it, show the
// error box and return their default result, so the caller carries on.
#include <stdexcept>
#include <string>

namespace gf {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& description) : std::runtime_error(description) {}
};

inline constexpr const char* kSubscriptOutOfRange = "Subscript out of range";
inline constexpr const char* kOverflow = "Overflow";

[[noreturn]] inline void fail(const std::string& description) {
    throw Failure(description);
}

} // namespace gf
