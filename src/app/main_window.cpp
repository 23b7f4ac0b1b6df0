#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>

#include "app/basic_setup_panel.h"
#include "app/category_panel.h"
#include "app/category_tab_strip.h"
#include "app/download_lists_panel.h"
#include "app/file_management_view.h"
#include "app/new_additions_bar.h"
#include "app/play_copy_cleanup.h"
#include "app/player_column_panel.h"
#include "app/removable_disks.h"
#include "app/result_area_panel.h"
#include "app/search_bar_panel.h"
#include "app/side_windows.h"
#include "app/singer_page.h"
#include "app/skins.h"
#include "app/window_layout.h"
#include "app/window_menu.h"
#include "library/library_layout.h"
#include "library/search_plan.h"
#include "media/sound_cue.h"
#include "platform/drive_notifications.h"
#include "platform/host_path_text.h"
#include "platform/input_methods.h"
#include "platform/shell.h"
#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "text/gbk.h"
#include "text/text_list_file.h"
#include "windows/about_window.h"
#include "windows/maker_texts.h"
#include "windows/parameters_window.h"

namespace qh {

namespace {

void makeOneShot(QTimer& timer, const char* name, int interval) {
    timer.setSingleShot(true);
    timer.setObjectName(QString::fromLatin1(name));
    timer.setInterval(interval);
}

bool fileExists(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

// A shop that wants every byte of every copy read back from the customer's disk says so.
CopyCheck copyCheckOf(const SettingsStore& settings) {
    return settings.read("XiaZai", "QuanBuJiaoYan") == "1" ? CopyCheck::Whole : CopyCheck::Sampled;
}

void showOnTop(QWidget* window) {
    if (window != nullptr) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

}  // namespace

QString cannotSaveMessage(const std::filesystem::path& file) {
    return QString::fromUtf8(
               "无法保存到数据文件夹：%1\n磁盘可能已满或只读。本次运行的更改不能保存，"
               "请检查该文件夹后重新启动程序。")
        .arg(hostPathText(file.parent_path()));
}

MainWindow::MainWindow(MainWindowServices services)
    : services_(std::move(services)),
      keySounds_(services_.keySoundDevice, services_.paths.appFile(gbk("按键音乐")), this),
      resultModel_(services_.files, FileRowsModel::Numbering::Numbered),
      shownModel_(services_.files, FileRowsModel::Numbering::Plain),
      downloadLists_(services_.paths, &services_.saveFailures),
      presentMessage_([this](const QString& text) {
          QMessageBox::information(this, QApplication::applicationName(), text);
      }),
      confirm_([this](const QString& caption, const QString& text) {
          return QMessageBox::question(this, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                       QMessageBox::Cancel) == QMessageBox::Ok;
      }),
      askText_([this](const QString& title, const QString& prompt,
                      const QString& text) -> std::optional<QString> {
          bool ok = false;
          const QString typed =
              QInputDialog::getText(this, title, prompt, QLineEdit::Normal, text, &ok);
          return ok ? std::optional(typed) : std::nullopt;
      }) {
    setObjectName("TForm1");
    // Told after the handler that failed to save has finished, not in the middle of it.
    services_.saveFailures.setNotice([this](const std::filesystem::path& file) {
        QTimer::singleShot(0, this, [this, file] { presentMessage_(cannotSaveMessage(file)); });
    });
    setWindowTitle(QString::fromUtf8("青禾点唱 手机下载系统2010.9.01"));
    // The look the window was designed with, until a stored skin replaces it.
    applySkin(0);

    // The timers are the window's children so that tests find them by name.
    for (QTimer* timer : {&qiDTimer_, &baiSTimer_, &uZTTimer3_}) {
        timer->setParent(this);
    }
    makeOneShot(qiDTimer_, "QiDTimer", 20);
    makeOneShot(baiSTimer_, "BaiSTimer", 20);
    makeOneShot(uZTTimer3_, "UZTTimer3", 1000);
    connect(&qiDTimer_, &QTimer::timeout, this, &MainWindow::QiDTimerTimer);
    connect(&baiSTimer_, &QTimer::timeout, this, &MainWindow::BaiSTimerTimer);
    connect(&uZTTimer3_, &QTimer::timeout, this, &MainWindow::UZTTimer3Timer);

    buildFrame();
    buildStatusBar();
    wirePanels();
    // Narrower than it was made, the lists' tabs would cut their own controls.
    setMinimumWidth(kMadeOuterWidth - 2 * kFrameWidth);
    resize(kMadeOuterWidth - 2 * kFrameWidth, 711 - kFrameHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect outer(0, 0, 1013, 711);
        move(screen->availableGeometry().center() - outer.center());
    }
    FormCreate();
}

MainWindow::~MainWindow() {
    services_.saveFailures.setNotice({});
    downloadListsPanel_->stopCopies();
    FormDestroy();
}

void MainWindow::buildFrame() {
    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    setCentralWidget(client_);
    QFont font({QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(14);
    client_->setFont(font);
    // FormClick and FormPaint.
    client_->installEventFilter(this);

    windowMenu_ =
        new WindowMenu({services_.settings, services_.shell, services_.paths, keySounds_}, this);
    playerColumn_ =
        new PlayerColumnPanel({services_.mediaDevice, services_.files, services_.drives,
                               services_.shell, services_.settings, services_.saveFailures,
                               services_.paths.dataDir, state_, presentMessage_},
                              client_);
    categoryTabs_ = new CategoryTabStrip(client_);
    searchBar_ = new SearchBarPanel(
        {services_.settings, services_.files, services_.folderReader, services_.inputMethods,
         services_.shell, keySounds_, state_, *categoryTabs_, presentMessage_},
        categoryTabs_);
    resultArea_ = new ResultAreaPanel({resultModel_, state_, keySounds_, hotList_, presentMessage_,
                                       services_.files, confirm_, askText_},
                                      categoryTabs_);
    const LibraryDriveTexts driveTexts = [this] { return searchBar_->driveTexts(); };
    categoryPanel_ = new CategoryPanel({services_.files, keySounds_, driveTexts}, client_);
    categoryPanel_->hide();
    newAdditionsBar_ = new NewAdditionsBar({services_.files, driveTexts}, client_);
    newAdditionsBar_->hide();
    downloadListsPanel_ = new DownloadListsPanel(
        {services_.files, services_.drives, services_.shell, downloadLists_, shownModel_,
         listSizes_, keySounds_, state_, presentMessage_, copyCheckOf(services_.settings),
         [this] { return parameters_ != nullptr ? parameters_->unitPrices() : UnitPrices{}; }},
        client_, resultArea_);
    fileManagement_ = new FileManagementView(
        {services_.files, services_.drives, keySounds_, presentMessage_, confirm_,
         [this](const std::string& root) {
             auto& disks = downloadListsPanel_->removableDisks();
             disks.setBrowserRoot(root);
             disks.armFreeSpaceRefresh();
         }},
        resultArea_);
    resultArea_->placeUnderResultList(fileManagement_);
    basicSetup_ = new BasicSetupPanel(
        {services_.settings, services_.saveFailures, services_.files, services_.drives,
         services_.shell, keySounds_, services_.paths.dataDir, services_.chooseDriveFolder,
         [this](int drive, const QString& text) { searchBar_->showLibraryDrive(drive, text); }},
        client_);
    basicSetup_->hide();
}

void MainWindow::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName("StatusBar1");
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    const int widths[] = {400, 450};
    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(bar);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        statusPanels_[i]->setFixedWidth(widths[i]);
        bar->addWidget(statusPanels_[i]);
    }
    setStatusBar(bar);
}

void MainWindow::wirePanels() {
    auto* search = searchBar_;
    auto* results = resultArea_;
    auto* lists = downloadListsPanel_;
    auto* player = playerColumn_;
    connect(search, &SearchBarPanel::searchPressed, lists,
            &DownloadListsPanel::saveShownBeforeSearch);
    connect(search, &SearchBarPanel::resultsEmptied, results, &ResultAreaPanel::emptyResults);
    connect(search, &SearchBarPanel::searchStarted, results, &ResultAreaPanel::showResultList);
    connect(search, &SearchBarPanel::pathsFound, results, &ResultAreaPanel::appendResults);
    connect(search, &SearchBarPanel::searchEnded, results, &ResultAreaPanel::searchEnded);
    connect(search, &SearchBarPanel::copyAtOnceChanged, lists, &DownloadListsPanel::setCopyAtOnce);
    connect(search, &SearchBarPanel::viewEnded, results, &ResultAreaPanel::viewEnded);
    connect(results, &ResultAreaPanel::removableDiskWanted, fileManagement_,
            &FileManagementView::SpeedButton14Click);
    connect(results, &ResultAreaPanel::localDiskWanted, fileManagement_,
            &FileManagementView::SpeedButton10Click);
    connect(fileManagement_, &FileManagementView::opened, results,
            &ResultAreaPanel::hideResultList);
    connect(fileManagement_, &FileManagementView::listed, results, &ResultAreaPanel::showListing);

    connect(results, &ResultAreaPanel::categoryPanelWanted, categoryPanel_, &CategoryPanel::open);
    connect(categoryPanel_, &CategoryPanel::opened, results,
            &ResultAreaPanel::shortenForCategoryPanel);
    connect(categoryPanel_, &CategoryPanel::subfolderViewWanted, this, &MainWindow::runLibraryView);
    connect(categoryPanel_, &CategoryPanel::singerPicked, search, &SearchBarPanel::searchFor);
    connect(results, &ResultAreaPanel::newAdditionsBarWanted, newAdditionsBar_, [this] {
        newAdditionsBar_->show();
        newAdditionsBar_->raise();
    });
    connect(newAdditionsBar_, &NewAdditionsBar::viewWanted, this,
            [this](const std::vector<std::string>& folders) {
                downloadListsPanel_->hideTargetTree();
                resultArea_->showListForView();
                categoryPanel_->hide();
                runLibraryView(folders);
            });
    connect(results, &ResultAreaPanel::rankingShown, this, [this] {
        searchBar_->stopWalk();
        downloadListsPanel_->hideTargetTree();
        categoryPanel_->hide();
    });

    connect(results, &ResultAreaPanel::addWanted, lists, &DownloadListsPanel::addFromResults);
    connect(results, &ResultAreaPanel::batchAddWanted, lists,
            &DownloadListsPanel::batchAddFromResults);
    connect(player, &PlayerColumnPanel::windowWidthWanted, this, &MainWindow::setOuterWidth);
    connect(results, &ResultAreaPanel::rowPicked, this, [this](const std::string& path) {
        statusPanels_[0]->setText(fromGbk(path));
        playerColumn_->fileChosen();
        downloadListsPanel_->hideTargetTree();
    });
    connect(results, &ResultAreaPanel::playWanted, player, &PlayerColumnPanel::addAndPlay);
    connect(results, &ResultAreaPanel::addToPlaylistWanted, player,
            &PlayerColumnPanel::addToPlaylist);

    connect(lists, &DownloadListsPanel::copyAtOnceShown, search, &SearchBarPanel::showCopyAtOnce);
    connect(lists, &DownloadListsPanel::keywordFocusWanted, search,
            &SearchBarPanel::focusKeywordBox);
    connect(lists, &DownloadListsPanel::keywordHistoryTrimWanted, search,
            &SearchBarPanel::trimKeywordHistory);
    connect(lists, &DownloadListsPanel::copyStatusLineChanged, statusPanels_[1], &QLabel::setText);
    connect(lists, &DownloadListsPanel::hotCountWanted, this, &MainWindow::armHotCount);
    connect(lists, &DownloadListsPanel::playWanted, player, &PlayerColumnPanel::addAndPlay);
    connect(lists, &DownloadListsPanel::addToPlaylistWanted, player,
            &PlayerColumnPanel::addToPlaylist);

    connect(categoryTabs_, &CategoryTabStrip::tabPressed, this, &MainWindow::TabControl4MouseDown);
    connect(player, &PlayerColumnPanel::aboutWanted, this, [this] {
        if (about_ != nullptr) {
            about_->showAbout();
        }
    });
    connect(player, &PlayerColumnPanel::disclaimerWanted, this, [this] {
        if (about_ != nullptr) {
            about_->showDisclaimer();
        }
    });
    connect(player, &PlayerColumnPanel::homePageWanted, this, [this] {
        services_.shell.openAddress(homePageAddress(services_.settings).toString().toStdString());
    });

    connect(windowMenu_, &WindowMenu::parametersWanted, this, [this] { showOnTop(parameters_); });
    connect(windowMenu_, &WindowMenu::basicSetupWanted, this, &MainWindow::showBasicSetup);
    connect(windowMenu_, &WindowMenu::cdCatalogueWanted, this, [this] { showOnTop(cdCatalogue_); });
    connect(windowMenu_, &WindowMenu::minimiseWanted, this, &QWidget::showMinimized);
    connect(windowMenu_, &WindowMenu::closeWanted, this, &QWidget::close);
}

void MainWindow::setSideWindows(const SideWindows& side) {
    parameters_ = side.parameters;
    about_ = side.about;
    pictures_ = side.pictures;
    cdCatalogue_ = side.cdCatalogue;
    if (side.webSearch != nullptr) {
        connect(searchBar_, &SearchBarPanel::webSearchWanted, side.webSearch,
                &WebSearchWindow::searchFromMainWindow);
    }
    if (side.pictures != nullptr) {
        connect(side.pictures, &PictureBrowserWindow::pictureAddWanted, downloadListsPanel_,
                &DownloadListsPanel::addChosenPicture);
    }
    connect(parameters_, &ParametersWindow::preferredInputMethodChanged, searchBar_,
            [this](const QString& name) { searchBar_->setPreferredInputMethod(toGbk(name)); });
}

const std::vector<std::string>& MainWindow::keywordHistory() const {
    return searchBar_->keywordHistory();
}

std::array<std::string, kLibraryDriveCount> MainWindow::libraryDriveTexts() const {
    return searchBar_->driveTexts();
}

void MainWindow::FormCreate() {
    // The drive watcher hears of every disk that comes or goes from here on.
    auto& disks = downloadListsPanel_->removableDisks();
    connect(&services_.driveNotifications, &DriveNotifications::driveAdded, &disks,
            &RemovableDisks::driveAdded);
    connect(&services_.driveNotifications, &DriveNotifications::driveRemoved, &disks,
            &RemovableDisks::driveRemoved);
    // The sync counters start with the download lists that own them.
    std::error_code error;
    std::filesystem::create_directories(services_.paths.dataDir, error);

    QStringList names;
    for (const auto& name : services_.inputMethods.installedNames()) {
        names << fromGbk(name);
    }
    basicSetup_->setInputMethodNames(names);

    bool anyDrive = false;
    for (int drive = 1; drive <= kLibraryDriveCount; ++drive) {
        const std::string key = "Panfu" + std::to_string(drive);
        const auto letter = services_.settings.read(key, key);
        searchBar_->showLibraryDrive(drive, fromGbk(letter));
        anyDrive = anyDrive || !letter.empty();
    }
    if (!anyDrive) {
        showBasicSetup();
    }
    uZTTimer3_.start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void MainWindow::FormShow() {
    deletePlayCopies(services_.paths.dataDir);
    windowMenu_->applyStoredSkin();
    // No tab selected stands for the whole library.
    categoryTabs_->setCurrentIndex(-1);
    searchBar_->startWarmUpSearch();
    qiDTimer_.start();
}

void MainWindow::QiDTimerTimer() {
    qiDTimer_.stop();
    const auto hotFile = services_.paths.dataFile(gbk("热门推荐.txt"));
    hotList_.clear();
    if (fileExists(hotFile)) {
        hotList_.assign(loadTextList(hotFile));
    } else {
        services_.saveFailures.record(saveTextList(hotFile, hotList_.lines()), hotFile);
    }
    downloadListsPanel_->loadAtStartUp();
    playerColumn_->loadPlaylist();
    const auto singerFile = services_.paths.dataFile(gbk("歌手.txt"));
    if (fileExists(singerFile)) {
        categoryPanel_->singerPage().loadSingers(loadTextList(singerFile));
    }
    downloadListsPanel_->createStagingFolders();
    categoryTabs_->setCurrentIndex(kMusicTab);
    keySounds_.request(kCueStart);
    if (parameters_ != nullptr) {
        searchBar_->setPreferredInputMethod(parameters_->preferredInputMethod());
    }
    searchBar_->focusKeywordBox();
    emit startUpLoaded();
}

void MainWindow::armHotCount(const std::string& path) {
    hotCountsDue_.push_back(path);
    baiSTimer_.start();
}

void MainWindow::BaiSTimerTimer() {
    baiSTimer_.stop();
    for (const auto& path : std::exchange(hotCountsDue_, {})) {
        hotList_.count(path);
    }
}

void MainWindow::UZTTimer3Timer() {
    uZTTimer3_.stop();
    // The target drop-downs hold their default lines since the window was made.
    downloadListsPanel_->removableDisks().scanPresentDrives();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    FormClose();
    event->accept();
}

void MainWindow::FormCloseQuery() {
    // Files are written at close only when they exist already.
    downloadLists_.saveAtShutDown();
    const auto hotFile = services_.paths.dataFile(gbk("热门推荐.txt"));
    if (fileExists(hotFile)) {
        services_.saveFailures.record(saveTextList(hotFile, hotList_.lines()), hotFile);
    }
    playerColumn_->deletePlayCopy();
    keySounds_.playClosingSound();
}

void MainWindow::FormClose() {
    const auto batch = services_.paths.appDir / "bt.bat";
    if (fileExists(batch)) {
        services_.shell.runBatchHidden(batch);
    }
}

void MainWindow::FormDestroy() {
    disconnect(&services_.driveNotifications, nullptr, &downloadListsPanel_->removableDisks(),
               nullptr);
}

void MainWindow::showBasicSetup() {
    basicSetup_->show();
    basicSetup_->raise();
}

void MainWindow::TabControl4MouseDown(int tab) {
    if (tab >= 0) {
        state_.searchMask = std::string(kAllFilesMask);
    }
    if (tab == kPictureTab) {
        showOnTop(pictures_);
    }
    downloadListsPanel_->hideTargetTree();
    resultArea_->closeViews();
    categoryPanel_->hide();
    newAdditionsBar_->hide();
    resultArea_->showResultList();
    searchBar_->setEnabled(true);
    keySounds_.request(kCueSelect);
    searchBar_->focusKeywordBox();
}

void MainWindow::FormClick() {
    downloadListsPanel_->hideTargetTree();
    resultArea_->closeViews();
    categoryPanel_->hide();
    newAdditionsBar_->hide();
}

void MainWindow::setOuterWidth(int outerWidth) {
    // "PL" leaves the player column alone in view, narrower than the window was made; "XZ" brings
    // the whole window back, and with it the width it may not go below.
    const int width = outerWidth - 2 * kFrameWidth;
    setMinimumWidth(std::min(width, kMadeOuterWidth - 2 * kFrameWidth));
    resize(width, height());
}

void MainWindow::runLibraryView(const std::vector<std::string>& folders) {
    resultArea_->startView();
    searchBar_->startView(folders);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::MouseButtonRelease) {
        FormClick();
    } else if (watched == client_ && event->type() == QEvent::Paint) {
        // FormPaint: the disk browser and its free-space line are read again.
        downloadListsPanel_->removableDisks().armFreeSpaceRefresh();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    windowMenu_->popup(event->globalPos());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int outerHeight = height() + kFrameHeight;
    if (const int snapped = snappedOuterHeight(outerHeight)) {
        resize(width(), snapped - kFrameHeight);
        return;
    }
    const auto layout = mainWindowLayout(width() + 2 * kFrameWidth, outerHeight);
    playerColumn_->applyLayout(layout);
    categoryTabs_->resize(categoryTabs_->width(), layout.tabStripHeight);
    resultArea_->applyLayout(layout);
    fileManagement_->applyLayout(layout);
    categoryPanel_->applyLayout(layout);
    newAdditionsBar_->applyLayout(layout);
    downloadListsPanel_->applyLayout(layout);
}

}  // namespace qh
