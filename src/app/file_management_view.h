#pragma once
// The file-management view at the result list's place: the drive box, the folder tree and the
// list of the chosen folder, where the clerk deletes files and makes folders on the customer's
// disk or on the shop's own. Paths are the system's ("G:\歌曲"), never the host's.
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/window_state.h"

class QComboBox;
class QMenu;
class QTreeView;

namespace qh {

class DriveFolderModel;
class FileSystem;
class KeySounds;
class SharedDriveTable;
struct MainWindowLayout;

struct FileManagementServices {
    FileSystem& files;
    const SharedDriveTable& drives;
    KeySounds& keySounds;
    const MessagePresenter& present;
    const Confirmer& confirm;
    // The hidden disk browser of the customer's disks takes this root (a drive or a folder).
    std::function<void(const std::string& root)> showInDiskBrowser;
};

class FileManagementView : public QWidget {
    Q_OBJECT
public:
    FileManagementView(FileManagementServices services, QWidget* parent);

    // SpeedButton14Click (U盘管理) and SpeedButton10Click (本地磁盘).
    void SpeedButton14Click();
    void SpeedButton10Click();
    void applyLayout(const MainWindowLayout& layout);
    // The folder the list shows (GBK), empty before one is chosen.
    const std::string& folderShown() const { return folder_; }

signals:
    // The view takes the place of the result list and its introduction.
    void opened();
    // Timer5's refresh: the list's entries and the folder selected in the tree.
    void listed(int entries, const QString& folder);

private:
    class EntryRows;
    void open();
    void ShellComboBox1Change(int entry);
    void Timer5Timer();
    void showFolder();
    void N4Click();  // 删除
    void N7Click();  // 新建文件夹
    std::string selectedFolder() const;

    FileManagementServices services_;
    DriveFolderModel* folders_;
    EntryRows* entries_;
    QComboBox* driveBox_;  // ShellComboBox1
    QTreeView* tree_;      // ShellTreeView1
    QTreeView* list_;      // ShellListView1
    QMenu* menu_;          // PopupMenu4
    QTimer timer5_;
    std::string folder_;
};

}  // namespace qh
