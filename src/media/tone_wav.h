#pragma once
// Short tunes as 16-bit PCM mono WAV files: the key sounds and the demo shop's songs are made
// here rather than shipped, so every sound the program plays is our own.
#include <string>
#include <vector>

namespace qh {

struct Tone {
    double startHz = 0;  // 0 is a rest
    double endHz = 0;    // a sweep when it differs from startHz
    int milliseconds = 0;
};

// The whole file's bytes. Each tone fades in and out over a few milliseconds so it does not
// click.
std::string makeToneWav(const std::vector<Tone>& tones, int sampleRate = 22050,
                        double volume = 0.5);

}  // namespace qh
