#pragma once
#include <string>

namespace gf {

// Numbered sound buffers. Playing a number restarts it; numbers overlap.
class SoundOut {
public:
    virtual ~SoundOut() = default;
    // False when there is no sound device; the game then plays silently.
    virtual bool init(int count) = 0;
    // Empty on success, else why the file could not be used.
    virtual std::string load(const std::string& path, int index) = 0;
    virtual void play(int index) = 0;
};

} // namespace gf
