#pragma once
// Playable audio for the demo songs: a short melody of sine tones as 16-bit PCM mono WAV. The
// shop's songs are named .mp3, but the player's GStreamer backend recognises the content by its
// header whatever the extension, so WAV plays and costs no encoder.
#include <string>

#include "demo_random.h"

namespace qh::demo {

inline constexpr int kDemoSampleRate = 8000;

// The complete file: RIFF header, "fmt " chunk, "data" chunk of seconds * sampleRate samples.
std::string melodyWav(DemoRandom& random, double seconds, int sampleRate = kDemoSampleRate);

}  // namespace qh::demo
