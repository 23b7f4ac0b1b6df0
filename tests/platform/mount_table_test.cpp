#include "platform/mount_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qh {
namespace {

using std::filesystem::path;

MountEntry mountAt(const char* mountPoint, unsigned major = 0, unsigned minor = 0) {
    MountEntry mount;
    mount.mountPoint = mountPoint;
    mount.major = major;
    mount.minor = minor;
    return mount;
}

TEST(MountInfo, ParsesFieldsAroundOptionalOnesAndDecodesEscapes) {
    const std::string mountInfo =
        "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "95 26 8:17 / /media/shop/MY\\040STICK rw,nosuid shared:48 master:1 - vfat /dev/sdb1 "
        "rw,uid=1000\n"
        "96 26 0:45 / /mnt/tab\\011and\\134slash rw - tmpfs none\\040here rw\n"
        "garbage line\n"
        "97 26 x:y / /mnt/bad rw - ext4 /dev/sdz rw\n"
        "98 26 8:33 / /mnt/no-separator rw ext4 /dev/sdc1 rw\n"
        "99 26 179:1 / /run/media/clerk/CARD rw - exfat /dev/mmcblk0p1 rw\n"
        // Mounted without a device name: the source is empty, not the super options.
        "100 26 0:50 / /mnt/nameless rw,relatime - tmpfs  rw,size=64k";
    EXPECT_EQ(parseMountInfo(mountInfo),
              (std::vector<MountEntry>{
                  {"/", 254, 0, "ext4", "/dev/vda"},
                  {"/media/shop/MY STICK", 8, 17, "vfat", "/dev/sdb1"},
                  {"/mnt/tab\tand\\slash", 0, 45, "tmpfs", "none here"},
                  {"/run/media/clerk/CARD", 179, 1, "exfat", "/dev/mmcblk0p1"},
                  {"/mnt/nameless", 0, 50, "tmpfs", ""},
              }));
}

// A sysfs tree in a temporary folder, laid out as the kernel lays out /sys: dev/block/MAJ:MIN
// links to the device's folder; a partition's folder sits in its disk's folder, has a
// `partition` file and no `removable` file of its own.
class FakeSysfs {
public:
    FakeSysfs() {
        addDisk("devices/pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0/block/sda", "0",
                "8:0", "sda1", "8:1");
        addDisk("devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/block/sdb", "0", "8:16",
                "sdb1", "8:17");
        addDisk("devices/platform/reader/host7/block/sdc", "1", "8:32", "sdc1", "8:33");
        addDisk("devices/platform/reader/host8/block/sdd", "1", "8:48", "", "");
        addDisk("devices/platform/soc/mmc_host/mmc0/mmc0:0001/block/mmcblk0", "0", "179:0",
                "mmcblk0p1", "179:1");
    }
    const path& root() const { return folder_.path(); }

private:
    void addDisk(const std::string& disk, const char* removable, const char* diskNumber,
                 const std::string& partition, const char* partitionNumber) {
        testing::writeFile(root() / disk / "removable", std::string(removable) + "\n");
        std::filesystem::create_directories(root() / "dev/block");
        std::filesystem::create_directory_symlink("../../" + disk,
                                                  root() / "dev/block" / diskNumber);
        if (!partition.empty()) {
            testing::writeFile(root() / disk / partition / "partition", "1\n");
            std::filesystem::create_directory_symlink("../../" + disk + "/" + partition,
                                                      root() / "dev/block" / partitionNumber);
        }
    }

    testing::TempFolder folder_;
};

TEST(RemovableMount, TellsSticksAndCardsFromFixedDisks) {
    const FakeSysfs sysfs;
    struct Case {
        const char* name;
        MountEntry mount;
        bool removable;
    };
    const std::vector<Case> cases = {
        {"internal disk partition", mountAt("/srv/library", 8, 1), false},
        {"USB disk that says it is fixed", mountAt("/mnt/usb-disk", 8, 17), true},
        {"partition of a removable disk", mountAt("/mnt/card", 8, 33), true},
        {"whole removable disk", mountAt("/mnt/whole", 8, 48), true},
        {"SD card partition", mountAt("/mnt/sd", 179, 1), true},
        {"no block device, under /media", mountAt("/media/clerk/STICK", 0, 45), true},
        {"no block device, under /run/media", mountAt("/run/media/clerk/STICK", 0, 46), true},
        {"a name that only starts like media", mountAt("/mediafiles/x", 0, 47), false},
        {"/media itself", mountAt("/media", 0, 48), false},
        {"unknown device", mountAt("/mnt/other", 8, 99), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isRemovableMount(c.mount, sysfs.root()), c.removable);
    }
}

TEST(RemovableMount, ListsRemovableVolumesInMountOrder) {
    const FakeSysfs sysfs;
    const std::string mountInfo =
        "30 1 8:1 / /srv/library rw - ext4 /dev/sda1 rw\n"
        "31 1 179:1 / /mnt/sd rw - exfat /dev/mmcblk0p1 rw\n"
        "32 1 0:50 / /run/user/0 rw - tmpfs tmpfs rw\n"
        "33 1 8:17 / /media/clerk/U\\040DISK rw - vfat /dev/sdb1 rw\n";
    std::vector<path> mountPoints;
    for (const auto& mount : removableMounts(mountInfo, sysfs.root())) {
        mountPoints.push_back(mount.mountPoint);
    }
    EXPECT_EQ(mountPoints, (std::vector<path>{"/mnt/sd", "/media/clerk/U DISK"}));
}

TEST(RemovableDrives, GetFreeLettersUnlessTheirFolderHasOne) {
    DriveTable table;
    table.set({'C', "/", DriveType::Fixed});
    table.set({'F', "/media/stick/", DriveType::Removable});
    addRemovableDrives(
        table, {mountAt("/media/stick"), mountAt("/media/a"), mountAt("/run/media/clerk/b")});
    // D stays free: it is the shop's download place, never a customer's disk.
    EXPECT_EQ(table.drives(),
              (std::vector<Drive>{{'C', "/", DriveType::Fixed},
                                  {'E', "/media/a", DriveType::Removable},
                                  {'F', "/media/stick/", DriveType::Removable},
                                  {'G', "/run/media/clerk/b", DriveType::Removable}}));
}

TEST(FixedMounts, LetterTheSystemDiskFirstThenEachOtherLocalDiskOnce) {
    const FakeSysfs sysfs;
    struct Case {
        const char* name;
        std::string mountInfo;
        std::vector<path> fixed;
    };
    const std::string root = "27 1 254:0 / / rw - ext4 /dev/vda rw\n";
    const std::vector<Case> cases = {
        {"the system disk alone", root, {"/"}},
        {"a second internal disk",
         root + "40 27 8:1 / /srv/library rw - ext4 /dev/sda1 rw\n",
         {"/", "/srv/library"}},
        {"sticks and cards are not the shop's",
         root + "41 27 8:17 / /mnt/usb-disk rw - vfat /dev/sdb1 rw\n"
                "42 27 179:1 / /mnt/sd rw - exfat /dev/mmcblk0p1 rw\n"
                "43 27 8:1 / /media/clerk/DATA rw - ext4 /dev/sda1 rw\n",
         {"/"}},
        {"bind mounts and second mounts add nothing",
         root + "44 27 8:1 / /srv/library rw - ext4 /dev/sda1 rw\n"
                "45 27 8:1 /songs /home/clerk/songs rw - ext4 /dev/sda1 rw\n"
                "46 27 254:0 /var/shop /srv/shop rw - ext4 /dev/vda rw\n",
         {"/", "/srv/library"}},
        {"btrfs sub-volumes of the system disk",
         "27 1 0:31 /@ / rw - btrfs /dev/nvme0n1p2 rw\n"
         "28 27 0:31 /@home /home rw - btrfs /dev/nvme0n1p2 rw\n"
         "29 27 0:40 / /data rw - btrfs /dev/nvme1n1p1 rw\n",
         {"/", "/data"}},
        {"boot, memory and network file systems are no disks",
         root + "47 27 8:2 / /boot rw - ext4 /dev/sda2 rw\n"
                "48 47 8:3 / /boot/efi rw - vfat /dev/sda3 rw\n"
                "49 27 0:50 / /run/user/1000 rw - tmpfs tmpfs rw\n"
                "50 27 0:51 / /srv/nas rw - nfs4 nas:/share rw\n"
                "51 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n",
         {"/"}},
        {"no root in the table still gives the system disk", "", {"/"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<path> fixed;
        for (const auto& mount : fixedMounts(c.mountInfo, sysfs.root())) {
            fixed.push_back(mount.mountPoint);
        }
        EXPECT_EQ(fixed, c.fixed);
    }
}

TEST(RemovableDrives, StopWhenNoLetterIsLeft) {
    DriveTable table;
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        table.set({letter, path("/d") / std::string(1, letter), DriveType::Fixed});
    }
    const DriveTable before = table;
    addRemovableDrives(table, {mountAt("/media/a")});
    EXPECT_EQ(table, before);
}

}  // namespace
}  // namespace qh
