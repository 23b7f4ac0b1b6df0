#pragma once
#include <memory>

#include "platform/sound_device.h"

class QAudioOutput;
class QMediaPlayer;

namespace qh {

// A Qt Multimedia player of its own, so key sounds never disturb the music player.
class MediaSoundDevice final : public SoundDevice {
public:
    MediaSoundDevice();
    ~MediaSoundDevice() override;
    void play(const std::filesystem::path& file) override;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
};

}  // namespace qh
