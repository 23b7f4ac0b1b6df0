#pragma once
// Key sounds through their own device, apart from the music player. A request sets the pending
// code and starts the 30 ms ShengYingTimer if it is not running; the tick plays the code set
// last, so a burst of requests sounds once.
#include <QObject>
#include <QTimer>
#include <filesystem>

namespace qh {

class SoundDevice;

class KeySounds : public QObject {
    Q_OBJECT
public:
    // `folder` is AppDir + "按键音乐".
    KeySounds(SoundDevice& device, std::filesystem::path folder, QObject* parent = nullptr);

    void request(int code);
    int pendingCode() const { return code_; }
    // The closing sound plays at once, without the timer.
    void playClosingSound();

    QTimer& timer() { return timer_; }

private:
    void ShengYingTimerTimer();
    void playFile(int code);

    SoundDevice& device_;
    std::filesystem::path folder_;
    QTimer timer_;
    int code_ = 0;
};

}  // namespace qh
