#include "app/player_column_panel.h"

#include <QAbstractListModel>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "app/window_layout.h"
#include "media/player_texts.h"
#include "platform/shared_drive_table.h"
#include "platform/shell.h"
#include "platform/video_program.h"
#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "text/gbk.h"
#include "text/text_list_file.h"
#include "windows/video_preview_window.h"

namespace qh {

namespace {

QPushButton* addButton(QWidget* parent, const char* name, const char* text, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

QLabel* addLabel(QWidget* parent, const char* name, const char* text, QRect place) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QString stateText(PlayState state) {
    switch (state) {
        case PlayState::Playing:
            return QString::fromUtf8("状态:播放");
        case PlayState::Paused:
            return QString::fromUtf8("状态:暂停");
        case PlayState::Stopped:
            break;
    }
    return QString::fromUtf8("状态:停止");
}

const char* const kPlaylistFile = "播放列表.txt";

}  // namespace

// The playlist's names as ListBox9 shows them: a model over the entries, so a playlist of a
// hundred thousand lines costs no widget per line.
class PlayerColumnPanel::PlaylistRows final : public QAbstractListModel {
public:
    PlaylistRows(const Playlist& playlist, QObject* parent)
        : QAbstractListModel(parent), playlist_(playlist) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : playlist_.size();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= playlist_.size()) {
            return {};
        }
        return fromGbk(playlist_.entries()[index.row()].name);
    }
    // Around each change of the playlist.
    void resetting() { beginResetModel(); }
    void reset() { endResetModel(); }

private:
    const Playlist& playlist_;
};

PlayerColumnPanel::PlayerColumnPanel(PlayerColumnServices services, QWidget* parent)
    : QFrame(parent),
      services_(services),
      player_({services.device, services.files, services.drives, services.dataDir,
               services.state.currentFile, services.state.currentIndex, playlist_, *this}) {
    setObjectName("Panel1");
    setGeometry(0, -8, 201, 601);
    setFrameShape(QFrame::StyledPanel);

    // The white one lies a pixel off behind the navy one, as a shadow.
    positionLabels_[1] = addLabel(this, "Label14", "00:00", {9, 21, 90, 30});
    positionLabels_[1]->setStyleSheet("font-size: 20px; color: white;");
    positionLabels_[0] = addLabel(this, "Label8", "00:00", {8, 20, 90, 30});
    positionLabels_[0]->setStyleSheet("font-size: 20px;");
    lengthLabel_ = addLabel(this, "Label11", "", {100, 20, 93, 30});
    playingLabel_ = addLabel(this, "Label10", "", {8, 52, 185, 20});
    stateLabel_ = addLabel(this, "Label9", "状态:停止", {8, 76, 110, 20});
    addLabel(this, "Label12", "立体声", {130, 76, 63, 20});

    addLabel(this, "", "音量", {8, 102, 36, 20});
    volumeBar_ = new QScrollBar(Qt::Horizontal, this);
    volumeBar_->setObjectName("ScrollBar2");
    volumeBar_->setGeometry(46, 102, 147, 18);
    volumeBar_->setRange(0, 65535);
    volumeBar_->setValue(40000);
    volumeBar_->setSingleStep(2000);
    volumeBar_->setPageStep(2000);
    // Connected after the start value: the volume is sent only when the bar moves.
    connect(volumeBar_, &QScrollBar::valueChanged, this,
            [this](int value) { player_.setVolume(value); });

    const struct {
        const char* name;
        const char* text;
        const char* hint;
        QRect place;
    } buttons[] = {
        {"Button11", "播放", "播放歌曲", {8, 128, 45, 28}},
        {"Button13", "暂停", "暂停播放", {55, 128, 45, 28}},
        {"Button4", "停止", "停止播放", {102, 128, 45, 28}},
        {"Button3", "PL", "", {149, 128, 22, 28}},
        {"Button2", "XZ", "", {171, 128, 22, 28}},
    };
    for (const auto& b : buttons) {
        addButton(this, b.name, b.text, b.place)->setToolTip(QString::fromUtf8(b.hint));
    }
    playButton_ = findChild<QPushButton*>("Button11");
    pauseButton_ = findChild<QPushButton*>("Button13");
    stopButton_ = findChild<QPushButton*>("Button4");
    connect(playButton_, &QPushButton::clicked, this, &PlayerColumnPanel::requestPlay);
    connect(pauseButton_, &QPushButton::clicked, this, [this] {
        player_.pauseOrContinue();
        showDisplay();
    });
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        player_.stop();
        showDisplay();
    });
    connect(findChild<QPushButton*>("Button3"), &QPushButton::clicked, this,
            [this] { emit windowWidthWanted(215); });
    connect(findChild<QPushButton*>("Button2"), &QPushButton::clicked, this,
            [this] { emit windowWidthWanted(1024); });

    positionBar_ = new QScrollBar(Qt::Horizontal, this);
    positionBar_->setObjectName("ScrollBar1");
    positionBar_->setGeometry(8, 166, 185, 18);
    positionBar_->setRange(0, 10000000);
    positionBar_->setSingleStep(300);
    positionBar_->setPageStep(32000);
    connect(positionBar_, &QScrollBar::valueChanged, this, [this](int value) {
        // Only the clerk's hand on the bar seeks, never the timer's own updates.
        const bool byTheClerk =
            !showing_ && (QApplication::mouseButtons() & Qt::LeftButton) != Qt::NoButton;
        player_.barMoved(value, byTheClerk);
        showDisplay();
    });

    playlistRows_ = new PlaylistRows(playlist_, this);
    playlistBox_ = new QListView(this);
    playlistBox_->setObjectName("ListBox9");
    playlistBox_->setGeometry(8, 200, 185, 305);
    playlistBox_->setToolTip(QString::fromUtf8("双击为播放  "));
    playlistBox_->setUniformItemSizes(true);
    playlistBox_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    playlistBox_->setModel(playlistRows_);
    connect(playlistBox_, &QListView::clicked, this, &PlayerColumnPanel::ListBox9Click);
    connect(playlistBox_, &QListView::doubleClicked, this, &PlayerColumnPanel::requestPlay);
    buildPlaylistMenu();

    timer1_.setParent(this);
    timer1_.setObjectName("Timer1");
    timer1_.setInterval(1000);
    connect(&timer1_, &QTimer::timeout, this, [this] {
        player_.tick();
        showDisplay();
    });
    boFangTimer2_.setParent(this);
    boFangTimer2_.setObjectName("BoFangTimer2");
    boFangTimer2_.setSingleShot(true);
    boFangTimer2_.setInterval(1);
    connect(&boFangTimer2_, &QTimer::timeout, this, [this] {
        player_.play();
        showDisplay();
    });

    // The window's resize rules place the links' tops.
    const struct {
        const char* name;
        const char* text;
        int left;
    } links[] = {
        {"Label27", "免责声明", 8}, {"Label24", "关于我们", 72}, {"Label25", "网站主页", 136}};
    for (std::size_t i = 0; i < links_.size(); ++i) {
        auto* label = addLabel(this, links[i].name, links[i].text, {links[i].left, 573, 62, 20});
        label->setProperty("tone", "link");
        label->setProperty("hovered", false);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        links_[i] = label;
    }
    showDisplay();
}

void PlayerColumnPanel::buildPlaylistMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu6");
    playEntry_ = menu->addAction(QString::fromUtf8("播放"), this, &PlayerColumnPanel::N27Click);
    playEntry_->setObjectName("N27");
    playEntry_->setEnabled(false);
    menu->addAction(QString::fromUtf8("清空列表"), this, &PlayerColumnPanel::N28Click)
        ->setObjectName("N28");
    menu->addAction(QString::fromUtf8("删除"), this, &PlayerColumnPanel::N1Click)
        ->setObjectName("N1");
    playlistBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(
        playlistBox_, &QWidget::customContextMenuRequested, menu,
        [this, menu](const QPoint& at) { menu->popup(playlistBox_->viewport()->mapToGlobal(at)); });
}

void PlayerColumnPanel::showDisplay() {
    const PlayerDisplay& display = player_.display();
    showing_ = true;
    positionBar_->setMaximum(static_cast<int>(std::min<std::int64_t>(display.barMaximum, INT_MAX)));
    positionBar_->setValue(static_cast<int>(std::min<std::int64_t>(display.barPosition, INT_MAX)));
    showing_ = false;
    for (auto* label : positionLabels_) {
        label->setText(fromGbk(display.positionText));
    }
    lengthLabel_->setText(fromGbk(display.lengthText));
    playingLabel_->setText(display.playingName.empty()
                               ? QString()
                               : QString::fromUtf8("播放:  ") + fromGbk(display.playingName));
    stateLabel_->setText(stateText(display.state));
    playButton_->setEnabled(display.playEnabled);
    playButton_->setStyleSheet(display.playEnabled ? "color: aqua;" : "");
    pauseButton_->setEnabled(display.pauseEnabled);
    pauseButton_->setText(QString::fromUtf8(display.pauseShowsContinue ? "继续" : "暂停"));
    stopButton_->setEnabled(display.stopEnabled);
    if (display.timerOn && !timer1_.isActive()) {
        timer1_.start();
    } else if (!display.timerOn) {
        timer1_.stop();
    }
}

bool PlayerColumnPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    const auto type = event->type();
    if (link != nullptr && (type == QEvent::Enter || type == QEvent::Leave)) {
        link->setProperty("hovered", type == QEvent::Enter);
        link->style()->unpolish(link);
        link->style()->polish(link);
    } else if (link != nullptr && type == QEvent::MouseButtonRelease) {
        if (link == links_[0]) {
            emit disclaimerWanted();
        } else if (link == links_[1]) {
            emit aboutWanted();
        } else {
            emit homePageWanted();
        }
    }
    return QFrame::eventFilter(watched, event);
}

void PlayerColumnPanel::applyLayout(const MainWindowLayout& layout) {
    resize(width(), layout.playerColumnHeight);
    playlistBox_->resize(playlistBox_->width(), layout.playlistHeight);
    for (auto* link : links_) {
        link->move(link->x(), layout.linksTop);
    }
}

void PlayerColumnPanel::loadPlaylist() {
    const auto file = services_.dataDir / gbkToHostName(gbk(kPlaylistFile));
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return;
    }
    playlistRows_->resetting();
    playlist_.load(loadTextList(file));
    playlistRows_->reset();
}

void PlayerColumnPanel::savePlaylist() {
    const auto file = services_.dataDir / gbkToHostName(gbk(kPlaylistFile));
    services_.saveFailures.record(saveTextList(file, playlist_.paths()), file);
}

void PlayerColumnPanel::fileChosen() {
    player_.filePicked();
    showDisplay();
}

void PlayerColumnPanel::addToPlaylist(const std::vector<PlaylistEntry>& entries) {
    if (entries.empty()) {
        return;
    }
    playlistRows_->resetting();
    playlist_.append(entries);
    playlistRows_->reset();
    savePlaylist();
}

void PlayerColumnPanel::addAndPlay(const std::vector<PlaylistEntry>& entries) {
    if (addsToPlaylistBeforePlaying(services_.state.currentFile)) {
        addToPlaylist(entries);
    }
    requestPlay();
}

int PlayerColumnPanel::selectedEntry() const {
    const QModelIndex current = playlistBox_->currentIndex();
    const bool selected = current.isValid() && playlistBox_->selectionModel()->isSelected(current);
    return selected && current.row() < playlist_.size() ? current.row() : -1;
}

void PlayerColumnPanel::ListBox9Click() {
    const int index = selectedEntry();
    if (index < 0) {
        return;
    }
    services_.state.currentIndex = index;
    services_.state.currentFile = playlist_.entries()[index].path;
    playEntry_->setEnabled(true);
    player_.filePicked();
    showDisplay();
}

void PlayerColumnPanel::N27Click() {
    requestPlay();
}

void PlayerColumnPanel::N28Click() {
    playlistRows_->resetting();
    playlist_.clear();
    playlistRows_->reset();
    savePlaylist();
}

void PlayerColumnPanel::N1Click() {
    // The file keeps the entry until the next add or clear writes it again.
    const int index = selectedEntry();
    if (index < 0) {
        return;
    }
    playlistRows_->resetting();
    playlist_.remove(index);
    playlistRows_->reset();
}

void PlayerColumnPanel::tell(PlayerNotice notice) {
    switch (notice) {
        case PlayerNotice::MissingOrTooSmall:
            services_.present(
                QString::fromUtf8("文件不存在或文件错误，请检查磁盘的\u3000\"可用空间\""));
            break;
        case PlayerNotice::NotAMediaFile:
            services_.present(QString::fromUtf8("不是媒体文件"));
            break;
        case PlayerNotice::NoVideoPlayer:
            services_.present(QString::fromUtf8(
                "未找到\"暴风影音\"，请将\"暴风影音\"安装到：\n\n默认路径：C:\\Program "
                "Files\\StormII\\ 或者\n\n D盘路径：D:\\Program Files\\StormII\\"));
            break;
    }
}

bool PlayerColumnPanel::playVideo(const std::filesystem::path& file) {
    const auto program =
        findVideoProgram(*services_.drives.snapshot(), services_.settings.read("BoFang", "ShiPin"),
                         programSearchPath());
    if (program && services_.shell.startProgram(*program, file)) {
        return true;
    }
    // No player of the machine: the film shows in a window of our own.
    if (preview_ == nullptr) {
        // A window of the main window's: closing the main window still ends the program.
        preview_ = new VideoPreviewWindow(window());
    }
    preview_->play(file);
    return true;
}

void PlayerColumnPanel::nextTrackChosen(int index) {
    playlistBox_->setCurrentIndex(playlistRows_->index(index));
    requestPlay();
}

}  // namespace qh
