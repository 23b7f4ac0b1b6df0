#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTreeView>
#include <algorithm>

#include "app/basic_setup_panel.h"
#include "app/category_tab_strip.h"
#include "app/download_lists_panel.h"
#include "app/drive_combo.h"
#include "app/drive_folder_model.h"
#include "app/keyword_line_edit.h"
#include "app/list_copy_widgets.h"
#include "app/play_copy_cleanup.h"
#include "app/player_column_panel.h"
#include "app/removable_disks.h"
#include "app/result_area_panel.h"
#include "app/search_bar_panel.h"
#include "app/tally_panel.h"
#include "download/billing_tally.h"
#include "download/copy_progress.h"
#include "download/marked_file.h"
#include "library/library_layout.h"
#include "library/search_keyword.h"
#include "media/sound_cue.h"
#include "platform/drive_notifications.h"
#include "platform/file_system.h"
#include "platform/input_methods.h"
#include "platform/shared_drive_table.h"
#include "platform/shell.h"
#include "settings/settings_store.h"
#include "text/gbk.h"
#include "text/text_list_file.h"
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

}  // namespace

MainWindow::MainWindow(MainWindowServices services)
    : services_(std::move(services)),
      keySounds_(services_.keySoundDevice, services_.paths.appFile(gbk("按键音乐")), this),
      resultModel_(services_.files, FileRowsModel::Numbering::Numbered),
      shownModel_(services_.files, FileRowsModel::Numbering::Plain),
      downloadLists_(services_.paths),
      search_(services_.folderReader),
      // Once for a run of marks: a list of thousands of files may fail at once.
      undelivered_(downloadLists_, shownModel_, [this] { timer3_.start(); }),
      presentMessage_([this](const QString& text) {
          QMessageBox::information(this, QApplication::applicationName(), text);
      }) {
    setObjectName("TForm1");
    setWindowTitle(QString::fromUtf8("青禾点唱 手机下载系统2010.9.01"));
    resize(1013 - 2 * kFrameWidth, 711 - kFrameHeight);

    // The timers are the window's children so that tests find them by name.
    for (QTimer* timer : {&qiDTimer_, &baiSTimer_, &timer7_, &timer3_, &timer13_, &uZTTimer3_}) {
        timer->setParent(this);
    }
    makeOneShot(qiDTimer_, "QiDTimer", 20);
    makeOneShot(baiSTimer_, "BaiSTimer", 20);
    makeOneShot(timer7_, "Timer7", 10);
    makeOneShot(timer3_, "Timer3", 1);
    makeOneShot(uZTTimer3_, "UZTTimer3", 1000);
    timer13_.setObjectName("Timer13");
    timer13_.setInterval(1000);
    connect(&qiDTimer_, &QTimer::timeout, this, &MainWindow::QiDTimerTimer);
    connect(&baiSTimer_, &QTimer::timeout, this, &MainWindow::BaiSTimerTimer);
    connect(&timer7_, &QTimer::timeout, this, &MainWindow::Timer7Timer);
    connect(&timer3_, &QTimer::timeout, this, &MainWindow::Timer3Timer);
    connect(&timer13_, &QTimer::timeout, this, &MainWindow::Timer13Timer);
    connect(&uZTTimer3_, &QTimer::timeout, this, &MainWindow::UZTTimer3Timer);
    // Timer7 and Timer13 run from the window's creation, as the form has them.
    timer7_.start();
    timer13_.start();

    buildFrame();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect outer(0, 0, 1013, 711);
        move(screen->availableGeometry().center() - outer.center());
    }
    for (int list = 0; list < DownloadLists::kCount; ++list) {
        copyWorkers_[list] = std::make_unique<ListCopyWorker>(ListCopyWorker::Parts{
            list, services_.files, downloadLists_.list(list).targets(),
            downloadLists_.list(list).copyControl(), *copyWidgets_[list], *this});
    }
    FormCreate();
}

MainWindow::~MainWindow() {
    // Every list's job stops after the file it is copying; they finish those side by side.
    for (int list = 0; list < DownloadLists::kCount; ++list) {
        downloadLists_.list(list).copyControl().requestStop();
    }
    for (auto& worker : copyWorkers_) {
        worker.reset();
    }
    FormDestroy();
}

void MainWindow::buildFrame() {
    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    setCentralWidget(client);
    QFont font({QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(14);
    client->setFont(font);
    client->setStyleSheet("QLabel, QGroupBox { color: navy; }");

    playerColumn_ = new PlayerColumnPanel(client);
    categoryTabs_ = new CategoryTabStrip(client);
    searchBar_ = new SearchBarPanel(categoryTabs_);
    resultArea_ = new ResultAreaPanel(resultModel_, categoryTabs_);
    downloadListsPanel_ = new DownloadListsPanel(shownModel_, client);
    connect(downloadListsPanel_, &QTabWidget::currentChanged, this,
            &MainWindow::PageControl2Change);
    for (int list = 0; list < kDownloadListCount; ++list) {
        connect(downloadListsPanel_->selectAllButton(list), &QPushButton::clicked, this, [this] {
            downloadListsPanel_->shownList()->setFocus();
            selectAllOfShownList();
        });
        connect(downloadListsPanel_->downloadButton(list), &QPushButton::clicked, this,
                [this, list] { downloadSelected(list); });
    }
    buildPopupMenus();
    buildTargetChoice();
    removableDisks_ =
        new RemovableDisks({services_.files, services_.drives, downloadLists_, keySounds_,
                            [this](int list) {
                                showTargetLines(list);
                                downloadListsPanel_->targetBox(list)->setCurrentIndex(0);
                            }},
                           downloadListsPanel_, downloadListsPanel_->tally(), resultArea_);
    connect(resultArea_->resultList(), &QTreeView::doubleClicked, this,
            &MainWindow::ListView1DblClick);
    connect(resultArea_->resultList(), &QTreeView::pressed, this, &MainWindow::ListView1MouseDown);
    connect(downloadListsPanel_->shownList(), &QTreeView::pressed, this,
            &MainWindow::ListView2MouseDown);
    connect(searchBar_, &SearchBarPanel::driveTextChanged, this,
            &MainWindow::searchBarDriveChanged);
    connect(searchBar_->searchButton(), &QPushButton::clicked, this,
            &MainWindow::SpeedButton22Click);
    connect(searchBar_->defaultButton(), &QPushButton::clicked, this,
            &MainWindow::SpeedButton22Click);
    connect(searchBar_->webSearchButton(), &QPushButton::clicked, this,
            &MainWindow::SpeedButton13Click);
    connect(searchBar_->numberMode(), &QCheckBox::clicked, this, &MainWindow::CheckBox1Click);
    connect(searchBar_->copyAtOnce(), &QCheckBox::clicked, this, &MainWindow::CheckBox2Click);
    connect(searchBar_->keywordEditor(), &KeywordLineEdit::doubleClicked,
            searchBar_->keywordEditor(), &QLineEdit::selectAll);
    // Enter anywhere in the window presses the hidden default button.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        enter->setContext(Qt::WindowShortcut);
        connect(enter, &QShortcut::activated, searchBar_->defaultButton(), [this] {
            if (searchBar_->defaultButton()->isEnabled()) {
                searchBar_->defaultButton()->click();
            }
        });
    }
    connect(categoryTabs_, &CategoryTabStrip::tabPressed, this, &MainWindow::TabControl4MouseDown);
    connect(&search_, &SearchThread::pathsFound, this, &MainWindow::searchPathsFound);
    connect(&search_, &SearchThread::searchEnded, this, &MainWindow::searchEnded);

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

    for (int list = 0; list < kDownloadListCount; ++list) {
        copyWidgets_[list] =
            new ListCopyWidgets(list, downloadListsPanel_->widget(list), this, list == 0);
        connect(copyWidgets_[list]->lyricsBox(), &QCheckBox::toggled, this,
                [this, list](bool ticked) {
                    downloadLists_.list(list).copyControl().setLyricsWanted(ticked);
                });
    }

    basicSetup_ = new BasicSetupPanel(
        {services_.settings, services_.files, services_.drives, services_.shell, keySounds_,
         [this](int drive, const QString& text) {
             setComboTextQuietly(searchBar_->driveCombo(drive), text);
         }},
        client);
    basicSetup_->hide();
}

void MainWindow::FormCreate() {
    registerDriveNotifications();
    // A shop that wants every byte of every copy read back from the customer's disk says so.
    if (services_.settings.read("XiaZai", "QuanBuJiaoYan") == "1") {
        copyCheck_ = CopyCheck::Whole;
    }
    // B.3: the sync counters start with the download lists that own them.
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
        setComboTextQuietly(searchBar_->driveCombo(drive), fromGbk(letter));
        anyDrive = anyDrive || !letter.empty();
    }
    if (!anyDrive) {
        basicSetup_->show();
        basicSetup_->raise();
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
    const auto skin = services_.settings.read("PiFu", "PiFu");
    if (!skin.empty()) {
        applySkin(skin);
    }
    searchKeyword_ = gbk("绿野青禾");
    searchMask_ = "*.*";
    searchBar_->statusLabel()->setText(QString::fromUtf8("正在整理缓存 ... 请稍等 ！"));
    searchBar_->secondsLabel()->setText(QStringLiteral("0"));
    timer13_.start();
    categoryTabs_->setCurrentIndex(-1);
    startWarmUpSearch();
    qiDTimer_.start();
}

void MainWindow::QiDTimerTimer() {
    qiDTimer_.stop();
    const auto hotFile = services_.paths.dataFile(gbk("热门推荐.txt"));
    hotList_.clear();
    if (fileExists(hotFile)) {
        hotList_.assign(loadTextList(hotFile));
    } else {
        saveTextList(hotFile, hotList_.lines());
    }

    downloadLists_.loadShown();
    startUpLoaded_ = true;
    showShownListRows();
    recomputeTally();
    if (fileExists(services_.paths.dataFile(gbk("播放列表.txt")))) {
        loadPlaylist();
    }
    if (fileExists(services_.paths.dataFile(gbk("歌手.txt")))) {
        loadSingers();
    }
    for (int list = 1; list <= 5; ++list) {
        const auto staging = stagingFolderOf(list);
        if (!services_.files.folderExists(staging)) {
            services_.files.createFolders(staging);
        }
    }
    categoryTabs_->setCurrentIndex(0);
    keySounds_.request(kCueStart);
    applyPreferredInputMethod();
    searchBar_->keywordBox()->setFocus();
}

void MainWindow::BaiSTimerTimer() {
    baiSTimer_.stop();
    hotList_.count(currentFile_);
}

void MainWindow::Timer7Timer() {
    timer7_.stop();
    // Once after start no result row is selected, so the add action has nothing to do.
    if (resultArea_->resultList()->selectionModel()->hasSelection()) {
        ListView1DblClick();
    }
}

void MainWindow::Timer13Timer() {
    searchBar_->secondsLabel()->setText(
        QString::number(searchBar_->secondsLabel()->text().toInt() + 1));
}

void MainWindow::UZTTimer3Timer() {
    uZTTimer3_.stop();
    // The target drop-downs hold their default lines since the window was made.
    removableDisks_->scanPresentDrives();
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
        saveTextList(hotFile, hotList_.lines());
    }
    deleteCurrentPlayCopy();
    keySounds_.playClosingSound();
}

void MainWindow::FormClose() {
    const auto batch = services_.paths.appDir / "bt.bat";
    if (fileExists(batch)) {
        services_.shell.runBatchHidden(batch);
    }
}

void MainWindow::FormDestroy() {
    releaseDriveNotifications();
}

void MainWindow::searchBarDriveChanged(int drive, const QString& text) {
    const std::string key = "PanFu" + std::to_string(drive);
    const auto letter = toGbk(text);
    services_.settings.write(key, key, letter);
    createCategoryFolders(services_.files, letter);
    keySounds_.request(kCueSelect);
    searchBar_->keywordBox()->setFocus();
}

void MainWindow::emptyResultList() {
    resultModel_.clear();
    resultArea_->countLabel()->setText(QString::fromUtf8("0 个对象"));
}

void MainWindow::SpeedButton22Click() {
    emptyResultList();
    searchBar_->statusLabel()->setText(QString::fromUtf8("正 在 搜 索 ..."));
    searchBar_->secondsLabel()->setText(QStringLiteral("0"));
    timer13_.start();
    searchBar_->setSearchButtonsEnabled(false);
    if (startUpLoaded_) {
        downloadLists_.shown().save();
    }

    const std::string typed = toGbk(searchBar_->keywordBox()->currentText());
    const auto choice = chooseSearchKeyword(typed);
    if (choice.kind == TypedTextKind::Refused) {
        presentMessage_(QString::fromUtf8("对不起,此字符被禁搜"));
        searchBar_->setSearchButtonsEnabled(true);
        return;
    }
    searchKeyword_ = choice.searchKeyword;
    if (categoryTabs_->currentIndex() == 0) {
        searchMask_ = "*.mp3";
    }
    hideIntroduction();
    searchBar_->keywordEditor()->selectAll();
    if (!searchBar_->numberMode()->isChecked()) {
        keywordHistory_.push_back(typed);
        searchBar_->keywordBox()->addItem(fromGbk(typed));
        keywordHistoryCount_ = static_cast<int>(keywordHistory_.size());
    }
    resultArea_->resultList()->show();
    startSearchWorker(searchKeyword_);
}

void MainWindow::startSearchWorker(std::string searchKeyword) {
    search_.start({categoryTabs_->currentIndex(), searchBar_->driveTexts(),
                   std::move(searchKeyword), searchMask_,
                   toGbk(searchBar_->keywordBox()->currentText())});
}

void MainWindow::searchPathsFound(const std::vector<std::string>& paths) {
    resultModel_.appendRows(paths);
    if (resultModel_.rowCount() > 0) {
        currentFile_ = resultModel_.pathAt(0);
    }
    resultArea_->countLabel()->setText(QString::number(resultModel_.rowCount()) +
                                       QString::fromUtf8(" 个对象"));
}

void MainWindow::searchEnded() {
    if (resultModel_.rowCount() > 0 && searchBar_->numberMode()->isChecked()) {
        auto* list = resultArea_->resultList();
        list->setCurrentIndex(resultModel_.index(0, 0));
        list->selectionModel()->select(
            resultModel_.index(0, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        currentFile_ = resultModel_.pathAt(0);
        timer7_.start();
    } else if (resultModel_.rowCount() > 0) {
        keySounds_.request(kCueFound);
    } else {
        keySounds_.request(kCueError);
    }
    searchBar_->statusLabel()->setText(QString::fromUtf8("就绪！"));
    timer13_.stop();
    searchBar_->setSearchButtonsEnabled(true);
}

void MainWindow::CheckBox1Click() {
    auto* editor = searchBar_->keywordEditor();
    if (searchBar_->numberMode()->isChecked()) {
        editor->setInputMethodAllowed(false);
        searchBar_->keywordBox()->setEditText(QString::fromUtf8("这里输入查找编号"));
    } else {
        editor->setInputMethodAllowed(true);
        applyPreferredInputMethod();
        searchBar_->keywordBox()->setEditText(QString::fromUtf8("这里输入查找关键字"));
    }
    editor->setFocus();
    keySounds_.request(kCueSelect);
}

void MainWindow::CheckBox2Click() {
    downloadLists_.setSyncDownload(searchBar_->copyAtOnce()->isChecked());
    searchBar_->keywordEditor()->setFocus();
    keySounds_.request(kCueSelect);
}

void MainWindow::TabControl4MouseDown(int tab) {
    if (tab >= 0) {
        searchMask_ = "*.*";
    }
    searchBar_->setEnabled(true);
    resultArea_->resultList()->show();
    keySounds_.request(kCueSelect);
    searchBar_->keywordEditor()->setFocus();
}

void MainWindow::SpeedButton13Click() {
    openWebSearch(searchBar_->keywordBox()->currentText());
}

void MainWindow::startWarmUpSearch() {
    // The warm-up walks the whole library, leaving the search buttons enabled.
    emptyResultList();
    startSearchWorker(searchKeyword_);
}

void MainWindow::registerDriveNotifications() {
    connect(&services_.driveNotifications, &DriveNotifications::driveAdded, removableDisks_,
            &RemovableDisks::driveAdded);
    connect(&services_.driveNotifications, &DriveNotifications::driveRemoved, removableDisks_,
            &RemovableDisks::driveRemoved);
}

void MainWindow::releaseDriveNotifications() {
    disconnect(&services_.driveNotifications, nullptr, removableDisks_, nullptr);
}
void MainWindow::applySkin(const std::string&) {}
void MainWindow::ListView1DblClick() {
    auto* list = resultArea_->resultList();
    if (!list->currentIndex().isValid()) {
        return;
    }
    // Rows are added top to bottom, whatever order they were picked in.
    std::vector<int> order;
    for (const auto& row : list->selectionModel()->selectedRows()) {
        order.push_back(row.row());
    }
    std::sort(order.begin(), order.end());
    std::vector<std::string> selected;
    for (int row : order) {
        selected.push_back(resultModel_.pathAt(row));
    }
    const std::size_t before = downloadLists_.shown().entries().size();
    const auto added = downloadLists_.addResults(selected, currentFile_);
    if (!added.refusal.empty()) {
        presentMessage_(fromGbk(added.refusal));
        return;
    }
    if (added.appended > 0) {
        const auto& entries = downloadLists_.shown().entries();
        shownModel_.appendRows(
            {entries.begin() + static_cast<std::ptrdiff_t>(before), entries.end()});
        timer3_.start();
    }
    searchBar_->keywordEditor()->setFocus();
    keySounds_.request(kCueCopy);
    if (added.syncJobFrom) {
        startSyncJob(downloadLists_.shownIndex(), *added.syncJobFrom);
    }
}

void MainWindow::Timer3Timer() {
    timer3_.stop();
    recomputeTally();
}

void MainWindow::PageControl2Change(int list) {
    downloadLists_.switchTo(list);
    searchBar_->copyAtOnce()->setChecked(true);
    showShownListRows();
    recomputeTally();
    for (int other = 0; other < kDownloadListCount; ++other) {
        copyWidgets_[other]->setOnScreen(other == list);
    }
    removableDisks_->showChosenDisk();
    keySounds_.request(kCueSelect);
}

void MainWindow::buildTargetChoice() {
    folderModel_ = new DriveFolderModel(services_.drives, services_.files, this);
    folderTree_ = new QTreeView(resultArea_);
    folderTree_->setObjectName("ShellTreeView2");
    folderTree_->setGeometry(8, 16, 505, 441);
    folderTree_->setHeaderHidden(true);
    folderTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    folderTree_->setModel(folderModel_);
    folderTree_->hide();
    connect(folderTree_, &QTreeView::expanded, folderModel_, &DriveFolderModel::loadChildren);
    connect(folderTree_, &QTreeView::clicked, this, &MainWindow::ShellTreeView2Click);
    for (int list = 0; list < kDownloadListCount; ++list) {
        showTargetLines(list);
        connect(downloadListsPanel_->targetBox(list), &QComboBox::activated, this,
                &MainWindow::targetLinePicked);
        connect(downloadListsPanel_->openButton(list), &QPushButton::clicked, this,
                [this, list] { openTargetFolder(list); });
    }
    // A click elsewhere in the lists puts the tree away.
    connect(resultArea_->resultList(), &QTreeView::clicked, folderTree_, &QWidget::hide);
    connect(downloadListsPanel_->shownList(), &QTreeView::clicked, folderTree_, &QWidget::hide);
}

void MainWindow::showTargetLines(int list) {
    auto* box = downloadListsPanel_->targetBox(list);
    const int picked = std::max(0, box->currentIndex());
    box->clear();
    for (const auto& line : downloadLists_.list(list).targets().dropDownLines()) {
        box->addItem(fromGbk(line));
    }
    box->setCurrentIndex(picked);
}

void MainWindow::targetLinePicked() {
    folderModel_->reload();
    folderTree_->expand(folderModel_->index(0, 0));
    folderTree_->show();
    folderTree_->raise();
    keySounds_.request(kCueSelect);
}

void MainWindow::ShellTreeView2Click(const QModelIndex& folder) {
    const int list = downloadLists_.shownIndex();
    const int kind = downloadListsPanel_->targetBox(list)->currentIndex();
    if (kind >= 0) {
        const auto choice = downloadLists_.list(list).targets().chooseFolder(
            static_cast<TargetKind>(kind), folderModel_->pathOf(folder));
        if (choice.accepted) {
            showTargetLines(list);
        } else {
            presentMessage_(fromGbk(choice.message));
        }
    }
    folderTree_->hide();
    keySounds_.request(kCueSelect);
}

void MainWindow::openTargetFolder(int list) {
    folderTree_->hide();
    const auto folder = folderToOpen(toGbk(downloadListsPanel_->targetBox(list)->currentText()));
    if (const auto host = services_.drives.snapshot()->resolve(folder)) {
        services_.shell.openFolder(*host);
    }
}

void MainWindow::buildPopupMenus() {
    auto* shownMenu = new QMenu(this);
    shownMenu->setObjectName("PopupMenu3");
    shownMenu->addAction(QString::fromUtf8("清空"), this, &MainWindow::N18Click)
        ->setObjectName("N18");
    shownMenu->addSeparator();
    shownMenu->addAction(QString::fromUtf8("全选"), this, &MainWindow::selectAllOfShownList)
        ->setObjectName("N8");
    shownMenu
        ->addAction(QString::fromUtf8("下载"), this,
                    [this] { downloadSelected(downloadLists_.shownIndex()); })
        ->setObjectName("N26");
    shownMenu->addSeparator();
    shownMenu->addAction(QString::fromUtf8("删除选中的文件"), this, &MainWindow::N3Click)
        ->setObjectName("N3");
    auto* shownList = downloadListsPanel_->shownList();
    shownList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(shownList, &QWidget::customContextMenuRequested, shownMenu,
            [shownMenu, shownList](const QPoint& at) {
                shownMenu->popup(shownList->viewport()->mapToGlobal(at));
            });

    auto* resultMenu = new QMenu(this);
    resultMenu->setObjectName("PopupMenu2");
    resultMenu->addAction(QString::fromUtf8("批量添加 到 清单"), this, &MainWindow::N20Click)
        ->setObjectName("N20");
    auto* resultList = resultArea_->resultList();
    resultList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultList, &QWidget::customContextMenuRequested, resultMenu,
            [resultMenu, resultList](const QPoint& at) {
                resultMenu->popup(resultList->viewport()->mapToGlobal(at));
            });
}

std::vector<std::size_t> MainWindow::selectedEntries() const {
    std::vector<std::size_t> rows;
    for (const auto& row : downloadListsPanel_->shownList()->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(row.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::downloadSelected(int list) {
    switch (downloadLists_.list(list).startDownload(selectedEntries())) {
        case DownloadStart::NothingSelected:
            presentMessage_(QString::fromUtf8("至少要选择一个文件!"));
            return;
        case DownloadStart::ListBusy:
            // The running job reads this list's queue: a second job must not refill it.
            keySounds_.request(kCueError);
            return;
        case DownloadStart::Started:
            startBatchJob(list);
            if (list > 0) {
                keySounds_.request(kCueSelect);
            }
            return;
    }
}

void MainWindow::N20Click() {
    searchBar_->copyAtOnce()->setChecked(false);
    downloadLists_.setSyncDownload(false);
    ListView1DblClick();
}

void MainWindow::ListView1MouseDown(const QModelIndex& row) {
    if (!row.isValid()) {
        return;
    }
    currentFile_ = resultModel_.pathAt(row.row());
    statusPanels_[0]->setText(fromGbk(currentFile_));
    auto* play = playerColumn_->findChild<QPushButton*>("Button11");
    play->setEnabled(true);
    play->setStyleSheet("color: aqua;");
}

void MainWindow::ListView2MouseDown(const QModelIndex& row) {
    const auto& entries = downloadLists_.shown().entries();
    if (row.isValid() && row.row() < static_cast<int>(entries.size())) {
        currentFile_ = entries[row.row()];
    }
}

void MainWindow::N18Click() {
    downloadLists_.shown().clear();
    shownModel_.clear();
    keySounds_.request(kCueDelete);
    recomputeTally();
}

void MainWindow::N3Click() {
    const auto selected = selectedEntries();
    if (selected.empty()) {
        return;
    }
    downloadLists_.shown().deleteSelected(selected, services_.files);
    removableDisks_->armFreeSpaceRefresh();
    showShownListRows();
    keySounds_.request(kCueDelete);
    recomputeTally();
}

void MainWindow::selectAllOfShownList() {
    downloadListsPanel_->shownList()->selectAll();
    keySounds_.request(kCueSelect);
}

void MainWindow::showShownListRows() {
    shownModel_.clear();
    shownModel_.appendRows(downloadLists_.shown().entries());
    undelivered_.showMarksOfShownList();
}

void MainWindow::recomputeTally() {
    const UnitPrices prices = parameters_ != nullptr ? parameters_->unitPrices() : UnitPrices{};
    // Files that did not reach the customer's disk are not charged for.
    const auto& shown = downloadLists_.shown();
    const auto charged = shown.chargedEntries();
    const auto tally = tallyList(charged, services_.files, prices);
    downloadListsPanel_->tally()->showTally(tally);
    downloadListsPanel_->tally()->showUndelivered(
        static_cast<int>(shown.entries().size() - charged.size()));
    listSizes_.record(downloadLists_.shownIndex() + 1, tally);
}

void MainWindow::markUndelivered(int list, const std::string& path, FileFault fault) {
    undelivered_.mark(list, path, fault);
}

void MainWindow::hideIntroduction() {}
void MainWindow::openWebSearch(const QString&) {}

void MainWindow::startSyncJob(int list, std::size_t fromQueueIndex) {
    undelivered_.forget(list);
    copyWidgets_[list]->setBusyShown(true);
    copyWorkers_[list]->startSync(fromQueueIndex);
}

void MainWindow::startBatchJob(int list) {
    undelivered_.forget(list);
    copyWidgets_[list]->setBusyShown(true);
    copyWorkers_[list]->startBatch();
}

void MainWindow::setCopyStatusLine(const std::string& text) {
    statusPanels_[1]->setText(fromGbk(text));
}

void MainWindow::trimKeywordHistory() {
    // A sync add right after a keyword search takes back the entry that search recorded.
    if (!keywordHistory_.empty() &&
        keywordHistory_.size() == static_cast<std::size_t>(keywordHistoryCount_)) {
        keywordHistory_.pop_back();
        auto* box = searchBar_->keywordBox();
        box->removeItem(box->count() - 1);
    }
}

void MainWindow::playCopySound() {
    keySounds_.request(kCueCopy);
}

void MainWindow::playErrorSound() {
    keySounds_.request(kCueError);
}

int MainWindow::barMaximumOfList(int list) const {
    return barMaximumOf(listSizes_.text(list + 1));
}

void MainWindow::armFreeSpaceRefresh() {
    removableDisks_->armFreeSpaceRefresh();
}
void MainWindow::loadPlaylist() {}
void MainWindow::loadSingers() {}
void MainWindow::deleteCurrentPlayCopy() {}
void MainWindow::setParametersWindow(ParametersWindow* parameters) {
    parameters_ = parameters;
    connect(parameters_, &ParametersWindow::preferredInputMethodChanged, this, [this] {
        if (!searchBar_->numberMode()->isChecked()) {
            applyPreferredInputMethod();
        }
    });
}

// Linux lets a program switch a box's input method on or off, not choose the engine: the
// preferred method is the desktop's own, on in keyword mode.
void MainWindow::applyPreferredInputMethod() {
    searchBar_->keywordEditor()->setInputMethodAllowed(true);
}

}  // namespace qh
