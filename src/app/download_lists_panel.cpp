#include "app/download_lists_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>
#include <algorithm>

#include "app/file_rows_model.h"
#include "app/grid_line_delegate.h"
#include "app/list_copies.h"
#include "app/local_copy_worker.h"
#include "app/removable_disks.h"
#include "app/tally_panel.h"
#include "app/target_choice.h"
#include "app/window_layout.h"
#include "download/billing_tally.h"
#include "download/list_size_memo.h"
#include "download/marked_file.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "text/gbk.h"

namespace qh {

namespace {

struct PageNames {
    const char* page;
    const char* selectAll;
    const char* download;
    const char* targetBox;
    const char* openButton;
};

constexpr PageNames kPageNames[kListCount] = {
    {"TabSheet3", "SpeedButton23", "SpeedButton24", "ComboBox2", "Button6"},
    {"TabSheet4", "SpeedButton57", "SpeedButton61", "ComboBox10", "Button9"},
    {"TabSheet5", "SpeedButton62", "SpeedButton63", "ComboBox11", "Button12"},
    {"TabSheet7", "SpeedButton64", "SpeedButton65", "ComboBox12", "Button14"},
    {"TabSheet8", "SpeedButton66", "SpeedButton67", "ComboBox13", "Button15"},
};

}  // namespace

DownloadListsPanel::DownloadListsPanel(DownloadListsServices services, QWidget* window,
                                       QWidget* resultArea)
    : QTabWidget(window), services_(std::move(services)) {
    setObjectName("PageControl2");
    setGeometry(728, 42, 273, 623);
    tabBar()->setStyleSheet(
        "QTabBar::tab { width: 50px; height: 28px; padding: 0 1px; font-size: 12px; }");

    std::array<QComboBox*, kListCount> targetBoxes{};
    std::array<QPushButton*, kListCount> openButtons{};
    for (int list = 0; list < kListCount; ++list) {
        const PageNames& names = kPageNames[list];
        auto* page = new QWidget(this);
        page->setObjectName(QString::fromLatin1(names.page));
        addTab(page, QString::fromUtf8("清单") + QString::number(list + 1));

        selectAll_[list] = new QPushButton(QString::fromUtf8("全选"), page);
        selectAll_[list]->setObjectName(QString::fromLatin1(names.selectAll));
        selectAll_[list]->setGeometry(8, 8, 60, 26);
        download_[list] = new QPushButton(QString::fromUtf8("下载"), page);
        download_[list]->setObjectName(QString::fromLatin1(names.download));
        download_[list]->setGeometry(72, 8, 60, 26);
        targetBoxes[list] = new QComboBox(page);
        targetBoxes[list]->setObjectName(QString::fromLatin1(names.targetBox));
        targetBoxes[list]->setGeometry(6, 38, 196, 24);
        openButtons[list] = new QPushButton(QString::fromUtf8("打开"), page);
        openButtons[list]->setObjectName(QString::fromLatin1(names.openButton));
        openButtons[list]->setToolTip(QString::fromUtf8("点击后将打开左边框显示的目录"));
        openButtons[list]->setGeometry(206, 38, 56, 24);
        if (list == 0) {
            selectAll_[list]->setToolTip(QString::fromUtf8("全部选择当前清单文件"));
            download_[list]->setToolTip(QString::fromUtf8("下载选择的文件到指定目录"));
        }
        connect(selectAll_[list], &QPushButton::clicked, this, [this] {
            shownList_->setFocus();
            selectAllOfShownList();
        });
        connect(download_[list], &QPushButton::clicked, this,
                [this, list] { downloadSelected(list); });
    }
    // TabSheet8MouseUp: a release on 清单5's page puts the folder tree away. The first page
    // tells when the tab widget has placed its pages.
    widget(kListCount - 1)->installEventFilter(this);
    widget(0)->installEventFilter(this);

    buildShownList(window);
    tally_ = new TallyPanel(window);
    connect(tally_, &TallyPanel::clicked, this, &DownloadListsPanel::hideTargetTree);
    buildMenu();

    targetChoice_ = new TargetChoice({services_.drives, services_.files, services_.shell,
                                      services_.lists, services_.keySounds, services_.present},
                                     targetBoxes, openButtons, resultArea);
    removableDisks_ =
        new RemovableDisks({services_.files, services_.drives, services_.lists, services_.keySounds,
                            [this](int list) { targetChoice_->showFirstTargetLine(list); }},
                           this, tally_, resultArea);
    copies_ = new ListCopies({services_.files, services_.lists, services_.sizes,
                              services_.shownRows, services_.keySounds, services_.check},
                             this, window);
    connect(copies_, &ListCopies::tallyChanged, &timer3_, qOverload<>(&QTimer::start));
    connect(copies_, &ListCopies::statusLineChanged, this,
            &DownloadListsPanel::copyStatusLineChanged);
    connect(copies_, &ListCopies::freeSpaceRefreshWanted, removableDisks_,
            &RemovableDisks::armFreeSpaceRefresh);
    connect(copies_, &ListCopies::hotCountWanted, this, &DownloadListsPanel::hotCountWanted);
    localCopy_ = new LocalCopyWorker(services_.files, this);
    connect(localCopy_, &LocalCopyWorker::ended, this, &DownloadListsPanel::localCopyEnded);
    connect(copies_, &ListCopies::keywordHistoryTrimWanted, this,
            &DownloadListsPanel::keywordHistoryTrimWanted);
    connect(this, &QTabWidget::currentChanged, this, &DownloadListsPanel::PageControl2Change);

    timer3_.setParent(this);
    timer3_.setObjectName("Timer3");
    timer3_.setSingleShot(true);
    timer3_.setInterval(1);
    connect(&timer3_, &QTimer::timeout, this, &DownloadListsPanel::Timer3Timer);
}

DownloadListsPanel::~DownloadListsPanel() {
    stopCopies();
}

void DownloadListsPanel::stopCopies() {
    delete copies_;
    copies_ = nullptr;
}

void DownloadListsPanel::buildShownList(QWidget* window) {
    shownList_ = new QTreeView(window);
    shownList_->setObjectName("ListView2");
    shownList_->setGeometry(736, 136, 257, 305);
    shownList_->setRootIsDecorated(false);
    shownList_->setUniformRowHeights(true);
    shownList_->setItemsExpandable(false);
    shownList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    shownList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    shownList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    shownList_->setToolTip(QString::fromUtf8("双击为播放  右击为右键菜单"));
    shownList_->setIconSize({22, 22});
    shownList_->setItemDelegate(new GridLineDelegate(shownList_));
    shownList_->setModel(&services_.shownRows);
    shownList_->header()->resizeSection(0, 215);
    shownList_->header()->setSectionsClickable(false);
    connect(shownList_, &QTreeView::pressed, this, &DownloadListsPanel::ListView2MouseDown);
    connect(shownList_, &QTreeView::clicked, this, &DownloadListsPanel::hideTargetTree);
    // ListView2DblClick: the current file plays, the chosen rows first into the playlist.
    connect(shownList_, &QTreeView::doubleClicked, this,
            [this] { emit playWanted(selectedPlaylistEntries()); });
}

void DownloadListsPanel::buildMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu3");
    const auto add = [this, menu](const char* name, const char* text, auto handler) {
        menu->addAction(QString::fromUtf8(text), this, handler)
            ->setObjectName(QString::fromLatin1(name));
    };
    add("N18", "清空", &DownloadListsPanel::N18Click);
    menu->addSeparator();
    add("N8", "全选", &DownloadListsPanel::selectAllOfShownList);
    add("N26", "下载", [this] { downloadSelected(services_.lists.shownIndex()); });
    menu->addSeparator();
    add("N3", "删除选中的文件", &DownloadListsPanel::N3Click);
    menu->addSeparator();
    add("N32", "播放", [this] { emit playWanted(selectedPlaylistEntries()); });
    add("N29", "添加到播放列表", [this] { emit addToPlaylistWanted(selectedPlaylistEntries()); });
    add("N6", "复制到本地磁盘", &DownloadListsPanel::N6Click);
    menu->addSeparator();
    shownList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(shownList_, &QWidget::customContextMenuRequested, menu, [this, menu](const QPoint& at) {
        menu->popup(shownList_->viewport()->mapToGlobal(at));
    });
}

bool DownloadListsPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == widget(kListCount - 1) && type == QEvent::MouseButtonRelease) {
        hideTargetTree();
    } else if (watched == widget(0) && (type == QEvent::Move || type == QEvent::Resize)) {
        placeDiskSelectors();
    }
    return QTabWidget::eventFilter(watched, event);
}

void DownloadListsPanel::loadAtStartUp() {
    services_.lists.loadShown();
    startUpLoaded_ = true;
    showShownListRows();
    recomputeTally();
}

void DownloadListsPanel::createStagingFolders() {
    for (int list = 0; list < kListCount; ++list) {
        const auto staging = stagingFolderOf(list);
        if (!services_.files.folderExists(staging)) {
            services_.files.createFolders(staging);
        }
    }
}

void DownloadListsPanel::saveShownBeforeSearch() {
    if (startUpLoaded_) {
        services_.lists.saveShown();
    }
}

void DownloadListsPanel::addFromResults(const std::vector<std::string>& paths) {
    const std::size_t before = services_.lists.shown().entries().size();
    addResults(services_.lists.addResults(paths, services_.state.currentFile), before);
}

void DownloadListsPanel::batchAddFromResults(const std::vector<std::string>& paths) {
    const std::size_t before = services_.lists.shown().entries().size();
    const auto added = services_.lists.batchAdd(paths, services_.state.currentFile);
    emit copyAtOnceShown(services_.lists.syncDownload());
    if (!paths.empty()) {
        addResults(added, before);
    }
}

void DownloadListsPanel::addChosenPicture(const std::string& path) {
    const std::size_t before = services_.lists.shown().entries().size();
    showAdded(services_.lists.addResults({path}, path), before);
}

void DownloadListsPanel::addResults(const ResultAdd& added, std::size_t before) {
    if (!added.refusal.empty()) {
        services_.present(fromGbk(added.refusal));
        return;
    }
    emit keywordFocusWanted();
    showAdded(added, before);
}

void DownloadListsPanel::showAdded(const ResultAdd& added, std::size_t before) {
    if (added.appended > 0) {
        const auto& entries = services_.lists.shown().entries();
        services_.shownRows.appendRows(
            {entries.begin() + static_cast<std::ptrdiff_t>(before), entries.end()});
        timer3_.start();
    }
    services_.keySounds.request(kCueCopy);
    if (added.syncJobFrom) {
        copies_->startSync(services_.lists.shownIndex(), *added.syncJobFrom);
    }
}

void DownloadListsPanel::setCopyAtOnce(bool ticked) {
    services_.lists.setSyncDownload(ticked);
}

void DownloadListsPanel::Timer3Timer() {
    timer3_.stop();
    recomputeTally();
}

void DownloadListsPanel::recomputeTally() {
    // Files that did not reach the customer's disk are not charged for.
    const auto& shown = services_.lists.shown();
    const auto charged = shown.chargedEntries();
    const auto tally = tallyList(charged, services_.files, services_.prices());
    tally_->showTally(tally);
    tally_->showUndelivered(static_cast<int>(shown.entries().size() - charged.size()));
    services_.sizes.record(services_.lists.shownIndex(), tally);
}

void DownloadListsPanel::hideTargetTree() {
    targetChoice_->hideTree();
}

void DownloadListsPanel::applyLayout(const MainWindowLayout& layout) {
    tally_->move(tally_->x(), layout.tallyTop);
    resize(layout.listsWidth, layout.listsHeight);
    shownList_->resize(layout.shownListWidth, layout.shownListHeight);
    copies_->applyLayout(layout.copyAnimationTop, layout.copyBoxTop, layout.progressBarsTop);
    placeDiskSelectors();
}

void DownloadListsPanel::placeDiskSelectors() {
    // The selectors sit in the gap between the tally, which lies over the pages, and the copy
    // box; the pages start below the tabs, once the tab widget has laid them out.
    const int pageTop = widget(0)->mapTo(parentWidget(), QPoint(0, 0)).y();
    removableDisks_->placeSelectors(tally_->geometry().bottom() + 2 - pageTop);
}

void DownloadListsPanel::PageControl2Change(int list) {
    services_.lists.switchTo(list);
    emit copyAtOnceShown(services_.lists.syncDownload());
    showShownListRows();
    recomputeTally();
    copies_->showList(list);
    removableDisks_->showChosenDisk();
    services_.keySounds.request(kCueSelect);
}

std::vector<std::size_t> DownloadListsPanel::selectedEntries() const {
    std::vector<std::size_t> rows;
    for (const auto& row : shownList_->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(row.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<PlaylistEntry> DownloadListsPanel::selectedPlaylistEntries() const {
    const auto& entries = services_.lists.shown().entries();
    std::vector<PlaylistEntry> rows;
    for (const auto row : selectedEntries()) {
        if (row < entries.size()) {
            rows.push_back({services_.shownRows.captionAt(static_cast<int>(row)), entries[row]});
        }
    }
    return rows;
}

void DownloadListsPanel::downloadSelected(int list) {
    switch (services_.lists.list(list).startDownload(selectedEntries())) {
        case DownloadStart::NothingSelected:
            services_.present(QString::fromUtf8("至少要选择一个文件!"));
            return;
        case DownloadStart::ListBusy:
            // The running job reads this list's queue: a second job must not refill it.
            services_.keySounds.request(kCueError);
            return;
        case DownloadStart::Started:
            copies_->startBatch(list);
            if (list > 0) {
                services_.keySounds.request(kCueSelect);
            }
            return;
    }
}

void DownloadListsPanel::ListView2MouseDown(const QModelIndex& row) {
    const auto& entries = services_.lists.shown().entries();
    if (row.isValid() && row.row() < static_cast<int>(entries.size())) {
        services_.state.currentFile = entries[row.row()];
        services_.state.currentIndex = row.row();
    }
}

void DownloadListsPanel::N18Click() {
    services_.lists.shown().clear();
    services_.shownRows.clear();
    services_.keySounds.request(kCueDelete);
    recomputeTally();
}

void DownloadListsPanel::N3Click() {
    const auto selected = selectedEntries();
    if (selected.empty()) {
        return;
    }
    services_.lists.shown().deleteSelected(selected, services_.files);
    removableDisks_->armFreeSpaceRefresh();
    showShownListRows();
    services_.keySounds.request(kCueDelete);
    recomputeTally();
}

void DownloadListsPanel::N6Click() {
    const auto rows = selectedPlaylistEntries();
    if (rows.empty()) {
        services_.present(QString::fromUtf8("至少要选择一个文件!"));
        return;
    }
    if (localCopy_->busy()) {
        return;  // one copy at a time; its end is told on the status line
    }
    std::vector<LocalCopy> copies;
    for (const auto& row : rows) {
        copies.push_back({row.path, localCopyTarget(row.name, row.path)});
    }
    emit copyStatusLineChanged(
        QString::fromUtf8("正在复制到本地磁盘 ... 共 %1 个文件").arg(copies.size()));
    localCopy_->start(std::move(copies));
}

void DownloadListsPanel::localCopyEnded(int copied, int failed) {
    emit copyStatusLineChanged(QString::fromUtf8("已复制到本地磁盘 %1 个文件").arg(copied));
    if (failed > 0) {
        services_.present(QString::fromUtf8("有 %1 个文件没有复制到本地磁盘（D:\\歌曲下载），"
                                            "原有的同名文件保持不变。")
                              .arg(failed));
    }
    removableDisks_->armFreeSpaceRefresh();
    services_.keySounds.request(kCueSelect);
}

void DownloadListsPanel::selectAllOfShownList() {
    shownList_->selectAll();
    services_.keySounds.request(kCueSelect);
}

void DownloadListsPanel::showShownListRows() {
    services_.shownRows.clear();
    services_.shownRows.appendRows(services_.lists.shown().entries());
    if (copies_ != nullptr) {
        copies_->showMarksOfShownList();
    }
}

}  // namespace qh
