#include "library/library_layout.h"

#include <gtest/gtest.h>

#include "library/category_table.h"
#include "platform/linux_file_system.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::TempFolder;

TEST(CategoryOfPath, FirstCategoryFolderFoundAnywhereInThePath) {
    const struct {
        const char* path;
        int category;
    } cases[] = {
        {"F:\\青禾点唱库\\10-演唱会\\x.mpg", 10},
        {"F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3", 1},
        {"F:\\music\\a.mp3", 0},
        {"Z:\\备份\\旧\\青禾点唱库\\2-MTV\\a\\b\\c.3gp", 2},
        {"G:\\青禾点唱库\\8-伦理片\\新增生活片\\a.rmvb", 8},
        {"G:\\青禾点唱库\\12-其它\\RM格式\\a.rm", 12},
        {"F:\\青禾点唱库\\2-mtv\\a.3gp", 0},  // the test is case-sensitive
        {"F:\\青禾点唱库\\", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(categoryOfPath(gbk(c.path)), c.category);
    }
}

TEST(LibraryLayout, RootsSkipEmptyDrivesButKeepABlankOne) {
    const std::array<std::string, kLibraryDriveCount> drives = {"F", "", " ", "H"};
    EXPECT_EQ(libraryRoots(drives),
              (std::vector<std::string>{gbk("F:\\青禾点唱库\\"), gbk(" :\\青禾点唱库\\"),
                                        gbk("H:\\青禾点唱库\\")}));
    EXPECT_EQ(libraryRoots(drives, kBrowseDriveCount),
              (std::vector<std::string>{gbk("F:\\青禾点唱库\\"), gbk(" :\\青禾点唱库\\")}));
}

TEST(LibraryLayout, FixedFoldersAreBuiltBelowTheRoot) {
    EXPECT_EQ(categoryFolderPath("F", 2), gbk("F:\\青禾点唱库\\3-电影\\"));
    const auto& tree = subfolderTree();
    ASSERT_EQ(tree.size(), 36u);
    EXPECT_EQ(tree.front(), gbk("1-音乐\\分类歌曲\\经典老歌\\"));
    EXPECT_EQ(tree[16], gbk("7-游戏\\jar格式\\"));
    EXPECT_EQ(tree[24], gbk("11-铃声\\mp3铃声\\"));
    EXPECT_EQ(tree.back(), gbk("12-其它\\RMVB格式\\"));
    EXPECT_EQ(categoryTable()[7].tabCaption, gbk("生活片"));
    EXPECT_EQ(categoryTable()[7].folder, gbk("8-伦理片"));
}

TEST(LibraryLayout, ViewsWalkTheirFolderOnTheFirstThreeDrivesTwiceForALetterHeldTwice) {
    const std::array<std::string, kLibraryDriveCount> drives = {"F", "", "F", "H"};
    EXPECT_EQ(browseFolders(drives, gbk("7-游戏\\jar格式\\")),
              (std::vector<std::string>{gbk("F:\\青禾点唱库\\7-游戏\\jar格式\\"),
                                        gbk("F:\\青禾点唱库\\7-游戏\\jar格式\\")}));
    EXPECT_TRUE(browseFolders({"", "", "", "H"}, gbk("7-游戏\\")).empty());
}

TEST(LibraryLayout, NewAdditionsLieInTheirCategoryFolders) {
    const char* expected[] = {"1-音乐\\新增歌曲\\", "2-MTV\\新增MTV\\", "3-电影\\新增电影\\",
                              "4-连续剧\\新增连续剧\\", "8-伦理片\\新增生活片\\"};
    for (std::size_t i = 0; i < newAdditionsFolders().size(); ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(belowLibraryRoot(newAdditionsFolders()[i]), gbk(expected[i]));
    }
}

class CategoryFolders : public ::testing::Test {
protected:
    CategoryFolders() {
        std::filesystem::create_directory(folder.path() / "G");
        DriveTable table;
        table.set({'G', folder.path() / "G", DriveType::Fixed});
        drives.replace(table);
    }
    TempFolder folder;
    SharedDriveTable drives;
    LinuxFileSystem files{drives};
};

TEST_F(CategoryFolders, AreCreatedOnTheChosenDriveAndNothingBelowThem) {
    createCategoryFolders(files, "G");
    const auto library = folder.path() / "G" / gbkToHostName(libraryFolderName());
    for (const auto& category : categoryTable()) {
        SCOPED_TRACE(category.number);
        const auto categoryFolder = library / gbkToHostName(category.folder);
        EXPECT_TRUE(std::filesystem::is_directory(categoryFolder));
        EXPECT_TRUE(std::filesystem::is_empty(categoryFolder));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(library), {}), 12);
}

TEST_F(CategoryFolders, ExistingFoldersAndTheirFilesAreKept) {
    const auto song = folder.write(gbkToHostName(gbk("G/青禾点唱库/1-音乐/a.mp3")), "song");
    createCategoryFolders(files, "G");
    EXPECT_EQ(testing::readFile(song), "song");
}

TEST_F(CategoryFolders, TextThatNamesNoUsableDriveCreatesNothing) {
    for (const char* text : {"GH", "H", "", " ", "G:"}) {
        SCOPED_TRACE(text);
        createCategoryFolders(files, text);
        EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "G"));
    }
}

}  // namespace
}  // namespace qh
