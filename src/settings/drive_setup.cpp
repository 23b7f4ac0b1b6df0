#include "settings/drive_setup.h"

#include "text/atomic_file.h"

namespace qh {

std::vector<Drive> loadDriveMap(const std::filesystem::path& dataDir) {
    const auto content = readWholeFile(dataDir / kDriveMapFileName);
    if (!content) {
        return {};
    }
    return parseDriveMap(*content, dataDir);
}

DriveTable assembleDriveTable(const std::vector<Drive>& mapped, const std::vector<Drive>& options,
                              const std::vector<MountEntry>& removable) {
    DriveTable table;
    for (const auto& drive : mapped) {
        table.set(drive);
    }
    for (const auto& drive : options) {
        table.set(drive);
    }
    addRemovableDrives(table, removable);
    return table;
}

}  // namespace qh
