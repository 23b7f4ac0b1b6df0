#include "download/target_folder_set.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

TargetFolders folders(std::initializer_list<const char*> utf8Folders) {
    TargetFolders result;
    std::size_t kind = 0;
    for (const char* folder : utf8Folders) {
        result.at(kind++) = gbk(folder);
    }
    return result;
}

const TargetFolders kDiskG =
    folders({"G:\\My Music", "G:\\video", "G:\\图片", "G:\\game", "G:\\书"});

// The groups' piece rule first; formats newer than the groups by their sort; music for the rest.
TEST(TargetFolderSet, ClassifyPicksTheKindAndMakesItsFolderTheCurrentTarget) {
    const struct {
        const char* extension;
        TargetKind kind;
    } cases[] = {
        {".mp3", kMusic},    {".MP3", kMusic},   {".Mp3", kMusic}, {".rmvb", kVideo},
        {".rm", kVideo},     {".mkv", kVideo},   {".mp", kVideo},  {".gif", kPicture},
        {".jpg", kPicture},  {".bmp", kPicture}, {".gbc", kGame},  {".gb", kGame},
        {".smc", kGame},     {".jar", kGame},    {".g", kGame},    {".txt", kEbook},
        {".jpeg", kPicture}, {".png", kPicture}, {".flv", kVideo}, {".amr", kMusic},
        {".xyz", kMusic},    {"", kMusic},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        TargetFolderSet set;
        set.fill(kDiskG);
        ASSERT_EQ(set.classify(".txt"), kEbook);

        EXPECT_EQ(set.classify(c.extension), c.kind);
        EXPECT_EQ(set.currentTarget(), kDiskG[c.kind] + "\\");
    }
}

// No file waits for a file of a known kind to give the list a folder.
TEST(TargetFolderSet, EveryFileHasAFolderFromTheStart) {
    TargetFolderSet set;
    EXPECT_EQ(set.currentTarget(), "");
    EXPECT_EQ(set.destinationOf("F:\\a\\b.abc").path, gbk("D:\\歌曲下载\\b.abc"));
}

// A withdrawal puts the default folders back and is counted in every destination after it, so
// a running job can tell its disk went away.
TEST(TargetFolderSet, AWithdrawnDiskIsCountedInTheDestinations) {
    TargetFolderSet set;
    set.fill(kDiskG);
    const auto before = set.destinationOf("F:\\a\\b.mp3");
    set.withdrawDisk();
    const auto after = set.destinationOf("F:\\a\\b.mp3");

    EXPECT_EQ(before.path, "G:\\My Music\\b.mp3");
    EXPECT_EQ(after.path, gbk("D:\\歌曲下载\\b.mp3"));
    EXPECT_EQ(after.withdrawals, before.withdrawals + 1);
    set.resetToDefault();
    EXPECT_EQ(set.destinationOf("F:\\a\\b.mp3").withdrawals, after.withdrawals);
}

TEST(TargetFolderSet, DestinationIsTheKindsFolderAndThePlainName) {
    TargetFolderSet set;
    set.fill(kDiskG);
    const struct {
        const char* path;
        std::string destination;
        TargetKind kind;
    } cases[] = {
        {"F:\\青禾点唱库\\3-电影\\电影.rmvb", gbk("G:\\video\\电影.rmvb"), kVideo},
        {"F:\\青禾点唱库\\1-音乐\\qh2009老歌.mp3", gbk("G:\\My Music\\老歌.mp3"), kMusic},
        {"F:\\青禾点唱库\\7-游戏\\game.GBC", gbk("G:\\game\\game.GBC"), kGame},
        // Not the folder of the file before it: a kind of its own.
        {"F:\\青禾点唱库\\12-其它\\x.flac", gbk("G:\\My Music\\x.flac"), kMusic},
        {"F:\\青禾点唱库\\7-游戏\\x.apk", gbk("G:\\game\\x.apk"), kGame},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto destination = set.destinationOf(gbk(c.path));
        EXPECT_EQ(destination.path, c.destination);
        EXPECT_EQ(destination.kind, c.kind);
    }
}

TEST(TargetFolderSet, DropDownLinesMirrorTheFolders) {
    TargetFolderSet set;
    const std::vector<std::string> defaults = {
        gbk("音乐：D:\\歌曲下载"), gbk("视频：D:\\歌曲下载"),   gbk("图片：D:\\歌曲下载"),
        gbk("游戏：D:\\歌曲下载"), gbk("电子书：D:\\歌曲下载"),
    };
    EXPECT_EQ(set.dropDownLines(), defaults);

    set.fill(kDiskG);
    EXPECT_EQ(set.dropDownLines()[0], gbk("音乐：G:\\My Music"));
    EXPECT_EQ(set.dropDownLines()[4], gbk("电子书：G:\\书"));

    set.resetToDefault();
    EXPECT_EQ(set.dropDownLines(), defaults);
}

TEST(TargetFolderSet, AFolderChosenByHandMustBeADrivePath) {
    const struct {
        const char* path;
        bool accepted;
    } cases[] = {
        {"G:\\mp3\\new", true}, {"G:\\", true},  // a drive root keeps its backslash
        {"我的电脑", false},    {"G:", false},  {"/media/usb/mp3", false}, {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        TargetFolderSet set;
        set.fill(kDiskG);
        const FolderChoice choice = set.chooseFolder(kMusic, gbk(c.path));

        EXPECT_EQ(choice.accepted, c.accepted);
        EXPECT_EQ(choice.message, c.accepted ? "" : gbk("你选择的不是有效路径!请重新选择!!"));
        auto expected = kDiskG;
        if (c.accepted) {
            expected[kMusic] = gbk(c.path);
        }
        EXPECT_EQ(set.folders(), expected);
        EXPECT_EQ(set.dropDownLines()[0], gbk("音乐：") + expected[kMusic]);
        // The current target follows classifications only.
        EXPECT_EQ(set.currentTarget(), "");
    }
}

TEST(TargetFolderSet, AHandChosenRootTakesTheCopiesStraightIntoTheDrive) {
    TargetFolderSet set;
    ASSERT_TRUE(set.chooseFolder(kVideo, "G:\\").accepted);
    EXPECT_EQ(set.destinationOf(gbk("F:\\a\\电影.rmvb")).path, gbk("G:\\\\电影.rmvb"));
}

TEST(FolderToOpen, IsTheTextAfterTheFirstFullWidthColon) {
    const struct {
        const char* line;
        const char* folder;
    } cases[] = {
        {"视频：D:\\歌曲下载", "D:\\歌曲下载"},
        {"电子书：G:\\书", "G:\\书"},
        {"音乐：G:\\新：歌", "G:\\新：歌"},
        {"音乐:G:\\a", "音乐:G:\\a"},  // a half-width colon is no label's end
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(folderToOpen(gbk(c.line)), gbk(c.folder));
    }
}

}  // namespace
}  // namespace qh
