#include "library/singer_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "library/pinyin_initial.h"
#include "text/gbk.h"
#include "text/test_bytes.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using Lines = std::vector<std::string>;

// The grid's twelve cells in the order they fill: down column 0, then down column 1, ...
Lines page(const SingerIndex& index) {
    Lines cells;
    for (int column = 0; column < kSingerGridColumns; ++column) {
        for (int row = 0; row < kSingerGridRows; ++row) {
            cells.push_back(index.cell(column, row));
        }
    }
    return cells;
}

// "S01", "S02", ...: already in sorted order, so the shown list is the file's.
Lines numberedSingers(int count) {
    Lines names;
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "S%02d", i);
        names.emplace_back(name);
    }
    return names;
}

// The page that starts at the shown singer `first`, with empty cells past the list's end.
Lines pageFrom(const Lines& shown, std::size_t first) {
    Lines cells(kSingerPageSize);
    for (std::size_t i = 0; i < cells.size() && first + i < shown.size(); ++i) {
        cells[i] = shown[first + i];
    }
    return cells;
}

const Lines kEmptyPage(kSingerPageSize);

TEST(SingerIndex, PagingWithoutASingerFileStaysEmptyAndInsideTheList) {
    SingerIndex index;
    EXPECT_TRUE(index.shown().empty());
    EXPECT_EQ(index.cursor(), 0);
    EXPECT_EQ(page(index), kEmptyPage);

    // Lowering the cursor by a page from 0 would point before the list's first singer; it stays
    // at the list's start, as after loading an empty file.
    index.nextPage();
    EXPECT_EQ(page(index), kEmptyPage);
    EXPECT_EQ(index.cursor(), 12);
    index.previousPage();
    index.nextPage();
    index.nextPage();
    EXPECT_EQ(page(index), kEmptyPage);
    EXPECT_EQ(index.cursor(), 12);

    index.filter("A");
    EXPECT_EQ(page(index), kEmptyPage);

    index.load(numberedSingers(13));
    EXPECT_EQ(page(index), pageFrom(index.shown(), 0));
}

TEST(SingerIndex, PageFillsDownEachColumnThenAcross) {
    SingerIndex index;
    index.load({"e", "a", "d", "c", "b"});
    EXPECT_EQ(index.cell(0, 0), "a");
    EXPECT_EQ(index.cell(0, 1), "b");
    EXPECT_EQ(index.cell(0, 2), "c");
    EXPECT_EQ(index.cell(1, 0), "d");
    EXPECT_EQ(index.cell(1, 1), "e");
    EXPECT_EQ(index.cell(1, 2), "");
    EXPECT_EQ(index.cell(3, 2), "");
    EXPECT_EQ(index.cell(4, 0), "");
    EXPECT_EQ(index.cell(0, 3), "");
    EXPECT_EQ(index.cell(-1, 0), "");
}

TEST(SingerIndex, ThirteenSingersPageToTheThirteenthAloneAndBack) {
    SingerIndex index;
    index.load(numberedSingers(13));
    const Lines firstPage = pageFrom(index.shown(), 0);
    Lines lastPage = kEmptyPage;
    lastPage[0] = "S13";
    EXPECT_EQ(page(index), firstPage);
    EXPECT_EQ(index.cursor(), 12);

    index.nextPage();
    EXPECT_EQ(page(index), lastPage);
    index.nextPage();
    EXPECT_EQ(page(index), lastPage);
    EXPECT_EQ(index.cursor(), 24);

    index.previousPage();
    EXPECT_EQ(page(index), firstPage);
    index.previousPage();
    EXPECT_EQ(page(index), firstPage);
    EXPECT_EQ(index.cursor(), 12);
}

TEST(SingerIndex, PagingStopsAtTheLastPageAndAtTheFirst) {
    SingerIndex index;
    index.load(numberedSingers(25));
    const struct {
        const char* step;
        void (SingerIndex::*press)();
        std::size_t pageStart;
    } steps[] = {
        {"next to the second page", &SingerIndex::nextPage, 12},
        {"next to the last page", &SingerIndex::nextPage, 24},
        {"next stays on the last page", &SingerIndex::nextPage, 24},
        {"previous to the second page", &SingerIndex::previousPage, 12},
        {"previous to the first page", &SingerIndex::previousPage, 0},
        {"previous stays on the first page", &SingerIndex::previousPage, 0},
        {"next again", &SingerIndex::nextPage, 12},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        (index.*step.press)();
        EXPECT_EQ(page(index), pageFrom(index.shown(), step.pageStart));
        EXPECT_EQ(index.cursor(), static_cast<int>(step.pageStart) + kSingerPageSize);
    }
}

TEST(SingerIndex, TwelveOrFewerSingersStayOnTheFirstPage) {
    for (const int count : {0, 1, 12}) {
        SCOPED_TRACE(count);
        SingerIndex index;
        index.load(numberedSingers(count));
        const Lines firstPage = pageFrom(index.shown(), 0);
        index.nextPage();
        EXPECT_EQ(page(index), firstPage);
        index.previousPage();
        EXPECT_EQ(page(index), firstPage);
        index.nextPage();
        index.nextPage();
        EXPECT_EQ(page(index), firstPage);
        EXPECT_EQ(index.cursor(), 12);
    }
}

TEST(SingerIndex, LoadShowsEveryLineSortedWithBlanksFirst) {
    SingerIndex index;
    index.load({gbk("张学友"), "abd", "ABC", "", gbk("刘德华"), gbk(" 陈奕迅 "), "", "Abc", "F4",
                gbk("陈奕迅")});
    const Lines sorted{"",    "",   gbk(" 陈奕迅 "), "ABC",         "Abc",
                       "abd", "F4", gbk("陈奕迅"),   gbk("刘德华"), gbk("张学友")};
    EXPECT_EQ(index.shown(), sorted);
    EXPECT_EQ(page(index), pageFrom(sorted, 0));
    EXPECT_EQ(index.cursor(), 12);
}

TEST(SingerIndex, FilterKeepsTheLinesWhoseInitialsBeginWithTheLetters) {
    SingerIndex index;
    index.load({gbk("张学友"), gbk("刘德华"), gbk("黎明"), gbk("刘若英"), gbk("郭富城"), "S.H.E",
                "F4", gbk("  刘德华\t"), "", "   ", gbk("张学友ABC")});
    const struct {
        const char* letters;
        Lines shown;
    } cases[] = {
        {"L", {gbk("  刘德华\t"), gbk("黎明"), gbk("刘德华"), gbk("刘若英")}},
        {"LD", {gbk("  刘德华\t"), gbk("刘德华")}},
        {"LDH", {gbk("  刘德华\t"), gbk("刘德华")}},
        {"LDHX", {}},
        {"l", {}},
        {"ldh", {}},
        {"S.H", {"S.H.E"}},
        {"F4", {"F4"}},
        {"ZXYA", {gbk("张学友ABC")}},
        {"ZXY", {gbk("张学友"), gbk("张学友ABC")}},
        {"", {}},
        {" ", {}},
        {"G", {gbk("郭富城")}},
    };
    // One index throughout: each filter starts again from the whole file, not from the last
    // filter's list, and clearing the box does not lose the names.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letters);
        index.filter(c.letters);
        EXPECT_EQ(index.shown(), c.shown);
        EXPECT_EQ(page(index), pageFrom(c.shown, 0));
        EXPECT_EQ(index.cursor(), 12);
    }
}

TEST(SingerIndex, FilterGoesBackToTheFirstPage) {
    SingerIndex index;
    Lines names = numberedSingers(30);
    index.load(names);
    index.nextPage();
    index.nextPage();
    index.filter("S");
    EXPECT_EQ(page(index), pageFrom(names, 0));
    index.nextPage();
    EXPECT_EQ(page(index), pageFrom(names, 12));
}

TEST(SingerComesBefore, FoldsAsciiCaseAndOrdersBytesUnsigned) {
    const struct {
        const char* name;
        std::string left;
        std::string right;
    } cases[] = {
        {"case is folded", "abc", "ABD"},
        {"folded to lower case, so '[' before 'a'", "[", "A"},
        {"a before Z", "a", "Z"},
        {"equal but for case: plain bytes decide", "ABC", "abc"},
        {"empty first", "", " "},
        {"blank before a letter", " ", "a"},
        {"ASCII before Chinese", "z", gbk("陈")},
        {"Chinese by pinyin", gbk("陈奕迅"), gbk("刘德华")},
        {"Chinese by pinyin further on", gbk("刘德华"), gbk("刘若英")},
        {"a shorter name first", gbk("张学友"), gbk("张学友ABC")},
        {"a trail byte is no letter", bytes({0x81, 0x41, 'b'}), bytes({0x81, 0x61, 'a'})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(singerComesBefore(c.left, c.right));
        EXPECT_FALSE(singerComesBefore(c.right, c.left));
        EXPECT_FALSE(singerComesBefore(c.left, c.left));
    }
}

// A large singer file with every kind of odd line: a 1 MB name, NUL bytes, bytes that are no
// GBK, a lone lead byte at the end.
TEST(SingerIndex, ALargeSingerFileWithOddLinesLoadsFiltersAndPages) {
    Lines names;
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < 100'000; ++i) {
        std::string name;
        const int characters = 1 + static_cast<int>(next() % 4);
        for (int c = 0; c < characters; ++c) {
            name += static_cast<char>(0xB0 + next() % 40);
            name += static_cast<char>(0xA1 + next() % 94);
        }
        if (i % 1000 == 0) {
            name.insert(name.begin() + 2, '\0');
        }
        if (i % 777 == 0) {
            name += bytes({0xFF, 0x80, 0x7F, 0xC1});
        }
        names.push_back(std::move(name));
    }
    std::string huge;
    for (int i = 0; i < 512 * 1024; ++i) {
        huge += gbk("啊");
    }
    names[54321] = huge;

    SingerIndex index;
    index.load(names);
    ASSERT_EQ(index.shown().size(), names.size());
    EXPECT_TRUE(std::is_sorted(index.shown().begin(), index.shown().end(),
                               [](const std::string& left, const std::string& right) {
                                   return singerComesBefore(left, right);
                               }));

    int pages = 1;
    for (int before = index.cursor(); index.nextPage(), index.cursor() != before;
         before = index.cursor()) {
        ++pages;
    }
    EXPECT_EQ(pages, (100'000 + kSingerPageSize - 1) / kSingerPageSize);
    EXPECT_EQ(page(index), pageFrom(index.shown(), 99'996));

    // No generated name has more than four characters (and so letters) in its initials.
    index.filter("AAAAA");
    EXPECT_EQ(index.shown(), Lines{huge});
    EXPECT_EQ(index.cell(0, 0), huge);

    index.filter("Z");
    ASSERT_FALSE(index.shown().empty());
    for (const auto& name : index.shown()) {
        ASSERT_TRUE(PinyinInitialString(name).starts_with("Z"));
    }
    index.nextPage();
    index.previousPage();
    EXPECT_EQ(page(index), pageFrom(index.shown(), 0));
}

TEST(SingerIndex, EveryKindOfLineBreakGivesTheSameSingers) {
    const struct {
        const char* name;
        std::string content;
    } files[] = {
        {"CR LF", gbk("张学友\r\n\r\nF4\r\n刘德华\r\n")},
        {"lone CR", gbk("张学友\r\rF4\r刘德华\r")},
        {"lone LF", gbk("张学友\n\nF4\n刘德华\n")},
        {"no final break", gbk("张学友\r\n\r\nF4\r\n刘德华")},
    };
    const Lines sorted{"", "F4", gbk("刘德华"), gbk("张学友")};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        SingerIndex index;
        index.load(splitTextLines(file.content));
        EXPECT_EQ(index.shown(), sorted);
        index.filter("LDH");
        EXPECT_EQ(index.shown(), Lines{gbk("刘德华")});
    }
}

}  // namespace
}  // namespace qh
