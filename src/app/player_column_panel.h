#pragma once
// The player column on the left: play time and state, the player's buttons and bars, the
// playlist with its right-click menu, and the three links at the foot. It owns the player and the
// playlist and gives them their timers; films go to a video player of the machine or, without
// one, to a preview window of our own.
#include <QFrame>
#include <QTimer>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/window_state.h"
#include "media/player.h"
#include "media/playlist.h"

class QLabel;
class QListView;
class QPushButton;
class QScrollBar;

namespace qh {

class FileSystem;
class MediaDevice;
class SaveFailures;
class SettingsStore;
class SharedDriveTable;
class Shell;
class VideoPreviewWindow;
struct MainWindowLayout;

struct PlayerColumnServices {
    MediaDevice& device;
    const FileSystem& files;
    const SharedDriveTable& drives;
    Shell& shell;
    const SettingsStore& settings;
    SaveFailures& saveFailures;
    std::filesystem::path dataDir;
    WindowState& state;
    const MessagePresenter& present;
};

class PlayerColumnPanel : public QFrame, private PlayerHost {
    Q_OBJECT
public:
    PlayerColumnPanel(PlayerColumnServices services, QWidget* parent);

    void applyLayout(const MainWindowLayout& layout);
    const Playlist& playlistEntries() const { return playlist_; }
    const Player& player() const { return player_; }

    // At start-up: the playlist file, when there is one.
    void loadPlaylist();
    // At close: the play copy of the last marked file goes.
    void deletePlayCopy() { player_.deletePlayCopy(); }

    // A row of the result list or of the shown list was picked: there is a file to play.
    void fileChosen();
    // The list menus' player entries: 添加到 播放列表 (saved at once) and 播放 (which first adds
    // the rows when the current file is an mp3, then plays the current file).
    void addToPlaylist(const std::vector<PlaylistEntry>& entries);
    void addAndPlay(const std::vector<PlaylistEntry>& entries);

signals:
    void aboutWanted();       // Label24Click, "关于我们"
    void disclaimerWanted();  // Label27Click, "免责声明"
    void homePageWanted();    // Label25Click, "网站主页"
    // "PL" and "XZ": the window's outer width.
    void windowWidthWanted(int outerWidth);

protected:
    // The links: red while the mouse is over them, navy otherwise, and their clicks.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tell(PlayerNotice notice) override;
    bool playVideo(const std::filesystem::path& file) override;
    void nextTrackChosen(int index) override;

    void buildPlaylistMenu();
    void requestPlay() { boFangTimer2_.start(); }
    void showDisplay();
    void savePlaylist();
    int selectedEntry() const;
    void ListBox9Click();
    void N27Click();  // 播放
    void N28Click();  // 清空列表
    void N1Click();   // 删除

    PlayerColumnServices services_;
    Playlist playlist_;
    Player player_;
    class PlaylistRows;
    PlaylistRows* playlistRows_;
    QListView* playlistBox_;                   // ListBox9
    QPushButton* playButton_;                  // Button11
    QPushButton* pauseButton_;                 // Button13
    QPushButton* stopButton_;                  // Button4
    QScrollBar* positionBar_;                  // ScrollBar1
    QScrollBar* volumeBar_;                    // ScrollBar2
    std::array<QLabel*, 2> positionLabels_{};  // Label8, and Label14 behind it
    QLabel* lengthLabel_;                      // Label11
    QLabel* playingLabel_;                     // Label10
    QLabel* stateLabel_;                       // Label9
    QAction* playEntry_ = nullptr;             // N27
    std::array<QLabel*, 3> links_{};           // Label27, Label24, Label25
    QTimer timer1_;
    QTimer boFangTimer2_;
    VideoPreviewWindow* preview_ = nullptr;
    bool showing_ = false;  // the bar is set from the player, not by the clerk
};

}  // namespace qh
