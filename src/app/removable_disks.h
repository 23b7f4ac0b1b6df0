#pragma once
// The customer's disks on the download lists' tabs: the five disk selectors kept in step with
// the drives plugged in and pulled out, the choice of a disk for the list on screen and the
// folders found on it, and the free-space line of the chosen disk.
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "drives/disk_selectors.h"

class QComboBox;
class QLabel;
class QListView;
class QStringListModel;
class QTabWidget;
class QWidget;

namespace qh {

class DownloadLists;
class FileSystem;
class KeySounds;
class SharedDriveTable;

struct RemovableDiskServices {
    FileSystem& files;
    SharedDriveTable& drives;
    DownloadLists& lists;
    KeySounds& keySounds;
    // Refills the list's target drop-down from its folders, its text the first line.
    std::function<void(int list)> showTargetLines;
};

class RemovableDisks : public QObject {
    Q_OBJECT
public:
    // The selectors go on the pages of `listPages`, the free-space labels on `tally`, the hidden
    // disk browser on `browserParent`.
    RemovableDisks(RemovableDiskServices services, QTabWidget* listPages, QWidget* tally,
                   QWidget* browserParent);

    // ComboBox14 .. ComboBox18, list 0 for 清单1.
    QComboBox* selector(int list) const { return selectors_.at(list); }

    // UZTTimer3Timer's scan: the removable drives present now are offered, no list chooses one.
    void scanPresentDrives();
    // DriveWatcher: a drive came or went.
    void driveAdded(const std::string& root);
    void driveRemoved(const std::string& root);
    // After a switch of lists: the disk of the list now on screen, if it has chosen one.
    void showChosenDisk();
    // UPangTimer3, 20 ms later: the disk browser and the free-space line are read again.
    void armFreeSpaceRefresh() { uPangTimer3_.start(); }
    // The window's height moves the selectors with the tally above them (top on the pages).
    void placeSelectors(int top);
    // The hidden disk browser (and with it the free-space line) shows this drive or folder. Its
    // disk menu is the file-management view's: the browser itself never shows.
    void setBrowserRoot(const std::string& root);

private:
    // ComboBox14Click .. ComboBox18Click: the clerk picked a disk for the list on screen.
    void diskPicked(int list, int entry);
    void showSelectors();
    void showDiskLabels(bool diskChosen);
    void UPangTimer3Timer();

    RemovableDiskServices services_;
    QTabWidget* listPages_;
    DiskSelectors state_;
    std::array<QComboBox*, kListCount> selectors_{};
    QLabel* freeSpace_;   // Label36
    QLabel* noDisk_;      // Label37
    QListView* browser_;  // ShellListView2
    QStringListModel* browserRows_;
    std::string browserRoot_;
    QTimer uPangTimer3_;
};

}  // namespace qh
