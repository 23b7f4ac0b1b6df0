#pragma once
// TForm1, the clerk's working window. It composes the area panels and wires them to each other,
// owns the run's working state and runs the start-up and shut-down sequence.
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/basic_setup_panel.h"
#include "app/file_rows_model.h"
#include "app/window_state.h"
#include "download/download_lists.h"
#include "download/list_size_memo.h"
#include "library/hot_list.h"
#include "library/library_layout.h"
#include "media/key_sounds.h"
#include "settings/app_paths.h"

class QLabel;

namespace qh {

class AboutWindow;
class BasicSetupPanel;
class CategoryPanel;
class CategoryTabStrip;
class DownloadListsPanel;
class DriveNotifications;
class FileManagementView;
class FileSystem;
class FolderReader;
class InputMethods;
class MediaDevice;
class NewAdditionsBar;
class ParametersWindow;
class PlayerColumnPanel;
class ResultAreaPanel;
class SearchBarPanel;
class SaveFailures;
class SettingsStore;
class SharedDriveTable;
class Shell;
class SoundDevice;
class WindowMenu;
struct SideWindows;

struct MainWindowServices {
    AppPaths paths;
    SettingsStore& settings;
    SaveFailures& saveFailures;
    SharedDriveTable& drives;
    FileSystem& files;
    const FolderReader& folderReader;
    Shell& shell;
    SoundDevice& keySoundDevice;
    MediaDevice& mediaDevice;  // the music player's
    InputMethods& inputMethods;
    DriveNotifications& driveNotifications;
    // The set-up panel's folder dialog; tests answer it themselves.
    DriveFolderChooser chooseDriveFolder = chooseDriveFolderInDialog;
};

// The window's outer frame around its client area, as the shop's screens drew it; the layout
// and the resize rules count in outer pixels.
inline constexpr int kFrameWidth = 4;
inline constexpr int kFrameHeight = 24;
// The outer width the window is made with, and the narrowest it may be but for "PL".
inline constexpr int kMadeOuterWidth = 1013;

// The clerk's one notice of a run in which the data folder could not be written.
QString cannotSaveMessage(const std::filesystem::path& file);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowServices services);
    ~MainWindow() override;

    // The side windows are made after this one; the window opens them and reads their settings.
    void setSideWindows(const SideWindows& side);
    // Message boxes go through here, so tests can read them instead of clicking them away.
    void setMessagePresenter(MessagePresenter present) { presentMessage_ = std::move(present); }
    // The OK/Cancel questions and the input box, answered by tests.
    void setConfirmer(Confirmer confirm) { confirm_ = std::move(confirm); }
    void setTextAsker(TextAsker ask) { askText_ = std::move(ask); }

    // Counts a download of `path` on the window's thread, 20 ms later. Each file the copy
    // worker processed counts, not whichever file the clerk has picked by then.
    void armHotCount(const std::string& path);
    void setCurrentFile(const std::string& path) { state_.currentFile = path; }
    const std::string& currentFile() const { return state_.currentFile; }
    const std::string& searchKeyword() const { return state_.searchKeyword; }
    const std::string& searchMask() const { return state_.searchMask; }
    const HotList& hotList() const { return hotList_; }
    KeySounds& keySounds() { return keySounds_; }
    const DownloadLists& downloadLists() const { return downloadLists_; }
    const FileRowsModel& shownRows() const { return shownModel_; }
    const FileRowsModel& results() const { return resultModel_; }
    const ListSizeMemo& listSizes() const { return listSizes_; }
    const std::vector<std::string>& keywordHistory() const;
    // The library drive texts (GBK) of the search area as they stand.
    std::array<std::string, kLibraryDriveCount> libraryDriveTexts() const;

signals:
    // The start-up loads of QiDTimer are done: the lists, the hot list, the playlist and the
    // singers are in, and the clerk can work.
    void startUpLoaded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFrame();
    void buildStatusBar();
    void wirePanels();
    void FormCreate();
    void FormShow();
    void QiDTimerTimer();
    void BaiSTimerTimer();
    void UZTTimer3Timer();
    void FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void FormClick();
    void TabControl4MouseDown(int tab);
    // A sub-folder or new-additions view takes the result list.
    void runLibraryView(const std::vector<std::string>& folders);
    void setOuterWidth(int outerWidth);
    void showBasicSetup();

    MainWindowServices services_;
    KeySounds keySounds_;
    WindowState state_;
    FileRowsModel resultModel_;  // the result path list and its rows
    FileRowsModel shownModel_;   // the rows of the list on screen
    DownloadLists downloadLists_;
    ListSizeMemo listSizes_;  // ListBox27
    HotList hotList_;
    std::vector<std::string> hotCountsDue_;  // for BaiSTimer
    MessagePresenter presentMessage_;
    Confirmer confirm_;
    TextAsker askText_;
    // The side windows, once made.
    ParametersWindow* parameters_ = nullptr;
    AboutWindow* about_ = nullptr;
    QWidget* pictures_ = nullptr;
    QWidget* cdCatalogue_ = nullptr;

    QWidget* client_ = nullptr;
    WindowMenu* windowMenu_ = nullptr;
    PlayerColumnPanel* playerColumn_ = nullptr;
    CategoryTabStrip* categoryTabs_ = nullptr;
    SearchBarPanel* searchBar_ = nullptr;
    ResultAreaPanel* resultArea_ = nullptr;
    CategoryPanel* categoryPanel_ = nullptr;
    FileManagementView* fileManagement_ = nullptr;
    NewAdditionsBar* newAdditionsBar_ = nullptr;
    DownloadListsPanel* downloadListsPanel_ = nullptr;
    BasicSetupPanel* basicSetup_ = nullptr;
    std::array<QLabel*, 2> statusPanels_{};

    QTimer qiDTimer_;
    QTimer baiSTimer_;
    QTimer uZTTimer3_;
    bool shown_ = false;
};

}  // namespace qh
