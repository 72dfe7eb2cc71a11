#include "sound/sound.h"

#include "state/game.h"
#include "state/guard.h"
#include "util/files.h"

namespace gf {

static_assert(kSoundFiles.size() == kSoundCount);

void loadSounds(Game& g) {
    guarded(g, "modSound_Init", [&] {
        g.sounds.loaded.fill(false);
        if (!g.io.sound.init(kSoundCount)) {
            g.sounds.enabled = false;
            return;
        }
        for (const SoundFile& s : kSoundFiles) {
            const std::string error = g.io.sound.load(fileIn(g.folder, s.file), s.number);
            if (error.empty())
                g.sounds.loaded[static_cast<std::size_t>(s.number - 1)] = true;
            else
                showError(g, "Unable to load this sample. Check to see if it's in PCM format. : " + error);
        }
        g.sounds.enabled = true;
    });
}

void playSound(Game& g, int32_t number) {
    guarded(g, "modSound_Play", [&] {
        if (!g.sounds.enabled || number == 0) return;
        if (number < 0 || number > kSoundCount) fail(kSubscriptOutOfRange);
        g.io.sound.play(number); // a buffer that failed to load stays silent
    });
}

} // namespace gf
