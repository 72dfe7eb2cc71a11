#include "sound/sound.h"

#include "shell/files.h"
#include "shell/game.h"
#include "shell/guard.h"

#include <array>

namespace gf {

namespace {
struct SoundFile {
    int number;
    const char* file;
};
// The order the buffers are filled in: beep2 comes ninth.
constexpr std::array<SoundFile, kSoundCount> kLoadOrder{{{1, "\\caneswish.wav"},
                                                         {2, "\\punch.wav"},
                                                         {3, "\\walk.wav"},
                                                         {4, "\\dooropen.wav"},
                                                         {5, "\\doorclose.wav"},
                                                         {6, "\\mouse.wav"},
                                                         {7, "\\ow.wav"},
                                                         {8, "\\beep1.wav"},
                                                         {13, "\\beep2.wav"},
                                                         {9, "\\snakehiss.wav"},
                                                         {10, "\\whistleup.wav"},
                                                         {11, "\\whistledown.wav"},
                                                         {12, "\\ready.wav"}}};
} // namespace

void modSound_Init(Game& g) {
    guarded(g, "modSound_Init", [&] {
        g.soundLoaded.fill(false);
        if (!g.io.sound.init(kSoundCount)) {
            g.SoundEnabled = false;
            return;
        }
        for (const SoundFile& s : kLoadOrder) {
            const std::string error = g.io.sound.load(programPath(g.folder, s.file), s.number);
            if (error.empty())
                g.soundLoaded[static_cast<std::size_t>(s.number - 1)] = true;
            else
                showError(g, "Unable to load this sample. Check to see if it's in PCM format. : " + error);
        }
        g.SoundEnabled = true;
    });
}

void modSound_Play(Game& g, int32_t number) {
    guarded(g, "modSound_Play", [&] {
        if (!g.SoundEnabled || number == 0) return;
        if (number < 0 || number > kSoundCount) fail(kSubscriptOutOfRange);
        g.io.sound.play(number); // a buffer that failed to load stays silent
    });
}

} // namespace gf
