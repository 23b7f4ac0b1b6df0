#include "platform/media_sound_device.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include "platform/host_path_text.h"

namespace qh {

MediaSoundDevice::MediaSoundDevice()
    : output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>()) {
    player_->setAudioOutput(output_.get());
}

MediaSoundDevice::~MediaSoundDevice() = default;

void MediaSoundDevice::play(const std::filesystem::path& file) {
    // Setting a new source closes the sound before, as the clerk expects of a key sound.
    player_->setSource(QUrl::fromLocalFile(hostPathText(file)));
    player_->play();
}

}  // namespace qh
