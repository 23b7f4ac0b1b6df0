// The drive map in the data folder: it reads as a plain reading of its rules reads it, and the
// set-up panel's write of one letter gives that letter its folder and leaves every other line.
#include <algorithm>
#include <cstring>
#include <optional>

#include "checks.h"
#include "fuzz_input.h"

#include "platform/drive_table.h"
#include "settings/drive_setup.h"
#include "text/text_list_file.h"

namespace qh::fuzz {
namespace {

const std::filesystem::path kDataDir = "/srv/qinghe/数据文件";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char upperLetter(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    return c >= 'A' && c <= 'Z' ? c : 0;
}

// "X=DIR" or "X=DIR,removable" (or ",fixed"): the letter in either case, blanks around the line,
// the folder and the word allowed; any other text after the last comma is the folder's.
std::optional<Drive> driveOfLine(std::string_view line) {
    line = trimmed(line);
    if (line.size() < 2 || upperLetter(line[0]) == 0 || line[1] != '=') {
        return std::nullopt;
    }
    Drive drive{upperLetter(line[0]), {}, DriveType::Fixed};
    std::string_view folder = trimmed(line.substr(2));
    const std::size_t comma = folder.rfind(',');
    if (comma != std::string_view::npos) {
        const std::string_view word = trimmed(folder.substr(comma + 1));
        if (word == "removable" || word == "fixed") {
            drive.type = word == "removable" ? DriveType::Removable : DriveType::Fixed;
            folder = trimmed(folder.substr(0, comma));
        }
    }
    if (folder.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path path(folder);
    drive.hostRoot = (path.is_absolute() ? path : kDataDir / path).lexically_normal();
    return drive;
}

// Comments, blank and malformed lines, A and B, a letter given before and overlong lines are
// passed over.
std::vector<Drive> drivesOfMap(std::string_view content) {
    std::vector<Drive> drives;
    for (const auto& text : lineTexts(content)) {
        const std::string_view line = trimmed(text);
        if (line.empty() || line.front() == '#' || line.size() > kLongestDriveMapLine) {
            continue;
        }
        const auto drive = driveOfLine(line);
        if (!drive || drive->letter < 'C') {
            continue;
        }
        const bool given = std::any_of(drives.begin(), drives.end(),
                                       [&](const Drive& d) { return d.letter == drive->letter; });
        if (!given) {
            drives.push_back(*drive);
        }
    }
    return drives;
}

std::string shownDrives(const std::vector<Drive>& drives) {
    std::string text = "{";
    for (const Drive& drive : drives) {
        text += failure(" ", std::string(1, drive.letter), "=", shown(drive.hostRoot.native()),
                        drive.type == DriveType::Removable ? ",removable" : "");
    }
    return text + " }";
}

// The lines of a map that are no line of `letter`.
std::vector<std::string> linesBesides(std::string_view content, char letter) {
    std::vector<std::string> lines;
    for (auto& line : lineTexts(content)) {
        const auto drive = driveOfLine(line);
        if (!drive || drive->letter != letter) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

}  // namespace

std::string checkDriveMap(std::string_view input) {
    const auto parts = inputParts(input, 2);
    const std::string_view content = parts[1];

    const std::vector<Drive> drives = parseDriveMap(content, kDataDir);
    if (const auto expected = drivesOfMap(content); drives != expected) {
        return failure("the map reads as ", shownDrives(drives), " instead of ",
                       shownDrives(expected));
    }

    // The first byte of the first part is the letter written, the rest its folder.
    if (parts[0].empty() || upperLetter(parts[0][0]) < 'C') {
        return {};
    }
    const char letter = upperLetter(parts[0][0]);
    const std::filesystem::path folder(parts[0].substr(1));
    const auto updated = driveMapWith(content, letter, folder);
    // A line "X=DIR" (",fixed" after a folder holding a comma) that the reader takes.
    const std::string& text = folder.native();
    const std::size_t lineLength =
        2 + text.size() + (text.find(',') != std::string::npos ? std::strlen(",fixed") : 0);
    const bool writable = folder.is_absolute() && text.find_first_of("\r\n") == std::string::npos &&
                          text.back() != ' ' && text.back() != '\t' &&
                          lineLength <= kLongestDriveMapLine;
    if (!updated) {
        if (writable) {
            return failure("the folder ", shown(text), " of ", std::string(1, letter),
                           " could not be written into the map");
        }
        return {};
    }
    if (!writable) {
        return failure("the folder ", shown(text), " no line can hold was written into the map");
    }

    std::vector<Drive> expected;
    for (const Drive& drive : drives) {
        if (drive.letter != letter) {
            expected.push_back(drive);
        }
    }
    expected.push_back({letter, folder.lexically_normal(), DriveType::Fixed});
    std::sort(expected.begin(), expected.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    auto reread = parseDriveMap(*updated, kDataDir);
    std::sort(reread.begin(), reread.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    if (reread != expected) {
        return failure("after writing ", std::string(1, letter), "=", shown(text),
                       " the map reads as ", shownDrives(reread), " instead of ",
                       shownDrives(expected));
    }
    if (linesBesides(*updated, letter) != linesBesides(content, letter)) {
        return failure("writing ", std::string(1, letter), "=", shown(text),
                       " changed lines of other letters: ", shown(*updated));
    }
    return {};
}

}  // namespace qh::fuzz
