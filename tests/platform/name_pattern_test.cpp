#include "platform/name_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/gbk.h"

namespace qh {
namespace {

// The search's keyword in two-byte steps, each followed by "*", between "*" and the mask.
std::string keywordPattern(std::string_view utf8Typed, std::string_view mask) {
    const std::string typed = gbk(utf8Typed);
    std::string pattern = "*";
    for (std::size_t i = 0; i + 1 < typed.size(); i += 2) {
        pattern += typed.substr(i, 2) + "*";
    }
    return pattern + std::string(mask);
}

TEST(NamePattern, StepsThatCutACharacterMatchByteByByte) {
    const struct {
        const char* name;
        std::string pattern;
        const char* fileName;
        bool matches;
    } cases[] = {
        {"cut keyword, whole name", keywordPattern("a月亮", "*.mp3"), "a月亮.mp3", true},
        {"letters without regard to case", keywordPattern("a月亮", "*.mp3"), "A月亮.MP3", true},
        {"inside a longer name", keywordPattern("a月亮", "*.mp3"), "歌a月亮歌.mp3", true},
        {"without the letter", keywordPattern("a月亮", "*.mp3"), "月亮.mp3", false},
        {"other order", keywordPattern("a月亮", "*.mp3"), "a亮月.mp3", false},
        {"other extension", keywordPattern("a月亮", "*.mp3"), "a月亮.wma", false},
        {"letter after the character", keywordPattern("a月b", "*.*"), "a月b.txt", true},
        {"other letter after it", keywordPattern("a月b", "*.*"), "a月c.txt", false},
        {"final dot-star takes a bare name", keywordPattern("a月b", "*.*"), "a月b", true},
        {"whole characters keep matching by character", keywordPattern("月亮", "*.mp3"),
         "0012 月亮代表我的心.mp3", true},
        // 丄 is 81 41: its trail byte is no letter to a pattern of whole characters.
        {"trail byte is no letter", "*a*", "丄.mp3", false},
        {"empty pattern", "", "a", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NamePattern(c.pattern).matches(gbk(c.fileName)), c.matches);
    }
}

TEST(NamePattern, HostNameTestNeverTurnsAMatchAway) {
    const std::vector<std::string> patterns = {gbk("*月*亮**.mp3"),
                                               "*123*.*",
                                               "*.*",
                                               "*",
                                               "?.mp3",
                                               "*MP3",
                                               gbk("*€*"),
                                               gbk("*😀*"),
                                               "a.*",
                                               "*" + hostNameToGbk("\xff") + "*",
                                               gbk("*乗*"),
                                               keywordPattern("a月亮", "*.*"),
                                               "*.",
                                               "a?.b",
                                               "*.m*",
                                               gbk("*月*亮**.*"),
                                               "*"};
    const std::vector<std::string> hostNames = {"月亮.mp3",  "0012 月亮代表我的心.MP3",
                                                "a",         "a.b",
                                                "123.wma",   "€.mp3",
                                                "😀.mp3",     "\xff\xfe.mp3",
                                                "乗.txt",    "月.mp3",
                                                "A.MP3",     "x0123y.rmvb",
                                                "a月亮.mp3", "Dr.月亮",
                                                "a\\b.mp3",  "x\ny.mp3",
                                                "a.mp3.txt", "readme"};
    for (const auto& pattern : patterns) {
        const NamePattern names(pattern);
        for (const auto& hostName : hostNames) {
            SCOPED_TRACE(fromGbk(pattern).toStdString() + " / " + hostName);
            if (names.matches(hostNameToGbk(hostName))) {
                EXPECT_TRUE(names.mayMatchHostName(hostName));
            }
        }
    }
    const NamePattern keyword(gbk("*月*亮**.mp3"));
    EXPECT_FALSE(keyword.mayMatchHostName("稻香.mp3"));
    EXPECT_FALSE(keyword.mayMatchHostName("月.mp3"));
    EXPECT_FALSE(keyword.mayMatchHostName("月亮.wma"));
    EXPECT_FALSE(NamePattern("").mayMatchHostName("a"));
}

}  // namespace
}  // namespace qh
