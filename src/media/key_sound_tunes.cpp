#include "media/key_sound_tunes.h"

#include "media/sound_cue.h"
#include "media/tone_wav.h"

namespace qh {

std::vector<KeySoundFile> keySoundFiles() {
    const struct {
        int code;
        std::vector<Tone> tones;
    } tunes[] = {
        {kCueStart, {{523, 523, 90}, {659, 659, 90}, {784, 784, 90}, {1047, 1047, 220}}},
        {kCueSelect, {{1320, 1320, 45}}},
        {kCueFound, {{660, 660, 80}, {0, 0, 20}, {880, 880, 120}}},
        {kCueCopy, {{784, 784, 60}, {988, 988, 60}, {1175, 1175, 60}, {1568, 1568, 140}}},
        {kCueError, {{220, 220, 120}, {0, 0, 60}, {196, 196, 180}}},
        {kCueExit, {{784, 784, 110}, {659, 659, 110}, {523, 523, 260}}},
        {kCueDelete, {{900, 280, 200}}},
    };
    std::vector<KeySoundFile> files;
    for (const auto& tune : tunes) {
        files.push_back({soundCueFileName(tune.code), makeToneWav(tune.tones)});
    }
    return files;
}

}  // namespace qh
