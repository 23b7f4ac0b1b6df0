#pragma once
// The drives present at start, as the start-up scan of the disk selectors reads them: each
// drive's root, its type and the total size of its volume.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_table.h"
#include "platform/file_system.h"

namespace qh {

struct PresentDrive {
    std::string root;  // "G:\"
    DriveType type = DriveType::Fixed;
    std::uint64_t totalBytes = 0;
    bool operator==(const PresentDrive&) const = default;
};

// The total size of the volume at `root`; 0 when it cannot be read, as for a card reader
// without a card.
std::uint64_t diskTotalBytes(const FileSystem& files, std::string_view root);

// Every drive of the table in letter order.
std::vector<PresentDrive> presentDrives(const DriveTable& drives, const FileSystem& files);

}  // namespace qh
