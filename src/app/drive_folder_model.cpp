#include "app/drive_folder_model.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/shared_drive_table.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kLoadedRole = Qt::UserRole + 2;

}  // namespace

DriveFolderModel::DriveFolderModel(const SharedDriveTable& drives, const FileSystem& files,
                                   QObject* parent)
    : QStandardItemModel(parent), drives_(drives), files_(files) {
    reload();
}

QStandardItem* DriveFolderModel::makeFolderItem(const std::string& path,
                                                const QString& caption) const {
    auto* item = new QStandardItem(caption);
    item->setEditable(false);
    // Kept as GBK bytes: a name that is not valid UTF-8 must lead back to its own folder.
    item->setData(QByteArray::fromStdString(path), kPathRole);
    item->setData(false, kLoadedRole);
    // An empty child row shows the branch as openable until it is read.
    item->appendRow(new QStandardItem());
    return item;
}

void DriveFolderModel::reload() {
    clear();
    auto* computer = new QStandardItem(QString::fromUtf8("我的电脑"));
    computer->setEditable(false);
    computer->setData(QByteArray::fromStdString(gbk("我的电脑")), kPathRole);
    computer->setData(true, kLoadedRole);
    for (const auto& drive : drives_.snapshot()->drives()) {
        const std::string root = std::string(1, drive.letter) + ":\\";
        computer->appendRow(makeFolderItem(root, fromGbk(root)));
    }
    appendRow(computer);
}

void DriveFolderModel::loadChildren(const QModelIndex& index) {
    QStandardItem* item = itemFromIndex(index);
    if (item == nullptr || item->data(kLoadedRole).toBool()) {
        return;
    }
    item->setData(true, kLoadedRole);
    item->removeRows(0, item->rowCount());
    const std::string path = pathOf(index);
    const std::string folder = path.back() == '\\' ? path : path + '\\';
    // By name, as the desktop's own trees show folders, not in the order the disk lists them.
    std::vector<std::pair<std::string, std::string>> names;  // sort key, name
    for (const auto& entry : files_.list(folder, "*.*", HiddenEntries::Exclude)) {
        if ((entry.attributes & attr::Directory) != 0) {
            names.emplace_back(asciiLower(entry.name), entry.name);
        }
    }
    std::sort(names.begin(), names.end());
    for (const auto& [key, name] : names) {
        item->appendRow(makeFolderItem(folder + name, fromGbk(name)));
    }
}

void DriveFolderModel::rereadChildren(const QModelIndex& index) {
    if (QStandardItem* item = itemFromIndex(index)) {
        item->setData(false, kLoadedRole);
        loadChildren(index);
    }
}

std::string DriveFolderModel::pathOf(const QModelIndex& index) const {
    return index.data(kPathRole).toByteArray().toStdString();
}

}  // namespace qh
