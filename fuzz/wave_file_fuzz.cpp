// Any bytes as a sound effect, read as start-up reads each one and turned into
// the stereo frames the mixer plays.
#include "fuzz_folder.h"
#include "sound/wave_file.h"

#include <algorithm>
#include <cmath>

using namespace gf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const fuzz::FuzzFolder folder;
    const std::string path = folder.write("walk.wav", data, size);
    WaveData wave;
    const std::string why = readWaveFile(path, wave);
    if (!why.empty()) {
        // The box must say which of the thirteen files it means.
        fuzz::require(why.ends_with(path), "the error does not name the file: " + why);
        return 0;
    }
    fuzz::require(wave.channels >= 1 && wave.samples.size() % static_cast<std::size_t>(wave.channels) == 0,
                  "the samples are not whole frames");
    for (const int rate : {8000, 44100, 48000}) {
        const std::vector<float> stereo = toStereo(wave, rate);
        fuzz::require(stereo.size() % 2 == 0, "the stereo frames are not pairs");
        fuzz::require(std::all_of(stereo.begin(), stereo.end(),
                                  [](float v) { return std::isfinite(v) && v >= -1.0f && v <= 1.0f; }),
                      "a sample lies outside -1 to 1");
    }
    return 0;
}
