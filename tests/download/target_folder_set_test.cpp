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

TEST(TargetFolderSet, ClassifyPicksTheLastGroupHoldingThePieceAndKeepsTheTargetOtherwise) {
    const struct {
        const char* extension;
        std::optional<TargetKind> kind;
    } cases[] = {
        {".mp3", kMusic},   {".MP3", kMusic},   {".Mp3", kMusic}, {".rmvb", kVideo},
        {".rm", kVideo},    {".mkv", kVideo},   {".mp", kVideo},  {".gif", kPicture},
        {".jpg", kPicture}, {".bmp", kPicture}, {".gbc", kGame},  {".gb", kGame},
        {".smc", kGame},    {".jar", kGame},    {".g", kGame},    {".txt", kEbook},
        {".jpeg", {}},      {".png", {}},       {".flv", {}},     {".amr", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        TargetFolderSet set;
        set.fill(kDiskG);
        ASSERT_EQ(set.classify(".txt"), kEbook);

        EXPECT_EQ(set.classify(c.extension), c.kind);
        const std::string expectedFolder = kDiskG[c.kind.value_or(kEbook)];
        EXPECT_EQ(set.currentTarget(), expectedFolder + "\\");
    }
}

TEST(TargetFolderSet, CurrentTargetIsEmptyUntilTheFirstKnownExtension) {
    TargetFolderSet set;
    EXPECT_EQ(set.classify(".flv"), std::nullopt);
    EXPECT_EQ(set.currentTarget(), "");
    EXPECT_EQ(set.destinationOf("F:\\a\\b.flv"), std::nullopt);

    EXPECT_EQ(set.classify(".avi"), kVideo);
    EXPECT_EQ(set.currentTarget(), gbk("D:\\歌曲下载\\"));
}

TEST(TargetFolderSet, DestinationIsTheKindsFolderAndThePlainName) {
    TargetFolderSet set;
    set.fill(kDiskG);
    const struct {
        const char* path;
        std::optional<std::string> destination;
    } cases[] = {
        {"F:\\青禾点唱库\\3-电影\\电影.rmvb", gbk("G:\\video\\电影.rmvb")},
        {"F:\\青禾点唱库\\1-音乐\\qh2009老歌.mp3", gbk("G:\\My Music\\老歌.mp3")},
        {"F:\\青禾点唱库\\7-游戏\\game.GBC", gbk("G:\\game\\game.GBC")},
        // No known kind: the folder of the file before it.
        {"F:\\青禾点唱库\\12-其它\\x.flac", gbk("G:\\game\\x.flac")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(set.destinationOf(gbk(c.path)), c.destination);
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
    EXPECT_EQ(set.destinationOf(gbk("F:\\a\\电影.rmvb")), gbk("G:\\\\电影.rmvb"));
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
