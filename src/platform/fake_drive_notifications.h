#pragma once
// Drive events a test sends by hand, as if a disk had been plugged in or pulled out.
#include "platform/drive_notifications.h"

namespace qh {

class FakeDriveNotifications final : public DriveNotifications {
public:
    using DriveNotifications::DriveNotifications;

    void plugIn(const std::string& root) { emit driveAdded(root); }
    void pullOut(const std::string& root) { emit driveRemoved(root); }
};

}  // namespace qh
