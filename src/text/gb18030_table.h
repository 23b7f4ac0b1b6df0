#pragma once
// GB18030 as lookup tables, read once from the platform's ICU converter: a lookup costs a few
// nanoseconds where a call into ICU costs hundreds, and the results stay exactly ICU's, whichever
// edition of the mapping it carries.
#include <array>
#include <cstddef>
#include <cstdint>

namespace qh {

// The first `size` bytes are the code of one character.
struct Gb18030Code {
    std::array<char, 4> bytes;
    std::uint8_t size;
};

// Four-byte codes counted in order from 81 30 81 30: bytes 81..FE, 30..39, 81..FE, 30..39.
constexpr Gb18030Code fourByteCode(std::uint32_t index) {
    Gb18030Code code{{}, 4};
    code.bytes[3] = static_cast<char>('0' + index % 10);
    index /= 10;
    code.bytes[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    code.bytes[1] = static_cast<char>('0' + index % 10);
    index /= 10;
    code.bytes[0] = static_cast<char>(0x81 + index);
    return code;
}

// Index of the four-byte code at the start of `code`, which must be one.
constexpr std::uint32_t fourByteIndex(const char* code) {
    const auto byte = [&](std::size_t k) -> std::uint32_t {
        return static_cast<unsigned char>(code[k]);
    };
    return (((byte(0) - 0x81) * 10 + (byte(1) - '0')) * 126 + (byte(2) - 0x81)) * 10 +
           (byte(3) - '0');
}

class Gb18030Table {
public:
    // 81 30 81 30 .. 84 31 A4 39: the characters of the BMP that have no two-byte code.
    static constexpr std::uint32_t kBmpFourByteCodes = 39420;

    Gb18030Table();

    // `character` is in the BMP and not a surrogate.
    const Gb18030Code& code(char16_t character) const { return codes_[character]; }

    // Lead 81..FE, trail 40..FE but not 7F.
    char16_t twoByteCharacter(unsigned char lead, unsigned char trail) const {
        return twoByteCharacters_[twoByteIndex(lead, trail)];
    }

    // `index` is below kBmpFourByteCodes.
    char16_t fourByteCharacter(std::uint32_t index) const { return fourByteCharacters_[index]; }

private:
    static constexpr std::size_t kTrails = 190;

    static std::size_t twoByteIndex(unsigned char lead, unsigned char trail) {
        return (lead - 0x81) * kTrails + trail - (trail < 0x7F ? 0x40 : 0x41);
    }

    std::array<Gb18030Code, 0x10000> codes_{};
    std::array<char16_t, 126 * kTrails> twoByteCharacters_{};
    std::array<char16_t, kBmpFourByteCodes> fourByteCharacters_{};
};

// Built on first use; safe from any thread.
const Gb18030Table& gb18030Table();

}  // namespace qh
