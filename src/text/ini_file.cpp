#include "text/ini_file.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "text/atomic_file.h"
#include "text/byte_text.h"

namespace qh {
namespace {

// A caller's buffer of 2048 bytes with the terminating NUL.
constexpr std::size_t kMaxValueBytes = 2047;
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreak = "\r\n";

// A line as it stands in the file: its text and the line end that follows it, which is CR LF,
// a lone CR, a lone LF or, on the last line, possibly nothing.
struct Line {
    std::string_view text;
    std::string_view end;
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t textEnd =
            std::min(content.find_first_of(kLineBreak, start), content.size());
        std::size_t endLength = 0;
        if (content.substr(textEnd).starts_with(kLineBreak)) {
            endLength = kLineBreak.size();
        } else if (textEnd < content.size()) {
            endLength = 1;
        }
        lines.push_back(
            {content.substr(start, textEnd - start), content.substr(textEnd, endLength)});
        start = textEnd + endLength;
    }
    return lines;
}

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A ']' may be the trail byte of a double-byte character, so the search steps by character.
std::size_t findSectionClose(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += charLengthAt(text, i)) {
        if (text[i] == ']') {
            return i;
        }
    }
    return text.size();
}

// A line whose first non-blank is '[' opens a section; its name runs to the ']' or, when that
// is missing, to the end of the line.
std::optional<std::string_view> sectionNameOf(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (!trimmed.starts_with('[')) {
        return std::nullopt;
    }
    const std::string_view inside = trimmed.substr(1);
    return trimBlanks(inside.substr(0, findSectionClose(inside)));
}

// '=' lies below every trail byte, so a plain search finds the real one.
std::optional<std::string_view> keyNameOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return trimBlanks(line.substr(0, equals));
}

std::string_view dropEnclosingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Never ends inside a double-byte character.
std::string_view limitValue(std::string_view value) {
    std::size_t length = 0;
    while (length < value.size()) {
        const std::size_t next = length + charLengthAt(value, length);
        if (next > kMaxValueBytes) {
            break;
        }
        length = next;
    }
    return value.substr(0, length);
}

// Where a key stands, or would go, in the lines of an INI text. Of duplicate sections and
// duplicate keys the first counts.
struct KeyPlace {
    std::optional<std::size_t> sectionLine;
    std::size_t lastFilledLine = 0;  // the section's last non-blank line, its header at least
    std::optional<std::size_t> keyLine;
};

KeyPlace findKey(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    const std::string wantedSection = asciiLower(section);
    const std::string wantedKey = asciiLower(key);
    KeyPlace place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionNameOf(lines[i].text)) {
            if (place.sectionLine) {
                break;
            }
            if (asciiLower(*name) == wantedSection) {
                place.sectionLine = i;
                place.lastFilledLine = i;
            }
            continue;
        }
        if (!place.sectionLine) {
            continue;
        }
        if (const auto name = keyNameOf(lines[i].text); name && asciiLower(*name) == wantedKey) {
            place.keyLine = i;
            break;
        }
        if (!trimBlanks(lines[i].text).empty()) {
            place.lastFilledLine = i;
        }
    }
    return place;
}

std::size_t offsetOf(std::string_view content, std::string_view part) {
    return static_cast<std::size_t>(part.data() - content.data());
}

std::string newKeyLine(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value) + std::string(kLineBreak);
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of(kLineBreak) != std::string_view::npos;
}

// The header and key line a write adds must read back, through the reader's own rules, as the
// section and key written; otherwise a later read misses the value, or finds it under another
// name, and every write adds one more line.
bool readsBack(std::string_view section, std::string_view key, std::string_view value) {
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        return false;
    }
    const std::string header = "[" + std::string(section) + "]";
    return sectionNameOf(header) == section && !sectionNameOf(key) &&
           keyNameOf(std::string(key) + "=") == key;
}

}  // namespace

std::string iniReadValue(std::string_view content, std::string_view section, std::string_view key) {
    const std::vector<Line> lines = splitLines(content);
    const KeyPlace place = findKey(lines, section, key);
    if (!place.keyLine) {
        return {};
    }
    const std::string_view line = lines[*place.keyLine].text;
    const std::string_view value = trimBlanks(line.substr(line.find('=') + 1));
    return std::string(limitValue(dropEnclosingQuotes(value)));
}

std::optional<std::string> iniWriteValue(std::string_view content, std::string_view section,
                                         std::string_view key, std::string_view value) {
    if (!readsBack(section, key, value)) {
        return std::nullopt;
    }
    const std::vector<Line> lines = splitLines(content);
    const KeyPlace place = findKey(lines, section, key);
    std::string result;
    if (place.keyLine) {
        // The line keeps its text up to the equals sign, with the key's spelling, and its line end.
        const Line& line = lines[*place.keyLine];
        const std::size_t valueStart = offsetOf(content, line.text) + line.text.find('=') + 1;
        result.append(content.substr(0, valueStart));
        result.append(value);
        result.append(content.substr(offsetOf(content, line.end)));
    } else if (place.sectionLine) {
        const Line& last = lines[place.lastFilledLine];
        const std::size_t insertAt = offsetOf(content, last.end) + last.end.size();
        result.append(content.substr(0, insertAt));
        if (last.end.empty()) {
            result.append(kLineBreak);
        }
        result.append(newKeyLine(key, value));
        result.append(content.substr(insertAt));
    } else {
        result.append(content);
        if (!content.empty() && !content.ends_with('\r') && !content.ends_with('\n')) {
            result.append(kLineBreak);
        }
        result.append("[").append(section).append("]").append(kLineBreak);
        result.append(newKeyLine(key, value));
    }
    return result;
}

std::string readIniValue(const std::filesystem::path& file, std::string_view section,
                         std::string_view key) {
    return iniReadValue(readWholeFile(file).value_or(std::string()), section, key);
}

bool writeIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value) {
    std::optional<std::string> content = readWholeFile(file);
    if (!content) {
        // Only a missing file starts empty; one that exists but cannot be read is not replaced.
        std::error_code error;
        if (std::filesystem::symlink_status(file, error).type() !=
            std::filesystem::file_type::not_found) {
            return false;
        }
        content.emplace();
    }
    const auto written = iniWriteValue(*content, section, key, value);
    return written && writeFileAtomically(file, *written);
}

}  // namespace qh
