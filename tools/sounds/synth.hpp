#pragma once

#include <string>
#include <vector>

namespace gloamfell::tools {

struct Sound {
    std::string file;
    std::vector<double> samples; // mono, peak normalised, silent at both ends
};

// The game's sound set in sound-number order (1 is caneswish.wav).
std::vector<Sound> makeSounds();

// Scales to the given peak and fades both ends so playback starts and
// stops without a click.
void finish(std::vector<double>& samples, double peak, double fadeInSeconds, double fadeOutSeconds);

} // namespace gloamfell::tools
