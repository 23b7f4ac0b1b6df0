#include "platform/mount_table.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <system_error>

namespace qh {

namespace {

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// mountinfo writes space, tab, newline and backslash in names as "\ooo".
std::string decodeOctalEscapes(std::string_view field) {
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
            isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3])) {
            decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                         (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

// The kernel writes one space between fields and escapes the spaces inside them, so each space
// separates: a mount made without a device name has an empty source ("- tmpfs  rw"), which must
// not take the super options' place.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const auto end = line.find(' ');
        fields.push_back(line.substr(0, end));
        if (end == std::string_view::npos) {
            return fields;
        }
        line.remove_prefix(end + 1);
    }
}

bool parseDeviceNumber(std::string_view text, unsigned& major, unsigned& minor) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const auto majorText = text.substr(0, colon);
    const auto minorText = text.substr(colon + 1);
    const auto [majorEnd, majorError] =
        std::from_chars(majorText.data(), majorText.data() + majorText.size(), major);
    const auto [minorEnd, minorError] =
        std::from_chars(minorText.data(), minorText.data() + minorText.size(), minor);
    return majorError == std::errc{} && majorEnd == majorText.data() + majorText.size() &&
           minorError == std::errc{} && minorEnd == minorText.data() + minorText.size();
}

// "id parent maj:min root mountpoint options [optional...] - fstype source superoptions"
std::optional<MountEntry> parseMountLine(std::string_view line) {
    const auto fields = fieldsOf(line);
    std::size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-") {
        ++separator;
    }
    if (separator + 2 >= fields.size()) {
        return std::nullopt;
    }
    MountEntry entry;
    if (!parseDeviceNumber(fields[2], entry.major, entry.minor)) {
        return std::nullopt;
    }
    entry.root = decodeOctalEscapes(fields[3]);
    entry.mountPoint = decodeOctalEscapes(fields[4]);
    entry.fsType = decodeOctalEscapes(fields[separator + 1]);
    entry.source = decodeOctalEscapes(fields[separator + 2]);
    return entry;
}

std::filesystem::path folderKey(const std::filesystem::path& folder) {
    auto normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

bool isUnder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const auto normal = path.lexically_normal();
    auto at = normal.begin();
    for (const auto& part : folder) {
        if (at == normal.end() || *at != part) {
            return false;
        }
        ++at;
    }
    return at != normal.end() && !at->empty();
}

bool isLocalDiskFileSystem(std::string_view fsType) {
    static constexpr std::string_view kDiskFileSystems[] = {
        "ext2",     "ext3", "ext4",  "xfs",     "btrfs", "f2fs", "jfs",
        "reiserfs", "ntfs", "ntfs3", "fuseblk", "exfat", "vfat", "msdos"};
    return std::find(std::begin(kDiskFileSystems), std::end(kDiskFileSystems), fsType) !=
           std::end(kDiskFileSystems);
}

bool isBootPartition(const std::filesystem::path& mountPoint) {
    const auto normal = folderKey(mountPoint);
    return normal == "/boot" || normal == "/efi" || isUnder(normal, "/boot");
}

// Two mounts of one volume share their device; btrfs gives its volumes anonymous device
// numbers, so the source device names the volume there.
std::string volumeOf(const MountEntry& mount) {
    if (mount.major != 0) {
        return std::to_string(mount.major) + ":" + std::to_string(mount.minor);
    }
    return mount.source;
}

std::string firstLineOf(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

bool isRemovableBlockDevice(const MountEntry& mount, const std::filesystem::path& sysfsRoot) {
    std::error_code error;
    const auto root = std::filesystem::canonical(sysfsRoot, error);
    const auto link = sysfsRoot / "dev" / "block" /
                      (std::to_string(mount.major) + ":" + std::to_string(mount.minor));
    const auto device = std::filesystem::canonical(link, error);
    if (error) {
        return false;
    }
    const bool isPartition = std::filesystem::exists(device / "partition", error);
    const auto disk = isPartition ? device.parent_path() : device;
    if (firstLineOf(disk / "removable") == "1") {
        return true;
    }
    // Judged below the sysfs root only, so the folder holding a test's tree cannot look like
    // a USB path.
    const std::string devicePath = "/" + device.lexically_relative(root).generic_string();
    return devicePath.find("/usb") != std::string::npos ||
           disk.filename().native().starts_with("mmcblk");
}

}  // namespace

std::vector<MountEntry> parseMountInfo(std::string_view content) {
    std::vector<MountEntry> mounts;
    while (!content.empty()) {
        const auto end = content.find('\n');
        if (auto entry = parseMountLine(content.substr(0, end))) {
            mounts.push_back(std::move(*entry));
        }
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
    }
    return mounts;
}

bool isRemovableMount(const MountEntry& mount, const std::filesystem::path& sysfsRoot) {
    if (isUnder(mount.mountPoint, "/media") || isUnder(mount.mountPoint, "/run/media")) {
        return true;
    }
    return isRemovableBlockDevice(mount, sysfsRoot);
}

std::vector<MountEntry> removableMounts(std::string_view mountInfo,
                                        const std::filesystem::path& sysfsRoot) {
    std::vector<MountEntry> removable;
    for (auto& mount : parseMountInfo(mountInfo)) {
        if (isRemovableMount(mount, sysfsRoot)) {
            removable.push_back(std::move(mount));
        }
    }
    return removable;
}

std::vector<MountEntry> fixedMounts(std::string_view mountInfo,
                                    const std::filesystem::path& sysfsRoot) {
    const auto mounts = parseMountInfo(mountInfo);
    std::vector<MountEntry> fixed;
    std::vector<std::string> volumes;
    const auto systemDisk = std::find_if(mounts.begin(), mounts.end(), [](const MountEntry& m) {
        return folderKey(m.mountPoint) == "/";
    });
    if (systemDisk != mounts.end()) {
        fixed.push_back(*systemDisk);
        volumes.push_back(volumeOf(*systemDisk));
    } else {
        fixed.push_back(MountEntry{"/", 0, 0, {}, {}});
    }
    for (const auto& mount : mounts) {
        const std::string volume = volumeOf(mount);
        if (folderKey(mount.mountPoint) == "/" || !isLocalDiskFileSystem(mount.fsType) ||
            !mount.source.starts_with("/dev/") || isBootPartition(mount.mountPoint) ||
            std::find(volumes.begin(), volumes.end(), volume) != volumes.end() ||
            isRemovableMount(mount, sysfsRoot)) {
            continue;
        }
        volumes.push_back(volume);
        fixed.push_back(mount);
    }
    return fixed;
}

void addRemovableDrives(DriveTable& table, const std::vector<MountEntry>& mounts) {
    for (const auto& mount : mounts) {
        if (driveOfMount(table, mount) != nullptr) {
            continue;
        }
        const char letter = table.nextFreeLetter();
        if (letter == 0) {
            return;
        }
        table.set(Drive{letter, mount.mountPoint, DriveType::Removable});
    }
}

const Drive* driveOfMount(const DriveTable& table, const MountEntry& mount) {
    const auto folder = folderKey(mount.mountPoint);
    const auto at =
        std::find_if(table.drives().begin(), table.drives().end(),
                     [&folder](const Drive& drive) { return folderKey(drive.hostRoot) == folder; });
    return at == table.drives().end() ? nullptr : &*at;
}

}  // namespace qh
