#pragma once
// The volumes Linux has mounted, read from /proc/self/mountinfo and sysfs: the shop's own disks
// and the customer's removable ones.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_table.h"

namespace qh {

struct MountEntry {
    std::filesystem::path mountPoint;  // octal escapes (\040 ...) decoded
    unsigned major = 0;
    unsigned minor = 0;
    std::string fsType;
    std::string source;
    // The folder of the volume that is mounted here: "/" for a whole volume, a sub-folder for a
    // bind mount or a btrfs sub-volume.
    std::filesystem::path root = "/";
    bool operator==(const MountEntry&) const = default;
};

std::vector<MountEntry> parseMountInfo(std::string_view content);

// A USB stick or card reader: the block device (via sysfsRoot/dev/block/MAJ:MIN, followed to its
// whole disk) says removable=1, or its device path runs through usb or mmc; or the volume is
// mounted under /media or /run/media.
bool isRemovableMount(const MountEntry& mount, const std::filesystem::path& sysfsRoot = "/sys");

// The removable volumes in mount order.
std::vector<MountEntry> removableMounts(std::string_view mountInfo,
                                        const std::filesystem::path& sysfsRoot = "/sys");

// The shop's own disks as Windows would letter them, in this order: the system disk "/" always
// first, then every other local disk file system that is not removable, in mount order. A volume
// counts once (a bind mount, a second mount or a sub-volume of a volume already listed adds
// nothing); boot and firmware partitions, memory and network file systems are no disks.
std::vector<MountEntry> fixedMounts(std::string_view mountInfo,
                                    const std::filesystem::path& sysfsRoot = "/sys");

// Gives each removable mount whose folder is not in the table yet the next free letter.
void addRemovableDrives(DriveTable& table, const std::vector<MountEntry>& mounts);

// The drive whose folder is the mount's folder ("/media/a/" and "/media/a" are one); null when
// the table has none.
const Drive* driveOfMount(const DriveTable& table, const MountEntry& mount);

}  // namespace qh
