#pragma once
// Every line of the running game, oldest first, for the front ends' log: the
// on-screen queue forgets a line within seconds, this keeps the last
// kMessageLogLines. Lines are numbered for the whole run, so a view can append
// only what is new and drop what the log has dropped.
#include <cstdint>
#include <deque>
#include <string>

namespace gf {

inline constexpr std::size_t kMessageLogLines = 1000;

struct LoggedMessage {
    std::string text;
    int32_t color = 0;
};

class MessageLog {
public:
    void add(const std::string& text, int32_t color);
    // A new game or a load: the lines of the game before belong to it.
    void clear();
    const std::deque<LoggedMessage>& lines() const { return lines_; }
    // Numbers of the oldest line kept and of the next line to come.
    uint64_t first() const { return end_ - lines_.size(); }
    uint64_t end() const { return end_; }
    const LoggedMessage& line(uint64_t number) const { return lines_.at(number - first()); }

private:
    std::deque<LoggedMessage> lines_;
    uint64_t end_ = 0;
};

} // namespace gf
