#include "platform/mount_changes.h"

#include <gtest/gtest.h>

namespace qh {
namespace {

MountEntry mountAt(const char* folder) {
    MountEntry mount;
    mount.mountPoint = folder;
    return mount;
}

TEST(MountChanges, PluggedInAndPulledOutByFolder) {
    const std::vector<MountEntry> before = {mountAt("/media/a"), mountAt("/media/b")};
    const std::vector<MountEntry> after = {mountAt("/media/b"), mountAt("/media/c"),
                                           mountAt("/media/d")};
    const auto changes = diffMounts(before, after);
    EXPECT_EQ(changes.added, (std::vector<MountEntry>{mountAt("/media/c"), mountAt("/media/d")}));
    EXPECT_EQ(changes.removed, (std::vector<MountEntry>{mountAt("/media/a")}));
    EXPECT_TRUE(diffMounts(after, after).empty());
}

}  // namespace
}  // namespace qh
