#include "text/byte_text.h"

namespace qh {
namespace {

constexpr char kSeparator = '\\';

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

std::size_t lastSeparatorEnd(std::string_view path) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size(); i += charLengthAt(path, i)) {
        if (path[i] == kSeparator) {
            end = i + 1;
        }
    }
    return end;
}

}  // namespace

bool contains(std::string_view haystack, std::string_view needle) {
    return !needle.empty() && haystack.find(needle) != std::string_view::npos;
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (std::size_t i = 0; i < lower.size(); i += charLengthAt(lower, i)) {
        if (inRange(lower[i], 'A', 'Z')) {
            lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
        }
    }
    return lower;
}

bool isCharStart(std::string_view text, std::size_t index) {
    std::size_t i = 0;
    while (i < index && i < text.size()) {
        i += charLengthAt(text, i);
    }
    return i == index && i < text.size();
}

std::size_t charLengthAt(std::string_view text, std::size_t index) {
    if (index >= text.size()) {
        return 0;
    }
    const auto byte = [&](std::size_t offset) -> unsigned char { return text[index + offset]; };
    const std::size_t available = text.size() - index;
    if (!inRange(byte(0), 0x81, 0xFE) || available < 2) {
        return 1;
    }
    if (inRange(byte(1), 0x40, 0xFE) && byte(1) != 0x7F) {
        return 2;
    }
    if (available >= 4 && inRange(byte(1), '0', '9') && inRange(byte(2), 0x81, 0xFE) &&
        inRange(byte(3), '0', '9')) {
        return 4;
    }
    return 1;
}

bool isForbiddenInWindowsName(char c) {
    constexpr std::string_view kForbiddenSigns = "\\:*?\"<>|";
    return inRange(c, 0x01, 0x1F) || kForbiddenSigns.find(c) != std::string_view::npos;
}

std::string_view fileNameOf(std::string_view path) {
    return path.substr(lastSeparatorEnd(path));
}

std::string_view folderOf(std::string_view path) {
    return path.substr(0, lastSeparatorEnd(path));
}

std::string_view extensionOf(std::string_view path) {
    // A dot is never part of a multi-byte character, so a plain search is safe here.
    const std::string_view name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace qh
