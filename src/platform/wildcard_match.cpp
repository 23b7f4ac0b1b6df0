#include "platform/wildcard_match.h"

#include <algorithm>

#include "text/byte_text.h"

namespace qh {

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t charLength(std::string_view text, std::size_t at) {
    return std::min(charLengthAt(text, at), text.size() - at);
}

// Single-byte characters compare without regard to case; longer ones byte for byte, so a trail
// byte that happens to be a letter is never folded.
bool sameChar(std::string_view name, std::size_t n, std::size_t nameLength,
              std::string_view pattern, std::size_t p, std::size_t patternLength) {
    if (nameLength != patternLength) {
        return false;
    }
    if (nameLength == 1) {
        return foldAscii(name[n]) == foldAscii(pattern[p]);
    }
    return name.substr(n, nameLength) == pattern.substr(p, patternLength);
}

// Greedy "*" that, on a mismatch, retries from the last "*" one character further on: at most
// name length x pattern length steps, whatever the pattern.
bool matches(std::string_view name, std::string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        const std::size_t nameLength = charLength(name, n);
        if (p < pattern.size()) {
            const std::size_t patternLength = charLength(pattern, p);
            if (pattern[p] == '*') {
                starP = ++p;
                starN = n;
                continue;
            }
            if (pattern[p] == '?' || sameChar(name, n, nameLength, pattern, p, patternLength)) {
                n += nameLength;
                p += patternLength;
                continue;
            }
        }
        if (starP == std::string_view::npos) {
            return false;
        }
        starN += charLength(name, starN);
        n = starN;
        p = starP;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool matchesWildcard(std::string_view name, std::string_view pattern) {
    if (matches(name, pattern)) {
        return true;
    }
    // "a.*" also takes "a": Windows treats a name without a dot as ending in an empty extension.
    // Neither '.' nor '*' can be a GBK trail byte, so the byte tests are exact.
    return pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
           matches(name, pattern.substr(0, pattern.size() - 2));
}

}  // namespace qh
