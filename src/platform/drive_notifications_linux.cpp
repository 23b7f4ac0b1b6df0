#include "platform/drive_notifications_linux.h"

namespace qh {

namespace {

std::string rootOf(const Drive& drive) {
    return {drive.letter, ':', '\\'};
}

}  // namespace

LinuxDriveNotifications::LinuxDriveNotifications(MountWatcher& mounts, SharedDriveTable& drives,
                                                 QObject* parent)
    : DriveNotifications(parent), drives_(drives) {
    connect(&mounts, &MountWatcher::mountsChanged, this, &LinuxDriveNotifications::onMountsChanged);
}

void LinuxDriveNotifications::onMountsChanged(const MountChanges& changes) {
    // Removals first, so a stick moved to another folder between two readings can have its
    // letter back.
    for (const auto& mount : changes.removed) {
        pullOut(mount);
    }
    for (const auto& mount : changes.added) {
        plugIn(mount);
    }
}

void LinuxDriveNotifications::plugIn(const MountEntry& mount) {
    DriveTable table = *drives_.snapshot();
    addRemovableDrives(table, {mount});
    // A folder the shop already gave a letter keeps it.
    const Drive* drive = driveOfMount(table, mount);
    if (drive == nullptr) {
        return;  // every letter is taken
    }
    const std::string root = rootOf(*drive);
    drives_.replace(std::move(table));
    emit driveAdded(root);
}

void LinuxDriveNotifications::pullOut(const MountEntry& mount) {
    DriveTable table = *drives_.snapshot();
    const Drive* drive = driveOfMount(table, mount);
    if (drive == nullptr) {
        return;
    }
    const std::string root = rootOf(*drive);
    // The letter goes before anyone hears of it, so no copy still running can create folders in
    // the empty folder the volume left behind.
    table.remove(drive->letter);
    drives_.replace(std::move(table));
    emit driveRemoved(root);
}

}  // namespace qh
