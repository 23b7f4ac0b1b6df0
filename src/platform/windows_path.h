#pragma once
// A Windows path split into its drive letter and the names below the drive's root, the way
// every file operation reads the system's paths.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

struct WindowsPath {
    char letter = 0;                 // 'A'..'Z'
    std::vector<std::string> names;  // GBK; empty for the drive's root
    bool operator==(const WindowsPath&) const = default;
};

// "X:\a\b" (GBK) -> {'X', {"a", "b"}}. "\" and "/" separate, but a backslash byte that is the
// trail byte of a double-byte character does not. Empty names and "." are skipped; ".." drops
// the name before it and stops at the root, as Windows does. A name holding NUL or a character
// no Windows name holds (isForbiddenInWindowsName: ":" of a second drive letter or a stream
// name, a wildcard, a control character) makes the path invalid, as Windows refuses it, and so
// does a text not starting with a letter and ":". A file name holding such a character is
// reached through its four-byte code (hostNameToGbk). There is no current folder per drive, so
// "X:a" means "X:\a".
std::optional<WindowsPath> parseWindowsPath(std::string_view path);

}  // namespace qh
