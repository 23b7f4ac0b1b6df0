// Windows paths through the drive table: a path that resolves stays inside its drive's folder,
// one host name per name of the path, and turning the host path back into a Windows path and
// resolving that again gives the same host path.
#include <algorithm>

#include "checks.h"
#include "fuzz_input.h"

#include "platform/drive_table.h"
#include "platform/windows_path.h"

namespace qh::fuzz {
namespace {

const std::filesystem::path kDataDir = "/srv/qinghe/数据文件";

// The parsed path written out again in its plain form, which must read as itself.
std::string plainForm(const WindowsPath& path) {
    std::string text{path.letter, ':', '\\'};
    for (std::size_t i = 0; i < path.names.size(); ++i) {
        text += (i == 0 ? "" : "\\") + path.names[i];
    }
    return text;
}

// A host path's names, so "/srv/lib/" and "/srv/lib" (two drives of one folder) are one, and so
// are "//srv" and "/srv": the library keeps a leading "//", which POSIX lets a system give a
// meaning of its own and Linux does not.
std::vector<std::string> namesOf(const std::filesystem::path& path) {
    std::vector<std::string> names;
    for (const auto& part : path.lexically_normal()) {
        if (part == "//") {
            names.emplace_back("/");
        } else if (!part.empty()) {
            names.push_back(part.native());
        }
    }
    return names;
}

std::string checkPath(const DriveTable& table, std::string_view windowsPath) {
    const auto parsed = parseWindowsPath(windowsPath);
    if (parsed) {
        for (const auto& name : parsed->names) {
            for (const std::string_view character : gbkCharacters(name)) {
                const char c = character[0];
                if (character.size() == 1 &&
                    (c == '\0' || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
                     c == '"' || c == '<' || c == '>' || c == '|' || (c > 0 && c < 0x20))) {
                    return failure("the name ", shown(name), " of ", shown(windowsPath),
                                   " holds a character no Windows name holds");
                }
            }
            if (name.empty() || name == "." || name == "..") {
                return failure("the path ", shown(windowsPath), " keeps the name ", shown(name));
            }
        }
        // A name ending in a lead byte takes the backslash after it for its trail, as a
        // double-byte character: only "/" could end such a name.
        const bool endsInLead =
            std::any_of(parsed->names.begin(), parsed->names.end(), [](const std::string& name) {
                const std::string_view last = gbkCharacters(name).back();
                return last.size() == 1 && static_cast<unsigned char>(last[0]) >= 0x81 &&
                       static_cast<unsigned char>(last[0]) <= 0xFE;
            });
        const auto again = parseWindowsPath(plainForm(*parsed));
        if (!endsInLead && (!again || *again != *parsed)) {
            return failure("the path ", shown(windowsPath), " read as ", shown(plainForm(*parsed)),
                           " does not read as that again");
        }
    }

    const auto resolved = table.resolve(windowsPath);
    if (!resolved) {
        return {};
    }
    const Drive* drive = parsed ? table.find(parsed->letter) : nullptr;
    if (drive == nullptr) {
        return failure("the path ", shown(windowsPath), " of no drive resolved to ",
                       shown(resolved->native()));
    }
    // Below the drive's folder by exactly its names: none of them climbs, jumps or splits.
    const std::filesystem::path root = drive->hostRoot.lexically_normal();
    auto part = resolved->begin();
    for (const auto& rootPart : root) {
        if (rootPart.empty()) {
            continue;  // the trailing separator of a root "/srv/lib/"
        }
        if (part == resolved->end() || *part != rootPart) {
            return failure(shown(windowsPath), " resolved to ", shown(resolved->native()),
                           ", outside its drive's folder ", shown(root.native()));
        }
        ++part;
    }
    // An empty name would only leave a trailing separator, and then the count falls short.
    std::size_t names = 0;
    for (; part != resolved->end(); ++part) {
        const std::string& name = part->native();
        if (name.empty()) {
            continue;
        }
        ++names;
        if (name == "." || name == ".." || name == "/" || name.find('\0') != std::string::npos) {
            return failure(shown(windowsPath), " resolved to ", shown(resolved->native()),
                           " holding the name ", shown(name));
        }
    }
    if (names != parsed->names.size()) {
        return failure(shown(windowsPath), " resolved to ", shown(resolved->native()), ", ", names,
                       " names for the path's ", parsed->names.size());
    }

    const auto back = table.toWindowsPath(*resolved);
    if (!back) {
        return failure("the host path ", shown(resolved->native()), " of ", shown(windowsPath),
                       " has no Windows path");
    }
    const auto again = table.resolve(*back);
    if (!again || namesOf(*again) != namesOf(*resolved)) {
        return failure(shown(windowsPath), " resolved to ", shown(resolved->native()),
                       " whose Windows path ", shown(*back), " resolves to ",
                       again ? shown(again->native()) : "nothing");
    }
    return {};
}

}  // namespace

std::string checkDriveResolve(std::string_view input) {
    const auto parts = inputParts(input, 2);
    DriveTable table;
    for (const Drive& drive : parseDriveMap(parts[0], kDataDir)) {
        table.set(drive);
    }
    if (table.drives().empty()) {
        table.set({'F', "/srv/library", DriveType::Fixed});
    }
    for (const auto& line : lineTexts(parts[1])) {
        if (auto broken = checkPath(table, line); !broken.empty()) {
            return broken;
        }
    }
    return {};
}

}  // namespace qh::fuzz
