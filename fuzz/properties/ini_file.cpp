// The settings file: any content reads without harm, and writing one key changes that key's line
// only (or adds it, with its section where that is missing), after which the key reads back as
// the value would read from any line; a write that could not read back so is refused.
#include "checks.h"
#include "fuzz_input.h"

#include "text/ini_file.h"

namespace qh::fuzz {
namespace {

constexpr std::size_t kLongestValue = 2047;

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool hasOuterBlank(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

// A section that its own header "[name]" gives back: one line, no blanks the reader would drop,
// and a closing bracket that stays a character of its own.
bool sectionReadsBack(std::string_view section) {
    if (hasLineBreak(section) || hasOuterBlank(section)) {
        return false;
    }
    const std::string header = "[" + std::string(section) + "]";
    const auto characters = gbkCharacters(header);
    for (std::size_t i = 1; i + 1 < characters.size(); ++i) {
        if (characters[i] == "]") {
            return false;
        }
    }
    return characters.back() == "]";
}

// A key that its own line "key=value" gives back, and that line no section header.
bool keyReadsBack(std::string_view key) {
    return !hasLineBreak(key) && !hasOuterBlank(key) && key.find('=') == std::string_view::npos &&
           !key.starts_with('[');
}

// What a line "key=value" gives for the value: without its blanks around, without one pair of
// enclosing quotation marks, cut to whole characters of at most 2047 bytes.
std::string valueAsRead(std::string_view value) {
    const std::size_t first = value.find_first_not_of(" \t");
    value = first == std::string_view::npos
                ? std::string_view()
                : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    std::string limited;
    for (const std::string_view character : gbkCharacters(value)) {
        if (limited.size() + character.size() > kLongestValue) {
            break;
        }
        limited += character;
    }
    return limited;
}

// The lines of `written` that differ from those of `content` must be the key's: its line with a
// new value (the text up to "=" and the line end kept), or a new key line, perhaps after a new
// section header, perhaps after the last line given the line end it lacked.
std::string checkOtherLinesKept(std::string_view content, std::string_view written,
                                std::string_view section, std::string_view key,
                                std::string_view value) {
    const auto before = textLines(content);
    const auto after = textLines(written);
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::vector<TextLine> removed(before.begin() + prefix, before.end() - suffix);
    const std::vector<TextLine> added(after.begin() + prefix, after.end() - suffix);
    const auto changedLines = [&] {
        std::string text = failure(" (", removed.size(), " lines replaced by ", added.size(), ":");
        for (const auto& line : added) {
            text += " " + shown(std::string(line.text) + std::string(line.end));
        }
        return text + ")";
    };

    // The key's own line, its value replaced.
    if (removed.size() == 1 && added.size() == 1) {
        const auto equals = removed[0].text.find('=');
        const bool replaced = equals != std::string_view::npos && added[0].end == removed[0].end &&
                              added[0].text == std::string(removed[0].text.substr(0, equals + 1)) +
                                                   std::string(value);
        if (replaced) {
            return {};
        }
    }
    // A new key line, perhaps after its new section.
    std::size_t next = 0;
    if (removed.size() == 1) {
        // Only the last line, when it had no line end, may gain one.
        const bool endGained = removed[0].end.empty() && !added.empty() &&
                               added[0].text == removed[0].text && added[0].end == "\r\n";
        if (!endGained) {
            return failure("a line other than the key's changed", changedLines());
        }
        next = 1;
    } else if (!removed.empty()) {
        return failure("lines other than the key's changed", changedLines());
    }
    const std::string header = "[" + std::string(section) + "]";
    if (next < added.size() && added[next].text == header && added[next].end == "\r\n") {
        ++next;
    }
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    if (next < added.size() && added[next].text == keyLine && added[next].end == "\r\n") {
        ++next;
    }
    if (next != added.size()) {
        return failure("the write added lines other than the key's", changedLines());
    }
    return {};
}

std::string_view trimmedBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Every other key keeps its value. The keys probed are those the written text seems to hold, a
// key line with its section; probing a name the file does not hold costs nothing.
std::string checkOtherKeysKept(std::string_view content, std::string_view written,
                               std::string_view section, std::string_view key) {
    constexpr std::size_t kProbes = 64;
    const std::string writtenSection = foldedAscii(section);
    const std::string writtenKey = foldedAscii(key);
    std::string_view probedSection;
    std::size_t probes = 0;
    for (const TextLine& line : textLines(written)) {
        const std::string_view text = trimmedBlanks(line.text);
        if (text.starts_with('[')) {
            probedSection = trimmedBlanks(text.substr(1, text.find(']') - 1));
            continue;
        }
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view probedKey = trimmedBlanks(text.substr(0, equals));
        if (foldedAscii(probedSection) == writtenSection && foldedAscii(probedKey) == writtenKey) {
            continue;
        }
        if (++probes > kProbes) {
            break;
        }
        const std::string before = iniReadValue(content, probedSection, probedKey);
        const std::string after = iniReadValue(written, probedSection, probedKey);
        if (before != after) {
            return failure("the key ", shown(probedKey), " of [", shown(probedSection), "] read ",
                           shown(before), " and now reads ", shown(after));
        }
    }
    return {};
}

}  // namespace

std::string checkIniFile(std::string_view input) {
    const auto parts = inputParts(input, 4);
    const std::string_view section = parts[0];
    const std::string_view key = parts[1];
    const std::string_view value = parts[2];
    const std::string_view content = parts[3];

    const std::string old = iniReadValue(content, section, key);
    if (old.size() > kLongestValue || hasLineBreak(old)) {
        return failure("a value read ", shown(old), " is no value of one line of 2047 bytes");
    }

    // A write either reads back or is refused, and what cannot read back is refused.
    const auto written = iniWriteValue(content, section, key, value);
    const bool readsBack = sectionReadsBack(section) && keyReadsBack(key) && !hasLineBreak(value);
    const std::string what =
        failure("writing ", shown(key), "=", shown(value), " into [", shown(section), "]");
    if (!written) {
        return readsBack ? failure(what, " was refused") : std::string();
    }
    if (!readsBack) {
        return failure(what, " was done, though it cannot read back");
    }
    if (auto broken = checkOtherLinesKept(content, *written, section, key, value);
        !broken.empty()) {
        return failure(what, ": ", broken);
    }
    if (auto broken = checkOtherKeysKept(content, *written, section, key); !broken.empty()) {
        return failure(what, ": ", broken);
    }
    const std::string read = iniReadValue(*written, section, key);
    if (read != valueAsRead(value)) {
        return failure(what, ": the key reads back as ", shown(read));
    }
    if (iniWriteValue(*written, section, key, value) != written) {
        return failure(what, " a second time changed the file again");
    }
    return {};
}

}  // namespace qh::fuzz
