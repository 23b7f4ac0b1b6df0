#pragma once
// Records the sound files the program played, in order.
#include <vector>

#include "platform/sound_device.h"

namespace qh {

class FakeSoundDevice final : public SoundDevice {
public:
    void play(const std::filesystem::path& file) override { played.push_back(file); }
    std::vector<std::filesystem::path> played;
};

}  // namespace qh
