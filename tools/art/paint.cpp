#include "paint.hpp"

#include "../common/rng.hpp"

#include <algorithm>
#include <cmath>

namespace gloamfell::tools {

namespace {

constexpr double kPi = 3.14159265358979323846;

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

struct Hit {
    bool inside = false;
    double edge = 0; // 0 at the spine of the shape, 1 on its rim
};

Hit hitEllipse(const Shape& s, Point p) {
    const double rad = s.angle * kPi / 180.0;
    const double dx = p.x - s.a.x, dy = p.y - s.a.y;
    const double qx = dx * std::cos(rad) + dy * std::sin(rad);
    const double qy = -dx * std::sin(rad) + dy * std::cos(rad);
    const double t = (qx * qx) / (s.b.x * s.b.x) + (qy * qy) / (s.b.y * s.b.y);
    return {t <= 1.0, std::sqrt(t)};
}

Hit hitCapsule(const Shape& s, Point p) {
    const double vx = s.b.x - s.a.x, vy = s.b.y - s.a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((p.x - s.a.x) * vx + (p.y - s.a.y) * vy) / len2 : 0;
    t = clamp01(t);
    const double cx = s.a.x + t * vx, cy = s.a.y + t * vy;
    const double d = std::hypot(p.x - cx, p.y - cy);
    const double r = s.ra + t * (s.rb - s.ra);
    return {d <= r, r > 0 ? d / r : 1};
}

double segmentDistance(Point p, Point a, Point b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    const double t = len2 > 0 ? clamp01(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2) : 0;
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

Hit hitPolygon(const Shape& s, Point p) {
    bool inside = false;
    double nearest = 1e9;
    const auto& v = s.poly;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        if (((v[i].y > p.y) != (v[j].y > p.y)) &&
            p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
            inside = !inside;
        nearest = std::min(nearest, segmentDistance(p, v[i], v[j]));
    }
    const double bevel = 2.5;
    return {inside, 1.0 - clamp01(nearest / bevel)};
}

} // namespace

Colour rgb(int r, int g, int b) {
    return {double(r), double(g), double(b)};
}

Colour mix(Colour a, Colour c, double t) {
    return {a.r + (c.r - a.r) * t, a.g + (c.g - a.g) * t, a.b + (c.b - a.b) * t};
}

Colour scaled(Colour c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}

Rgb toRgb(Colour c) {
    auto ch = [](double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 254L)); };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

Shape& Scene::ellipse(Point c, double rx, double ry, Colour col, double angle) {
    Shape s;
    s.kind = Shape::Kind::Ellipse;
    s.a = c;
    s.b = {rx, ry};
    s.angle = angle;
    s.colour = col;
    shapes_.push_back(s);
    return shapes_.back();
}

Shape& Scene::capsule(Point a, Point b, double ra, double rb, Colour col) {
    Shape s;
    s.kind = Shape::Kind::Capsule;
    s.a = a;
    s.b = b;
    s.ra = ra;
    s.rb = rb;
    s.colour = col;
    s.dome = 1.2;
    shapes_.push_back(s);
    return shapes_.back();
}

Shape& Scene::polygon(std::vector<Point> pts, Colour col) {
    Shape s;
    s.kind = Shape::Kind::Polygon;
    s.poly = std::move(pts);
    s.colour = col;
    s.dome = 0.8;
    shapes_.push_back(s);
    return shapes_.back();
}

Scene::Sample Scene::sample(Point p) const {
    for (auto it = shapes_.rbegin(); it != shapes_.rend(); ++it) {
        const Shape& s = *it;
        Hit h;
        switch (s.kind) {
        case Shape::Kind::Ellipse:
            h = hitEllipse(s, p);
            break;
        case Shape::Kind::Capsule:
            h = hitCapsule(s, p);
            break;
        case Shape::Kind::Polygon:
            h = hitPolygon(s, p);
            break;
        }
        if (!h.inside) continue;
        const double e = clamp01(h.edge);
        const double grain = hashNoise(int(std::floor(p.x)), int(std::floor(p.y)), 77) - 0.5;
        Sample out;
        out.hit = true;
        const Colour c = scaled(s.pattern ? s.pattern(p, s.colour) : s.colour, 1.0 + s.grain * grain);
        const double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
        out.colour = scaled(mix({grey, grey, grey}, c, saturation_), brightness_);
        out.height = s.z + s.dome * std::sqrt(1.0 - e * e);
        out.emissive = s.emissive && brightness_ >= 1;
        return out;
    }
    return {};
}

void renderScene(const Scene& scene, double angleDeg, Image& dst, int ox, int oy, const RenderStyle& style) {
    const int kSize = style.size;
    const double unitsPerPixel = 32.0 / kSize;
    constexpr int kSub = 4;
    const double rad = angleDeg * kPi / 180.0;
    const double cs = std::cos(rad) / style.scale, sn = std::sin(rad) / style.scale;

    struct Px {
        bool opaque = false;
        Colour colour;
        double height = 0;
        bool emissive = false;
    };
    std::vector<Px> px(kSize * kSize);

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Colour sum;
            double hsum = 0;
            int hits = 0, glow = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const double X = (x + (sx + 0.5) / kSub) * unitsPerPixel - 16.0;
                    const double Y = (y + (sy + 0.5) / kSub) * unitsPerPixel - 16.0;
                    // Undo the clockwise rotation to look the point up in the sprite.
                    const Point q{(X * cs + Y * sn) / style.width + 16.0, -X * sn + Y * cs + 16.0};
                    const auto s = scene.sample(q);
                    if (!s.hit) continue;
                    ++hits;
                    glow += s.emissive ? 1 : 0;
                    sum.r += s.colour.r;
                    sum.g += s.colour.g;
                    sum.b += s.colour.b;
                    hsum += s.height;
                }
            }
            Px& p = px[y * kSize + x];
            if (hits >= style.coverage * kSub * kSub) {
                p.opaque = true;
                p.colour = scaled(sum, 1.0 / hits);
                p.height = hsum / hits;
                p.emissive = glow * 2 > hits;
            }
        }
    }

    auto heightAt = [&](int x, int y, double fallback) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize || !px[y * kSize + x].opaque) return fallback;
        return px[y * kSize + x].height;
    };

    const double lx = -0.55, ly = -0.65, lz = 0.52;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Px& p = px[y * kSize + x];
            if (!p.opaque) {
                bool edge = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const bool diagonal = dx != 0 && dy != 0;
                        if ((dx == 0 && dy == 0) || (diagonal && !style.outlineDiagonals)) continue;
                        const int nx = x + dx, ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && px[ny * kSize + nx].opaque)
                            edge = true;
                    }
                if (edge) dst.set(ox + x, oy + y, toRgb(style.outline));
                continue;
            }
            if (p.emissive) {
                dst.set(ox + x, oy + y, toRgb(p.colour));
                continue;
            }
            const double low = p.height - 1.5;
            // Slopes per scene unit, so a larger cell shades like the tile.
            const double gx = (heightAt(x + 1, y, low) - heightAt(x - 1, y, low)) * 0.5 / unitsPerPixel;
            const double gy = (heightAt(x, y + 1, low) - heightAt(x, y - 1, low)) * 0.5 / unitsPerPixel;
            const double nlen = std::sqrt(gx * gx + gy * gy + 1.0);
            const double dot = (-gx * lx - gy * ly + lz) / nlen;
            const double k = std::clamp(1.0 + style.relief * (dot - lz), 0.45, 1.45);
            // Higher parts sit nearer the light.
            const double lift = 0.9 + 0.05 * std::min(p.height, 4.0);
            dst.set(ox + x, oy + y, toRgb(mix(scaled(p.colour, k * lift), style.outline, style.lighten)));
        }
    }
}

double frameAngle(int frame) {
    // Frames run south-west, south, south-east, east, north-east, north, north-west, west.
    return std::fmod(225.0 - 45.0 * frame + 720.0, 360.0);
}

} // namespace gloamfell::tools
