#include "platform/mount_changes.h"

#include <algorithm>

namespace qh {

namespace {

bool holdsFolder(const std::vector<MountEntry>& mounts, const MountEntry& mount) {
    return std::any_of(mounts.begin(), mounts.end(), [&](const MountEntry& other) {
        return other.mountPoint == mount.mountPoint;
    });
}

}  // namespace

MountChanges diffMounts(const std::vector<MountEntry>& before,
                        const std::vector<MountEntry>& after) {
    MountChanges changes;
    for (const auto& mount : after) {
        if (!holdsFolder(before, mount)) {
            changes.added.push_back(mount);
        }
    }
    for (const auto& mount : before) {
        if (!holdsFolder(after, mount)) {
            changes.removed.push_back(mount);
        }
    }
    return changes;
}

}  // namespace qh
