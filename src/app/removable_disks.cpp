#include "app/removable_disks.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QStringListModel>
#include <QTabWidget>
#include <algorithm>
#include <set>

#include "download/download_lists.h"
#include "download/target_folder_set.h"
#include "drives/disk_entry.h"
#include "drives/disk_target_probe.h"
#include "drives/free_space_text.h"
#include "drives/present_drives.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/file_system.h"
#include "platform/shared_drive_table.h"
#include "text/gbk.h"

namespace qh {

namespace {

constexpr const char* kSelectorNames[] = {"ComboBox14", "ComboBox15", "ComboBox16", "ComboBox17",
                                          "ComboBox18"};

}  // namespace

RemovableDisks::RemovableDisks(RemovableDiskServices services, QTabWidget* listPages,
                               QWidget* tally, QWidget* browserParent)
    : QObject(listPages), services_(std::move(services)), listPages_(listPages) {
    for (int list = 0; list < kListCount; ++list) {
        auto* selector = new QComboBox(listPages->widget(list));
        selector->setObjectName(QString::fromLatin1(kSelectorNames[list]));
        selector->setGeometry(6, 521, 196, 22);
        // No entry picked shows the prompt.
        selector->setPlaceholderText(fromGbk(chooseDiskPrompt()));
        connect(selector, &QComboBox::activated, this,
                [this, list](int entry) { diskPicked(list, entry); });
        selectors_[list] = selector;
    }

    // Both share the caption row of the tally; one of them shows at a time.
    noDisk_ = new QLabel(fromGbk(noDiskNotice()), tally);
    noDisk_->setObjectName("Label37");
    noDisk_->setGeometry(36, 0, 220, 16);
    noDisk_->setProperty("tone", "alert");
    noDisk_->setStyleSheet("font-size: 12px;");
    // On the tally's frame line beside its caption, which they hide as the caption does.
    noDisk_->setProperty("covers", true);
    noDisk_->adjustSize();
    freeSpace_ = new QLabel(tally);
    freeSpace_->setObjectName("Label36");
    freeSpace_->setGeometry(36, 0, 220, 16);
    // A large disk's sizes run to six digits each; the line must fit beside the caption.
    freeSpace_->setStyleSheet("font-size: 11px;");
    freeSpace_->setProperty("covers", true);
    freeSpace_->hide();

    browser_ = new QListView(browserParent);
    browser_->setObjectName("ShellListView2");
    browserRows_ = new QStringListModel(browser_);
    browser_->setModel(browserRows_);
    browser_->hide();

    uPangTimer3_.setParent(this);
    uPangTimer3_.setObjectName("UPangTimer3");
    uPangTimer3_.setSingleShot(true);
    uPangTimer3_.setInterval(20);
    connect(&uPangTimer3_, &QTimer::timeout, this, &RemovableDisks::UPangTimer3Timer);
}

void RemovableDisks::placeSelectors(int top) {
    for (auto* selector : selectors_) {
        selector->move(selector->x(), top);
    }
}

void RemovableDisks::scanPresentDrives() {
    state_.fillAtStartup(presentDrives(*services_.drives.snapshot(), services_.files));
    showSelectors();
}

void RemovableDisks::driveAdded(const std::string& root) {
    if (state_.offer(root, diskTotalBytes(services_.files, root))) {
        showSelectors();
    }
}

void RemovableDisks::driveRemoved(const std::string& root) {
    const auto reset = state_.withdraw(root);
    for (const int list : reset) {
        services_.lists.list(list).targets().withdrawDisk();
        services_.showTargetLines(list);
        setBrowserRoot(defaultTargetFolder());
        showDiskLabels(false);
    }
    showSelectors();
}

void RemovableDisks::diskPicked(int list, int entry) {
    state_.choose(list, static_cast<std::size_t>(std::max(entry, 0)));
    const auto root = state_.chosenRoot(list);
    if (!root) {
        return;
    }
    setBrowserRoot(*root);
    armFreeSpaceRefresh();
    showDiskLabels(true);
    const auto folders = probeDiskTargets(services_.files, *root);
    // A disk plugged in again may still hold the hidden leftovers of a copy it was pulled from.
    for (const auto& folder : std::set<std::string>(folders.begin(), folders.end())) {
        services_.files.removeAbandonedCopies(folder);
    }
    services_.lists.list(list).targets().fill(folders);
    services_.showTargetLines(list);
    services_.keySounds.request(kCueSelect);
}

void RemovableDisks::showChosenDisk() {
    if (const auto root = state_.chosenRoot(listPages_->currentIndex())) {
        setBrowserRoot(*root);
        armFreeSpaceRefresh();
        showDiskLabels(true);
    } else {
        showDiskLabels(false);
    }
}

void RemovableDisks::showSelectors() {
    QStringList entries;
    for (const auto& entry : state_.entries()) {
        entries << fromGbk(entry);
    }
    for (int list = 0; list < kListCount; ++list) {
        QComboBox* selector = selectors_[list];
        const QSignalBlocker quiet(selector);
        selector->clear();
        selector->addItems(entries);
        selector->setCurrentIndex(entries.indexOf(fromGbk(state_.text(list))));
    }
}

void RemovableDisks::setBrowserRoot(const std::string& root) {
    browserRoot_ = root;
}

void RemovableDisks::showDiskLabels(bool diskChosen) {
    freeSpace_->setVisible(diskChosen);
    noDisk_->setVisible(!diskChosen);
}

void RemovableDisks::UPangTimer3Timer() {
    uPangTimer3_.stop();
    if (browserRoot_.empty()) {
        return;
    }
    QStringList names;
    for (const auto& entry : services_.files.list(browserRoot_, "*", HiddenEntries::Exclude)) {
        names << fromGbk(entry.name);
    }
    browserRows_->setStringList(names);
    freeSpace_->setText(fromGbk(freeSpaceText(services_.files.volumeSize(browserRoot_))));
    freeSpace_->adjustSize();
}

}  // namespace qh
