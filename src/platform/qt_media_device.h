#pragma once
#include <memory>

#include "platform/media_device.h"

class QAudioOutput;
class QMediaPlayer;

namespace qh {

// The music player's own Qt Multimedia player. Its volume is that of its own output only, so the
// key sounds and the desktop's mixer keep theirs.
class QtMediaDevice final : public MediaDevice {
public:
    QtMediaDevice();
    ~QtMediaDevice() override;

    // False when Qt Multimedia has no backend here; such a device fails every file.
    bool available() const;

    void openAndPlay(const std::filesystem::path& file) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void seek(std::int64_t milliseconds) override;
    MediaStatus status() const override;
    void setVolume(int value) override;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    // Kept from the player's reports, which the player itself forgets as its state moves on.
    bool failed_ = false;
};

}  // namespace qh
