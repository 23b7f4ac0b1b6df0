// The codec is ICU's GB18030 through Qt's converters: identical to GBK for every GBK character
// and able to encode all of Unicode. Two rules keep it in line with code page 936, in which the
// shop's own files were written: the euro sign is the single byte 0x80 both ways (GB18030 would
// write A2 E3, which still reads as the euro sign), and a lone UTF-16 surrogate, which no code
// page holds, is written as "?".
//
// Linux file names are byte strings that are usually, not always, UTF-8. They become GBK text
// and back byte for byte:
//   - each run of valid UTF-8 (strict: no overlong forms, no encoded surrogates, nothing above
//     U+10FFFF) is encoded by the codec;
//   - every other byte b (always 0x80..0xFF) becomes the four-byte code of linear index
//     39420 + b, 84 31 B1 38 .. 84 31 BE 35. Index 39420 is the first code after U+FFFF
//     (84 31 A4 39) in the range GB18030 leaves unassigned before the code of U+10000
//     (90 30 81 30), so no character is ever written as one of these codes.
// The reverse walks the text by GBK structure (a byte below 0x80; lead 81..FE with trail 40..FE
// but not 7F; lead, 30..39, 81..FE, 30..39), turns those codes back into their bytes and decodes
// everything else to UTF-8.
//
// Text that did not come from a file name (a shop's old list, a hand-edited file) may be
// malformed: a lead byte without its trail, 0xFF, a four-byte code GB18030 does not assign. Each
// such byte goes into the file name as it is, the same way an undecodable name byte travels in
// the other direction: distinct texts stay distinct names, nothing is dropped, and converting
// the name back and forth again changes it no more. At the widget boundary these bytes, and the
// name-byte codes, show as U+FFFD.
#include "text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cstdint>

#include "text/byte_text.h"

namespace qh {
namespace {

constexpr char kEuroByte = '\x80';
constexpr char16_t kEuroSign = u'\u20AC';
constexpr std::string_view kEuroSignUtf8 = "\xE2\x82\xAC";
constexpr char kUnencodable = '?';

// Linear indexes of four-byte GB18030 codes.
constexpr std::uint32_t kFirstGapIndex = 39420;             // 84 31 A5 30, right after U+FFFF
constexpr std::uint32_t kFirstSupplementaryIndex = 189000;  // 90 30 81 30, U+10000
constexpr std::uint32_t kLastSupplementaryIndex = kFirstSupplementaryIndex + 0xFFFFF;
constexpr std::uint32_t kFirstNameByteIndex = kFirstGapIndex + 0x80;
constexpr std::uint32_t kLastNameByteIndex = kFirstGapIndex + 0xFF;

// Whole, valid input every time, so no state may carry from one call to the next; a leading
// byte-order mark is a character of the name, not a marker to drop.
constexpr auto kConverterFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

// Creating an ICU converter costs far more than converting a name, and the library walker
// converts from several threads at once: one converter of each kind per thread.
QStringEncoder& gb18030Encoder() {
    thread_local QStringEncoder encoder("GB18030", kConverterFlags);
    return encoder;
}

QStringDecoder& gb18030Decoder() {
    thread_local QStringDecoder decoder("GB18030", kConverterFlags);
    return decoder;
}

QStringEncoder& utf8Encoder() {
    thread_local QStringEncoder encoder(QStringConverter::Utf8, kConverterFlags);
    return encoder;
}

QStringDecoder& utf8Decoder() {
    thread_local QStringDecoder decoder(QStringConverter::Utf8, kConverterFlags);
    return decoder;
}

// Holds one run between its decoding and its encoding, without an allocation per name.
QString& scratchText() {
    thread_local QString text;
    text.truncate(0);
    return text;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

void appendEncoded(std::string& out, QStringView text, QStringEncoder& encoder) {
    if (text.isEmpty()) {
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(encoder.requiredSpace(text.size())));
    const char* end = encoder.appendToBuffer(out.data() + start, text);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

void appendDecoded(QString& out, std::string_view bytes, QStringDecoder& decoder) {
    const qsizetype start = out.size();
    out.resize(start + decoder.requiredSpace(static_cast<qsizetype>(bytes.size())));
    const QChar* end = decoder.appendToBuffer(
        out.data() + start, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    out.truncate(end - out.constData());
}

void appendGbk(std::string& out, QStringView text) {
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        appendEncoded(out, text.sliced(runStart, end - runStart), gb18030Encoder());
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c == kEuroSign || c.isSurrogate()) {
            flushRun(i);
            out += c == kEuroSign ? kEuroByte : kUnencodable;
            runStart = i + 1;
        }
    }
    flushRun(text.size());
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

std::array<char, 4> fourByteCode(std::uint32_t index) {
    std::array<char, 4> code{};
    code[3] = static_cast<char>('0' + index % 10);
    index /= 10;
    code[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    code[1] = static_cast<char>('0' + index % 10);
    index /= 10;
    code[0] = static_cast<char>(0x81 + index);
    return code;
}

std::uint32_t fourByteIndex(std::string_view code) {
    const auto byte = [&](std::size_t k) -> std::uint32_t {
        return static_cast<unsigned char>(code[k]);
    };
    return (((byte(0) - 0x81) * 10 + (byte(1) - '0')) * 126 + (byte(2) - 0x81)) * 10 +
           (byte(3) - '0');
}

enum class UnitKind { Character, EuroByte, NameByte, Malformed };

struct Unit {
    UnitKind kind;
    std::size_t length;
    char byte;  // the name byte of a NameByte, the byte itself of a Malformed
};

Unit unitAt(std::string_view gbk, std::size_t index) {
    const std::size_t length = charLengthAt(gbk, index);
    const char lead = gbk[index];
    if (length == 2 || (length == 1 && static_cast<unsigned char>(lead) < 0x80)) {
        return {UnitKind::Character, length, lead};
    }
    if (length == 1) {
        return {lead == kEuroByte ? UnitKind::EuroByte : UnitKind::Malformed, 1, lead};
    }
    const std::uint32_t codeIndex = fourByteIndex(gbk.substr(index, 4));
    if (codeIndex < kFirstGapIndex ||
        (codeIndex >= kFirstSupplementaryIndex && codeIndex <= kLastSupplementaryIndex)) {
        return {UnitKind::Character, 4, lead};
    }
    if (codeIndex >= kFirstNameByteIndex && codeIndex <= kLastNameByteIndex) {
        return {UnitKind::NameByte, 4, static_cast<char>(codeIndex - kFirstGapIndex)};
    }
    return {UnitKind::Malformed, 1, lead};
}

// Hands each stretch the GB18030 decoder can take as it is to `onRun`, and each unit it must
// not see to `onUnit`, in order.
template <typename OnRun, typename OnUnit>
void forEachPiece(std::string_view gbk, OnRun onRun, OnUnit onUnit) {
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < gbk.size()) {
        const Unit unit = unitAt(gbk, i);
        if (unit.kind != UnitKind::Character) {
            if (runStart < i) {
                onRun(gbk.substr(runStart, i - runStart));
            }
            onUnit(unit);
            runStart = i + unit.length;
        }
        i += unit.length;
    }
    if (runStart < gbk.size()) {
        onRun(gbk.substr(runStart));
    }
}

}  // namespace

std::string toGbk(QStringView text) {
    std::string gbk;
    appendGbk(gbk, text);
    return gbk;
}

QString fromGbk(std::string_view gbk) {
    if (isAscii(gbk)) {
        return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
    }
    QString text;
    forEachPiece(
        gbk, [&](std::string_view run) { appendDecoded(text, run, gb18030Decoder()); },
        [&](const Unit& unit) {
            text += unit.kind == UnitKind::EuroByte ? QChar(kEuroSign)
                                                    : QChar(QChar::ReplacementCharacter);
        });
    return text;
}

std::string gbk(std::string_view utf8Literal) {
    return toGbk(QString::fromUtf8(utf8Literal.data(), static_cast<qsizetype>(utf8Literal.size())));
}

std::string hostNameToGbk(std::string_view hostName) {
    // Most names are ASCII, which is the same in both forms.
    if (isAscii(hostName)) {
        return std::string(hostName);
    }
    std::string gbk;
    gbk.reserve(hostName.size() * 2);
    std::size_t runStart = 0;
    const auto flushRun = [&](std::size_t end) {
        if (runStart < end) {
            QString& run = scratchText();
            appendDecoded(run, hostName.substr(runStart, end - runStart), utf8Decoder());
            appendGbk(gbk, run);
        }
    };
    std::size_t i = 0;
    while (i < hostName.size()) {
        if (const std::size_t length = utf8SequenceLength(hostName, i)) {
            i += length;
            continue;
        }
        flushRun(i);
        const auto byte = static_cast<unsigned char>(hostName[i]);
        const std::array<char, 4> code = fourByteCode(kFirstGapIndex + byte);
        gbk.append(code.data(), code.size());
        runStart = ++i;
    }
    flushRun(hostName.size());
    return gbk;
}

std::string gbkToHostName(std::string_view gbk) {
    if (isAscii(gbk)) {
        return std::string(gbk);
    }
    std::string name;
    name.reserve(gbk.size() * 2);
    forEachPiece(
        gbk,
        [&](std::string_view run) {
            QString& decoded = scratchText();
            appendDecoded(decoded, run, gb18030Decoder());
            appendEncoded(name, decoded, utf8Encoder());
        },
        [&](const Unit& unit) {
            if (unit.kind == UnitKind::EuroByte) {
                name += kEuroSignUtf8;
            } else {
                name += unit.byte;
            }
        });
    return name;
}

}  // namespace qh
