#include "media/key_sounds.h"

#include <system_error>

#include "media/sound_cue.h"
#include "platform/sound_device.h"
#include "text/gbk.h"

namespace qh {

KeySounds::KeySounds(SoundDevice& device, std::filesystem::path folder, QObject* parent)
    : QObject(parent), device_(device), folder_(std::move(folder)) {
    timer_.setParent(this);
    timer_.setObjectName("ShengYingTimer");
    timer_.setInterval(30);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &KeySounds::ShengYingTimerTimer);
}

void KeySounds::request(int code) {
    code_ = code;
    if (!timer_.isActive()) {
        timer_.start();
    }
}

void KeySounds::playClosingSound() {
    playFile(kCueExit);
}

void KeySounds::ShengYingTimerTimer() {
    timer_.stop();
    playFile(code_);
}

void KeySounds::playFile(int code) {
    const auto name = soundCueFileName(code);
    if (name.empty()) {
        return;
    }
    const auto file = folder_ / gbkToHostName(name);
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        device_.play(file);
    }
}

}  // namespace qh
