#include "platform/drive_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "text/gbk.h"

namespace qh {
namespace {

using std::filesystem::path;

DriveTable twoDrives() {
    DriveTable table;
    table.set({'F', "/shop/library", DriveType::Fixed});
    table.set({'G', "/media/stick", DriveType::Removable});
    return table;
}

struct ResolveCase {
    const char* name;
    std::string windowsPath;       // GBK
    std::optional<path> expected;  // host path
};

TEST(DriveTableResolve, TurnsWindowsPathsIntoHostPaths) {
    const std::vector<ResolveCase> cases = {
        {"backslashes", R"(F:\a\b.mp3)", path("/shop/library/a/b.mp3")},
        {"slashes and a lower-case letter", "f:/a/b.mp3", path("/shop/library/a/b.mp3")},
        {"doubled and trailing separators", R"(F:\\a//b\)", path("/shop/library/a/b")},
        {"drive alone", "F:", path("/shop/library")},
        {"drive root", R"(F:\)", path("/shop/library")},
        {"no current folder per drive", "F:a", path("/shop/library/a")},
        {"dot skipped", R"(F:\a\.\b)", path("/shop/library/a/b")},
        {"dot-dot inside the drive", R"(F:\a\..\b)", path("/shop/library/b")},
        {"dot-dot stops at the root", R"(F:\..\..\etc\passwd)", path("/shop/library/etc/passwd")},
        {"dot-dot with slashes", "F:/../../etc", path("/shop/library/etc")},
        {"three dots are a name", R"(F:\...)", path("/shop/library/...")},
        {"GBK names become UTF-8", gbk(R"(F:\青禾点唱库\1-音乐\歌.mp3)"),
         path("/shop/library/青禾点唱库/1-音乐/歌.mp3")},
        // 乗 is 81 5C and 俓 is 82 5C: their trail bytes are backslashes, not separators.
        {"backslash trail bytes", gbk(R"(F:\乗俓\乗)"), path("/shop/library/乗俓/乗")},
        {"dot-dot after a trail-byte name", gbk(R"(F:\a\乗\..\b)"), path("/shop/library/a/b")},
        {"second drive letter inside", R"(F:\a\..\..\G:\x)", std::nullopt},
        {"stream name", R"(F:\a.mp3:stream)", std::nullopt},
        {"NUL in a name", std::string("F:\\a\0b", 6), std::nullopt},
        // Windows refuses names holding these; such a host name is reached by its code.
        {"wildcard in a name", R"(F:\a\*.mp3)", std::nullopt},
        {"bar in a name", R"(F:\a|b)", std::nullopt},
        {"control character in a name", "F:\\a\tb", std::nullopt},
        {"bar as the trail byte of a character", gbk(R"(F:\亅)"), path("/shop/library/亅")},
        {"code of a backslash", "F:\\" + hostNameToGbk("a\\b.mp3"), path("/shop/library/a\\b.mp3")},
        {"missing drive", R"(Q:\a)", std::nullopt},
        {"no drive letter", R"(\a\b)", std::nullopt},
        {"digit for a letter", R"(1:\a)", std::nullopt},
        {"letter without colon", "F", std::nullopt},
        {"empty", "", std::nullopt},
        {"host path", "/etc/passwd", std::nullopt},
    };
    const DriveTable table = twoDrives();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(table.resolve(c.windowsPath), c.expected);
    }
}

// Every mix of climbing, drive letters, separators and trail-byte names either fails or stays
// below the drive's root.
TEST(DriveTableResolve, NoPathLeavesItsDrive) {
    const std::vector<std::string> pieces = {"..", ".", "G:", "a", gbk("乗"), "...", "", ".. "};
    const std::vector<std::string> separators = {"\\", "/", "\\\\"};
    const DriveTable table = twoDrives();
    const path root = "/shop/library";
    int resolved = 0;
    for (const auto& first : pieces) {
        for (const auto& second : pieces) {
            for (const auto& third : pieces) {
                for (const auto& separator : separators) {
                    const std::string windowsPath =
                        "F:" + separator + first + separator + second + separator + third;
                    const auto host = table.resolve(windowsPath);
                    if (!host) {
                        continue;
                    }
                    ++resolved;
                    SCOPED_TRACE(windowsPath);
                    const path relative = host->lexically_relative(root);
                    EXPECT_FALSE(relative.empty());
                    for (const auto& part : relative) {
                        EXPECT_NE(part, "..");
                    }
                    EXPECT_EQ(host->lexically_normal(), *host);
                }
            }
        }
    }
    EXPECT_GT(resolved, 0);
}

TEST(DriveTableToWindowsPath, IsTheReverseAndTheLongestRootWins) {
    DriveTable table = twoDrives();
    table.set({'H', "/shop/library/films/", DriveType::Fixed});
    struct Case {
        const char* name;
        path host;
        std::optional<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"file", "/shop/library/a/b.mp3", R"(F:\a\b.mp3)"},
        {"root", "/shop/library", R"(F:\)"},
        {"folder with trailing slash", "/shop/library/a/", R"(F:\a)"},
        {"nested root wins", "/shop/library/films/x.rmvb", R"(H:\x.rmvb)"},
        {"UTF-8 names become GBK", "/media/stick/歌曲/乗.mp3", gbk(R"(G:\歌曲\乗.mp3)")},
        {"sibling with a common prefix", "/shop/library2/a", std::nullopt},
        {"outside every drive", "/etc/passwd", std::nullopt},
        {"climbing out", "/shop/library/../secret", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(table.toWindowsPath(c.host), c.expected);
    }
    const std::string invalidUtf8 = "/media/stick/\xff\xfe.mp3";
    const auto windowsPath = table.toWindowsPath(invalidUtf8);
    ASSERT_TRUE(windowsPath);
    EXPECT_EQ(table.resolve(*windowsPath), path(invalidUtf8));
}

TEST(DriveTable, KeepsOneEntryPerLetterInLetterOrder) {
    DriveTable table;
    table.set({'g', "/b", DriveType::Fixed});
    table.set({'E', "/a", DriveType::Fixed});
    table.set({'G', "/c", DriveType::Removable});
    table.set({'1', "/ignored", DriveType::Fixed});
    ASSERT_EQ(table.drives().size(), 2u);
    EXPECT_EQ(table.drives()[0].letter, 'E');
    EXPECT_EQ(table.drives()[1], (Drive{'G', "/c", DriveType::Removable}));
    ASSERT_NE(table.find('e'), nullptr);
    EXPECT_EQ(table.find('e')->hostRoot, path("/a"));
    table.remove('e');
    EXPECT_EQ(table.find('E'), nullptr);
}

TEST(DriveTable, HandsRemovableDisksFreeLettersFromEToZNeverD) {
    DriveTable table;
    table.set({'C', "/", DriveType::Fixed});
    EXPECT_EQ(table.nextFreeLetter(), 'E');
    table.set({'E', "/e", DriveType::Fixed});
    table.set({'G', "/g", DriveType::Fixed});
    EXPECT_EQ(table.nextFreeLetter(), 'F');
    for (char letter = 'E'; letter <= 'Z'; ++letter) {
        table.set({letter, "/x", DriveType::Fixed});
    }
    EXPECT_EQ(table.nextFreeLetter(), 0);
}

TEST(DriveMapLine, ParsesLetterFolderAndType) {
    struct Case {
        const char* name;
        const char* line;
        std::optional<Drive> expected;
    };
    const std::vector<Case> cases = {
        {"removable", "G=/srv/disk,removable", Drive{'G', "/srv/disk", DriveType::Removable}},
        {"fixed by default, lower-case letter", "g=/srv/disk", Drive{'G', "/srv/disk"}},
        {"fixed spelled out", "G=/srv/disk,fixed", Drive{'G', "/srv/disk"}},
        {"relative folder taken from the base", "H=disks/h", Drive{'H', "/base/disks/h"}},
        {"spaces around the folder", " F= /srv/f , removable\r",
         Drive{'F', "/srv/f", DriveType::Removable}},
        {"a comma that is no option belongs to the folder", "G=/srv/a,b", Drive{'G', "/srv/a,b"}},
        {"no folder", "G=", std::nullopt},
        {"only an option", "G=,removable", std::nullopt},
        {"no equals sign", "G/srv", std::nullopt},
        {"two letters", "GH=/srv", std::nullopt},
        {"not a letter", "1=/srv", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseDriveSpec(c.line, "/base"), c.expected);
    }
}

TEST(DriveMapFile, SkipsCommentsBlanksAndMalformedLines) {
    const std::string map =
        "# shop drives\r\n"
        "F=/srv/library\r\n"
        "\r\n"
        "   \n"
        "nonsense\n"
        "G=sticks/g,removable\n"
        "  # indented comment\n"
        "H=/srv/films";
    EXPECT_EQ(parseDriveMap(map, "/etc/qh"),
              (std::vector<Drive>{{'F', "/srv/library"},
                                  {'G', "/etc/qh/sticks/g", DriveType::Removable},
                                  {'H', "/srv/films"}}));
}

}  // namespace
}  // namespace qh
