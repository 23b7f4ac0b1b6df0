#include "app/file_management_view.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTreeView>

#include "app/drive_folder_model.h"
#include "app/grid_line_delegate.h"
#include "app/window_layout.h"
#include "download/target_folder_set.h"
#include "drives/file_management.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/file_system.h"
#include "platform/shared_drive_table.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

std::string withBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

}  // namespace

// The management list's rows: name, size and type of each entry of the folder shown.
class FileManagementView::EntryRows final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(std::vector<ManagedEntry> entries) {
        beginResetModel();
        entries_ = std::move(entries);
        endResetModel();
    }
    const std::vector<ManagedEntry>& entries() const { return entries_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 3;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) {
            return {};
        }
        const ManagedEntry& entry = entries_[index.row()];
        if (role == Qt::DecorationRole && index.column() == 0) {
            return QApplication::style()->standardIcon(entry.folder ? QStyle::SP_DirIcon
                                                                    : QStyle::SP_FileIcon);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
            case 0:
                return fromGbk(entry.name);
            case 1:
                return entry.folder ? QString()
                                    : QString::number((entry.size + 1023) / 1024) + " KB";
            default:
                return entry.folder ? QString::fromUtf8("文件夹")
                                    : fromGbk(std::string(extensionOf(entry.name)));
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const char* const headers[] = {"名称", "大小", "类型"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < 3) {
            return QString::fromUtf8(headers[section]);
        }
        return {};
    }

private:
    std::vector<ManagedEntry> entries_;
};

FileManagementView::FileManagementView(FileManagementServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
    setObjectName("FileManagementView");
    setGeometry(8, 16, 505, 441);

    folders_ = new DriveFolderModel(services_.drives, services_.files, this);
    entries_ = new EntryRows(this);

    driveBox_ = new QComboBox(this);
    driveBox_->setObjectName("ShellComboBox1");
    driveBox_->setGeometry(0, 0, 166, 24);
    driveBox_->hide();
    connect(driveBox_, qOverload<int>(&QComboBox::activated), this,
            &FileManagementView::ShellComboBox1Change);

    tree_ = new QTreeView(this);
    tree_->setObjectName("ShellTreeView1");
    tree_->setGeometry(0, 32, 166, 441 - 32);
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setModel(folders_);
    tree_->setRootIndex(folders_->index(0, 0));
    connect(tree_, &QTreeView::expanded, folders_, &DriveFolderModel::loadChildren);
    connect(tree_, &QTreeView::clicked, &timer5_, qOverload<>(&QTimer::start));

    list_ = new QTreeView(this);
    list_->setObjectName("ShellListView1");
    list_->setGeometry(170, 0, 335, 441);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setItemsExpandable(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setItemDelegate(new GridLineDelegate(list_));
    list_->setModel(entries_);
    list_->header()->resizeSection(0, 190);
    list_->header()->resizeSection(1, 70);
    list_->header()->setSectionsClickable(false);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu4");
    menu_->addAction(QString::fromUtf8("删除"), this, &FileManagementView::N4Click)
        ->setObjectName("N4");
    menu_->addAction(QString::fromUtf8("新建文件夹"), this, &FileManagementView::N7Click)
        ->setObjectName("N7");
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, menu_,
            [this](const QPoint& at) { menu_->popup(list_->viewport()->mapToGlobal(at)); });

    timer5_.setParent(this);
    timer5_.setObjectName("Timer5");
    timer5_.setSingleShot(true);
    timer5_.setInterval(10);
    connect(&timer5_, &QTimer::timeout, this, &FileManagementView::Timer5Timer);
}

void FileManagementView::SpeedButton14Click() {
    bool found = false;
    for (const auto& drive : services_.drives.snapshot()->drives()) {
        if (drive.type == DriveType::Removable) {
            // Each in turn: the last removable drive stays the browser's root.
            services_.showInDiskBrowser(std::string(1, drive.letter) + ":\\");
            found = true;
        }
    }
    if (!found) {
        services_.present(QString::fromUtf8("U 盘没有插好,或已经退出!"));
        return;
    }
    open();
}

void FileManagementView::SpeedButton10Click() {
    const std::string& local = defaultTargetFolder();
    if (!services_.files.folderExists(local)) {
        services_.files.createFolders(local);
    }
    services_.showInDiskBrowser(local + '\\');
    open();
}

void FileManagementView::open() {
    // The drives are those of now: a disk plugged in since shows, one pulled out does not.
    const QString chosen = driveBox_->currentText();
    driveBox_->clear();
    for (const auto& drive : services_.drives.snapshot()->drives()) {
        const QString letter = QString(QChar::fromLatin1(drive.letter)) + ':';
        const char* kind = drive.type == DriveType::Removable ? "  可移动磁盘" : "  本地磁盘";
        driveBox_->addItem(letter + QString::fromUtf8(kind), QString(letter + '\\'));
    }
    driveBox_->setCurrentIndex(driveBox_->findText(chosen));
    if (driveBox_->currentIndex() < 0) {
        folders_->reload();
        tree_->setRootIndex(folders_->index(0, 0));
    }
    driveBox_->show();
    show();
    emit opened();
    timer5_.start();
}

void FileManagementView::ShellComboBox1Change(int entry) {
    const std::string root = toGbk(driveBox_->itemData(entry).toString());
    folders_->reload();
    const QModelIndex computer = folders_->index(0, 0);
    for (int row = 0; row < folders_->rowCount(computer); ++row) {
        const QModelIndex drive = folders_->index(row, 0, computer);
        if (folders_->pathOf(drive) == root) {
            folders_->loadChildren(drive);
            tree_->setRootIndex(drive);
            break;
        }
    }
    timer5_.start();
}

std::string FileManagementView::selectedFolder() const {
    const QModelIndex current = tree_->currentIndex();
    const QModelIndex folder = current.isValid() ? current : tree_->rootIndex();
    const std::string path = folders_->pathOf(folder);
    // "我的电脑" is no folder to list.
    return path.size() >= 2 && path[1] == ':' ? withBackslash(path) : std::string();
}

void FileManagementView::Timer5Timer() {
    timer5_.stop();
    showFolder();
    services_.keySounds.request(kCueSelect);
}

void FileManagementView::showFolder() {
    folder_ = selectedFolder();
    entries_->show(folder_.empty() ? std::vector<ManagedEntry>{}
                                   : managedEntries(services_.files, folder_));
    emit listed(entries_->rowCount(), fromGbk(folder_));
}

void FileManagementView::N4Click() {
    const QModelIndex current = list_->currentIndex();
    const bool selected = current.isValid() && list_->selectionModel()->isSelected(current);
    if (!selected || current.row() >= entries_->rowCount()) {
        services_.present(QString::fromUtf8("没有选择文件!"));
        return;
    }
    if (!services_.confirm(QString::fromUtf8("删除文件"),
                           QString::fromUtf8("亲爱的,你确定不要我了吗?"))) {
        return;
    }
    const ManagedEntry entry = entries_->entries()[current.row()];
    // A folder is left alone; a file goes for good. A file another program took away meanwhile
    // simply is not listed again.
    if (!entry.folder) {
        services_.files.deleteFile(folder_ + entry.name);
    }
    showFolder();
    services_.keySounds.request(kCueDelete);
}

void FileManagementView::N7Click() {
    const std::string folder = selectedFolder();
    if (folder.empty() || !makeNewFolder(services_.files, folder)) {
        return;
    }
    // The tree shows the new folder under the one selected.
    const QModelIndex current =
        tree_->currentIndex().isValid() ? tree_->currentIndex() : tree_->rootIndex();
    folders_->rereadChildren(current);
    timer5_.start();
}

void FileManagementView::applyLayout(const MainWindowLayout& layout) {
    resize(width(), layout.resultListHeight);
    tree_->resize(tree_->width(), std::max(0, layout.resultListHeight - 32));
    list_->resize(list_->width(), layout.resultListHeight);
}

}  // namespace qh
