#pragma once

namespace gf {

// Seconds since midnight as the game compares them. Never runs backwards:
// implementations read the time of day once and add a steady clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual float now() = 0;
    // A pause between the death animation's frames, during which no game
    // handler runs: no tick, no key.
    virtual void pause(float seconds) = 0;
};

} // namespace gf
