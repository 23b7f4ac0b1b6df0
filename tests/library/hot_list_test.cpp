#include "library/hot_list.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

using Lines = std::vector<std::string>;

TEST(HotList, CountingRaisesTheLineOrAddsOne) {
    const struct {
        const char* name;
        Lines before;
        const char* path;
        Lines after;
    } cases[] = {
        {"first download of all", {}, "X:\\a.mp3", {"001C,X:\\a.mp3"}},
        {"raised keeps the rest of the line", {"009C,X:\\a.mp3"}, "X:\\a.mp3", {"010C,X:\\a.mp3"}},
        {"new path beside others",
         {"002C,X:\\b.mp3"},
         "X:\\a.mp3",
         {"001C,X:\\a.mp3", "002C,X:\\b.mp3"}},
        {"a longer path holding it is another file",
         {"001C,X:\\a.mp3.bak", "005C,X:\\a.mp3"},
         "X:\\a.mp3",
         {"001C,X:\\a.mp3.bak", "006C,X:\\a.mp3"}},
        {"999 becomes 1000", {"999C,X:\\a.mp3"}, "X:\\a.mp3", {"1000C,X:\\a.mp3"}},
        {"older separator is read", {"1,000C,X:\\a.mp3"}, "X:\\a.mp3", {"1001C,X:\\a.mp3"}},
        {"line without C is passed over and kept",
         {"X:\\a.mp3"},
         "X:\\a.mp3",
         {"X:\\a.mp3", "001C,X:\\a.mp3"}},
        {"count that is no number restarts at 1",
         {"abcC,X:\\a.mp3"},
         "X:\\a.mp3",
         {"001C,X:\\a.mp3"}},
        {"no current file counts nothing", {"001C,X:\\a.mp3"}, "", {"001C,X:\\a.mp3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HotList list;
        list.assign(c.before);
        list.count(c.path);
        EXPECT_EQ(list.lines(), c.after);
    }
}

TEST(HotList, StaysInAscendingOrderAsCountsGrow) {
    HotList list;
    list.assign({"003C,c", "001C,b", "001C,a"});
    EXPECT_EQ(list.lines(), (Lines{"001C,a", "001C,b", "003C,c"}));

    list.assign({"001C,a", "002C,b"});
    list.count("a");
    list.count("a");
    EXPECT_EQ(list.lines(), (Lines{"002C,b", "003C,a"}));
}

TEST(HotList, CountsFromAThousandRankAboveNineHundredNinetyNine) {
    HotList list;
    list.assign({"999C,b", "1000C,a", "998C,c", "12000C,d"});
    EXPECT_EQ(list.lines(), (Lines{"998C,c", "999C,b", "1000C,a", "12000C,d"}));
    list.count("b");
    EXPECT_EQ(list.lines().back(), "12000C,d");
    EXPECT_EQ(list.lines()[1], "1000C,a");
    EXPECT_EQ(list.lines()[2], "1000C,b");
}

TEST(HotList, EqualCountsOrderByPathWithoutRegardToCase) {
    HotList list;
    list.assign({"001C,b.mp3", "001C,A.mp3", "001C,a.mp2"});
    EXPECT_EQ(list.lines(), (Lines{"001C,a.mp2", "001C,A.mp3", "001C,b.mp3"}));
    // A letter after a Chinese character's first byte is part of it and keeps its case:
    // "\xD7a" and "\xD7C" order by their bytes, after "\xD7C" and "\xD7c".
    list.assign(
        {"001C,\xD7"
         "a.mp3",
         "001C,\xD7"
         "C.mp3",
         "001C,\xD7"
         "c.mp3"});
    EXPECT_EQ(list.lines(), (Lines{"001C,\xD7"
                                   "C.mp3",
                                   "001C,\xD7"
                                   "a.mp3",
                                   "001C,\xD7"
                                   "c.mp3"}));
}

TEST(HotLineParts, TheNameTakesEverythingUpToTheFirstCommaAfterC) {
    const struct {
        const char* line;
        const char* prefix;
        const char* path;
    } cases[] = {
        {"012C,F:\\a.mp3", "012C,", "F:\\a.mp3"},
        {"001C,F:\\C,D\\b.mp3", "001C,", "F:\\C,D\\b.mp3"},
        {"1,000C,F:\\c.mp3", "1,000C,", "F:\\c.mp3"},
        {"xyzC,F:\\d.mp3", "xyzC,", "F:\\d.mp3"},
        {"1C2C,e", "1C2C,", "e"},
        {"F:\\no count.mp3", "", "F:\\no count.mp3"},
        {"001C,", "001C,", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto parts = splitHotLine(c.line);
        EXPECT_EQ(parts.prefix, c.prefix);
        EXPECT_EQ(parts.path, c.path);
    }
}

TEST(HotCountText, HasThreeDigitsBelowAThousand) {
    EXPECT_EQ(formatHotCount(1), "001");
    EXPECT_EQ(formatHotCount(12), "012");
    EXPECT_EQ(formatHotCount(999), "999");
    EXPECT_EQ(formatHotCount(1000), "1000");
    EXPECT_EQ(hotLineCount("012C,F:\\a.mp3"), 12);
    EXPECT_EQ(hotLineCount("C,F:\\a.mp3"), std::nullopt);
    EXPECT_EQ(hotLineCount("F:\\a.mp3"), std::nullopt);
    EXPECT_EQ(hotLineCount("99999999999999999999999C,x"), std::nullopt);
}

}  // namespace
}  // namespace qh
