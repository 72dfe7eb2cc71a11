#pragma once

#include "../common/image.hpp"

#include <cstdint>
#include <functional>
#include <vector>

namespace gloamfell::tools {

struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour rgb(int r, int g, int b);
Colour mix(Colour a, Colour c, double t);
Colour scaled(Colour c, double k);
// Clamps into the opaque range: pure white is reserved for transparency.
Rgb toRgb(Colour c);

struct Point {
    double x = 0, y = 0;
};

// One solid of a top-down sprite. Heights feed the relief lighting, so a
// dome bulges towards the viewer and catches the light from the top-left.
struct Shape {
    enum class Kind { Ellipse, Capsule, Polygon };
    Kind kind = Kind::Ellipse;
    Point a, b;            // ellipse: centre, radii; capsule: end points
    double ra = 0, rb = 0; // capsule radii at a and b
    double angle = 0;      // ellipse rotation in degrees
    std::vector<Point> poly;
    Colour colour;
    double z = 1;
    double dome = 2;
    double grain = 0.12;   // strength of the pixel noise
    bool emissive = false; // glowing parts ignore the lighting
    // Optional surface pattern, given the sprite point and the base colour.
    std::function<Colour(Point, Colour)> pattern;
};

// A sprite built of shapes in painter's order, 32 units square, centre
// (16, 16), facing north (up) when drawn unrotated.
class Scene {
public:
    Shape& ellipse(Point c, double rx, double ry, Colour col, double angle = 0);
    Shape& circle(Point c, double r, Colour col) { return ellipse(c, r, r, col); }
    Shape& capsule(Point a, Point b, double ra, double rb, Colour col);
    Shape& polygon(std::vector<Point> pts, Colour col);

    struct Sample {
        bool hit = false;
        Colour colour;
        double height = 0;
        bool emissive = false;
    };
    Sample sample(Point p) const;

    // Drains colour and light from every shape, and puts out anything glowing.
    void fade(double saturation, double brightness) {
        saturation_ = saturation;
        brightness_ = brightness;
    }

private:
    std::vector<Shape> shapes_;
    double saturation_ = 1;
    double brightness_ = 1;
};

struct RenderStyle {
    Colour outline = rgb(14, 10, 14);
    double coverage = 0.45; // fraction of subsamples needed for a pixel
    double relief = 0.9;    // strength of the top-left lighting
    bool outlineDiagonals = false;
    double lighten = 0; // how far each lit colour moves towards the outline's
    double scale = 1.0; // drawn size relative to the scene's 32 units
    double width = 1.0; // across the scene's own axis, relative to its length
    int size = 32;      // pixels across the cell
};

// Renders the scene rotated clockwise by angleDeg into dst at (ox, oy) in a
// square cell of style.size pixels, with a dark outline against the transparent background.
void renderScene(const Scene& scene, double angleDeg, Image& dst, int ox, int oy,
                 const RenderStyle& style = {});

// Clockwise rotation, in degrees from north, of creature sheet frame n.
double frameAngle(int frame);

} // namespace gloamfell::tools
