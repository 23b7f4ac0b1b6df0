#pragma once
// The music player's device: one audio file at a time, positions and lengths in milliseconds.
#include <cstdint>
#include <filesystem>

namespace qh {

struct MediaStatus {
    std::int64_t position = 0;  // ms
    std::int64_t length = 0;    // ms; 0 while not yet known
    bool ended = false;         // the file has played to its end
    bool failed = false;        // the file could not be opened or decoded
};

class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    // Opens `file`, closing whatever was open, and plays it from its start. Returns at once; a
    // file that cannot be played shows as failed in the status, soon after.
    virtual void openAndPlay(const std::filesystem::path& file) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Stops and goes back to the start; the file stays open.
    virtual void stop() = 0;
    virtual void seek(std::int64_t milliseconds) = 0;
    virtual MediaStatus status() const = 0;
    // 0..65535: the volume of this player's own output.
    virtual void setVolume(int value) = 0;
};

}  // namespace qh
