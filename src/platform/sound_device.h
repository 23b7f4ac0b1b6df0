#pragma once
// A media device for short sounds. Opening a file closes the one before, so a new sound cuts
// off one still playing.
#include <filesystem>

namespace qh {

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    // Starts playing and returns at once. A device that cannot play stays silent.
    virtual void play(const std::filesystem::path& file) = 0;
};

}  // namespace qh
