#pragma once
// The result area below the search bar: the result list with its right-click menu, the
// introduction that covers it until the first search, its object count and the buttons of the
// library views. The category panel and the new-additions bar lie over its lower part; the hot
// ranking shows in the list itself. The disk-management view still to come lies at the list's
// place and takes turns with it.
#include <QGroupBox>
#include <QTimer>
#include <string>
#include <vector>

#include "app/window_state.h"
#include "media/playlist.h"

class QLabel;
class QListWidget;
class QMenu;
class QTreeView;

namespace qh {

class FileRowsModel;
class FileSystem;
class HotList;
class KeySounds;
struct MainWindowLayout;

struct ResultAreaServices {
    FileRowsModel& results;
    WindowState& state;
    KeySounds& keySounds;
    const HotList& hotList;
    const MessagePresenter& present;
    FileSystem& files;
    const Confirmer& confirm;
    const TextAsker& askText;
};

class ResultAreaPanel : public QGroupBox {
    Q_OBJECT
public:
    ResultAreaPanel(ResultAreaServices services, QWidget* parent);

    // What a search does to the list: emptied when it starts, rows as they are found, and at its
    // end the first row picked and added (number mode) or a sound.
    void emptyResults();
    void appendResults(const std::vector<std::string>& paths);
    void searchEnded(bool numberMode);
    // A search or a view takes the place of the introduction.
    void showResultList();
    // A tab press or a click on the window's background: the plain result list again.
    void closeViews();
    // While the category panel is open the list ends above it.
    void shortenForCategoryPanel();
    // A new-additions view or the ranking: the list, at its full height, under the introduction
    // until it has rows.
    void showListForView();
    // A library view empties the list before it walks, and at its end lets the rows show with the
    // search's sound, or plays the error sound for none. Number mode adds nothing: the clerk
    // picks from what a view shows.
    void startView();
    void viewEnded();
    // 热门排行.
    void HotRanking();
    // The file-management view lies under the result list and its introduction; it shows when
    // those two are hidden.
    void placeUnderResultList(QWidget* view);
    void hideResultList();
    // Timer5 of the file-management view: its entries, and the folder it lists (Label26).
    void showListing(int entries, const QString& folder);
    void applyLayout(const MainWindowLayout& layout);

signals:
    // ListView1MouseDown: the clerk pressed on a row.
    void rowPicked(const std::string& path);
    // The selected rows, top to bottom, for the download list on screen.
    void addWanted(const std::vector<std::string>& paths);
    // 批量添加: the same with 同步下载 unticked first; no paths when no row is picked.
    void batchAddWanted(const std::vector<std::string>& paths);
    // 播放, 添加到 播放列表 and 全部添加 到 播放列表: the rows' captions and files.
    void playWanted(const std::vector<PlaylistEntry>& rows);
    void addToPlaylistWanted(const std::vector<PlaylistEntry>& rows);
    // 分类查找, 新增资源, U盘管理 and 本地磁盘.
    void categoryPanelWanted();
    void newAdditionsBarWanted();
    void removableDiskWanted();
    void localDiskWanted();
    // The ranking is about to take the list: whatever else shows there closes.
    void rankingShown();

private:
    void buildMenu();
    std::vector<int> selectedRows() const;
    std::vector<std::string> selectedPaths() const;
    std::vector<PlaylistEntry> entriesOf(const std::vector<int>& rows) const;
    void ListView1MouseDown(const QModelIndex& row);
    void ListView1DblClick();
    void Timer7Timer();
    void N20Click();  // 批量添加 到 清单
    // The library-file entries of the menu; the disk-management view fills them.
    void N22Click();  // 彻底删除选中的文件
    void N5Click();   // 重命名

    ResultAreaServices services_;
    QTreeView* resultList_;
    QListWidget* introduction_;  // ListBox8
    QLabel* countLabel_;         // Label16
    QLabel* folderLabel_;        // Label26
    std::vector<QWidget*> viewButtons_;
    QMenu* menu_ = nullptr;  // PopupMenu2
    QTimer timer7_;
};

}  // namespace qh
