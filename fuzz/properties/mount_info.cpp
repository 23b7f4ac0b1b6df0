// /proc/self/mountinfo: every mount the kernel writes reads back as it was (names with blanks,
// tabs, line breaks and backslashes in octal escapes, optional fields, an empty source); any
// text reads without harm; the shop's own disks start with the system disk and hold each volume
// once; each removable mount gets a letter of its own from E on while letters last.
#include <algorithm>
#include <charconv>

#include "checks.h"
#include "fuzz_input.h"

#include "platform/mount_table.h"

namespace qh::fuzz {
namespace {

// A sysfs that is not there: removable then means mounted under /media or /run/media.
const std::filesystem::path kNoSysfs = "/nonexistent/qh-fuzz-sysfs";

// The kernel's escapes in mountinfo fields.
std::string escaped(std::string_view field) {
    std::string text;
    for (const char c : field) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            const auto byte = static_cast<unsigned char>(c);
            text += '\\';
            text += static_cast<char>('0' + (byte >> 6));
            text += static_cast<char>('0' + ((byte >> 3) & 7));
            text += static_cast<char>('0' + (byte & 7));
        } else {
            text += c;
        }
    }
    return text;
}

std::string kernelLine(const MountEntry& mount, const std::vector<std::string>& optional) {
    std::string line = "36 25 " + std::to_string(mount.major) + ":" + std::to_string(mount.minor) +
                       " " + escaped(mount.root.native()) + " " +
                       escaped(mount.mountPoint.native()) + " rw,relatime";
    for (const auto& field : optional) {
        line += " " + field;
    }
    return line + " - " + escaped(mount.fsType) + " " + escaped(mount.source) + " rw\n";
}

std::string shownMount(const MountEntry& mount) {
    return failure("{", shown(mount.mountPoint.native()), " ", mount.major, ":", mount.minor, " ",
                   shown(mount.fsType), " ", shown(mount.source), " root ",
                   shown(mount.root.native()), "}");
}

// One mount per line of the model: root|mount point|major:minor|type|source|optional fields.
// A line without a root, a mount point or a type is none the kernel writes.
std::vector<std::pair<MountEntry, std::vector<std::string>>> modelMounts(std::string_view model) {
    std::vector<std::pair<MountEntry, std::vector<std::string>>> mounts;
    for (const auto& line : lineTexts(model)) {
        std::vector<std::string_view> fields;
        std::string_view rest = line;
        for (int i = 0; i < 5; ++i) {
            const std::size_t bar = rest.find('|');
            fields.push_back(rest.substr(0, bar));
            rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        }
        fields.push_back(rest);
        MountEntry mount;
        mount.root = std::string(fields[0]);
        mount.mountPoint = std::string(fields[1]);
        const std::string_view device = fields[2];
        const std::size_t colon = device.find(':');
        if (colon != std::string_view::npos) {
            std::from_chars(device.data(), device.data() + colon, mount.major);
            std::from_chars(device.data() + colon + 1, device.data() + device.size(), mount.minor);
        }
        mount.fsType = std::string(fields[3]);
        mount.source = std::string(fields[4]);
        if (mount.root.empty() || mount.mountPoint.empty() || mount.fsType.empty()) {
            continue;
        }
        std::vector<std::string> optional;
        std::string_view tags = fields[5];
        while (!tags.empty()) {
            const std::size_t blank = tags.find(' ');
            const std::string_view tag = tags.substr(0, blank);
            if (!tag.empty() && tag != "-") {
                optional.emplace_back(tag);
            }
            tags = blank == std::string_view::npos ? std::string_view() : tags.substr(blank + 1);
        }
        mounts.emplace_back(std::move(mount), std::move(optional));
    }
    return mounts;
}

bool isUnder(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const auto relative = path.lexically_normal().lexically_relative(folder);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

std::string checkDisks(std::string_view mountInfo) {
    const auto fixed = fixedMounts(mountInfo, kNoSysfs);
    if (fixed.empty() || fixed.front().mountPoint.lexically_normal() != "/") {
        return "the shop's own disks do not start with the system disk /";
    }
    // A volume is its device, or on btrfs (anonymous devices) the source that names it.
    const auto volumeOf = [](const MountEntry& mount) {
        return mount.major != 0 ? std::to_string(mount.major) + ":" + std::to_string(mount.minor)
                                : mount.source;
    };
    std::vector<std::string> volumes{volumeOf(fixed.front())};
    for (std::size_t i = 1; i < fixed.size(); ++i) {
        const MountEntry& mount = fixed[i];
        if (std::find(volumes.begin(), volumes.end(), volumeOf(mount)) != volumes.end()) {
            return failure("the volume of ", shownMount(mount), " counts twice as a disk");
        }
        volumes.push_back(volumeOf(mount));
        if (!mount.source.starts_with("/dev/") || mount.mountPoint.lexically_normal() == "/" ||
            isUnder(mount.mountPoint, "/media") || isUnder(mount.mountPoint, "/run/media")) {
            return failure(shownMount(mount), " is taken for one of the shop's own disks");
        }
    }

    const auto removable = removableMounts(mountInfo, kNoSysfs);
    for (const auto& mount : removable) {
        if (!isUnder(mount.mountPoint, "/media") && !isUnder(mount.mountPoint, "/run/media")) {
            return failure(shownMount(mount), " is taken for a removable disk");
        }
    }
    DriveTable table;
    table.set({'C', "/", DriveType::Fixed});
    table.set({'D', "/home/clerk", DriveType::Fixed});
    addRemovableDrives(table, removable);
    for (const Drive& drive : table.drives()) {
        if (drive.letter > 'D' && drive.type != DriveType::Removable) {
            return failure("the letter ", std::string(1, drive.letter), " is no removable disk's");
        }
    }
    for (const auto& mount : removable) {
        const Drive* drive = driveOfMount(table, mount);
        if (drive == nullptr && table.nextFreeLetter() != 0) {
            return failure(shownMount(mount), " got no letter while ",
                           std::string(1, table.nextFreeLetter()), " is free");
        }
    }
    return {};
}

}  // namespace

std::string checkMountInfo(std::string_view input) {
    const auto parts = inputParts(input, 2);
    const std::string_view mountInfo = parts[0];

    // What any text gives must read back the same once written as the kernel writes it.
    const auto mounts = parseMountInfo(mountInfo);
    for (const auto& mount : mounts) {
        const std::string line = kernelLine(mount, {});
        const auto again = parseMountInfo(line);
        if (again.size() != 1 || again[0] != mount) {
            return failure("the mount ", shownMount(mount), " written as ", shown(line),
                           " reads as ", again.empty() ? "nothing" : shownMount(again[0]));
        }
    }
    if (auto broken = checkDisks(mountInfo); !broken.empty()) {
        return broken;
    }

    const auto model = modelMounts(parts[1]);
    std::string written;
    std::vector<MountEntry> expected;
    for (const auto& [mount, optional] : model) {
        written += kernelLine(mount, optional);
        expected.push_back(mount);
    }
    const auto read = parseMountInfo(written);
    if (read != expected) {
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (i >= read.size() || read[i] != expected[i]) {
                return failure("the kernel's line ",
                               shown(kernelLine(expected[i], model[i].second)), " reads as ",
                               i < read.size() ? shownMount(read[i]) : std::string("nothing"));
            }
        }
        return failure("the kernel's ", expected.size(), " lines read as ", read.size(), " mounts");
    }
    return checkDisks(written);
}

}  // namespace qh::fuzz
