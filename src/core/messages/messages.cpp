#include "messages/messages.h"

#include "shell/game.h"
#include "shell/guard.h"

namespace gf {

void addMessage(Game& g, const std::string& text, int32_t color) {
    guarded(g, "modMessage_Add", [&] {
        for (int i = 2; i <= kMessageLines; ++i)
            g.message(i - 1) = g.message(i);
        g.message(kMessageLines) = Message{true, text, color, g.now()};
        g.log.add(text, color);
    });
}

void addDamageMessage(Game& g, int32_t x, int32_t y, int32_t amount) {
    guarded(g, "modMessage_Add_Damage", [&] {
        for (int i = 1; i <= kDamageNumbers; ++i) {
            if (!g.damage(i).InUse) {
                g.damage(i) = DamageNumber{true, x, y, amount, g.now()};
                return;
            }
        }
    });
}

void ageMessages(Game& g) {
    guarded(g, "modMessage_Process", [&] {
        const float now = g.now();
        for (int i = 1; i <= kMessageLines; ++i) {
            Message& m = g.message(i);
            if (m.InUse && now > static_cast<float>(m.Time + 5.0f)) m = Message{};
        }
        for (int i = 1; i <= kDamageNumbers; ++i) {
            DamageNumber& d = g.damage(i);
            if (d.InUse && now > static_cast<float>(d.Time + 0.35f)) d = DamageNumber{};
        }
    });
}

} // namespace gf
