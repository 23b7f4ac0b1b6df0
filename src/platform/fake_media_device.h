#pragma once
// The music player's device for tests: it records what the player asked of it, and the test moves
// its position and ends its files, as time would.
#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "platform/media_device.h"

namespace qh {

class FakeMediaDevice final : public MediaDevice {
public:
    void openAndPlay(const std::filesystem::path& file) override {
        opened.push_back(file);
        const bool fails = failing.contains(file);
        // A file that cannot be decoded has no length, as on the real device.
        current = {0, fails ? 0 : lengthFor(file), false, fails};
        playing = !fails;
        paused = false;
    }
    void pause() override {
        if (playing) {
            playing = false;
            paused = true;
        }
    }
    void resume() override {
        if (!opened.empty() && !current.failed) {
            playing = true;
            paused = false;
        }
    }
    void stop() override {
        current.position = 0;
        current.ended = false;
        playing = false;
        paused = false;
        ++stops;
    }
    void seek(std::int64_t milliseconds) override {
        current.position = milliseconds;
        current.ended = false;
        seeks.push_back(milliseconds);
    }
    MediaStatus status() const override { return current; }
    void setVolume(int value) override { volume = value; }

    std::int64_t lengthFor(const std::filesystem::path& file) const {
        const auto found = lengths.find(file);
        return found != lengths.end() ? found->second : defaultLength;
    }

    std::vector<std::filesystem::path> opened;
    MediaStatus current;
    bool paused = false;
    bool playing = false;
    std::vector<std::int64_t> seeks;
    int volume = -1;
    int stops = 0;

    // The length a file opens with; others get defaultLength.
    std::map<std::filesystem::path, std::int64_t> lengths;
    std::int64_t defaultLength = 180000;
    // Files that open as failed and do not play.
    std::set<std::filesystem::path> failing;
};

}  // namespace qh
