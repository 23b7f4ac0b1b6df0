#include "text/gb18030_table.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace qh {
namespace {

// One character or code at a time, and a byte-order mark is a character like any other.
constexpr auto kConverterFlags =
    QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

// Every two-byte code, and every four-byte code below the first gap index, is one BMP character
// in GB18030.
char16_t decodeCharacter(QStringDecoder& decoder, QByteArrayView code) {
    const QString character = decoder.decode(code);
    return character.size() == 1 ? character.front().unicode() : u'\uFFFD';
}

}  // namespace

Gb18030Table::Gb18030Table() {
    QStringEncoder encoder("GB18030", kConverterFlags);
    for (char32_t character = 0; character <= 0xFFFF; ++character) {
        if (QChar::isSurrogate(character)) {
            continue;
        }
        const auto unit = static_cast<char16_t>(character);
        const QByteArray bytes = encoder.encode(QStringView(&unit, 1));
        Gb18030Code& code = codes_[character];
        code.size = static_cast<std::uint8_t>(std::min<qsizetype>(bytes.size(), 4));
        std::copy_n(bytes.constData(), code.size, code.bytes.begin());
    }

    QStringDecoder decoder("GB18030", kConverterFlags);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F) {
                const char code[] = {static_cast<char>(lead), static_cast<char>(trail)};
                twoByteCharacters_[twoByteIndex(lead, trail)] =
                    decodeCharacter(decoder, QByteArrayView(code, 2));
            }
        }
    }
    for (std::uint32_t index = 0; index < kBmpFourByteCodes; ++index) {
        const Gb18030Code code = fourByteCode(index);
        fourByteCharacters_[index] = decodeCharacter(decoder, QByteArrayView(code.bytes.data(), 4));
    }
}

const Gb18030Table& gb18030Table() {
    static const Gb18030Table table;
    return table;
}

}  // namespace qh
