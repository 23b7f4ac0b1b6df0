#pragma once
// The target folders of each download list: its drop-down of kinds and folders, the folder tree
// that opens over the result area to choose a folder by hand, and the button that opens the
// shown folder in the file browser.
#include <QObject>
#include <array>

#include "app/window_state.h"
#include "download/download_lists.h"

class QComboBox;
class QModelIndex;
class QPushButton;
class QTreeView;
class QWidget;

namespace qh {

class DriveFolderModel;
class FileSystem;
class KeySounds;
class SharedDriveTable;
class Shell;

struct TargetChoiceServices {
    SharedDriveTable& drives;
    FileSystem& files;
    Shell& shell;
    DownloadLists& lists;
    KeySounds& keySounds;
    const MessagePresenter& present;
};

class TargetChoice : public QObject {
    Q_OBJECT
public:
    // List 0..4: ComboBox2, 10, 11, 12, 13 and Button6, 9, 12, 14, 15. The tree lies on
    // `treeParent` at the result list's place.
    TargetChoice(TargetChoiceServices services, std::array<QComboBox*, kListCount> boxes,
                 std::array<QPushButton*, kListCount> openButtons, QWidget* treeParent);

    // Refills the list's drop-down from its folders, keeping the line picked.
    void showTargetLines(int list);
    // The same with the first line picked, after the list's disk changed.
    void showFirstTargetLine(int list);
    // ShellTreeView2 goes away when the clerk turns elsewhere.
    void hideTree();

private:
    // ComboBox2Click (and ComboBox10Click .. ComboBox13Click): a line picked.
    void targetLinePicked();
    void ShellTreeView2Click(const QModelIndex& folder);
    // Button6Click, Button9Click, Button12Click, Button14Click, Button15Click.
    void openTargetFolder(int list);

    TargetChoiceServices services_;
    std::array<QComboBox*, kListCount> boxes_;
    DriveFolderModel* folderModel_;
    QTreeView* folderTree_;  // ShellTreeView2
};

}  // namespace qh
