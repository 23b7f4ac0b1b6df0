#pragma once
// TForm1, the clerk's working window. It composes the area panels, owns the run's working state
// and runs the start-up and shut-down sequence.
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/file_rows_model.h"
#include "app/list_copy_worker.h"
#include "app/undelivered_marks.h"
#include "download/download_lists.h"
#include "download/list_size_memo.h"
#include "library/hot_list.h"
#include "library/search_thread.h"
#include "media/key_sounds.h"
#include "settings/app_paths.h"

class QLabel;
class QTreeView;

namespace qh {

class BasicSetupPanel;
class CategoryTabStrip;
class DownloadListsPanel;
class DriveNotifications;
class FileSystem;
class FolderReader;
class InputMethods;
class ListCopyWidgets;
class DriveFolderModel;
class ParametersWindow;
class PlayerColumnPanel;
class RemovableDisks;
class ResultAreaPanel;
class SearchBarPanel;
class SettingsStore;
class SharedDriveTable;
class Shell;
class SoundDevice;

struct MainWindowServices {
    AppPaths paths;
    SettingsStore& settings;
    SharedDriveTable& drives;
    FileSystem& files;
    const FolderReader& folderReader;
    Shell& shell;
    SoundDevice& keySoundDevice;
    const InputMethods& inputMethods;
    DriveNotifications& driveNotifications;
};

// The window's outer frame around its client area, as the shop's screens drew it; the layout
// and the resize rules count in outer pixels.
inline constexpr int kFrameWidth = 4;
inline constexpr int kFrameHeight = 24;

class MainWindow : public QMainWindow, private CopyJobWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowServices services);
    ~MainWindow() override;

    // Counts a download of the current file on the window's thread, 20 ms later.
    void armHotCount() override { baiSTimer_.start(); }
    void setCurrentFile(const std::string& path) { currentFile_ = path; }
    const HotList& hotList() const { return hotList_; }
    KeySounds& keySounds() { return keySounds_; }
    const std::string& searchKeyword() const { return searchKeyword_; }
    const std::string& searchMask() const { return searchMask_; }
    const DownloadLists& downloadLists() const { return downloadLists_; }
    const FileRowsModel& shownRows() const { return shownModel_; }
    const ListSizeMemo& listSizes() const { return listSizes_; }
    const std::string& currentFile() const { return currentFile_; }
    const FileRowsModel& results() const { return resultModel_; }
    const std::vector<std::string>& keywordHistory() const { return keywordHistory_; }
    // The parameters window, made after this one, holds the preferred input method.
    void setParametersWindow(ParametersWindow* parameters);
    // Message boxes go through here, so tests can read them instead of clicking them away.
    void setMessagePresenter(std::function<void(const QString& text)> present) {
        presentMessage_ = std::move(present);
    }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void FormCreate();
    void FormShow();
    void QiDTimerTimer();
    void BaiSTimerTimer();
    void Timer7Timer();
    void Timer3Timer();
    void PageControl2Change(int list);
    void selectAllOfShownList();
    void buildPopupMenus();
    void buildTargetChoice();
    void showTargetLines(int list);
    // ComboBox2Click (and ComboBox10Click .. ComboBox13Click): a line picked.
    void targetLinePicked();
    void ShellTreeView2Click(const QModelIndex& folder);
    // Button6Click, Button9Click, Button12Click, Button14Click, Button15Click.
    void openTargetFolder(int list);
    // SpeedButton24Click, SpeedButton61Click, SpeedButton63Click, SpeedButton65Click,
    // SpeedButton67Click; N26Click for the list on screen.
    void downloadSelected(int list);
    void N20Click();  // 批量添加 到 清单
    void ListView1MouseDown(const QModelIndex& row);
    void ListView2MouseDown(const QModelIndex& row);
    void N18Click();  // 清空
    void N3Click();   // 删除选中的文件
    std::vector<std::size_t> selectedEntries() const;
    // The batch job of the list copies its copy queue.
    void startBatchJob(int list);
    // CopyJobWindow: what the lists' copy jobs change beyond their tabs.
    void setCopyStatusLine(const std::string& text) override;
    void armFreeSpaceRefresh() override;
    void trimKeywordHistory() override;
    void playCopySound() override;
    void playErrorSound() override;
    void markUndelivered(int list, const std::string& path, FileFault fault) override;
    CopyCheck copyCheck() const override { return copyCheck_; }
    int barMaximumOfList(int list) const override;
    void Timer13Timer();
    void UZTTimer3Timer();
    void FormCloseQuery();
    void FormClose();
    void FormDestroy();
    // ComboBox3Change, ComboBox4Change, ComboBox5Change, ComboBox20Change.
    void searchBarDriveChanged(int drive, const QString& text);

    // SpeedButton22Click; Button1Click, the Enter key, does the same.
    void SpeedButton22Click();
    void startSearchWorker(std::string searchKeyword);
    void searchPathsFound(const std::vector<std::string>& paths);
    void searchEnded();
    void emptyResultList();
    void CheckBox1Click();
    void CheckBox2Click();
    void SpeedButton13Click();
    void TabControl4MouseDown(int tab);

    // Steps whose operations come with the parts of the window that own them.
    void registerDriveNotifications();
    void releaseDriveNotifications();
    void applySkin(const std::string& skinNumber);
    void startWarmUpSearch();
    void ListView1DblClick();
    // The copy of the list's sync job starts at that index of its copy queue.
    void startSyncJob(int list, std::size_t fromQueueIndex);
    void hideIntroduction();
    void openWebSearch(const QString& typed);
    void showShownListRows();
    void recomputeTally();
    void loadPlaylist();
    void loadSingers();
    void deleteCurrentPlayCopy();
    void applyPreferredInputMethod();

    MainWindowServices services_;
    KeySounds keySounds_;
    FileRowsModel resultModel_;  // the result path list and its rows
    FileRowsModel shownModel_;   // the rows of the list on screen
    DownloadLists downloadLists_;
    ListSizeMemo listSizes_;  // ListBox27
    SearchThread search_;
    UndeliveredMarks undelivered_;
    std::function<void(const QString&)> presentMessage_;

    PlayerColumnPanel* playerColumn_ = nullptr;
    CategoryTabStrip* categoryTabs_ = nullptr;
    SearchBarPanel* searchBar_ = nullptr;
    ResultAreaPanel* resultArea_ = nullptr;
    ParametersWindow* parameters_ = nullptr;
    DriveFolderModel* folderModel_ = nullptr;
    QTreeView* folderTree_ = nullptr;  // ShellTreeView2
    DownloadListsPanel* downloadListsPanel_ = nullptr;
    BasicSetupPanel* basicSetup_ = nullptr;
    RemovableDisks* removableDisks_ = nullptr;
    std::array<QLabel*, 2> statusPanels_{};
    std::array<ListCopyWidgets*, DownloadLists::kCount> copyWidgets_{};

    QTimer qiDTimer_;
    QTimer baiSTimer_;
    QTimer timer7_;
    QTimer timer3_;
    QTimer timer13_;
    QTimer uZTTimer3_;

    bool shown_ = false;
    HotList hotList_;
    std::string currentFile_;  // Edit2
    std::string searchKeyword_;
    std::string searchMask_;
    bool startUpLoaded_ = false;  // 清单1 is in the shown list
    CopyCheck copyCheck_ = CopyCheck::Sampled;
    std::vector<std::string> keywordHistory_;
    int keywordHistoryCount_ = 0;
    // Last, so each job has stopped before the lists and the widgets it reports to go away.
    std::array<std::unique_ptr<ListCopyWorker>, DownloadLists::kCount> copyWorkers_;
};

}  // namespace qh
