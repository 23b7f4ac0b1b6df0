#pragma once
// The folder tree for choosing a target folder by hand, rooted at "我的电脑": the drive table's
// drives, then their folders, read when a branch is first opened. Each node knows its path as the
// system writes it ("G:\", "G:\My Music"); the root has no drive path.
#include <QStandardItemModel>
#include <string>

namespace qh {

class FileSystem;
class SharedDriveTable;

class DriveFolderModel : public QStandardItemModel {
    Q_OBJECT
public:
    DriveFolderModel(const SharedDriveTable& drives, const FileSystem& files,
                     QObject* parent = nullptr);

    // Reads the drives afresh; a drive that came or went since shows as it is now.
    void reload();
    // Lists the folders of the node the first time it is opened.
    void loadChildren(const QModelIndex& index);
    // Lists them again: a folder made or removed since shows as it is now.
    void rereadChildren(const QModelIndex& index);
    // GBK; "我的电脑" for the root.
    std::string pathOf(const QModelIndex& index) const;

private:
    QStandardItem* makeFolderItem(const std::string& path, const QString& caption) const;

    const SharedDriveTable& drives_;
    const FileSystem& files_;
};

}  // namespace qh
