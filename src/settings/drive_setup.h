#pragma once
// The drive table at start: the shop's drive map in the data folder, then the --drive options
// (which win for their letters), then the removable volumes Linux has mounted, each on the next
// free letter.
#include <filesystem>
#include <vector>

#include "platform/drive_table.h"
#include "platform/mount_table.h"

namespace qh {

inline constexpr const char* kDriveMapFileName = "drivemap.txt";

// The drives of DataDir/drivemap.txt, relative folders taken from DataDir; none when missing.
std::vector<Drive> loadDriveMap(const std::filesystem::path& dataDir);

DriveTable assembleDriveTable(const std::vector<Drive>& mapped, const std::vector<Drive>& options,
                              const std::vector<MountEntry>& removable);

}  // namespace qh
