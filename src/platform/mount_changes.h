#pragma once
// What changed between two readings of the removable mounts: the volumes plugged in and the ones
// pulled out, each in mount order.
#include <vector>

#include "platform/mount_table.h"

namespace qh {

struct MountChanges {
    std::vector<MountEntry> added;
    std::vector<MountEntry> removed;
    bool empty() const { return added.empty() && removed.empty(); }
};

// Mounts compare by their folder: a stick remounted at the same place between two readings is
// the same drive, one moved to another folder is a new one.
MountChanges diffMounts(const std::vector<MountEntry>& before,
                        const std::vector<MountEntry>& after);

}  // namespace qh
