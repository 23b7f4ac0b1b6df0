#pragma once
// The player column on the left: play time and state, the player's buttons and bars, the
// playlist with its right-click menu, and the three links at the foot.
#include <QFrame>
#include <array>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace qh {

struct MainWindowLayout;

class PlayerColumnPanel : public QFrame {
    Q_OBJECT
public:
    explicit PlayerColumnPanel(QWidget* parent);

    QListWidget* playlist() const { return playlist_; }
    void applyLayout(const MainWindowLayout& layout);

    // A row of the result list was picked: there is a file to play.
    void fileChosen();
    // The result and list menus' player entries; the player fills them.
    void addToPlaylist(const std::vector<std::string>& paths);
    void addAndPlay(const std::vector<std::string>& paths);

signals:
    void aboutWanted();       // Label24Click, "关于我们"
    void disclaimerWanted();  // Label27Click, "免责声明"
    void homePageWanted();    // Label25Click, "网站主页"

protected:
    // The links: red while the mouse is over them, navy otherwise, and their clicks.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPlaylistMenu();
    // The playlist menu's entries; the player fills them.
    void N27Click();  // 播放
    void N28Click();  // 清空列表
    void N1Click();   // 删除

    QListWidget* playlist_;           // ListBox9
    QPushButton* playButton_;         // Button11
    std::array<QLabel*, 3> links_{};  // Label27, Label24, Label25
};

}  // namespace qh
