#include "messages/messages.h"

#include "state/game.h"
#include "state/guard.h"

#include <algorithm>

namespace gf {

void addMessage(Game& g, const std::string& text, int32_t color) {
    guarded(g, "modMessage_Add", [&] {
        auto& lines = g.messages.lines;
        std::shift_left(lines.begin(), lines.end(), 1); // the oldest line goes
        lines.back() = Message{true, text, color, g.now()};
        g.messages.log.add(text, color);
    });
}

void addDamageMessage(Game& g, int32_t x, int32_t y, int32_t amount) {
    guarded(g, "modMessage_Add_Damage", [&] {
        auto& damages = g.messages.damages;
        const auto free =
            std::find_if(damages.begin(), damages.end(), [](const DamageNumber& d) { return !d.inUse; });
        if (free != damages.end()) *free = DamageNumber{true, x, y, amount, g.now()};
    });
}

void ageMessages(Game& g) {
    guarded(g, "modMessage_Process", [&] {
        const float now = g.now();
        for (Message& m : g.messages.lines)
            if (m.inUse && now > static_cast<float>(m.time + 5.0f)) m = Message{};
        for (DamageNumber& d : g.messages.damages)
            if (d.inUse && now > static_cast<float>(d.time + 0.35f)) d = DamageNumber{};
    });
}

} // namespace gf
