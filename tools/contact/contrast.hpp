#pragma once
// How well each creature stands out from the floor as the view draws it: the
// contrast between its body and the floor, both under the same light band.
#include <array>
#include <string>
#include <vector>

#include "map/sight.h"

namespace gloamfell::tools {

// Every band a lit cell can have, full light first; the band after the last is darkness.
inline constexpr int kLitBands = gf::kUnlit;

struct CreatureContrast {
    std::string name; // "user" for the user's creature, else the monster's name
    int sheet = 0;    // the playerN.bmp it is drawn from
    // Per band, the lowest over the eight facings.
    std::array<double, kLitBands> ratio{};
};

// WCAG relative luminance of a colour given in linear light.
double luminance(double r, double g, double b);
// Linear light of an sRGB channel of 0 to 255.
double linearChannel(int value);
// WCAG contrast ratio of two luminances, the lighter over the darker.
double contrastRatio(double a, double b);

// The luminance of the floor's darkest pixel in full light, as the canvas draws it.
double darkestFloor(const std::string& dataFolder);

// The user's creature, then every monster type of the folder's catalogue, each
// drawn by the game's own canvas over the floor with the light laid over it.
std::vector<CreatureContrast> measureContrast(const std::string& dataFolder);

} // namespace gloamfell::tools
