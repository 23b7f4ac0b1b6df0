#include "windows/video_preview_window.h"

#include <QAudioOutput>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <algorithm>
#include <climits>

#include "platform/host_path_text.h"

namespace qh {

namespace {

// A film runs longer than an hour, so its minutes are not wrapped at 60 as a song's are.
QString timeText(qint64 milliseconds) {
    const qint64 seconds = std::max<qint64>(milliseconds, 0) / 1000;
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QPushButton* makeButton(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

VideoPreviewWindow::VideoPreviewWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("VideoPreview");
    setWindowTitle(QString::fromUtf8("青禾点唱 影片预览"));
    resize(640, 480);
    buildControls();
}

VideoPreviewWindow::~VideoPreviewWindow() {
    // The player goes before the video widget it draws into.
    delete player_;
}

void VideoPreviewWindow::buildControls() {
    video_ = new QVideoWidget(this);
    video_->setObjectName("PreviewVideo");
    output_ = new QAudioOutput(this);
    player_ = new QMediaPlayer(this);
    player_->setAudioOutput(output_);
    player_->setVideoOutput(video_);

    auto* playButton = makeButton("播放", "PreviewPlay", this);
    auto* pauseButton = makeButton("暂停", "PreviewPause", this);
    auto* stopButton = makeButton("停止", "PreviewStop", this);
    position_ = new QSlider(Qt::Horizontal, this);
    position_->setObjectName("PreviewPosition");
    position_->setRange(0, 0);
    time_ = new QLabel(timeText(0) + QStringLiteral(" / ") + timeText(0), this);
    time_->setObjectName("PreviewTime");

    auto* controls = new QHBoxLayout;
    controls->addWidget(playButton);
    controls->addWidget(pauseButton);
    controls->addWidget(stopButton);
    controls->addWidget(position_, 1);
    controls->addWidget(time_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(video_, 1);
    layout->addLayout(controls);

    connect(playButton, &QPushButton::clicked, player_, &QMediaPlayer::play);
    connect(pauseButton, &QPushButton::clicked, player_, &QMediaPlayer::pause);
    connect(stopButton, &QPushButton::clicked, this, &VideoPreviewWindow::stopPlaying);
    // Only the clerk's own moves of the bar seek; the player's position is put on it with its
    // signals blocked.
    connect(position_, &QSlider::valueChanged, player_,
            [this](int value) { player_->setPosition(value); });
    connect(player_, &QMediaPlayer::positionChanged, this, &VideoPreviewWindow::showPosition);
    connect(player_, &QMediaPlayer::durationChanged, this, &VideoPreviewWindow::showPosition);
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError) {
            showFailure();
        }
    });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::InvalidMedia) {
                    showFailure();
                }
            });
}

void VideoPreviewWindow::play(const std::filesystem::path& file) {
    // Closed first, so the same film asked for again is opened anew: one that could not play
    // says so again rather than showing an empty time.
    player_->stop();
    player_->setSource(QUrl());
    failed_ = false;
    showPosition();
    show();
    raise();
    activateWindow();
    player_->setSource(QUrl::fromLocalFile(hostPathText(file)));
    if (!player_->isAvailable()) {
        showFailure();
        return;
    }
    player_->play();
}

void VideoPreviewWindow::stopPlaying() {
    player_->stop();
}

void VideoPreviewWindow::closeEvent(QCloseEvent* event) {
    stopPlaying();
    event->accept();
}

void VideoPreviewWindow::showPosition() {
    if (failed_) {
        return;
    }
    const qint64 position = player_->position();
    const qint64 length = player_->duration();
    // While the clerk holds the bar it stays where the hand puts it.
    if (!position_->isSliderDown()) {
        const QSignalBlocker blocker(position_);
        position_->setRange(0, static_cast<int>(std::min<qint64>(length, INT_MAX)));
        position_->setValue(static_cast<int>(std::min<qint64>(position, INT_MAX)));
    }
    time_->setText(timeText(position) + QStringLiteral(" / ") + timeText(length));
}

void VideoPreviewWindow::showFailure() {
    failed_ = true;
    time_->setText(QString::fromUtf8("无法播放此影片"));
}

}  // namespace qh
