#include "settings/drive_setup.h"

#include <algorithm>
#include <system_error>

#include "text/atomic_file.h"
#include "text/text_list_file.h"

namespace qh {

namespace {

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const auto relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

bool hasLetter(const DriveTable& table, const std::filesystem::path& folder) {
    return std::any_of(table.drives().begin(), table.drives().end(), [&](const Drive& drive) {
        return drive.hostRoot.lexically_normal() == folder.lexically_normal();
    });
}

}  // namespace

std::vector<Drive> loadDriveMap(const std::filesystem::path& dataDir) {
    const auto content = readWholeFile(dataDir / kDriveMapFileName);
    if (!content) {
        return {};
    }
    auto drives = parseDriveMap(*content, dataDir);
    std::erase_if(drives, [](const Drive& drive) { return !isFolder(drive.hostRoot); });
    return drives;
}

std::optional<std::filesystem::path> downloadPlaceFor(const std::filesystem::path& home,
                                                      const std::vector<MountEntry>& removable) {
    if (home.empty() || !home.is_absolute() || !isFolder(home)) {
        return std::nullopt;
    }
    const bool onRemovable = std::any_of(removable.begin(), removable.end(), [&](const auto& m) {
        return isInside(home, m.mountPoint);
    });
    if (onRemovable) {
        return std::nullopt;
    }
    return home;
}

MachineVolumes machineVolumes(std::string_view mountInfo, const std::filesystem::path& home,
                              const std::filesystem::path& sysfsRoot) {
    MachineVolumes machine;
    machine.fixed = fixedMounts(mountInfo, sysfsRoot);
    machine.removable = removableMounts(mountInfo, sysfsRoot);
    machine.downloadPlace = downloadPlaceFor(home, machine.removable);
    return machine;
}

DriveTable assembleDriveTable(const std::vector<Drive>& mapped, const std::vector<Drive>& options,
                              const MachineVolumes& machine) {
    DriveTable table;
    for (const auto& drive : mapped) {
        table.set(drive);
    }
    for (const auto& drive : options) {
        table.set(drive);
    }
    for (std::size_t i = 0; i < machine.fixed.size(); ++i) {
        const auto& folder = machine.fixed[i].mountPoint;
        if (hasLetter(table, folder)) {
            continue;
        }
        const bool systemDisk = i == 0 && table.find('C') == nullptr;
        const char letter = systemDisk ? 'C' : table.nextFreeLetter();
        if (letter != 0) {
            table.set({letter, folder, DriveType::Fixed});
        }
    }
    if (table.find('D') == nullptr && machine.downloadPlace) {
        table.set({'D', *machine.downloadPlace, DriveType::Fixed});
    }
    addRemovableDrives(table, machine.removable);
    return table;
}

std::optional<std::string> driveMapWith(std::string_view content, char letter,
                                        const std::filesystem::path& folder) {
    const std::string& text = folder.native();
    const bool writable = folder.is_absolute() && text.find_first_of("\r\n") == std::string::npos &&
                          text.back() != ' ' && text.back() != '\t';
    if (!writable) {
        return std::nullopt;
    }
    // A comma in the folder would otherwise be taken for the start of the drive's type.
    std::string line = std::string{letter, '='} + text;
    if (text.find(',') != std::string::npos) {
        line += ",fixed";
    }
    // The map's reader passes over a longer line: the letter would be lost at the next start.
    if (line.size() > kLongestDriveMapLine) {
        return std::nullopt;
    }
    const auto wanted = parseDriveSpec(line);
    if (!wanted) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    bool placed = false;
    for (auto& existing : splitTextLines(content)) {
        const auto drive = parseDriveSpec(existing);
        if (!drive || drive->letter != wanted->letter) {
            lines.push_back(std::move(existing));
        } else if (!placed) {
            lines.push_back(line);
            placed = true;
        }
    }
    if (!placed) {
        lines.push_back(line);
    }
    return joinTextLines(lines);
}

bool saveDriveMapEntry(const std::filesystem::path& dataDir, char letter,
                       const std::filesystem::path& folder) {
    const auto file = dataDir / kDriveMapFileName;
    const auto content = readWholeFile(file);
    std::error_code error;
    if (!content && std::filesystem::exists(file, error)) {
        return false;  // a map that cannot be read is never overwritten with one line
    }
    const auto updated = driveMapWith(content.value_or(""), letter, folder);
    return updated && writeFileAtomically(file, *updated);
}

}  // namespace qh
