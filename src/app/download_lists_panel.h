#pragma once
// The five customer download lists on their tabs: the buttons, target folders, copy widgets and
// disk selector of each, the list shown on screen with its right-click menu, and the tally below
// it. It adds what the result area hands over, starts the lists' copies and keeps the tally.
#include <QTabWidget>
#include <QTimer>
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/window_state.h"
#include "download/download_lists.h"
#include "download/unit_price.h"
#include "media/playlist.h"
#include "platform/file_system.h"

class QPushButton;
class QTreeView;

namespace qh {

class FileRowsModel;
class KeySounds;
class ListCopies;
class LocalCopyWorker;
class ListSizeMemo;
class RemovableDisks;
class SharedDriveTable;
class Shell;
class TallyPanel;
class TargetChoice;
struct MainWindowLayout;

struct DownloadListsServices {
    FileSystem& files;
    SharedDriveTable& drives;
    Shell& shell;
    DownloadLists& lists;
    FileRowsModel& shownRows;
    ListSizeMemo& sizes;
    KeySounds& keySounds;
    WindowState& state;
    const MessagePresenter& present;
    CopyCheck check;
    // The prices of the parameters window, which is made after the main window.
    std::function<UnitPrices()> prices;
};

class DownloadListsPanel : public QTabWidget {
    Q_OBJECT
public:
    // The shown list and the tally lie over the pages, so they are made on `window`; the folder
    // tree and the disk browser lie at the result list's place on `resultArea`.
    DownloadListsPanel(DownloadListsServices services, QWidget* window, QWidget* resultArea);
    ~DownloadListsPanel() override;

    RemovableDisks& removableDisks() const { return *removableDisks_; }

    // Start-up: 清单1 shown with its file's content, the tally, the lists' staging folders.
    void loadAtStartUp();
    // The folders each list's copies pass through, made when missing.
    void createStagingFolders();
    // A search saves the shown list first, once start-up has loaded it.
    void saveShownBeforeSearch();
    // ListView1DblClick: the result rows go into the shown list; with 同步下载 ticked the current
    // file is copied at once.
    void addFromResults(const std::vector<std::string>& paths);
    // N20Click: the same with 同步下载 unticked first; it stays unticked.
    void batchAddFromResults(const std::vector<std::string>& paths);
    // A picture double-clicked in the picture browser joins the list on screen once; with 同步下载
    // ticked it is copied into that list's picture folder each time.
    void addChosenPicture(const std::string& path);
    // The 同步下载 box was set, by whatever hand.
    void setCopyAtOnce(bool ticked);
    void recomputeTally();
    void hideTargetTree();
    void applyLayout(const MainWindowLayout& layout);
    // At shut-down, before the lists the jobs read go away.
    void stopCopies();

signals:
    void copyAtOnceShown(bool ticked);
    void keywordFocusWanted();
    void copyStatusLineChanged(const QString& text);
    void hotCountWanted(const std::string& path);
    void keywordHistoryTrimWanted();
    // 播放 (and a double click on the list), 添加到播放列表: the rows' captions and files.
    void playWanted(const std::vector<PlaylistEntry>& rows);
    void addToPlaylistWanted(const std::vector<PlaylistEntry>& rows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildShownList(QWidget* window);
    void buildMenu();
    void addResults(const ResultAdd& added, std::size_t before);
    // The rows, the tally, the cue and the copy at once of an add that was not refused.
    void showAdded(const ResultAdd& added, std::size_t before);
    void PageControl2Change(int list);
    void selectAllOfShownList();
    std::vector<std::size_t> selectedEntries() const;
    std::vector<PlaylistEntry> selectedPlaylistEntries() const;
    // SpeedButton24Click, SpeedButton61Click, SpeedButton63Click, SpeedButton65Click,
    // SpeedButton67Click; N26Click for the list on screen.
    void downloadSelected(int list);
    void ListView2MouseDown(const QModelIndex& row);
    void N18Click();  // 清空
    void N3Click();   // 删除选中的文件
    // 复制到本地磁盘: the disk-management view fills it.
    void N6Click();  // 复制到本地磁盘
    void localCopyEnded(int copied, int failed);
    void showShownListRows();
    void Timer3Timer();
    void placeDiskSelectors();

    DownloadListsServices services_;
    std::array<QPushButton*, kListCount> selectAll_{};
    std::array<QPushButton*, kListCount> download_{};
    QTreeView* shownList_ = nullptr;  // ListView2
    TallyPanel* tally_ = nullptr;
    TargetChoice* targetChoice_ = nullptr;
    RemovableDisks* removableDisks_ = nullptr;
    ListCopies* copies_ = nullptr;
    LocalCopyWorker* localCopy_ = nullptr;  // 复制到本地磁盘
    QTimer timer3_;
    bool startUpLoaded_ = false;  // 清单1 is in the shown list
};

}  // namespace qh
