#include "platform/drive_table.h"

#include <algorithm>

#include "platform/windows_path.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {

namespace {

char driveLetter(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    return (c >= 'A' && c <= 'Z') ? c : 0;
}

// The non-empty components of a path, so "/srv/disk/" and "/srv/disk" compare equal.
std::vector<std::filesystem::path> componentsOf(const std::filesystem::path& path) {
    std::vector<std::filesystem::path> parts;
    for (const auto& part : path.lexically_normal()) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

void DriveTable::set(const Drive& drive) {
    const char letter = driveLetter(drive.letter);
    if (letter == 0) {
        return;
    }
    Drive entry = drive;
    entry.letter = letter;
    const auto at = std::lower_bound(drives_.begin(), drives_.end(), letter,
                                     [](const Drive& d, char l) { return d.letter < l; });
    if (at != drives_.end() && at->letter == letter) {
        *at = std::move(entry);
    } else {
        drives_.insert(at, std::move(entry));
    }
}

void DriveTable::remove(char letter) {
    const char wanted = driveLetter(letter);
    std::erase_if(drives_, [wanted](const Drive& d) { return d.letter == wanted; });
}

const Drive* DriveTable::find(char letter) const {
    const char wanted = driveLetter(letter);
    const auto at = std::find_if(drives_.begin(), drives_.end(),
                                 [wanted](const Drive& d) { return d.letter == wanted; });
    return at == drives_.end() ? nullptr : &*at;
}

char DriveTable::nextFreeLetter() const {
    for (char letter = 'E'; letter <= 'Z'; ++letter) {
        if (find(letter) == nullptr) {
            return letter;
        }
    }
    return 0;
}

std::optional<HostNames> DriveTable::resolveNames(std::string_view windowsPath) const {
    auto parsed = parseWindowsPath(windowsPath);
    if (!parsed) {
        return std::nullopt;
    }
    const Drive* drive = find(parsed->letter);
    if (drive == nullptr) {
        return std::nullopt;
    }
    HostNames host{drive->hostRoot, {}};
    for (const auto& name : parsed->names) {
        std::string hostName = gbkToHostName(name);
        // A name must stay one component below its parent, whatever the codec gave back.
        if (hostName.empty() || hostName == "." || hostName == ".." ||
            hostName.find('/') != std::string::npos || hostName.find('\0') != std::string::npos) {
            return std::nullopt;
        }
        host.names.push_back(std::move(hostName));
    }
    return host;
}

std::optional<std::filesystem::path> DriveTable::resolve(std::string_view windowsPath) const {
    auto host = resolveNames(windowsPath);
    if (!host) {
        return std::nullopt;
    }
    std::filesystem::path path = std::move(host->root);
    for (const auto& name : host->names) {
        path /= name;
    }
    return path;
}

std::optional<std::string> DriveTable::toWindowsPath(const std::filesystem::path& hostPath) const {
    const auto pathParts = componentsOf(hostPath);
    const Drive* best = nullptr;
    std::size_t bestLength = 0;
    for (const auto& drive : drives_) {
        const auto rootParts = componentsOf(drive.hostRoot);
        const bool inside = rootParts.size() <= pathParts.size() &&
                            std::equal(rootParts.begin(), rootParts.end(), pathParts.begin());
        if (inside && (best == nullptr || rootParts.size() > bestLength)) {
            best = &drive;
            bestLength = rootParts.size();
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    std::string result{best->letter, ':', '\\'};
    for (std::size_t i = bestLength; i < pathParts.size(); ++i) {
        if (pathParts[i] == "..") {
            return std::nullopt;
        }
        if (i > bestLength) {
            result += '\\';
        }
        result += hostNameToGbk(pathParts[i].native());
    }
    return result;
}

std::optional<Drive> parseDriveSpec(std::string_view line, const std::filesystem::path& base) {
    line = trimmed(line);
    if (line.size() < 3 || line[1] != '=' || driveLetter(line[0]) == 0) {
        return std::nullopt;
    }
    Drive drive{driveLetter(line[0]), {}, DriveType::Fixed};
    std::string_view folder = trimmed(line.substr(2));
    // Only a known word after the last comma is an option; otherwise the comma is the folder's.
    if (const auto comma = folder.rfind(','); comma != std::string_view::npos) {
        const std::string_view option = trimmed(folder.substr(comma + 1));
        if (option == "removable" || option == "fixed") {
            drive.type = option == "removable" ? DriveType::Removable : DriveType::Fixed;
            folder = trimmed(folder.substr(0, comma));
        }
    }
    if (folder.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path host{folder};
    drive.hostRoot = (host.is_absolute() ? host : base / host).lexically_normal();
    return drive;
}

std::vector<Drive> parseDriveMap(std::string_view content, const std::filesystem::path& base) {
    std::vector<Drive> drives;
    for (const auto& text : splitTextLines(content)) {
        const std::string_view line = trimmed(text);
        if (line.empty() || line.front() == '#' || line.size() > kLongestDriveMapLine) {
            continue;
        }
        auto drive = parseDriveSpec(line, base);
        const bool letterTaken =
            drive && std::any_of(drives.begin(), drives.end(),
                                 [&](const Drive& d) { return d.letter == drive->letter; });
        if (drive && drive->letter >= 'C' && !letterTaken) {
            drives.push_back(std::move(*drive));
        }
    }
    return drives;
}

}  // namespace qh
