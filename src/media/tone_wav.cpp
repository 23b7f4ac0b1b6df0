#include "media/tone_wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace qh {

namespace {

void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

std::string makeToneWav(const std::vector<Tone>& tones, int sampleRate, double volume) {
    std::vector<std::int16_t> samples;
    const double fadeSamples = sampleRate * 0.005;
    for (const auto& tone : tones) {
        const int count = sampleRate * tone.milliseconds / 1000;
        double phase = 0;
        for (int i = 0; i < count; ++i) {
            const double progress = count > 1 ? double(i) / (count - 1) : 0.0;
            const double hz = tone.startHz + (tone.endHz - tone.startHz) * progress;
            phase += 2 * std::numbers::pi * hz / sampleRate;
            const double envelope = std::min({1.0, i / fadeSamples, (count - 1 - i) / fadeSamples});
            const double value = hz > 0 ? std::sin(phase) * envelope * volume : 0.0;
            samples.push_back(static_cast<std::int16_t>(std::lround(value * 32767)));
        }
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string wav = "RIFF";
    appendLittleEndian(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    appendLittleEndian(wav, 16, 4);  // format chunk size
    appendLittleEndian(wav, 1, 2);   // PCM
    appendLittleEndian(wav, 1, 2);   // mono
    appendLittleEndian(wav, sampleRate, 4);
    appendLittleEndian(wav, sampleRate * 2, 4);  // bytes per second
    appendLittleEndian(wav, 2, 2);               // bytes per frame
    appendLittleEndian(wav, 16, 2);              // bits per sample
    wav += "data";
    appendLittleEndian(wav, dataBytes, 4);
    for (const auto sample : samples) {
        appendLittleEndian(wav, static_cast<std::uint16_t>(sample), 2);
    }
    return wav;
}

}  // namespace qh
