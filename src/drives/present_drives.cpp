#include "drives/present_drives.h"

namespace qh {

std::uint64_t diskTotalBytes(const FileSystem& files, std::string_view root) {
    const auto size = files.volumeSize(root);
    return size ? size->totalBytes : 0;
}

std::vector<PresentDrive> presentDrives(const DriveTable& drives, const FileSystem& files) {
    std::vector<PresentDrive> present;
    for (const auto& drive : drives.drives()) {
        std::string root{drive.letter, ':', '\\'};
        const std::uint64_t totalBytes = diskTotalBytes(files, root);
        present.push_back({std::move(root), drive.type, totalBytes});
    }
    return present;
}

}  // namespace qh
