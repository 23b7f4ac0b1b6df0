#include "platform/qt_media_device.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>

#include "platform/host_path_text.h"

namespace qh {

namespace {

constexpr int kLoudest = 65535;

}  // namespace

QtMediaDevice::QtMediaDevice()
    : output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>()) {
    player_->setAudioOutput(output_.get());
    QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, player_.get(),
                     [this](QMediaPlayer::Error error) {
                         if (error != QMediaPlayer::NoError) {
                             failed_ = true;
                         }
                     });
    QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, player_.get(),
                     [this](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::InvalidMedia) {
                             failed_ = true;
                         }
                     });
}

QtMediaDevice::~QtMediaDevice() = default;

bool QtMediaDevice::available() const {
    return player_->isAvailable();
}

void QtMediaDevice::openAndPlay(const std::filesystem::path& file) {
    // The file before is closed first: told the same file again, the player would keep its end
    // and its error a while, and the player column would take the new start for an end.
    player_->stop();
    player_->setSource(QUrl());
    failed_ = false;
    player_->setSource(QUrl::fromLocalFile(hostPathText(file)));
    if (!player_->isAvailable()) {
        failed_ = true;
        return;
    }
    player_->play();
}

void QtMediaDevice::pause() {
    player_->pause();
}

void QtMediaDevice::resume() {
    player_->play();
}

void QtMediaDevice::stop() {
    player_->stop();
    player_->setPosition(0);
}

void QtMediaDevice::seek(std::int64_t milliseconds) {
    player_->setPosition(std::max<std::int64_t>(milliseconds, 0));
}

MediaStatus QtMediaDevice::status() const {
    const bool failed = failed_ || player_->error() != QMediaPlayer::NoError ||
                        player_->mediaStatus() == QMediaPlayer::InvalidMedia;
    return {
        .position = player_->position(),
        .length = player_->duration(),
        .ended = !failed && player_->mediaStatus() == QMediaPlayer::EndOfMedia,
        .failed = failed,
    };
}

void QtMediaDevice::setVolume(int value) {
    output_->setVolume(static_cast<float>(std::clamp(value, 0, kLoudest)) / kLoudest);
}

}  // namespace qh
