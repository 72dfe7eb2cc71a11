#include "messages/messages.h"

#include "state/game.h"
#include "state/guard.h"

namespace gf {

void addMessage(Game& g, const std::string& text, int32_t color) {
    guarded(g, "modMessage_Add", [&] {
        for (int i = 2; i <= kMessageLines; ++i)
            g.messages.line(i - 1) = g.messages.line(i);
        g.messages.line(kMessageLines) = Message{true, text, color, g.now()};
        g.messages.log.add(text, color);
    });
}

void addDamageMessage(Game& g, int32_t x, int32_t y, int32_t amount) {
    guarded(g, "modMessage_Add_Damage", [&] {
        for (int i = 1; i <= kDamageNumbers; ++i) {
            if (!g.messages.damage(i).inUse) {
                g.messages.damage(i) = DamageNumber{true, x, y, amount, g.now()};
                return;
            }
        }
    });
}

void ageMessages(Game& g) {
    guarded(g, "modMessage_Process", [&] {
        const float now = g.now();
        for (int i = 1; i <= kMessageLines; ++i) {
            Message& m = g.messages.line(i);
            if (m.inUse && now > static_cast<float>(m.time + 5.0f)) m = Message{};
        }
        for (int i = 1; i <= kDamageNumbers; ++i) {
            DamageNumber& d = g.messages.damage(i);
            if (d.inUse && now > static_cast<float>(d.time + 0.35f)) d = DamageNumber{};
        }
    });
}

} // namespace gf
