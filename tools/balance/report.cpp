#include "report.hpp"

#include "format.hpp"

#include <algorithm>
#include <sstream>

namespace gloamfell::balance {

namespace {

using tools::Image;
using tools::Rgb;

std::string spread(const Quartiles& q) {
    return fixed(q.low, 0) + " / " + fixed(q.median, 0) + " / " + fixed(q.high, 0);
}

void levelTable(std::ostringstream& md, const LevelReport& l) {
    md << l.arrivals << " one-life arrivals; quartiles (lower / median / upper): melee " << spread(l.melee)
       << ", creature level " << spread(l.creatureLevel) << ", weapon damage " << spread(l.weapon)
       << ", armour " << spread(l.armor) << ". Died here: " << percent(l.deathShare) << ". " << l.fights
       << " fights, " << l.groupFights << " against two or more, " << fixed(l.meanLifeLost, 1)
       << " life lost per fight, " << fixed(l.activeSecondsPerFight, 1)
       << " s of walking and fighting for each; " << percent(l.waitShare)
       << " of the time here spent waiting for life.\n\n"
       << "| monster | placed | won against arrivals | won by the median arrival | mean life lost |\n"
       << "|---|---:|---:|---:|---:|\n";
    for (const FightStats& f : l.oneOnOne)
        md << "| " << f.name << " | " << f.placed << " | " << percent(f.winRate) << " | "
           << percent(f.medianWinRate) << " | " << fixed(f.meanLifeLost, 1) << " |\n";
    md << "\n";
}

// Digits 0 to 9 in a 3 x 5 grid, one row of three bits per entry.
constexpr unsigned char kDigits[10][5] = {{7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7},
                                          {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1},
                                          {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
constexpr int kDigitScale = 2;

void number(Image& img, int x, int y, int value, Rgb c) {
    const std::string text = std::to_string(value);
    for (char ch : text) {
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (kDigits[ch - '0'][row] & (4 >> col))
                    for (int d = 0; d < kDigitScale * kDigitScale; ++d)
                        img.set(x + col * kDigitScale + d % kDigitScale,
                                y + row * kDigitScale + d / kDigitScale, c);
        x += 4 * kDigitScale;
    }
}

void box(Image& img, int x1, int y1, int x2, int y2, Rgb c) {
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
        for (int x = x1; x <= x2; ++x)
            img.set(x, y, c);
}

// Earlier runs pale, the latest strong.
constexpr Rgb kRunColors[] = {{168, 168, 176}, {214, 124, 36}};
constexpr Rgb kHardestColor{120, 30, 30};

} // namespace

std::string balanceMarkdown(const std::vector<Measured>& runs, const Settings& settings,
                            const std::string& plotFile) {
    std::ostringstream md;
    md << "# The descent's balance\n\n"
       << "Written by `gloamfell-balance` (tools/balance); do not edit by hand. A careful bot plays "
       << settings.descents
       << " seeded descents through the game itself: the start menu, the keys, the carry pop-up, Raise "
          "Skill, Save and Load, and the three timers at their periods. It knows only what the view has "
          "shown it: the cells it has seen lit, as they looked then, and the monsters standing in the light "
          "now. It walks to the nearest of what it wants (a monster it has seen, gold, a better weapon or "
          "armour, the edge of what it has seen), opens doors on the way, fights whatever stands next to it "
          "(the weakest first), rests when its life falls below "
       << percent(settings.bot.restBelow) << " of the most until it is back at "
       << percent(settings.bot.restUntil)
       << ", readies the best gear it carries, spends its experience on Melee, and takes the stairs when "
          "nothing it can reach is left unseen. Its first life gives the one-life figures; after a death it "
          "loads the save it made on arriving at the level, up to "
       << settings.bot.mostReloads
       << " times. A fight lasts while any monster stands next to the creature. The one-on-one tables put "
          "each monster type, "
       << settings.fights
       << " times, against the creatures that really arrived at the level (their skills, raises and gear "
          "as they were), and against the arrival of median melee alone. Life comes back a point and "
          "stamina four every refresh (four seconds) outside a fight, whether the creature rests or walks, "
          "and every blow given or taken costs a point of stamina, so what the fights cost and the walking "
          "between them decide the waiting share.\n\n"
       << "![Mean life lost per fight on each level";
    for (std::size_t i = 0; i < runs.size(); ++i)
        md << (i ? ", " : ": ") << runs[i].label << (i ? " in orange" : " in grey");
    md << "; the dark tick marks the level's hardest one-on-one fight](" << plotFile << ")\n\n";

    for (const Measured& m : runs)
        md << "- " << m.label << ": " << percent(m.report.completion)
           << " of one-life descents cleared the last level; median reloads "
           << fixed(m.report.medianReloads, 0) << "; starts at melee 10 to 12 (" << m.report.weakStarts
           << ") reached level 4 " << percent(m.report.weakReachFourth) << " of the time.\n";
    md << "\n| level | name |";
    for (const Measured& m : runs)
        md << " died " << m.label << " | life lost per fight " << m.label << " |";
    md << "\n|---|---|";
    for (std::size_t i = 0; i < runs.size(); ++i)
        md << "---:|---:|";
    md << "\n";
    const std::size_t levels = runs.back().report.levels.size();
    for (std::size_t l = 0; l < levels; ++l) {
        md << "| " << l + 1 << " | " << runs.back().report.levels[l].contents.name << " |";
        for (const Measured& m : runs)
            if (l < m.report.levels.size())
                md << " " << percent(m.report.levels[l].deathShare) << " | "
                   << fixed(m.report.levels[l].meanLifeLost, 1) << " |";
            else
                md << " | |";
        md << "\n";
    }
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        md << "\n## " << it->label << "\n\n";
        md << (it->faults.empty() ? "Every bound holds.\n" : "Bounds broken:\n");
        for (const std::string& f : it->faults)
            md << "- " << f << "\n";
        md << "\n";
        for (std::size_t l = 0; l < it->report.levels.size(); ++l) {
            const LevelReport& r = it->report.levels[l];
            md << "### " << l + 1 << ". " << r.contents.name << " (" << r.contents.file << ".map)\n\n";
            levelTable(md, r);
        }
    }
    return md.str();
}

std::string summary(const Measured& run) {
    std::ostringstream out;
    const DescentReport& r = run.report;
    out << run.label << ": " << r.descents << " descents, " << percent(r.completion)
        << " cleared with one life, median reloads " << fixed(r.medianReloads, 0)
        << ", melee 10 to 12 reach level 4 " << percent(r.weakReachFourth) << ", waiting "
        << percent(r.waitShare) << "\n";
    for (const LevelReport& l : r.levels) {
        out << l.contents.file << ": " << l.arrivals << " arrive (melee " << spread(l.melee) << "), "
            << percent(l.deathShare) << " die, " << fixed(l.meanLifeLost, 1) << " lost per fight, "
            << l.groupFights << " of " << l.fights << " fights against two or more, "
            << fixed(l.activeSecondsPerFight, 1) << " s walking and fighting per fight, waiting "
            << percent(l.waitShare) << "\n";
        for (const FightStats& f : l.oneOnOne)
            out << "  " << f.name << " x" << f.placed << ": won " << percent(f.winRate) << ", by the median "
                << percent(f.medianWinRate) << ", " << fixed(f.meanLifeLost, 1) << " lost\n";
    }
    return out.str();
}

Image lifeLostPlot(const std::vector<Measured>& runs) {
    constexpr int kWidth = 720, kHeight = 400, kLeft = 44, kRight = 16, kTop = 16, kBottom = 34;
    Image img(kWidth, kHeight, Rgb{250, 248, 244});
    const int life = runs.back().report.userLife;
    const int plotHeight = kHeight - kTop - kBottom;
    const auto yOf = [&](double v) {
        return kHeight - kBottom - static_cast<int>(v * plotHeight / life + 0.5);
    };
    for (int v = 0; v <= life; v += 10) {
        box(img, kLeft, yOf(v), kWidth - kRight, yOf(v), Rgb{220, 216, 208});
        number(img, 6, yOf(v) - 5, v, Rgb{90, 90, 90});
    }
    std::size_t levels = 0;
    for (const Measured& m : runs)
        levels = std::max(levels, m.report.levels.size());
    if (levels == 0) return img;
    const int group = (kWidth - kLeft - kRight) / static_cast<int>(levels);
    const int bar = group / static_cast<int>(runs.size() + 1);
    for (std::size_t l = 0; l < levels; ++l) {
        const int gx = kLeft + static_cast<int>(l) * group + bar / 2;
        for (std::size_t k = 0; k < runs.size(); ++k) {
            if (l >= runs[k].report.levels.size()) continue;
            const LevelReport& r = runs[k].report.levels[l];
            const int x = gx + static_cast<int>(k) * bar;
            box(img, x, yOf(r.meanLifeLost), x + bar - 4, yOf(0), kRunColors[std::min<std::size_t>(k, 1)]);
            double worst = 0;
            for (const FightStats& f : r.oneOnOne)
                worst = std::max(worst, f.meanLifeLost);
            box(img, x, yOf(worst) - 1, x + bar - 4, yOf(worst) + 1, kHardestColor);
        }
        number(img, gx + bar - 4, kHeight - kBottom + 10, static_cast<int>(l) + 1, Rgb{60, 60, 60});
    }
    box(img, kLeft, yOf(0), kWidth - kRight, yOf(0), Rgb{60, 60, 60});
    return img;
}

} // namespace gloamfell::balance
