#pragma once
// The drive table at start: the shop's drive map in the data folder and the --drive options
// (which win for their letters), then the machine's own disks as Windows would letter them (the
// system disk C, the shop's local download place D, the other local disks from E), then the
// removable volumes Linux has mounted, each on the next free letter after those.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_table.h"
#include "platform/mount_table.h"

namespace qh {

inline constexpr const char* kDriveMapFileName = "drivemap.txt";

// The drives of DataDir/drivemap.txt, relative folders taken from DataDir; none when missing. A
// line whose folder is not there, or is a file, is passed over like a malformed one.
std::vector<Drive> loadDriveMap(const std::filesystem::path& dataDir);

// What the machine offers for letters, read once at start.
struct MachineVolumes {
    std::vector<MountEntry> fixed;  // the system disk first
    // The folder D stands for, where "D:\歌曲下载" and the lists' staging folders live.
    std::optional<std::filesystem::path> downloadPlace;
    std::vector<MountEntry> removable;
};

// The shop's local download place is the clerk's home folder: a folder of the shop's own disk
// that the clerk may write and finds in any file browser. None when there is no home folder or
// it lies on a removable volume: D is then a missing drive, and still no stick takes it.
std::optional<std::filesystem::path> downloadPlaceFor(const std::filesystem::path& home,
                                                      const std::vector<MountEntry>& removable);

MachineVolumes machineVolumes(std::string_view mountInfo, const std::filesystem::path& home,
                              const std::filesystem::path& sysfsRoot = "/sys");

DriveTable assembleDriveTable(const std::vector<Drive>& mapped, const std::vector<Drive>& options,
                              const MachineVolumes& machine);

// The drive map's text with `letter` standing for `folder` (an absolute host folder): the
// letter's lines give way to one new line in the place of the first, other lines stay as they
// are. Empty when the folder cannot be written as a line the map reads back (a line break,
// blanks at its ends, a line longer than kLongestDriveMapLine).
std::optional<std::string> driveMapWith(std::string_view content, char letter,
                                        const std::filesystem::path& folder);

// Writes that line into DataDir/drivemap.txt; false when it could not be saved.
bool saveDriveMapEntry(const std::filesystem::path& dataDir, char letter,
                       const std::filesystem::path& folder);

}  // namespace qh
