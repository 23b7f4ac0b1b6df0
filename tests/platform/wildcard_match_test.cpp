#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/name_pattern.h"
#include "text/gbk.h"

namespace qh {
namespace {

struct WildcardCase {
    const char* name;
    std::string fileName;  // GBK
    std::string pattern;   // GBK
    bool matches;
};

const std::vector<WildcardCase>& wildcardCases() {
    static const std::vector<WildcardCase> cases = {
        {"extension", "a.mp3", "*.mp3", true},
        {"other extension", "a.mp4", "*.mp3", false},
        {"letters without regard to case", "Song.MP3", "*.mp3", true},
        {"pattern in capitals", "song.mp3", "SONG.*", true},
        {"star may be empty", "ab", "ab*", true},
        {"star at both ends", "x-song-y", "*song*", true},
        {"star before a dot takes earlier dots", "a.b.c", "*.c", true},
        {"but never the final one", "a.b.c", "*.b", false},
        {"backtracking to the last star", "mississippi", "m*iss*ppi", true},
        {"no match after backtracking", "mississippi", "m*iss*x", false},
        {"question mark is one character", "a", "?", true},
        {"question mark is not two", "ab", "?", false},
        {"question mark may fill in a character", "abc", "ab?", true},
        {"or nothing at the end of the name", "ab", "ab?", true},
        {"or nothing before a period", "ab.c", "ab?.c", true},
        {"question marks take at most their number", "abcd.txt", "???.txt", false},
        {"question mark never takes a period", "a.b", "a?b", false},
        {"star-dot-star takes a name without a dot", "README", "*.*", true},
        {"star-dot-star takes a dotted name", "a.b", "*.*", true},
        {"final dot-star takes a bare name", "a", "a.*", true},
        {"final dot-star still needs the stem", "ab", "a.*", false},
        {"final dot takes a name without a dot", "readme", "*.", true},
        {"but no extension", "read.me", "*.", false},
        {"star-dot after the stem's dot", "a.mp3.txt", "*.m*", true},
        {"dot before a star inside needs a period", "ab", "a.*b", false},
        {"which the name has", "a.xb", "a.*b", true},
        {"series folder behind a dot", gbk("Dr.月亮"), gbk("*月*亮**.*"), true},
        {"series folder with an extension", gbk("月亮.rmvb"), gbk("*月*亮**.*"), true},
        {"file system's own DOS star", "a.b", "<b", false},
        {"DOS star without a period", "ab", "<b", true},
        {"file system's own DOS question mark", "ab", "ab>", true},
        {"file system's own DOS dot", "a", "a\"", true},
        {"question mark is a whole GBK character", gbk("月"), "?", true},
        {"question mark is not a GBK byte", gbk("月a"), "?a", true},
        {"two GBK characters", gbk("月亮"), "??", true},
        {"four-byte character", gbk("😀.mp3"), "?.mp3", true},
        {"keyword", gbk("0012 月亮代表我的心.mp3"), gbk("*月*亮*"), true},
        {"keyword in the wrong order", gbk("亮了月.mp3"), gbk("*月*亮*"), false},
        {"GBK exact", gbk("歌.mp3"), gbk("歌.MP3"), true},
        // 丄 is 81 41 and 乤 is 81 61: the trail bytes are 'A' and 'a', never folded.
        {"trail bytes are not letters", gbk("丄"), gbk("乤"), false},
        {"a trail byte is not a letter of the pattern", gbk("丄.mp3"), "*a*", false},
        {"nor a capital", gbk("丄.mp3"), "*A*", false},
        // 乗 is 81 5C; a pattern character must not start on its trail byte.
        {"no match inside a character", gbk("乗乗"), gbk("*\\*"), false},
        // Host names holding signs no Windows name can: each is one four-byte code.
        {"question mark takes a code whole", hostNameToGbk("a*b.mp3"), "a?b.mp3", true},
        {"and never part of one", hostNameToGbk("a*b.mp3"), "a??b.mp3", false},
        {"a code is not the sign it stands for", hostNameToGbk("a\\b"), "a\\b", false},
        {"a code of a line break", hostNameToGbk("x\ny.mp3"), "x*y.mp3", true},
    };
    return cases;
}

TEST(WildcardMatch, MatchesAsTheWindowsListingDoes) {
    for (const auto& c : wildcardCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Wildcard(c.pattern).matches(c.fileName), c.matches);
    }
}

// The walk's prepared pattern keeps the same rules, and its test of the raw host name never turns
// away a name that matches.
TEST(WildcardMatch, NamePatternMatchesTheSameAndItsHostTestLetsEveryMatchThrough) {
    for (const auto& c : wildcardCases()) {
        SCOPED_TRACE(c.name);
        const NamePattern names(c.pattern);
        EXPECT_EQ(names.matches(c.fileName), c.matches);
        if (c.matches) {
            EXPECT_TRUE(names.mayMatchHostName(gbkToHostName(c.fileName)));
        }
    }
}

// The views' patterns take every name without being run; spelled so that they must be run, the
// same patterns take the same names.
TEST(WildcardMatch, StarAndStarDotStarTakeEveryNameAsTheirRunSpellingsDo) {
    const std::vector<std::string> names = {"README",
                                            "a.b",
                                            "a.b.c",
                                            ".",
                                            "..",
                                            ".profile",
                                            "trailing.",
                                            gbk("月亮.mp3"),
                                            std::string("\xB0\x2E\x2E", 3),
                                            std::string(300, '.')};
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Wildcard("*.*").matches(name));
        EXPECT_TRUE(Wildcard("*").matches(name));
        EXPECT_TRUE(Wildcard("*.**").matches(name));
        EXPECT_TRUE(Wildcard("**").matches(name));
    }
    EXPECT_FALSE(Wildcard("*.*a").matches("a.b"));
    EXPECT_FALSE(Wildcard("*.").matches("a.b"));
}

// A backtracking matcher that retries every star on failure takes years here.
TEST(WildcardMatch, ManyStarsOnALongNameFinish) {
    const std::string name(20000, 'a');
    EXPECT_FALSE(Wildcard("*a*a*a*a*a*a*a*a*a*a*b").matches(name));
    EXPECT_TRUE(Wildcard("*a*a*a*a*a*a*a*a*a*a*b").matches(name + "b"));
    const std::string gbkName = gbk(std::string(3000, ' ') + "月");
    std::string repeated;
    for (int i = 0; i < 3000; ++i) {
        repeated += "月";
    }
    EXPECT_FALSE(Wildcard(gbk("*月*月*月*月*月*亮*")).matches(gbk(repeated)));
    EXPECT_TRUE(Wildcard(gbk("*?*?*?*月")).matches(gbkName));
    std::string dotted;
    for (int i = 0; i < 10000; ++i) {
        dotted += "a.";
    }
    EXPECT_FALSE(Wildcard("*.*.*.*.*.*.c").matches(dotted + "b"));
    EXPECT_TRUE(Wildcard("*.*.*.*b").matches(dotted + "b"));
}

}  // namespace
}  // namespace qh
