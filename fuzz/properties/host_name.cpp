// Host names and the system's GBK names: every host name, whatever its bytes, becomes one Windows
// name of whole characters and comes back byte for byte; the text of a name comes back from the
// host name as itself; a text that no name gave (a shop's old list) settles after one round.
#include <QString>

#include <algorithm>

#include "checks.h"
#include "fuzz_input.h"

#include "text/gbk.h"

namespace qh::fuzz {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](std::size_t k) -> unsigned {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        const unsigned lead = byte(0);
        std::size_t length = 0;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > text.size() || (length > 1 && (byte(1) < low || byte(1) > high))) {
            return false;
        }
        for (std::size_t k = 2; k < length; ++k) {
            if (byte(k) < 0x80 || byte(k) > 0xBF) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

bool isForbiddenAscii(char c) {
    return (c >= 0x01 && c <= 0x1F) || std::string_view("\\:*?\"<>|").find(c) != std::string::npos;
}

// One Windows name of whole characters: ASCII a Windows name holds, the euro byte, two-byte
// characters and four-byte codes, no lead byte left without its trail.
std::string checkWholeName(std::string_view hostName, std::string_view text) {
    for (const std::string_view character : gbkCharacters(text)) {
        const auto byte = static_cast<unsigned char>(character[0]);
        const bool whole = character.size() > 1 || byte == 0x80 ||
                           (byte < 0x80 && !isForbiddenAscii(character[0]));
        if (!whole) {
            return failure("the host name ", shown(hostName), " becomes ", shown(text),
                           " holding the character ", shown(character));
        }
    }
    return {};
}

std::string checkRoundTrips(std::string_view hostName) {
    const std::string text = hostNameToGbk(hostName);
    if (const std::string back = gbkToHostName(text); back != hostName) {
        return failure("the host name ", shown(hostName), " becomes ", shown(text),
                       " and comes back as ", shown(back));
    }
    if (const std::string again = hostNameToGbk(gbkToHostName(text)); again != text) {
        return failure("the text ", shown(text), " of a host name becomes ", shown(again),
                       " after a round");
    }
    if (auto broken = checkWholeName(hostName, text); !broken.empty()) {
        return broken;
    }
    // A name of characters Windows names hold is the plain GB18030 text the widgets show.
    const bool plain =
        isUtf8(hostName) && std::none_of(hostName.begin(), hostName.end(), isForbiddenAscii);
    if (plain) {
        const QString utf16 = QString::fromUtf8(hostName.data(), qsizetype(hostName.size()));
        if (const std::string gbk = toGbk(utf16); gbk != text) {
            return failure("the UTF-8 name ", shown(hostName), " becomes ", shown(text),
                           " where its characters are ", shown(gbk));
        }
        if (fromGbk(text) != utf16) {
            return failure("the text ", shown(text), " of ", shown(hostName),
                           " shows other characters");
        }
    }
    return {};
}

}  // namespace

std::string checkHostName(std::string_view input) {
    if (auto broken = checkRoundTrips(input); !broken.empty()) {
        return broken;
    }
    // The same bytes as a text no name gave: its host name then goes round like any other.
    const std::string hostName = gbkToHostName(input);
    if (auto broken = checkRoundTrips(hostName); !broken.empty()) {
        return failure("(from the text ", shown(input), ") ", broken);
    }
    return {};
}

}  // namespace qh::fuzz
