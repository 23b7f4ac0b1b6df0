#pragma once
// The film preview window: the clerk lets a customer see a film before it is copied, where no
// outside video player is installed.
#include <QWidget>
#include <filesystem>

class QAudioOutput;
class QLabel;
class QMediaPlayer;
class QSlider;
class QVideoWidget;

namespace qh {

class VideoPreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit VideoPreviewWindow(QWidget* parent = nullptr);
    ~VideoPreviewWindow() override;

    // Shows the window over the others and plays the film from its start.
    void play(const std::filesystem::path& file);
    void stopPlaying();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void showPosition();
    void showFailure();

    QVideoWidget* video_ = nullptr;
    QSlider* position_ = nullptr;
    QLabel* time_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QMediaPlayer* player_ = nullptr;
    bool failed_ = false;
};

}  // namespace qh
