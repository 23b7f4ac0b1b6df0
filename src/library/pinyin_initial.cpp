#include "library/pinyin_initial.h"

#include <array>

namespace qh {
namespace {

constexpr unsigned kFirstRow = 0xB0;
constexpr unsigned kLastRow = 0xD7;
constexpr unsigned kFirstCell = 0xA1;
constexpr unsigned kLastCell = 0xFE;

struct InitialRange {
    char letter;
    unsigned first;
    unsigned last;
};

// The first-level characters, rows 0xB0..0xD7, without a gap. 0xB2CE (参, also read shen) sits
// inside C and has a range of its own; Z runs to the end of row 0xD7. No pinyin syllable starts
// with I, U or V, so those letters have no range.
constexpr std::array<InitialRange, 25> kRanges{{
    {'A', 0xB0A1, 0xB0C4}, {'B', 0xB0C5, 0xB2C0}, {'C', 0xB2C1, 0xB2CD}, {'S', 0xB2CE, 0xB2CE},
    {'C', 0xB2CF, 0xB4ED}, {'D', 0xB4EE, 0xB6E9}, {'E', 0xB6EA, 0xB7A1}, {'F', 0xB7A2, 0xB8C0},
    {'G', 0xB8C1, 0xB9FD}, {'H', 0xB9FE, 0xBBF6}, {'J', 0xBBF7, 0xBFA5}, {'K', 0xBFA6, 0xC0AB},
    {'L', 0xC0AC, 0xC2E7}, {'M', 0xC2E8, 0xC4C2}, {'N', 0xC4C3, 0xC5B5}, {'O', 0xC5B6, 0xC5BD},
    {'P', 0xC5BE, 0xC6D9}, {'Q', 0xC6DA, 0xC8BA}, {'R', 0xC8BB, 0xC8F5}, {'S', 0xC8F6, 0xCBF9},
    {'T', 0xCBFA, 0xCDD9}, {'W', 0xCDDA, 0xCEF3}, {'X', 0xCEF4, 0xD1B8}, {'Y', 0xD1B9, 0xD4D0},
    {'Z', 0xD4D1, 0xD7FE},
}};

// The code after `code` among the first-level cells (second bytes 0xA1..0xFE only).
constexpr unsigned nextCell(unsigned code) {
    return (code & 0xFF) == kLastCell ? (code & 0xFF00) + 0x100 + kFirstCell : code + 1;
}

constexpr bool rangesCoverTheRowsWithoutAGap() {
    unsigned expected = kFirstRow * 0x100 + kFirstCell;
    for (const auto& range : kRanges) {
        if (range.first != expected || range.last < range.first) {
            return false;
        }
        expected = nextCell(range.last);
    }
    return expected == nextCell(kLastRow * 0x100 + kLastCell);
}
static_assert(rangesCoverTheRowsWithoutAGap());

constexpr char letterOfCode(unsigned code) {
    for (const auto& range : kRanges) {
        if (code <= range.last) {
            return code >= range.first ? range.letter : 0;
        }
    }
    return 0;
}

// A second byte outside the cells still has a letter when its whole row lies in one range: the
// row's letter is the same whatever the second byte is.
constexpr std::array<char, kLastRow - kFirstRow + 1> kWholeRowLetters = [] {
    std::array<char, kLastRow - kFirstRow + 1> letters{};
    for (unsigned row = kFirstRow; row <= kLastRow; ++row) {
        const unsigned start = row * 0x100 + kFirstCell;
        const unsigned end = row * 0x100 + kLastCell;
        for (const auto& range : kRanges) {
            if (range.first <= start && end <= range.last) {
                letters[row - kFirstRow] = range.letter;
            }
        }
    }
    return letters;
}();

}  // namespace

char PinyinInitial(unsigned char first, unsigned char second) {
    if (first < kFirstRow || first > kLastRow) {
        return 0;
    }
    if (second < kFirstCell || second > kLastCell) {
        return kWholeRowLetters[first - kFirstRow];
    }
    return letterOfCode(first * 0x100u + second);
}

std::string PinyinInitialString(std::string_view text) {
    std::string initials;
    std::size_t i = 0;
    // Steps by bytes, not by GBK characters: a lead byte below 0xA0 is copied alone and its
    // trail byte may pair with the byte after it. The letters typed must meet the initials the
    // shop's singer lists have always given, so this stays as it is.
    while (i + 1 < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0xA0) {
            if (const char letter = PinyinInitial(byte, static_cast<unsigned char>(text[i + 1]))) {
                initials += letter;
            }
            i += 2;
        } else {
            initials += text[i];
            i += 1;
        }
    }
    if (i < text.size()) {
        initials += text[i];
    }
    return initials;
}

}  // namespace qh
