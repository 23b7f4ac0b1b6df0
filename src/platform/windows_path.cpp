#include "platform/windows_path.h"

#include "text/byte_text.h"

namespace qh {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Adds one name to the list; false when the name may not appear in a path.
bool addName(std::string_view name, std::vector<std::string>& names) {
    if (name.empty() || name == ".") {
        return true;
    }
    if (name == "..") {
        if (!names.empty()) {
            names.pop_back();
        }
        return true;
    }
    // By whole characters: "|" can be the trail byte of a double-byte character.
    for (std::size_t i = 0; i < name.size(); i += charLengthAt(name, i)) {
        if (charLengthAt(name, i) == 1 && (name[i] == '\0' || isForbiddenInWindowsName(name[i]))) {
            return false;
        }
    }
    names.emplace_back(name);
    return true;
}

}  // namespace

std::optional<WindowsPath> parseWindowsPath(std::string_view path) {
    if (path.size() < 2 || !isAsciiLetter(path[0]) || path[1] != ':') {
        return std::nullopt;
    }
    WindowsPath result{upper(path[0]), {}};
    const std::string_view rest = path.substr(2);
    std::size_t nameStart = 0;
    // Stepping by whole characters, so a trail byte is never taken for a separator.
    for (std::size_t i = 0; i < rest.size(); i += charLengthAt(rest, i)) {
        if (rest[i] == '\\' || rest[i] == '/') {
            if (!addName(rest.substr(nameStart, i - nameStart), result.names)) {
                return std::nullopt;
            }
            nameStart = i + 1;
        }
    }
    if (!addName(rest.substr(nameStart), result.names)) {
        return std::nullopt;
    }
    return result;
}

}  // namespace qh
