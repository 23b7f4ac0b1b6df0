#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/gbk.h"

namespace qh {
namespace {

struct WildcardCase {
    const char* name;
    std::string fileName;  // GBK
    std::string pattern;   // GBK
    bool matches;
};

TEST(WildcardMatch, MatchesAsTheWindowsListingDoes) {
    const std::vector<WildcardCase> cases = {
        {"extension", "a.mp3", "*.mp3", true},
        {"other extension", "a.mp4", "*.mp3", false},
        {"letters without regard to case", "Song.MP3", "*.mp3", true},
        {"pattern in capitals", "song.mp3", "SONG.*", true},
        {"star may be empty", "ab", "ab*", true},
        {"star at both ends", "x-song-y", "*song*", true},
        {"dots before the extension", "a.b.c", "*.c", true},
        {"backtracking to the last star", "mississippi", "m*iss*ppi", true},
        {"no match after backtracking", "mississippi", "m*iss*x", false},
        {"question mark is one character", "a", "?", true},
        {"question mark is not two", "ab", "?", false},
        {"question mark is not zero", "ab", "ab?", false},
        {"star-dot-star takes a name without a dot", "README", "*.*", true},
        {"star-dot-star takes a dotted name", "a.b", "*.*", true},
        {"final dot-star takes a bare name", "a", "a.*", true},
        {"final dot-star still needs the stem", "ab", "a.*", false},
        {"dot-star inside is literal", "ab", "a.*b", false},
        {"question mark is a whole GBK character", gbk("月"), "?", true},
        {"question mark is not a GBK byte", gbk("月"), "??", false},
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(matchesWildcard(c.fileName, c.pattern), c.matches);
    }
}

// A backtracking matcher that retries every star on failure takes years here.
TEST(WildcardMatch, ManyStarsOnALongNameFinish) {
    const std::string name(20000, 'a');
    EXPECT_FALSE(matchesWildcard(name, "*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(matchesWildcard(name + "b", "*a*a*a*a*a*a*a*a*a*a*b"));
    const std::string gbkName = gbk(std::string(3000, ' ') + "月");
    std::string repeated;
    for (int i = 0; i < 3000; ++i) {
        repeated += "月";
    }
    EXPECT_FALSE(matchesWildcard(gbk(repeated), gbk("*月*月*月*月*月*亮*")));
    EXPECT_TRUE(matchesWildcard(gbkName, gbk("*?*?*?*月")));
}

}  // namespace
}  // namespace qh
