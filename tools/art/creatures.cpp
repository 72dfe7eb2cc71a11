#include "creatures.hpp"
#include "sheets.hpp"

#include <algorithm>
#include <cmath>

namespace gloamfell::tools {

namespace {

struct Look {
    bool dead = false;
    // Living eyes glow; dead ones are shut.
    void eyes(Scene& s, Point l, Point r, double radius, Colour living) const {
        if (dead) return;
        for (Point p : {l, r}) {
            auto& e = s.circle(p, radius, living);
            e.emissive = true;
            e.z = 4;
        }
    }
};

void blade(Scene& s, Point hilt, Point tip, double width, Colour steel) {
    const double dx = tip.x - hilt.x, dy = tip.y - hilt.y;
    const double len = std::hypot(dx, dy);
    const double nx = -dy / len * width, ny = dx / len * width;
    const Point base{hilt.x + dx * 0.12, hilt.y + dy * 0.12};
    auto& b = s.polygon({{base.x - nx, base.y - ny},
                         {tip.x - nx * 0.6 - dx * 0.08, tip.y - ny * 0.6 - dy * 0.08},
                         tip,
                         {tip.x + nx * 0.6 - dx * 0.08, tip.y + ny * 0.6 - dy * 0.08},
                         {base.x + nx, base.y + ny}},
                        steel);
    b.z = 3;
    b.grain = 0.05;
    auto& guard = s.capsule({base.x - nx * 2.2, base.y - ny * 2.2}, {base.x + nx * 2.2, base.y + ny * 2.2},
                            0.9, 0.9, rgb(150, 120, 60));
    guard.z = 3.2;
}

Scene player(const Look& look) {
    Scene s;
    const Colour cloak = rgb(44, 104, 226);
    const Colour cloakDark = rgb(30, 70, 170);
    // Cloak trailing behind the shoulders.
    s.polygon({{9, 17}, {23, 17}, {25, 26}, {20, 29}, {16, 28}, {12, 29}, {7, 26}}, cloakDark).z = 0.5;
    s.capsule({10, 16}, {9, 11}, 1.6, 1.4, rgb(70, 60, 70)).z = 2;  // torch arm
    s.capsule({22, 16}, {22, 10}, 1.6, 1.4, rgb(70, 60, 70)).z = 2; // sword arm
    blade(s, {22, 11}, {22, 2}, 1.1, rgb(200, 206, 214));
    auto& torch = s.capsule({9, 11}, {9, 7}, 0.9, 0.9, rgb(96, 62, 30));
    torch.z = 3;
    auto& glow = s.circle({9, 6}, 3.2, rgb(255, 150, 40));
    glow.emissive = !look.dead;
    auto& flame = s.ellipse({9, 5.6}, 1.5, 2.1, rgb(255, 236, 140));
    flame.emissive = !look.dead;
    s.ellipse({16, 17}, 8, 5, cloak).dome = 2.5;
    auto& clasp = s.circle({16, 13.4}, 1.1, rgb(230, 190, 80));
    clasp.z = 3.5;
    s.ellipse({16, 11.2}, 2.4, 1.6, rgb(226, 178, 140)).z = 3; // face
    auto& hair = s.ellipse({16, 14}, 3.8, 3.4, rgb(150, 96, 44));
    hair.z = 3;
    hair.dome = 2.5;
    look.eyes(s, {14.9, 10.6}, {17.1, 10.6}, 0.6, rgb(40, 30, 30));
    return s;
}

Scene rat(const Look& look) {
    Scene s;
    const Colour fur = rgb(118, 100, 88);
    const Colour pink = rgb(214, 140, 140);
    s.capsule({16, 22}, {19, 27}, 0.9, 0.7, pink).z = 0.5;
    s.capsule({19, 27}, {17, 30}, 0.7, 0.4, pink).z = 0.5;
    for (double y : {13.0, 19.5})
        for (double side : {-1.0, 1.0})
            s.circle({16 + side * 4.2, y}, 1.1, pink).z = 0.5;
    s.ellipse({16, 17.5}, 4.3, 6.2, fur).dome = 2.5;
    s.ellipse({16, 11}, 2.9, 3.6, mix(fur, rgb(140, 124, 110), 0.5));
    s.circle({13.6, 11.8}, 1.5, pink).z = 2.5;
    s.circle({18.4, 11.8}, 1.5, pink).z = 2.5;
    s.circle({16, 7.6}, 0.9, rgb(230, 120, 130)).z = 3;
    look.eyes(s, {14.9, 9.6}, {17.1, 9.6}, 0.65, rgb(255, 40, 40));
    return s;
}

Scene bat(const Look& look) {
    Scene s;
    const Colour membrane = rgb(138, 98, 112);
    const Colour bone = rgb(84, 56, 70);
    for (double side : {-1.0, 1.0}) {
        auto x = [side](double v) { return 16 + side * v; };
        s.polygon({{x(2), 13},
                   {x(7), 10},
                   {x(13), 11},
                   {x(14), 15},
                   {x(12), 19},
                   {x(9.5), 17},
                   {x(7), 20},
                   {x(5), 17},
                   {x(2), 18}},
                  membrane)
            .z = 1;
        s.capsule({x(2), 14}, {x(7), 10.5}, 0.6, 0.6, bone).z = 2;
        s.capsule({x(7), 10.5}, {x(13), 11.5}, 0.6, 0.5, bone).z = 2;
        s.capsule({x(7), 10.5}, {x(9.5), 17}, 0.5, 0.4, bone).z = 2;
        s.capsule({x(7), 10.5}, {x(5), 17}, 0.5, 0.4, bone).z = 2;
    }
    s.ellipse({16, 16.5}, 2.8, 4.2, rgb(112, 82, 80)).dome = 2.5;
    s.circle({16, 12}, 2.4, rgb(126, 92, 90));
    s.polygon({{13.6, 11}, {14.2, 7.8}, {15.4, 10.4}}, rgb(110, 74, 84)).z = 3;
    s.polygon({{18.4, 11}, {17.8, 7.8}, {16.6, 10.4}}, rgb(110, 74, 84)).z = 3;
    look.eyes(s, {15, 11}, {17, 11}, 0.6, rgb(255, 60, 40));
    return s;
}

Scene snake(const Look& look) {
    Scene s;
    const Colour a = rgb(84, 150, 64), b = rgb(52, 98, 40);
    const int n = 14;
    auto at = [](double t) { return Point{16 + 6.5 * std::sin(t * 6.283 * 1.1), 29 - 20 * t}; };
    for (int i = 0; i < n; ++i) {
        const double t0 = double(i) / n, t1 = double(i + 1) / n;
        auto& seg = s.capsule(at(t0), at(t1), 0.8 + 2.0 * t0, 0.8 + 2.0 * t1, i % 2 ? a : b);
        seg.z = 1 + 0.05 * i;
        seg.dome = 2;
    }
    if (!look.dead) {
        s.capsule({16, 5}, {16, 2.5}, 0.35, 0.35, rgb(220, 40, 50)).z = 2;
        s.capsule({16, 2.5}, {15, 1.2}, 0.3, 0.3, rgb(220, 40, 50)).z = 2;
        s.capsule({16, 2.5}, {17, 1.2}, 0.3, 0.3, rgb(220, 40, 50)).z = 2;
    }
    auto& head = s.ellipse({16, 7.5}, 3.2, 3.9, rgb(70, 124, 52));
    head.z = 2;
    head.dome = 2.5;
    s.ellipse({16, 8.6}, 1.2, 2.0, rgb(120, 170, 70)).z = 4;
    look.eyes(s, {14.4, 6.6}, {17.6, 6.6}, 0.75, rgb(250, 220, 40));
    return s;
}

// Shared humanoid: shoulders, arms reaching forward, a head on top.
struct Humanoid {
    double shoulderW, shoulderD, headR, armR;
    Colour body, skin, arms;
};

void humanoid(Scene& s, const Humanoid& h) {
    s.capsule({16 - h.shoulderW + 1.5, 17}, {16 - h.shoulderW + 1, 11}, h.armR, h.armR * 0.9, h.arms).z = 2;
    s.capsule({16 + h.shoulderW - 1.5, 17}, {16 + h.shoulderW - 1, 11}, h.armR, h.armR * 0.9, h.arms).z = 2;
    s.ellipse({16, 17}, h.shoulderW, h.shoulderD, h.body).dome = 2.5;
    auto& head = s.circle({16, 15}, h.headR, h.skin);
    head.z = 3;
    head.dome = 2.5;
}

Scene goblin(const Look& look) {
    Scene s;
    const Colour green = rgb(96, 150, 62);
    blade(s, {21.5, 12}, {21.5, 4.5}, 0.9, rgb(170, 170, 176));
    humanoid(s, {6.5, 4, 3.4, 1.3, rgb(110, 80, 50), green, green});
    s.polygon({{12.8, 14}, {9, 12}, {13, 16}}, green).z = 3;
    s.polygon({{19.2, 14}, {23, 12}, {19, 16}}, green).z = 3;
    s.circle({16, 12.4}, 1.0, rgb(80, 130, 50)).z = 4;
    look.eyes(s, {14.8, 13}, {17.2, 13}, 0.7, rgb(250, 230, 60));
    return s;
}

Scene skeleton(const Look& look) {
    Scene s;
    const Colour bone = rgb(224, 216, 190);
    const Colour dark = rgb(46, 40, 40);
    blade(s, {22, 12}, {22, 3.5}, 1.0, rgb(150, 110, 80));
    s.capsule({9, 16}, {9, 11}, 0.9, 0.8, bone).z = 2;
    s.capsule({23, 16}, {22, 11.5}, 0.9, 0.8, bone).z = 2;
    s.capsule({16, 17}, {16, 25}, 0.9, 0.8, bone).z = 1;
    for (int i = 0; i < 4; ++i) {
        const double y = 17.5 + i * 1.9;
        const double w = 5.5 - i * 0.8;
        s.capsule({16 - w, y}, {16 + w, y}, 0.6, 0.6, bone).z = 1.5;
    }
    s.capsule({9, 16}, {23, 16}, 1.1, 1.1, bone).z = 2;
    auto& skull = s.ellipse({16, 13}, 3.6, 4.0, bone);
    skull.z = 3;
    skull.dome = 2.5;
    for (double x : {14.6, 17.4})
        s.circle({x, 11}, 1.0, dark).z = 3.5; // empty sockets
    look.eyes(s, {14.6, 11}, {17.4, 11}, 0.6, rgb(230, 50, 30));
    return s;
}

Scene orc(const Look& look) {
    Scene s;
    const Colour skin = rgb(108, 128, 78);
    // War axe held forward.
    s.capsule({23, 15}, {23, 5}, 0.8, 0.8, rgb(96, 64, 36)).z = 2.5;
    s.polygon({{23, 5.5}, {27, 4.5}, {28, 8}, {27, 11.5}, {23, 9.5}}, rgb(150, 154, 162)).z = 3;
    humanoid(s, {8.6, 5.2, 4.0, 1.9, rgb(78, 80, 88), skin, skin});
    s.circle({8.5, 16.5}, 2.6, rgb(110, 112, 120)).z = 3.2;
    s.circle({23.5, 16.5}, 2.6, rgb(110, 112, 120)).z = 3.2;
    s.capsule({14.2, 11.8}, {14, 10.2}, 0.5, 0.35, rgb(236, 230, 210)).z = 4;
    s.capsule({17.8, 11.8}, {18, 10.2}, 0.5, 0.35, rgb(236, 230, 210)).z = 4;
    look.eyes(s, {14.8, 12.6}, {17.2, 12.6}, 0.7, rgb(255, 90, 40));
    return s;
}

Scene troll(const Look& look) {
    Scene s;
    const Colour skin = rgb(112, 132, 124);
    const Colour moss = rgb(78, 104, 70);
    s.capsule({24, 15}, {26, 3}, 1.8, 2.8, rgb(104, 72, 44)).z = 2; // club
    s.capsule({7, 18}, {6, 9}, 2.8, 2.4, skin).z = 2;
    s.capsule({25, 18}, {24.5, 12}, 2.8, 2.4, skin).z = 2;
    s.circle({6, 8.5}, 2.8, skin).z = 2.5;
    auto& body = s.ellipse({16, 19}, 10.5, 8.5, skin);
    body.dome = 3.5;
    body.pattern = [moss](Point p, Colour c) {
        const double v = std::sin(p.x * 0.9) * std::cos(p.y * 1.1);
        return v > 0.55 ? moss : c;
    };
    auto& head = s.circle({16, 11.5}, 4.6, mix(skin, rgb(140, 150, 130), 0.4));
    head.z = 3.5;
    head.dome = 2.5;
    look.eyes(s, {14.4, 9.4}, {17.6, 9.4}, 0.8, rgb(255, 200, 60));
    return s;
}

Scene wraith(const Look& look) {
    Scene s;
    const Colour robe = rgb(96, 104, 150);
    auto& tatters = s.polygon({{6, 16},
                               {26, 16},
                               {27, 24},
                               {24, 22},
                               {23, 29},
                               {20, 25},
                               {16, 30},
                               {12, 25},
                               {9, 29},
                               {8, 22},
                               {5, 24}},
                              scaled(robe, 0.8));
    tatters.z = 0.5;
    const Colour claw = rgb(190, 200, 210);
    for (double side : {-1.0, 1.0}) {
        s.capsule({16 + side * 7, 16}, {16 + side * 6, 8}, 2.0, 1.6, robe).z = 2;
        for (double f : {-1.0, 0.0, 1.0})
            s.capsule({16 + side * 6, 8}, {16 + side * 6 + f * 1.4, 5.5}, 0.45, 0.3, claw).z = 2.5;
    }
    auto& body = s.ellipse({16, 16}, 9, 6.5, robe);
    body.dome = 3;
    body.pattern = [](Point p, Colour c) {
        return std::fmod(p.x + p.y * 0.3 + 40, 4.0) < 1.0 ? scaled(c, 0.75) : c;
    };
    auto& hood = s.ellipse({16, 13}, 4.6, 5, rgb(70, 74, 116));
    hood.z = 3;
    hood.dome = 2.5;
    s.ellipse({16, 11}, 2.8, 2.2, rgb(10, 8, 16)).z = 4;
    look.eyes(s, {14.9, 10.6}, {17.1, 10.6}, 0.75, rgb(120, 240, 255));
    return s;
}

Scene dragon(const Look& look) {
    Scene s;
    const Colour scale = rgb(190, 54, 36);
    const Colour wing = rgb(150, 46, 40);
    const Colour belly = rgb(236, 170, 80);
    const Colour horn = rgb(236, 224, 186);
    // Tail curling behind.
    Point prev{16, 24};
    for (int i = 1; i <= 5; ++i) {
        const Point next{16 + 3.5 * std::sin(i * 0.9), 24 + i * 1.2};
        s.capsule(prev, next, 3.0 - i * 0.4, 2.6 - i * 0.4, scale).z = 0.5;
        prev = next;
    }
    // Broad wings, half spread: the widest thing in the maze.
    for (double side : {-1.0, 1.0}) {
        auto x = [side](double v) { return 16 + side * v; };
        s.polygon({{x(4), 11},
                   {x(9), 4.5},
                   {x(14.5), 7},
                   {x(15), 14},
                   {x(13.5), 20},
                   {x(11), 18},
                   {x(9), 23},
                   {x(7), 20},
                   {x(4), 22}},
                  wing)
            .z = 1;
        for (Point tip : {Point{x(14.5), 7}, Point{x(13.5), 20}, Point{x(9), 23}})
            s.capsule({x(5), 11}, tip, 1.0, 0.5, scaled(scale, 0.75)).z = 2;
    }
    auto& body = s.ellipse({16, 16.5}, 6.8, 9, scale);
    body.dome = 3.5;
    body.pattern = [belly](Point p, Colour c) {
        const double ridge = std::fabs(p.x - 16);
        return ridge < 1.6 && std::fmod(p.y, 2.0) < 1.0 ? belly : c;
    };
    s.capsule({16, 10}, {16, 6.5}, 3.4, 3.0, scale).z = 2.5;
    auto& head = s.ellipse({16, 5.2}, 4.2, 4.4, scale);
    head.z = 3.5;
    head.dome = 2.5;
    s.capsule({13.4, 6}, {10.6, 9.6}, 1.0, 0.4, horn).z = 4.5;
    s.capsule({18.6, 6}, {21.4, 9.6}, 1.0, 0.4, horn).z = 4.5;
    s.circle({14.8, 1.8}, 0.6, rgb(60, 10, 10)).z = 4;
    s.circle({17.2, 1.8}, 0.6, rgb(60, 10, 10)).z = 4;
    look.eyes(s, {14.2, 4.6}, {17.8, 4.6}, 0.9, rgb(255, 230, 60));
    return s;
}

} // namespace

namespace {

// Each creature's drawn size (the largest fill their tile) and the pale rim that
// lifts it off the dark floor, in a tint of its own colour.
struct Kind {
    Scene (*paint)(const Look&);
    double size;
    Colour rim;
};

const Kind kKinds[] = {
    {player, 1.0, rgb(150, 200, 255)},  {rat, 0.85, rgb(236, 214, 180)},
    {bat, 0.85, rgb(226, 190, 240)},    {snake, 0.85, rgb(196, 240, 150)},
    {goblin, 0.88, rgb(230, 236, 140)}, {skeleton, 0.92, rgb(250, 246, 226)},
    {orc, 1.0, rgb(240, 200, 160)},     {troll, 1.0, rgb(190, 236, 220)},
    {wraith, 0.95, rgb(170, 236, 255)}, {dragon, 1.0, rgb(255, 200, 110)},
};

const Kind& kind(int creature) {
    return kKinds[creature >= 0 && creature <= 9 ? creature : 9];
}

} // namespace

Scene creatureScene(int creature, bool dead) {
    Scene s = kind(creature).paint(Look{dead});
    if (dead) s.fade(0.3, 0.75);
    return s;
}

double creatureSize(int creature) {
    return kind(creature).size;
}

namespace {

Image renderFrames(const Scene& scene, const RenderStyle& style) {
    Image img(kTile * kTilesPerRow, kTile);
    for (int frame = 0; frame < 8; ++frame)
        renderScene(scene, frameAngle(frame), img, frame * kTile, 0, style);
    return img;
}

bool touchesBorder(const Image& img) {
    for (int i = 0; i < 8 * kTile; ++i) {
        const int x = (i / kTile) * kTile;
        const int along = i % kTile;
        for (Rgb c : {img.at(x + along, 0), img.at(x + along, kTile - 1), img.at(x, along),
                      img.at(x + kTile - 1, along)})
            if (!(c == kTransparent)) return true;
    }
    return false;
}

double linear(std::uint8_t v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The darkest frame's body, averaged in linear light as the eye adds up small pixels.
double dimmestBody(const Image& img) {
    double dimmest = 1;
    for (int frame = 0; frame < 8; ++frame) {
        double r = 0, g = 0, b = 0;
        int n = 0;
        for (int y = 0; y < kTile; ++y)
            for (int x = frame * kTile; x < (frame + 1) * kTile; ++x)
                if (const Rgb c = img.at(x, y); !(c == kTransparent)) {
                    r += linear(c.r), g += linear(c.g), b += linear(c.b);
                    ++n;
                }
        if (n > 0) dimmest = std::min(dimmest, (0.2126 * r + 0.7152 * g + 0.0722 * b) / n);
    }
    return dimmest;
}

// Bright enough to stand out from the dark floor even where three pixels in
// four of the light's dither are black.
constexpr double kBodyLuminance = 0.34;

} // namespace

Image makeCreatureSheet(int creature) {
    const Scene scene = creatureScene(creature, false);
    RenderStyle style;
    style.outline = kind(creature).rim;
    style.scale = kind(creature).size;
    // Shrink the largest creatures until every turned frame keeps clear of
    // the tile border, so neighbouring cells never cut them off.
    while (style.scale >= 0.5 && touchesBorder(renderFrames(scene, style)))
        style.scale -= 0.03;
    // Then pale the darkest bodies towards their rim until they read.
    for (;; style.lighten += 0.05) {
        Image img = renderFrames(scene, style);
        if (dimmestBody(img) >= kBodyLuminance || style.lighten >= 0.9) return img;
    }
}

} // namespace gloamfell::tools
