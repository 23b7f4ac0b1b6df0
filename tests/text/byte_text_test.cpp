#include "text/byte_text.h"

#include <gtest/gtest.h>

#include "test_bytes.h"
#include "text/gbk.h"

namespace qh {
namespace {

// Characters whose GBK trail byte is an ASCII letter or a backslash.
const std::string kSeparatorTrail = gbk("誠");  // D5 5C
const std::string kUpperZTrail = gbk("語");     // D5 5A
const std::string kUpperATrail = gbk("腁");     // C4 41

TEST(ByteTextTrailBytes, FixturesHaveTheTrailBytesTheTestsRelyOn) {
    EXPECT_EQ(kSeparatorTrail, bytes({0xD5, '\\'}));
    EXPECT_EQ(kUpperZTrail, bytes({0xD5, 'Z'}));
    EXPECT_EQ(kUpperATrail, bytes({0xC4, 'A'}));
}

TEST(ByteTextContains, IsAPlainCaseSensitiveByteSearch) {
    const struct {
        const char* name;
        std::string haystack;
        std::string needle;
        bool found;
    } cases[] = {
        {"inside", ".mp3.wma.mid", ".wma", true},
        {"whole", ".mp3", ".mp3", true},
        {"other case", ".mp3.wma", ".MP3", false},
        {"longer needle", ".mp", ".mp3", false},
        {"empty needle occurs nowhere", ".mp3", "", false},
        {"empty needle in empty text", "", "", false},
        {"GBK keyword", gbk("周杰伦-青花瓷.mp3"), gbk("青花"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(contains(c.haystack, c.needle), c.found);
    }
}

TEST(ByteTextAsciiLower, LowersAsciiLettersButNeverTrailBytes) {
    const struct {
        const char* name;
        std::string text;
        std::string lower;
    } cases[] = {
        {"ascii", "F:\\MUSIC\\A.Mp3", "f:\\music\\a.mp3"},
        {"trail byte Z", "X" + kUpperZTrail + "Y", "x" + kUpperZTrail + "y"},
        {"trail byte A", kUpperATrail + "AB", kUpperATrail + "ab"},
        {"four-byte character", "A" + gbk("😀") + "B", "a" + gbk("😀") + "b"},
        {"malformed lead keeps the letter after it", bytes({0xFF}) + "A", bytes({0xFF}) + "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(asciiLower(c.text), c.lower);
    }
}

TEST(ByteTextCharacters, StepsOverOneTwoAndFourByteCharacters) {
    // a | 誠 | 😀 | 0x80 | 0xFF | lead byte at the end
    const std::string text = "a" + kSeparatorTrail + gbk("😀") + bytes({0x80, 0xFF, 0xB1});
    const struct {
        std::size_t index;
        std::size_t length;
        bool start;
    } cases[] = {
        {0, 1, true},  {1, 2, true}, {2, 1, false}, {3, 4, true}, {4, 1, false},
        {6, 2, false}, {7, 1, true}, {8, 1, true},  {9, 1, true}, {10, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index);
        EXPECT_EQ(isCharStart(text, c.index), c.start);
        if (c.start || c.index >= text.size()) {
            EXPECT_EQ(charLengthAt(text, c.index), c.length);
        }
    }
}

TEST(ByteTextPaths, SplitsOnlyAtRealBackslashes) {
    const std::string drive = "F:\\";
    const struct {
        const char* name;
        std::string path;
        std::string folder;
        std::string fileName;
        std::string extension;
    } cases[] = {
        {"plain", "F:\\a\\b.mp3", "F:\\a\\", "b.mp3", ".mp3"},
        {"GBK names", gbk("F:\\青禾点唱库\\1-音乐\\月亮.MP3"), gbk("F:\\青禾点唱库\\1-音乐\\"),
         gbk("月亮.MP3"), ".MP3"},
        {"name ends in a backslash trail byte", drive + kSeparatorTrail, drive, kSeparatorTrail,
         ""},
        {"folder ends in a backslash trail byte", drive + kSeparatorTrail + "\\x.txt",
         drive + kSeparatorTrail + "\\", "x.txt", ".txt"},
        {"name holds a backslash trail byte", drive + "a" + kSeparatorTrail + ".wma", drive,
         "a" + kSeparatorTrail + ".wma", ".wma"},
        {"folder path", "F:\\a\\", "F:\\a\\", "", ""},
        {"dot only in a folder", "F:\\a.b\\c", "F:\\a.b\\", "c", ""},
        {"last dot counts", "F:\\a.b.lrc", "F:\\", "a.b.lrc", ".lrc"},
        {"no separator", "b.mp3", "", "b.mp3", ".mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(folderOf(c.path), c.folder);
        EXPECT_EQ(fileNameOf(c.path), c.fileName);
        EXPECT_EQ(extensionOf(c.path), c.extension);
    }
}

}  // namespace
}  // namespace qh
