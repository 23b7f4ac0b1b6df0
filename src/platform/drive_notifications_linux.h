#pragma once
// Drive events on Linux: a removable volume that is mounted gets the next free letter, as
// Windows hands one to a stick, and is reported added; one that is unmounted is reported removed
// after it has lost its letter, so nothing is written into the empty folder it leaves behind.
#include "platform/drive_notifications.h"
#include "platform/mount_watcher_linux.h"
#include "platform/shared_drive_table.h"

namespace qh {

class LinuxDriveNotifications final : public DriveNotifications {
public:
    LinuxDriveNotifications(MountWatcher& mounts, SharedDriveTable& drives,
                            QObject* parent = nullptr);

private:
    void onMountsChanged(const MountChanges& changes);
    void plugIn(const MountEntry& mount);
    void pullOut(const MountEntry& mount);

    SharedDriveTable& drives_;
};

}  // namespace qh
