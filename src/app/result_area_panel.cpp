#include "app/result_area_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>
#include <numeric>

#include "app/file_rows_model.h"
#include "app/grid_line_delegate.h"
#include "app/window_layout.h"
#include "drives/file_management.h"
#include "library/hot_list.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/file_system.h"
#include "text/gbk.h"
#include "windows/maker_texts.h"

namespace qh {

ResultAreaPanel::ResultAreaPanel(ResultAreaServices services, QWidget* parent)
    : QGroupBox(parent), services_(services) {
    setObjectName("GroupBox4");
    setGeometry(0, 136, 521, 481);

    resultList_ = new QTreeView(this);
    resultList_->setObjectName("ListView1");
    resultList_->setGeometry(8, 16, 505, 441);
    resultList_->setRootIsDecorated(false);
    resultList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setToolTip(QString::fromUtf8("双击为选定文件并加到清单  右击为右键菜单"));
    resultList_->setUniformRowHeights(true);
    resultList_->setItemsExpandable(false);
    resultList_->setSortingEnabled(false);
    resultList_->setIconSize({22, 22});
    resultList_->setItemDelegate(new GridLineDelegate(resultList_));
    resultList_->setModel(&services_.results);
    resultList_->header()->setSectionsMovable(false);
    resultList_->header()->setSectionsClickable(false);
    const int widths[] = {300, 60, 70, 50};
    for (int column = 0; column < 4; ++column) {
        resultList_->header()->resizeSection(column, widths[column]);
    }
    connect(resultList_, &QTreeView::pressed, this, &ResultAreaPanel::ListView1MouseDown);
    connect(resultList_, &QTreeView::doubleClicked, this, &ResultAreaPanel::ListView1DblClick);

    introduction_ = new QListWidget(this);
    introduction_->setObjectName("ListBox8");
    introduction_->setGeometry(resultList_->geometry());
    introduction_->setStyleSheet(
        "QListWidget { font-size: 16px; } QListWidget::item { height: 24px; }");
    introduction_->setFocusPolicy(Qt::NoFocus);
    introduction_->setSelectionMode(QAbstractItemView::NoSelection);
    introduction_->addItems(introductionLines());

    countLabel_ = new QLabel(QString::fromUtf8("0  个对象"), this);
    countLabel_->setObjectName("Label16");
    countLabel_->setGeometry(8, 464, 90, 16);
    // The folder the file-management view lists, on the area's top edge: the bottom row is full.
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName("Label26");
    folderLabel_->setGeometry(8, 0, 505, 16);
    folderLabel_->hide();
    const struct {
        const char* name;
        const char* text;
        void (ResultAreaPanel::*pressed)();
    } buttons[] = {{"SpeedButton8", "新增资源", &ResultAreaPanel::newAdditionsBarWanted},
                   {"SpeedButton50", "热门排行", &ResultAreaPanel::HotRanking},
                   {"SpeedButton11", "分类查找", &ResultAreaPanel::categoryPanelWanted},
                   {"SpeedButton10", "本地磁盘", &ResultAreaPanel::localDiskWanted},
                   {"SpeedButton14", "U盘管理", &ResultAreaPanel::removableDiskWanted}};
    int left = 104;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(left, 457, 80, 22);
        connect(button, &QPushButton::clicked, this, b.pressed);
        viewButtons_.push_back(button);
        left += 82;
    }
    buildMenu();

    // Timer7 runs from the window's creation: its first tick finds no row picked.
    timer7_.setParent(this);
    timer7_.setObjectName("Timer7");
    timer7_.setSingleShot(true);
    timer7_.setInterval(10);
    connect(&timer7_, &QTimer::timeout, this, &ResultAreaPanel::Timer7Timer);
    timer7_.start();
}

void ResultAreaPanel::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu2");
    const auto add = [this](const char* name, const char* text, auto handler) {
        menu_->addAction(QString::fromUtf8(text), this, handler)
            ->setObjectName(QString::fromLatin1(name));
    };
    add("N30", "播放", [this] { emit playWanted(entriesOf(selectedRows())); });
    menu_->addSeparator();
    add("N20", "批量添加 到 清单", &ResultAreaPanel::N20Click);
    menu_->addSeparator();
    add("N19", "添加到 播放列表", [this] { emit addToPlaylistWanted(entriesOf(selectedRows())); });
    add("N24", "全部添加 到 播放列表", [this] {
        std::vector<int> rows(services_.results.rowCount());
        std::iota(rows.begin(), rows.end(), 0);
        emit addToPlaylistWanted(entriesOf(rows));
    });
    menu_->addSeparator();
    add("N22", "彻底删除选中的文件", &ResultAreaPanel::N22Click);
    // Offered as it always was; it replaces nothing.
    add("N23", "替换文件", [] {});
    add("N5", "重命名", &ResultAreaPanel::N5Click);
    resultList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultList_, &QWidget::customContextMenuRequested, menu_,
            [this](const QPoint& at) { menu_->popup(resultList_->viewport()->mapToGlobal(at)); });
}

std::vector<int> ResultAreaPanel::selectedRows() const {
    // Rows are taken top to bottom, whatever order they were picked in.
    std::vector<int> rows;
    for (const auto& row : resultList_->selectionModel()->selectedRows()) {
        rows.push_back(row.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<std::string> ResultAreaPanel::selectedPaths() const {
    std::vector<std::string> paths;
    for (int row : selectedRows()) {
        paths.push_back(services_.results.pathAt(row));
    }
    return paths;
}

std::vector<PlaylistEntry> ResultAreaPanel::entriesOf(const std::vector<int>& rows) const {
    std::vector<PlaylistEntry> entries;
    entries.reserve(rows.size());
    for (int row : rows) {
        entries.push_back({services_.results.captionAt(row), services_.results.pathAt(row)});
    }
    return entries;
}

void ResultAreaPanel::emptyResults() {
    services_.results.clear();
    countLabel_->setText(QString::fromUtf8("0 个对象"));
    folderLabel_->hide();
}

void ResultAreaPanel::placeUnderResultList(QWidget* view) {
    view->setParent(this);
    view->stackUnder(resultList_);
}

void ResultAreaPanel::hideResultList() {
    introduction_->hide();
    resultList_->hide();
}

void ResultAreaPanel::showListing(int entries, const QString& folder) {
    countLabel_->setText(QString::number(entries) + QString::fromUtf8(" 个对象"));
    folderLabel_->setText(folder);
    folderLabel_->show();
}

void ResultAreaPanel::appendResults(const std::vector<std::string>& paths) {
    services_.results.appendRows(paths);
    if (services_.results.rowCount() > 0) {
        services_.state.currentFile = services_.results.pathAt(0);
    }
    countLabel_->setText(QString::number(services_.results.rowCount()) +
                         QString::fromUtf8(" 个对象"));
}

void ResultAreaPanel::searchEnded(bool numberMode) {
    auto& results = services_.results;
    if (results.rowCount() > 0 && numberMode) {
        resultList_->setCurrentIndex(results.index(0, 0));
        resultList_->selectionModel()->select(
            results.index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        services_.state.currentFile = results.pathAt(0);
        timer7_.start();
    } else if (results.rowCount() > 0) {
        services_.keySounds.request(kCueFound);
    } else {
        services_.keySounds.request(kCueError);
    }
}

void ResultAreaPanel::showResultList() {
    introduction_->hide();
    folderLabel_->hide();
    resultList_->show();
}

void ResultAreaPanel::closeViews() {
    const int height = this->height() - 40;
    resultList_->resize(resultList_->width(), std::max(0, height));
}

void ResultAreaPanel::shortenForCategoryPanel() {
    resultList_->resize(resultList_->width(), std::max(0, height() - 160));
}

void ResultAreaPanel::showListForView() {
    closeViews();
    resultList_->show();
}

void ResultAreaPanel::startView() {
    emptyResults();
}

void ResultAreaPanel::viewEnded() {
    if (services_.results.rowCount() > 0) {
        introduction_->hide();
        services_.keySounds.request(kCueFound);
    } else {
        services_.keySounds.request(kCueError);
    }
}

void ResultAreaPanel::HotRanking() {
    if (services_.hotList.empty()) {
        services_.present(QString::fromUtf8("对不起，目前还没有记录"));
        return;
    }
    emit rankingShown();
    introduction_->hide();
    folderLabel_->hide();
    showListForView();
    auto& results = services_.results;
    results.showRanking(services_.hotList.lines());
    countLabel_->setText(QString::number(results.rowCount()) + QString::fromUtf8(" 个对象"));
    services_.state.currentFile = results.pathAt(0);
    services_.keySounds.request(kCueSelect);
}

void ResultAreaPanel::applyLayout(const MainWindowLayout& layout) {
    resize(width(), layout.resultAreaHeight);
    countLabel_->move(countLabel_->x(), layout.countLabelTop);
    for (auto* button : viewButtons_) {
        button->move(button->x(), layout.viewButtonsTop);
    }
    for (QWidget* list :
         {static_cast<QWidget*>(resultList_), static_cast<QWidget*>(introduction_)}) {
        list->resize(list->width(), layout.resultListHeight);
    }
}

void ResultAreaPanel::ListView1MouseDown(const QModelIndex& row) {
    if (!row.isValid()) {
        return;
    }
    services_.state.currentFile = services_.results.pathAt(row.row());
    services_.state.currentIndex = row.row();
    emit rowPicked(services_.state.currentFile);
}

void ResultAreaPanel::ListView1DblClick() {
    if (resultList_->currentIndex().isValid()) {
        emit addWanted(selectedPaths());
    }
}

void ResultAreaPanel::N20Click() {
    // With no row picked the batch add only unticks 同步下载.
    emit batchAddWanted(resultList_->currentIndex().isValid() ? selectedPaths()
                                                              : std::vector<std::string>{});
}

void ResultAreaPanel::Timer7Timer() {
    timer7_.stop();
    // Once after start no result row is selected, so the add action has nothing to do.
    if (resultList_->selectionModel()->hasSelection()) {
        ListView1DblClick();
    }
}

void ResultAreaPanel::N22Click() {
    const auto rows = selectedRows();
    if (rows.empty() || !services_.confirm(QString::fromUtf8("删除文件"),
                                           QString::fromUtf8("你确定要删除所选文件吗?"))) {
        return;
    }
    // One file per command: the row picked last when it is among the selected, else the first
    // selected. Its file goes and its row with it, never another row's.
    const int picked = resultList_->currentIndex().row();
    const int row = std::find(rows.begin(), rows.end(), picked) != rows.end() ? picked : rows[0];
    const std::string path = services_.results.pathAt(row);
    services_.files.deleteFile(path);
    if (services_.files.fileExists(path)) {
        return;  // it could not be deleted: the row stays, as the file does
    }
    services_.results.removeRow(row);
    countLabel_->setText(QString::number(services_.results.rowCount()) +
                         QString::fromUtf8(" 个对象"));
}

void ResultAreaPanel::N5Click() {
    const auto rows = selectedRows();
    if (rows.empty()) {
        return;
    }
    const int picked = resultList_->currentIndex().row();
    const int row = std::find(rows.begin(), rows.end(), picked) != rows.end() ? picked : rows[0];
    const auto typed =
        services_.askText(QString::fromUtf8("添加歌手"), QString::fromUtf8("请输入歌手名称"),
                          fromGbk(services_.results.captionAt(row)));
    if (!typed) {
        return;
    }
    const std::string name = toGbk(*typed);
    switch (checkTypedName(name)) {
        case TypedName::Empty:
            services_.present(QString::fromUtf8("名称不能为空，文件没有改名。"));
            return;
        case TypedName::NotAName:
            services_.present(
                QString::fromUtf8("名称里不能有 \\ / : * ? \" < > | 这些字符，文件没有改名。"));
            return;
        case TypedName::Usable:
            break;
    }
    const std::string oldPath = services_.results.pathAt(row);
    const std::string newPath = renamedPath(oldPath, name);
    // The row keeps its caption and path, as it always did; the message tells what the file is
    // called now.
    if (services_.files.rename(oldPath, newPath)) {
        services_.present(fromGbk(newPath));
    } else {
        services_.present(QString::fromUtf8("改名没有成功，文件仍是：\n") + fromGbk(oldPath));
    }
}

}  // namespace qh
