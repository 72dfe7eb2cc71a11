#include "creatures.hpp"
#include "paint.hpp"
#include "sheets.hpp"

#include "../common/rng.hpp"

#include <cmath>

namespace gloamfell::tools {

namespace {

constexpr int kLastItem = 50;

const Colour kSteel = rgb(188, 194, 204);
const Colour kGold = rgb(232, 184, 56);
const Colour kLeatherGrip = rgb(92, 58, 34);
const Colour kBone = rgb(222, 214, 188);

// Points along a weapon laid from bottom-left to top-right, t along, s across.
struct Axis {
    double length;
    Point at(double t, double s) const {
        const double k = 0.70710678;
        const double ox = 16 - length / 2 * k, oy = 16 + length / 2 * k;
        return {ox + (t + s) * k, oy + (-t + s) * k};
    }
};

struct SwordLook {
    double length, width;
    Colour steel = kSteel;
    Colour guard = rgb(176, 140, 64);
    Colour grip = kLeatherGrip;
    double hand = 5; // length of the grip
};

Scene sword(const SwordLook& l) {
    Scene s;
    const Axis ax{l.length};
    const double base = l.hand + 1.2;
    s.circle(ax.at(0.8, 0), 1.6, l.guard).z = 2;
    s.capsule(ax.at(1.2, 0), ax.at(base, 0), 1.1, 1.1, l.grip).z = 1.5;
    auto& blade =
        s.polygon({ax.at(base, -l.width), ax.at(l.length - l.width * 1.6, -l.width), ax.at(l.length, 0),
                   ax.at(l.length - l.width * 1.6, l.width), ax.at(base, l.width)},
                  l.steel);
    blade.grain = 0.04;
    blade.z = 1.5;
    if (l.width > 1.5) {
        auto& fuller = s.capsule(ax.at(base + 1, 0), ax.at(l.length - l.width * 2.5, 0), 0.45, 0.3,
                                 scaled(l.steel, 0.7));
        fuller.z = 2.2;
        fuller.dome = 0.3;
    }
    s.capsule(ax.at(base, -l.width - 2), ax.at(base, l.width + 2), 1.1, 1.1, l.guard).z = 2.5;
    return s;
}

Scene axe() {
    Scene s;
    const Axis ax{30};
    s.capsule(ax.at(0, 0), ax.at(28, 0), 1.1, 1.0, rgb(110, 72, 40)).z = 1;
    s.polygon({ax.at(20, 1), ax.at(16, 8), ax.at(21, 10), ax.at(27, 10), ax.at(29, 7), ax.at(26, 1)}, kSteel)
        .z = 2;
    s.polygon({ax.at(21, -1), ax.at(23, -5), ax.at(25, -1)}, scaled(kSteel, 0.85)).z = 2;
    s.capsule(ax.at(4, 0), ax.at(9, 0), 1.3, 1.3, kLeatherGrip).z = 1.5;
    return s;
}

Scene hammer() {
    Scene s;
    const Axis ax{30};
    s.capsule(ax.at(0, 0), ax.at(26, 0), 1.1, 1.0, rgb(100, 66, 40)).z = 1;
    s.polygon({ax.at(20, -7), ax.at(27, -7), ax.at(27, 6), ax.at(20, 6)}, rgb(140, 144, 156)).z = 2;
    s.polygon({ax.at(21.5, 6), ax.at(25.5, 6), ax.at(23.5, 11)}, rgb(170, 174, 186)).z = 2;
    s.capsule(ax.at(20, -7.5), ax.at(20, 6.5), 0.5, 0.5, kGold).z = 2.5;
    s.capsule(ax.at(3, 0), ax.at(9, 0), 1.3, 1.3, kLeatherGrip).z = 1.5;
    return s;
}

// A torso garment seen from the front.
Scene armour(Colour base, std::function<Colour(Point, Colour)> pattern, bool sleeves, Colour trim) {
    Scene s;
    std::vector<Point> body{{12, 4.5}, {14.5, 7}, {17.5, 7}, {20, 4.5}, {25, 6.5}};
    if (sleeves) {
        body.insert(body.end(), {{28.5, 14}, {24, 15.5}});
    } else {
        body.insert(body.end(), {{25.5, 11}, {23, 13}});
    }
    body.insert(body.end(), {{23, 27.5}, {9, 27.5}});
    if (sleeves) {
        body.insert(body.end(), {{8, 15.5}, {3.5, 14}});
    } else {
        body.insert(body.end(), {{9, 13}, {6.5, 11}});
    }
    body.push_back({7, 6.5});
    auto& b = s.polygon(body, base);
    b.pattern = std::move(pattern);
    b.dome = 2;
    b.grain = 0.1;
    s.capsule({9.5, 26.5}, {22.5, 26.5}, 1.0, 1.0, trim).z = 2;
    s.capsule({12, 5}, {14.5, 7.5}, 0.8, 0.8, trim).z = 2;
    s.capsule({20, 5}, {17.5, 7.5}, 0.8, 0.8, trim).z = 2;
    return s;
}

std::function<Colour(Point, Colour)> studs(double spacing, Colour stud) {
    return [=](Point p, Colour c) {
        const double fx = std::fmod(p.x, spacing), fy = std::fmod(p.y, spacing);
        return (fx > spacing / 2 - 0.7 && fx < spacing / 2 + 0.7 && fy > spacing / 2 - 0.7 &&
                fy < spacing / 2 + 0.7)
                   ? stud
                   : c;
    };
}

std::function<Colour(Point, Colour)> rows(double height, double dark) {
    return [=](Point p, Colour c) {
        const double row = std::floor(p.y / height);
        const double fx = std::fmod(p.x + row * 1.5, 3.0);
        const double fy = std::fmod(p.y, height);
        return fy < 0.8 || fx < 0.6 ? scaled(c, dark) : c;
    };
}

Scene goldHeap(int coins, double spread, std::uint64_t seed) {
    Scene s;
    Rng rng(seed);
    const double base = spread * 0.9;
    auto& mound = s.ellipse({16, 19}, base, base * 0.55, rgb(150, 100, 24));
    mound.dome = 1.5;
    for (int i = 0; i < coins; ++i) {
        // Later coins sit higher and nearer the middle of the heap.
        const double t = double(i) / coins;
        const double r = spread * (1.0 - 0.7 * t) * std::sqrt(rng.unit());
        const double a = rng.range(0, 6.283);
        auto& coin = s.ellipse({16 + std::cos(a) * r, 19 - t * spread * 0.5 + std::sin(a) * r * 0.55}, 2.3,
                               1.6, mix(kGold, rgb(255, 226, 120), rng.unit() * 0.5));
        coin.z = 1 + t * 3;
        coin.dome = 0.8;
    }
    return s;
}

Scene bones() {
    Scene s;
    auto bone = [&](Point a, Point b) {
        s.capsule(a, b, 0.9, 0.9, kBone).z = 1;
        for (Point end : {a, b}) {
            const double dx = (b.x - a.x) * 0.08, dy = (b.y - a.y) * 0.08;
            s.circle({end.x - dy, end.y + dx}, 1.1, kBone).z = 1.2;
            s.circle({end.x + dy, end.y - dx}, 1.1, kBone).z = 1.2;
        }
    };
    bone({6, 24}, {19, 19});
    bone({10, 13}, {22, 26});
    bone({20, 9}, {27, 21});
    auto& skull = s.ellipse({14, 12}, 4.6, 4.0, kBone);
    skull.z = 2;
    skull.dome = 2.5;
    s.ellipse({12.4, 12.4}, 1.1, 1.3, rgb(40, 34, 32)).z = 3;
    s.ellipse({15.6, 12.4}, 1.1, 1.3, rgb(40, 34, 32)).z = 3;
    s.polygon({{13, 16.2}, {15, 16.2}, {14, 14.4}}, rgb(60, 50, 46)).z = 3;
    return s;
}

Scene barrel() {
    Scene s;
    auto& top = s.circle({16, 16}, 12, rgb(126, 82, 44));
    top.dome = 1.0;
    top.pattern = [](Point p, Colour c) {
        const double d = std::hypot(p.x - 16, p.y - 16);
        if (d > 9.6 && d < 11.2) return rgb(70, 70, 78);
        if (d > 4 && d < 5) return rgb(70, 70, 78);
        return std::fmod(p.x + 40, 4.0) < 0.7 ? scaled(c, 0.65) : c;
    };
    s.circle({20, 13}, 1.1, rgb(60, 40, 24)).z = 2;
    return s;
}

Scene puddle(Colour colour, double rx, double ry, std::uint64_t seed) {
    Scene s;
    Rng rng(seed);
    auto& main = s.ellipse({16, 17}, rx, ry, colour);
    main.z = 0;
    main.dome = 0.4;
    for (int i = 0; i < 5; ++i) {
        const double a = rng.range(0, 6.283);
        auto& blob = s.ellipse({16 + std::cos(a) * rx * 0.8, 17 + std::sin(a) * ry * 0.8}, rx * 0.4,
                               ry * 0.45, colour);
        blob.z = 0;
        blob.dome = 0.4;
    }
    return s;
}

Scene ectoplasm() {
    Scene s = puddle(rgb(80, 200, 150), 10, 7, 99);
    for (Point p : {Point{12, 14}, Point{19, 18}, Point{15, 20}}) {
        auto& glint = s.circle(p, 1.2, rgb(210, 255, 230));
        glint.emissive = true;
    }
    auto& bubble = s.circle({20, 13}, 2.2, rgb(110, 230, 170));
    bubble.z = 1;
    return s;
}

Scene snakeSkin() {
    Scene s;
    const Colour skin = rgb(196, 196, 150);
    Point prev{6, 26};
    for (int i = 1; i <= 10; ++i) {
        const Point next{6 + i * 2.1, 20 + 7 * std::sin(i * 0.9) - i * 0.6};
        auto& seg = s.capsule(prev, next, 0.8 + i * 0.18, 0.9 + i * 0.18, skin);
        seg.pattern = [](Point p, Colour c) { return std::fmod(p.x + p.y, 2.2) < 0.8 ? scaled(c, 0.75) : c; };
        prev = next;
    }
    return s;
}

Scene dragonSkull() {
    Scene s;
    const Colour horn = rgb(200, 186, 150);
    s.capsule({9, 10}, {3, 4}, 1.6, 0.5, horn).z = 1;
    s.capsule({23, 10}, {29, 4}, 1.6, 0.5, horn).z = 1;
    auto& skull = s.ellipse({16, 13}, 8, 6, kBone);
    skull.dome = 2.5;
    auto& snout = s.ellipse({16, 21}, 4.5, 6.5, kBone);
    snout.z = 1.2;
    for (double x : {11.5, 20.5})
        s.ellipse({x, 13}, 2.0, 1.6, rgb(36, 30, 30)).z = 3;
    for (double x : {14.5, 17.5})
        s.circle({x, 25.5}, 0.7, rgb(50, 40, 38)).z = 3;
    for (int i = 0; i < 4; ++i)
        s.polygon({{12.5 + i * 2.2, 26.5}, {13.7 + i * 2.2, 26.5}, {13.1 + i * 2.2, 29}}, rgb(240, 232, 210))
            .z = 2;
    return s;
}

void renderCorpse(Image& img, int ox, int oy, int creature, Colour blood, std::uint64_t seed) {
    renderScene(puddle(blood, 8, 5, seed), 0, img, ox, oy, {rgb(40, 6, 8)});
    // Fallen on its side: turned across the tile, flattened and grey.
    RenderStyle lying;
    lying.scale = creatureSize(creature);
    lying.width = 0.72;
    renderScene(creatureScene(creature, true), 100, img, ox, oy, lying);
}

void paintItem(Image& img, int n) {
    const int ox = tileX(n), oy = tileY(n);
    const Colour blood = rgb(110, 14, 16);
    auto draw = [&](const Scene& s) { renderScene(s, 0, img, ox, oy); };
    if (n >= 1 && n <= 16) {
        paintWall(img, ox, oy, wallArms(n));
        return;
    }
    switch (n) {
    case 17:
        paintDoor(img, ox, oy, true, false);
        break;
    case 18:
        paintDoor(img, ox, oy, true, true);
        break;
    case 19:
        paintDoor(img, ox, oy, false, false);
        break;
    case 20:
        paintDoor(img, ox, oy, false, true);
        break;
    case 21:
        paintStairs(img, ox, oy, true);
        break;
    case 22:
        paintStairs(img, ox, oy, false);
        break;
    case 23:
        draw(bones());
        break;
    case 24:
        draw(goldHeap(11, 7.5, 24));
        break;
    case 25:
        draw(goldHeap(26, 11, 25));
        break;
    case 26:
        draw(barrel());
        break;
    case 27:
        draw(axe());
        break;
    case 28:
        draw(hammer());
        break;
    case 29:
        draw(sword({36, 2.4, rgb(170, 186, 210), rgb(90, 90, 100), rgb(40, 40, 60), 7}));
        break;
    case 30: {
        Scene s = sword({34, 2.3, rgb(90, 110, 150), rgb(200, 170, 70), rgb(60, 20, 30), 6});
        const Axis ax{34};
        for (double t : {12.0, 16.0, 20.0, 24.0}) {
            auto& rune = s.circle(ax.at(t, 0), 0.7, rgb(110, 240, 255));
            rune.emissive = true;
        }
        draw(s);
        break;
    }
    case 31:
        draw(armour(rgb(120, 124, 134), studs(2.4, rgb(60, 60, 70)), true, rgb(90, 70, 50)));
        break;
    case 32:
        draw(armour(rgb(176, 140, 80), rows(2.2, 0.6), true, rgb(110, 70, 40)));
        break;
    case 33:
        draw(armour(
            rgb(150, 156, 168),
            [](Point p, Colour c) {
                return (int(std::floor(p.x * 1.4)) + int(std::floor(p.y * 1.4))) % 2 ? scaled(c, 0.7) : c;
            },
            true, rgb(80, 80, 90)));
        break;
    case 34:
        draw(armour(
            rgb(196, 204, 216),
            [](Point p, Colour c) {
                return std::fmod(p.y, 5.0) < 0.7 || std::fabs(p.x - 16) < 0.5 ? scaled(c, 0.55) : c;
            },
            false, kGold));
        break;
    case 35:
        draw(sword({17, 1.5, kSteel, rgb(120, 110, 100), kLeatherGrip, 4}));
        break;
    case 36:
        draw(sword({24, 1.9}));
        break;
    case 37:
        draw(sword({31, 2.0}));
        break;
    case 38:
        draw(sword({31, 3.1, rgb(176, 180, 186), rgb(120, 100, 70)}));
        break;
    case 39:
        draw(sword({38, 2.8, kSteel, rgb(100, 100, 110), rgb(120, 30, 30), 8}));
        break;
    case 40:
        draw(armour(rgb(168, 120, 72), {}, false, rgb(120, 84, 48)));
        break;
    case 41:
        draw(armour(rgb(120, 76, 42), rows(5, 0.65), false, rgb(80, 50, 30)));
        break;
    case 42:
        draw(armour(rgb(116, 78, 46), studs(3.4, rgb(200, 200, 206)), true, rgb(80, 50, 30)));
        break;
    case 43:
        renderCorpse(img, ox, oy, 1, blood, 43);
        break;
    case 44:
        renderCorpse(img, ox, oy, 2, blood, 44);
        break;
    case 45:
        draw(snakeSkin());
        break;
    case 46:
        renderCorpse(img, ox, oy, 4, blood, 46);
        break;
    case 47:
        renderCorpse(img, ox, oy, 6, blood, 47);
        break;
    case 48:
        renderCorpse(img, ox, oy, 7, rgb(60, 80, 40), 48);
        break;
    case 49:
        draw(ectoplasm());
        break;
    case 50:
        draw(dragonSkull());
        break;
    default:
        break;
    }
}

} // namespace

Image makeItemSheet() {
    const int rowsNeeded = kLastItem / kTilesPerRow + 1;
    Image img(kTile * kTilesPerRow, kTile * rowsNeeded);
    for (int n = 1; n <= kLastItem; ++n)
        paintItem(img, n);
    return img;
}

} // namespace gloamfell::tools
