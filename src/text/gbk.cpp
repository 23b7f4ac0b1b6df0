// The codec is ICU's GB18030, identical to GBK for every GBK character and able to encode all of
// Unicode. Its mapping is read once into tables (gb18030_table.h) and the conversions here walk
// the text themselves: the library walker converts every name it meets, and a call into ICU costs
// many times a table lookup. Two rules keep it in line with code page 936, in which the shop's
// own files were written: the euro sign is the single byte 0x80 both ways (GB18030 would write
// A2 E3, which still reads as the euro sign), and a lone UTF-16 surrogate, which no code page
// holds, is written as "?".
//
// Linux file names are byte strings that are usually, not always, UTF-8, and that may hold
// characters no Windows name can. They become GBK text and back byte for byte:
//   - each run of valid UTF-8 (strict: no overlong forms, no encoded surrogates, nothing above
//     U+10FFFF) is encoded by the codec, but for the characters of the next rule;
//   - every byte b that is not part of valid UTF-8 (always 0x80..0xFF), and every ASCII
//     character a Windows name cannot hold (0x01..0x1F, \ : * ? " < > |), becomes the four-byte
//     code of linear index 39420 + b, 84 31 A5 31 .. 84 31 BE 35. Index 39420 is the first code
//     after U+FFFF (84 31 A4 39) in the range GB18030 leaves unassigned before the code of
//     U+10000 (90 30 81 30), so no character is ever written as one of these codes.
// So "a\b.mp3" is one name of the system's paths, not a folder and a file in it, and a name
// holding a line break stays on its one line of a list file. None of a code's bytes is a
// separator, a dot or a wildcard, and the code is one character to a wildcard's "?".
// The reverse walks the text by GBK structure (a byte below 0x80; lead 81..FE with trail 40..FE
// but not 7F; lead, 30..39, 81..FE, 30..39), turns those codes back into their bytes and decodes
// everything else to UTF-8.
//
// Text that did not come from a file name (a shop's old list, a hand-edited file) may be
// malformed: a lead byte without its trail, 0xFF, a four-byte code GB18030 does not assign, the
// code of an ASCII character Windows names hold. Each such byte goes into the file name as it
// is, the same way an undecodable name byte travels in the other direction: distinct texts stay
// distinct names, nothing is dropped, and converting the name back and forth again changes it no
// more. At the widget boundary these bytes, and the codes of bytes that are not UTF-8, show as
// U+FFFD; the codes of ASCII characters show readably (shownNameByte).
#include "text/gbk.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "text/byte_text.h"
#include "text/gb18030_table.h"

namespace qh {
namespace {

constexpr char kEuroByte = '\x80';
constexpr char16_t kEuroSign = u'\u20AC';
constexpr char kUnencodable = '?';
constexpr char32_t kFirstSupplementary = 0x10000;

// Linear indexes of four-byte GB18030 codes.
constexpr std::uint32_t kFirstGapIndex = Gb18030Table::kBmpFourByteCodes;  // 84 31 A5 30
constexpr std::uint32_t kFirstSupplementaryIndex = 189000;                 // 90 30 81 30, U+10000
constexpr std::uint32_t kLastSupplementaryIndex = kFirstSupplementaryIndex + 0xFFFFF;
constexpr std::uint32_t kLastNameByteIndex = kFirstGapIndex + 0xFF;

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// The ASCII bytes of a host name that are written as their gap codes: those no Windows name holds.
using AsciiSet = std::array<bool, 0x80>;
const AsciiSet& codedAscii() {
    static const AsciiSet coded = [] {
        AsciiSet set{};
        for (std::size_t byte = 0; byte < set.size(); ++byte) {
            set[byte] = isForbiddenInWindowsName(static_cast<char>(byte));
        }
        return set;
    }();
    return coded;
}

// ASCII that no Windows name rule touches: the same in both forms.
bool isPlainAscii(std::string_view hostName, const AsciiSet& coded) {
    return std::all_of(hostName.begin(), hostName.end(), [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x80 && !coded[byte];
    });
}

// How the code of a name byte shows at the widget boundary. A sign no Windows name holds shows
// as its full-width form (＼ ： ＊ ？ ＂ ＜ ＞ ｜) and a control character as its control picture
// (␊ for a line break, ␉ for a tab): the clerk sees what the name holds, and a row shows no path
// separator, wildcard or line break that is not one. A byte of no UTF-8 character has no
// character to show.
QChar shownNameByte(unsigned char byte) {
    constexpr char16_t kControlPictures = u'\u2400';
    constexpr char16_t kFullWidthOffset = u'\uFF01' - u'!';
    if (byte < 0x20) {
        return QChar(static_cast<char16_t>(kControlPictures + byte));
    }
    if (byte < 0x80) {
        return QChar(static_cast<char16_t>(kFullWidthOffset + byte));
    }
    return QChar(QChar::ReplacementCharacter);
}

// Runs `write`, which takes the start of a buffer of `bound` bytes and returns the end of what it
// wrote. The result holds just those bytes, and a usual name needs no buffer on the heap.
template <typename Write>
std::string writeBounded(std::size_t bound, Write write) {
    std::array<char, 1024> stackBuffer;
    std::unique_ptr<char[]> heapBuffer;
    char* buffer = stackBuffer.data();
    if (bound > stackBuffer.size()) {
        heapBuffer = std::make_unique_for_overwrite<char[]>(bound);
        buffer = heapBuffer.get();
    }
    return std::string(buffer, write(buffer));
}

// Copies all four bytes, whatever the code's size: one fixed-size copy is the fastest, and the
// bounds of the callers leave room for four bytes per character.
char* put(char* out, const Gb18030Code& code) {
    std::memcpy(out, code.bytes.data(), code.bytes.size());
    return out + code.size;
}

char* putGbk(char* out, char32_t character, const Gb18030Table& table) {
    if (character == kEuroSign) {
        *out = kEuroByte;
        return out + 1;
    }
    if (character >= kFirstSupplementary) {
        return put(out, fourByteCode(kFirstSupplementaryIndex + (character - kFirstSupplementary)));
    }
    return put(out, table.code(static_cast<char16_t>(character)));
}

char* putUtf8(char* out, char32_t character) {
    const auto append = [&](char32_t bits) { *out++ = static_cast<char>(bits); };
    if (character < 0x80) {
        append(character);
    } else if (character < 0x800) {
        append(0xC0 | character >> 6);
        append(0x80 | (character & 0x3F));
    } else if (character < kFirstSupplementary) {
        append(0xE0 | character >> 12);
        append(0x80 | (character >> 6 & 0x3F));
        append(0x80 | (character & 0x3F));
    } else {
        append(0xF0 | character >> 18);
        append(0x80 | (character >> 12 & 0x3F));
        append(0x80 | (character >> 6 & 0x3F));
        append(0x80 | (character & 0x3F));
    }
    return out;
}

// Length of the well-formed UTF-8 sequence at `index`; 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t index) {
    const auto byte = [&](std::size_t offset) -> unsigned char { return text[index + offset]; };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;   // overlong
        secondHigh = lead == 0xED ? 0x9F : 0xBF;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;   // overlong
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;  // above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - index < length || byte(1) < secondLow || byte(1) > secondHigh) {
        return 0;
    }
    for (std::size_t offset = 2; offset < length; ++offset) {
        if (byte(offset) < 0x80 || byte(offset) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// The character of a well-formed UTF-8 sequence.
char32_t utf8Character(std::string_view sequence) {
    constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t character = static_cast<unsigned char>(sequence[0]) & kLeadBits[sequence.size()];
    for (std::size_t k = 1; k < sequence.size(); ++k) {
        character = character << 6 | (static_cast<unsigned char>(sequence[k]) & 0x3F);
    }
    return character;
}

// Hands the unit of GBK text at `index` to `onCharacter` when it is a character, or to `onByte`
// when it is a file-name byte in its four-byte code or a malformed byte, and returns its length. A
// template so that each caller's loop compiles into one piece.
template <typename OnCharacter, typename OnByte>
std::size_t readUnit(std::string_view gbk, std::size_t index, const Gb18030Table& table,
                     OnCharacter onCharacter, OnByte onByte) {
    const auto lead = static_cast<unsigned char>(gbk[index]);
    if (lead < 0x80) {
        onCharacter(lead);
        return 1;
    }
    const std::size_t length = charLengthAt(gbk, index);
    if (length == 2) {
        onCharacter(table.twoByteCharacter(lead, static_cast<unsigned char>(gbk[index + 1])));
        return 2;
    }
    if (length == 4) {
        const std::uint32_t codeIndex = fourByteIndex(gbk.data() + index);
        if (codeIndex < kFirstGapIndex) {
            onCharacter(table.fourByteCharacter(codeIndex));
            return 4;
        }
        if (codeIndex >= kFirstSupplementaryIndex && codeIndex <= kLastSupplementaryIndex) {
            onCharacter(kFirstSupplementary + (codeIndex - kFirstSupplementaryIndex));
            return 4;
        }
        if (codeIndex >= kFirstGapIndex && codeIndex <= kLastNameByteIndex) {
            const auto byte = static_cast<unsigned char>(codeIndex - kFirstGapIndex);
            if (byte >= 0x80 || codedAscii()[byte]) {
                onByte(static_cast<char>(byte));
                return 4;
            }
        }
    }
    if (lead == static_cast<unsigned char>(kEuroByte)) {
        onCharacter(kEuroSign);
    } else {
        onByte(static_cast<char>(lead));
    }
    return 1;
}

}  // namespace

std::string toGbk(QStringView text) {
    const Gb18030Table& table = gb18030Table();
    return writeBounded(static_cast<std::size_t>(text.size()) * 4, [&](char* out) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i].unicode();
            if (unit < 0x80) {
                *out++ = static_cast<char>(unit);
            } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                       text[i + 1].isLowSurrogate()) {
                out = putGbk(out, QChar::surrogateToUcs4(unit, text[++i].unicode()), table);
            } else if (QChar::isSurrogate(unit)) {
                *out++ = kUnencodable;
            } else {
                out = putGbk(out, unit, table);
            }
        }
        return out;
    });
}

QString fromGbk(std::string_view gbk) {
    if (isAscii(gbk)) {
        return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
    }
    const Gb18030Table& table = gb18030Table();
    // No unit decodes to more UTF-16 units than it has bytes.
    QString text(static_cast<qsizetype>(gbk.size()), Qt::Uninitialized);
    QChar* out = text.data();
    const auto putCharacter = [&](char32_t character) {
        if (QChar::requiresSurrogates(character)) {
            *out++ = QChar(QChar::highSurrogate(character));
            *out++ = QChar(QChar::lowSurrogate(character));
        } else {
            *out++ = QChar(static_cast<char16_t>(character));
        }
    };
    const auto putNameByte = [&](char byte) {
        *out++ = shownNameByte(static_cast<unsigned char>(byte));
    };
    for (std::size_t i = 0; i < gbk.size();) {
        i += readUnit(gbk, i, table, putCharacter, putNameByte);
    }
    text.truncate(out - text.constData());
    return text;
}

std::string gbk(std::string_view utf8Literal) {
    return toGbk(QString::fromUtf8(utf8Literal.data(), static_cast<qsizetype>(utf8Literal.size())));
}

std::string hostNameToGbk(std::string_view hostName) {
    // Most names are ASCII, which is mostly the same in both forms.
    const AsciiSet& coded = codedAscii();
    if (isPlainAscii(hostName, coded)) {
        return std::string(hostName);
    }
    const Gb18030Table& table = gb18030Table();
    // Every byte of the name becomes at most four of the text.
    return writeBounded(hostName.size() * 4, [&](char* out) {
        for (std::size_t i = 0; i < hostName.size();) {
            const std::size_t length = utf8SequenceLength(hostName, i);
            const auto byte = static_cast<unsigned char>(hostName[i]);
            if (length == 0 || (length == 1 && coded[byte])) {
                out = put(out, fourByteCode(kFirstGapIndex + byte));
                ++i;
            } else if (length == 1) {
                *out++ = hostName[i++];
            } else {
                out = putGbk(out, utf8Character(hostName.substr(i, length)), table);
                i += length;
            }
        }
        return out;
    });
}

std::string gbkToHostName(std::string_view gbk) {
    if (isAscii(gbk)) {
        return std::string(gbk);
    }
    const Gb18030Table& table = gb18030Table();
    // A unit of n bytes becomes at most 3n bytes of the name (the euro byte three).
    return writeBounded(gbk.size() * 3, [&](char* out) {
        const auto putCharacter = [&](char32_t character) { out = putUtf8(out, character); };
        const auto putByte = [&](char byte) { *out++ = byte; };
        for (std::size_t i = 0; i < gbk.size();) {
            i += readUnit(gbk, i, table, putCharacter, putByte);
        }
        return out;
    });
}

}  // namespace qh
