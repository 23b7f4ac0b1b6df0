#include "download/marked_file.h"

#include <gtest/gtest.h>

#include "platform/linux_file_system.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::readFile;
using testing::TempFolder;

TEST(MarkedFileName, TheFirstMarkerComesOutOfTheName) {
    const struct {
        const char* name;
        bool marked;
        const char* plain;
    } cases[] = {
        {"qh2009老歌.mp3", true, "老歌.mp3"},
        {"老歌qh2009.mp3", true, "老歌.mp3"},
        {"qh2009qh2009.mp3", true, "qh2009.mp3"},
        {"QH2009老歌.mp3", false, "QH2009老歌.mp3"},  // letter case counts
        {"老歌.mp3", false, "老歌.mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isMarkedFileName(gbk(c.name)), c.marked);
        EXPECT_EQ(plainNameOf(gbk(c.name)), gbk(c.plain));
    }
}

TEST(MarkedFileName, EachListHasItsOwnStagingFolder) {
    const struct {
        int list;
        const char* folder;
    } cases[] = {
        {0, "D:\\歌曲下载\\清单1\\"},
        {2, "D:\\歌曲下载\\清单3\\"},
        {4, "D:\\歌曲下载\\清单5\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(stagingFolderOf(c.list), gbk(c.folder));
    }
}

std::string numberedBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(i % 251);
    }
    return bytes;
}

// Real folders as the library drive F: and the staging drive D:.
class Extraction : public ::testing::Test {
protected:
    Extraction() {
        DriveTable table;
        for (const char letter : {'D', 'F'}) {
            const auto root = folder.path() / std::string(1, letter);
            std::filesystem::create_directories(root);
            table.set({letter, root, DriveType::Fixed});
        }
        drives.replace(table);
        std::filesystem::create_directories(stagingHost.parent_path());
    }

    void addLibraryFile(std::string_view content) { folder.write("F/qh2009老歌.mp3", content); }

    TempFolder folder;
    SharedDriveTable drives;
    LinuxFileSystem files{drives};
    const std::string library = gbk("F:\\qh2009老歌.mp3");
    const std::string staging = gbk("D:\\歌曲下载\\清单2\\老歌.mp3");
    const std::filesystem::path stagingHost = folder.path() / "D/歌曲下载/清单2/老歌.mp3";
};

TEST_F(Extraction, TheContentAfterTheBlockReplacesTheStagingFile) {
    const std::string library5M = numberedBytes(5'407'552);
    addLibraryFile(library5M);
    folder.write("D/歌曲下载/清单2/老歌.mp3", "an older extraction");

    ASSERT_TRUE(extractMarkedFile(files, library, staging));

    const std::string extracted = readFile(stagingHost);
    ASSERT_EQ(extracted.size(), 5'000'000u);
    EXPECT_EQ(extracted.front(), library5M[407'552]);
    EXPECT_TRUE(extracted == library5M.substr(407'552));
}

TEST_F(Extraction, AFileNoLongerThanTheBlockDeliversNothing) {
    const struct {
        const char* label;
        std::size_t size;
        bool extracted;
    } cases[] = {
        {"one byte of content", 407'553, true},
        {"exactly the block", 407'552, false},
        {"shorter than the block", 100, false},
        {"empty", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(stagingHost);
        addLibraryFile(numberedBytes(c.size));

        EXPECT_EQ(static_cast<bool>(extractMarkedFile(files, library, staging)), c.extracted);
        EXPECT_EQ(std::filesystem::exists(stagingHost), c.extracted);
    }
}

TEST_F(Extraction, FailsWithoutTheLibraryFileOrTheStagingFolder) {
    EXPECT_FALSE(extractMarkedFile(files, library, staging));

    addLibraryFile(numberedBytes(500'000));
    std::filesystem::remove_all(folder.path() / "D/歌曲下载");
    EXPECT_FALSE(extractMarkedFile(files, library, staging));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "D"));
}

}  // namespace
}  // namespace qh
