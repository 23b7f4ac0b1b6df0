#include "library/pinyin_initial.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "text/gbk.h"
#include "text/test_bytes.h"

namespace qh {
namespace {

std::string hex(unsigned first, unsigned second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X", first, second);
    return text;
}

TEST(PinyinInitial, EachRangeFromItsFirstCodeToItsLast) {
    const struct {
        char letter;
        unsigned first;
        unsigned last;
    } ranges[] = {
        {'A', 0xB0A1, 0xB0C4}, {'B', 0xB0C5, 0xB2C0}, {'C', 0xB2C1, 0xB2CD}, {'S', 0xB2CE, 0xB2CE},
        {'C', 0xB2CF, 0xB4ED}, {'D', 0xB4EE, 0xB6E9}, {'E', 0xB6EA, 0xB7A1}, {'F', 0xB7A2, 0xB8C0},
        {'G', 0xB8C1, 0xB9FD}, {'H', 0xB9FE, 0xBBF6}, {'J', 0xBBF7, 0xBFA5}, {'K', 0xBFA6, 0xC0AB},
        {'L', 0xC0AC, 0xC2E7}, {'M', 0xC2E8, 0xC4C2}, {'N', 0xC4C3, 0xC5B5}, {'O', 0xC5B6, 0xC5BD},
        {'P', 0xC5BE, 0xC6D9}, {'Q', 0xC6DA, 0xC8BA}, {'R', 0xC8BB, 0xC8F5}, {'S', 0xC8F6, 0xCBF9},
        {'T', 0xCBFA, 0xCDD9}, {'W', 0xCDDA, 0xCEF3}, {'X', 0xCEF4, 0xD1B8}, {'Y', 0xD1B9, 0xD4D0},
        {'Z', 0xD4D1, 0xD7FE},
    };
    for (const auto& range : ranges) {
        for (const unsigned code : {range.first, range.last}) {
            SCOPED_TRACE(hex(code >> 8, code & 0xFF));
            EXPECT_EQ(PinyinInitial(code >> 8, code & 0xFF), range.letter);
        }
    }
}

TEST(PinyinInitial, ShenInsideCIsS) {
    EXPECT_EQ(PinyinInitial(0xB2, 0xCD), 'C');
    EXPECT_EQ(PinyinInitial(0xB2, 0xCE), 'S');
    EXPECT_EQ(PinyinInitial(0xB2, 0xCF), 'C');
    EXPECT_EQ(PinyinInitialString(gbk("参")), "S");
}

// Every pair of bytes: first-level codes all have a letter, no letter is I, U or V, and no
// first byte outside the first-level rows has one.
TEST(PinyinInitial, EveryFirstLevelCodeHasALetterAndNoOtherRowHasOne) {
    for (unsigned first = 0; first <= 0xFF; ++first) {
        for (unsigned second = 0; second <= 0xFF; ++second) {
            const char letter = PinyinInitial(first, second);
            const bool firstLevelRow = first >= 0xB0 && first <= 0xD7;
            const bool cell = second >= 0xA1 && second <= 0xFE;
            if (!firstLevelRow) {
                ASSERT_EQ(letter, 0) << hex(first, second);
            } else if (cell) {
                ASSERT_TRUE(letter >= 'A' && letter <= 'Z') << hex(first, second);
            }
            ASSERT_TRUE(letter != 'I' && letter != 'U' && letter != 'V') << hex(first, second);
        }
    }
}

// A second byte outside the cells gives the row's letter only when one range holds the row.
TEST(PinyinInitial, SecondByteOutsideTheCellsGivesTheLetterOfAWholeRow) {
    const struct {
        unsigned first;
        unsigned last;
        char letter;
    } wholeRows[] = {
        {0xB1, 0xB1, 'B'}, {0xB3, 0xB3, 'C'}, {0xB5, 0xB5, 'D'}, {0xBA, 0xBA, 'H'},
        {0xBC, 0xBE, 'J'}, {0xC1, 0xC1, 'L'}, {0xC3, 0xC3, 'M'}, {0xC7, 0xC7, 'Q'},
        {0xC9, 0xCA, 'S'}, {0xCC, 0xCC, 'T'}, {0xCF, 0xD0, 'X'}, {0xD2, 0xD3, 'Y'},
        {0xD5, 0xD7, 'Z'},
    };
    std::vector<unsigned> outsideTheCells;
    for (unsigned second = 0x00; second <= 0xA0; ++second) {
        outsideTheCells.push_back(second);
    }
    outsideTheCells.push_back(0xFF);
    for (unsigned row = 0xB0; row <= 0xD7; ++row) {
        char expected = 0;
        for (const auto& whole : wholeRows) {
            if (row >= whole.first && row <= whole.last) {
                expected = whole.letter;
            }
        }
        for (const unsigned second : outsideTheCells) {
            ASSERT_EQ(PinyinInitial(row, second), expected) << hex(row, second);
        }
    }
}

TEST(PinyinInitialString, LettersOfTheCharactersAndOtherBytesAsTheyAre) {
    const struct {
        const char* name;
        std::string text;
        std::string initials;
    } cases[] = {
        {"Chinese name", gbk("刘德华"), "LDH"},
        {"ASCII passes in its own case", "S.H.E", "S.H.E"},
        {"digits pass", "F4", "F4"},
        {"Chinese then ASCII", gbk("张学友ABC"), "ZXYABC"},
        {"lower case stays lower", gbk("a张b"), "aZb"},
        {"empty", "", ""},
        {"one ASCII byte", "a", "a"},
        {"one byte of 0xA0 and above", bytes({0xB0}), bytes({0xB0})},
        {"lone last byte after a character", gbk("刘") + bytes({0xC1}), bytes({'L', 0xC1})},
        // Were only one byte consumed, 0xC1 would pair with 'B' and give L.
        {"full-width letter gives nothing", gbk("ＡB"), "B"},
        {"second-level character gives nothing", gbk("亍B"), "B"},
        {"0xA0 lead pairs and gives nothing", bytes({0xA0, 'A', 'B'}), "B"},
        {"0xFF lead pairs and gives nothing", bytes({0xFF, 0xB0, 0xA1}), bytes({0xA1})},
        {"lead below 0xA0 is copied alone, its trail pairs on", bytes({0x81, 0xB0, 0xA1}),
         bytes({0x81, 'A'})},
        {"NUL and control bytes pass", bytes({0x00, 0x09, 0xB0, 0xA1}), bytes({0x00, 0x09, 'A'})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PinyinInitialString(c.text), c.initials);
    }
}

}  // namespace
}  // namespace qh
