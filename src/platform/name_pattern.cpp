#include "platform/name_pattern.h"

#include <algorithm>

#include "platform/wildcard_match.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool holdsBrokenCharacter(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); i += charLengthAt(text, i)) {
        if (charLengthAt(text, i) == 1 && static_cast<unsigned char>(text[i]) >= 0x81) {
            return true;
        }
    }
    return false;
}

// Every byte as a character of its own: ASCII stays, each byte from 0x80 on becomes a
// double-byte character that no other byte becomes. The wildcard then compares byte by byte.
std::string eachByteAsCharacter(std::string_view text) {
    std::string widened;
    widened.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            widened += c;
        } else if (byte < 0xFF) {
            widened += '\x81';
            widened += c;
        } else {
            widened += "\x82\x80";
        }
    }
    return widened;
}

// The literal runs any matching name holds, in host form. Each character of a GBK name converts
// to host bytes on its own, so a run the name holds is a run of bytes of the host name.
std::vector<std::string> hostPiecesOf(const Wildcard& wildcard) {
    std::vector<std::string> pieces;
    for (const auto& run : wildcard.literalRuns()) {
        pieces.push_back(gbkToHostName(asciiLower(run)));
    }
    return pieces;
}

// In a UTF-8 name every ASCII byte is a character of its own, so folding bytes is exact.
bool holdsIgnoringAsciiCase(std::string_view text, std::string_view lowerPiece) {
    const bool hasLetters = std::any_of(lowerPiece.begin(), lowerPiece.end(),
                                        [](char c) { return c >= 'a' && c <= 'z'; });
    if (!hasLetters) {
        return text.find(lowerPiece) != std::string_view::npos;
    }
    return std::search(text.begin(), text.end(), lowerPiece.begin(), lowerPiece.end(),
                       [](char a, char b) { return foldAscii(a) == b; }) != text.end();
}

}  // namespace

NamePattern::NamePattern(std::string_view pattern)
    : empty_(pattern.empty()),
      bytewise_(holdsBrokenCharacter(pattern)),
      wildcard_(bytewise_ ? eachByteAsCharacter(pattern) : pattern) {
    if (!bytewise_) {
        hostPieces_ = hostPiecesOf(wildcard_);
    }
}

bool NamePattern::matches(std::string_view gbkName) const {
    if (empty_) {
        return false;
    }
    return bytewise_ ? wildcard_.matches(eachByteAsCharacter(gbkName)) : wildcard_.matches(gbkName);
}

bool NamePattern::mayMatchHostName(std::string_view hostName) const {
    return !empty_ &&
           std::all_of(hostPieces_.begin(), hostPieces_.end(), [&](const std::string& piece) {
               return holdsIgnoringAsciiCase(hostName, piece);
           });
}

}  // namespace qh
