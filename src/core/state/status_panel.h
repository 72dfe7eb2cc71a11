#pragma once
// What the side panel shows, exactly as shown. updateStatus fills it; the
// front end only paints it.
#include "platform/canvas.h"

#include <array>
#include <cstdint>
#include <string>

namespace gf {

inline constexpr int kCarryBoxes = 8; // carry slots shown at once
inline constexpr int kSkillRows = 5;

struct StatusBar {
    int32_t value = 0;
    int32_t max = 0;
    std::string text; // "37/50"
    std::string tooltip;
    Color fill = kBlack; // of the filled part
    bool operator==(const StatusBar&) const = default;
};

struct SkillRow {
    bool known = false; // a skill of the creature's, so it has a raise button
    std::string name;
    std::string nameTooltip;
    std::string value;
    std::string valueTooltip;
};

struct CarryBox {
    int32_t slot = 0;
    bool filled = false;
    int tile = 0;         // tile of the item sheet
    bool readied = false; // the blue "R"
    std::string tooltip;  // the item's name, what it does and whether it is readied
    bool operator==(const CarryBox&) const = default;
};

struct StatusPanel {
    std::string name = "Player Name";
    StatusBar life{0, 0, "", "Life Points", kGreen};
    StatusBar stamina{0, 0, "", "Stamina Points", kYellow};
    std::string level = "Level:";
    std::string xp = "XP:";
    std::string nextLevelXP = "Next Level XP:";
    std::string spendableXP = "Spendable XP:";
    std::string gold = " Gold:";
    std::string weapon = " Weapon:";
    std::string armor = " Armor:";
    std::array<SkillRow, kSkillRows> skills{};
    std::array<CarryBox, kCarryBoxes> carry{};
};

} // namespace gf
