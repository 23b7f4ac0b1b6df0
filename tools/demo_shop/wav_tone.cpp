#include "wav_tone.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "media/tone_wav.h"

namespace qh::demo {

namespace {

// The pentatonic scale over two octaves from middle C, in semitones.
constexpr int kScale[] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21};
constexpr double kMiddleC = 261.63;

}  // namespace

std::string melodyWav(DemoRandom& random, double seconds, int sampleRate) {
    std::vector<Tone> notes;
    int remaining = static_cast<int>(seconds * 1000);
    while (remaining > 0) {
        const int length = std::min(remaining, static_cast<int>(150 + 250 * random.unit()));
        const int semitone = kScale[random.below(std::size(kScale))];
        const double frequency = kMiddleC * std::exp2(semitone / 12.0);
        notes.push_back({frequency, frequency, length});
        remaining -= length;
    }
    return makeToneWav(notes, sampleRate, 0.35);
}

}  // namespace qh::demo
