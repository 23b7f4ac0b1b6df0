#include "platform/disk_identity_linux.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace qh {
namespace {

namespace fs = std::filesystem;

// A sysfs with the shop's disk sda, holding C: (sda1) and D: (sda2), and a stick sdb.
class DiskIdentityTest : public ::testing::Test {
protected:
    DiskIdentityTest() {
        const fs::path block = sysfs() / "devices" / "pci0" / "block";
        testing::writeFile(block / "sda" / "dev", "8:0\n");
        testing::writeFile(block / "sda" / "sda1" / "partition", "1\n");
        testing::writeFile(block / "sda" / "sda2" / "partition", "2\n");
        testing::writeFile(block / "sdb" / "dev", "8:16\n");
        fs::create_directories(sysfs() / "dev" / "block");
        link("8:0", "../../devices/pci0/block/sda");
        link("8:1", "../../devices/pci0/block/sda/sda1");
        link("8:2", "../../devices/pci0/block/sda/sda2");
        link("8:16", "../../devices/pci0/block/sdb");
    }

    fs::path sysfs() const { return folder_.path() / "sys"; }
    void link(const char* number, const char* to) {
        fs::create_directory_symlink(to, sysfs() / "dev" / "block" / number);
    }

    testing::TempFolder folder_;
};

TEST_F(DiskIdentityTest, PartitionsOfOneDiskAreThatDisk) {
    EXPECT_EQ(diskOf(makedev(8, 1), sysfs()), diskOf(makedev(8, 2), sysfs()));
    EXPECT_EQ(diskOf(makedev(8, 2), sysfs()), diskOf(makedev(8, 0), sysfs()));
    EXPECT_NE(diskOf(makedev(8, 2), sysfs()), diskOf(makedev(8, 16), sysfs()));
}

// A tmpfs or a network share has no block device behind it.
TEST_F(DiskIdentityTest, ADeviceWithoutABlockEntryIsADiskOfItsOwn) {
    EXPECT_NE(diskOf(makedev(0, 45), sysfs()), diskOf(makedev(0, 46), sysfs()));
    EXPECT_EQ(diskOf(makedev(0, 45), sysfs()), diskOf(makedev(0, 45), sysfs()));
    EXPECT_NE(diskOf(makedev(0, 45), sysfs()), diskOf(makedev(8, 0), sysfs()));
}

// This machine's own: a folder and the temporary folder's disk agree with themselves.
TEST(DiskIdentityHostTest, AFileAndItsFolderAreOnOneDisk) {
    testing::TempFolder folder;
    testing::writeFile(folder.path() / "a.mp3", "a");
    struct stat file {};
    struct stat parent {};
    ASSERT_EQ(::stat((folder.path() / "a.mp3").c_str(), &file), 0);
    ASSERT_EQ(::stat(folder.path().c_str(), &parent), 0);
    EXPECT_EQ(diskOf(file.st_dev), diskOf(parent.st_dev));
}

}  // namespace
}  // namespace qh
