#include "windows/picture_paging.h"

#include <gtest/gtest.h>

#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

// What a page put into the panes, top left first: the entry shown or -1 for a pane left alone.
using PaneEntries = std::array<int, kPicturePaneCount>;

PaneEntries shownBy(const std::array<PaneTurn, kPicturePaneCount>& turns) {
    PaneEntries entries;
    entries.fill(-1);
    for (const PaneTurn& turn : turns) {
        if (turn.entry) {
            entries[static_cast<std::size_t>(turn.pane)] = static_cast<int>(*turn.entry);
        }
    }
    return entries;
}

enum class Page { Forward, Backward };

struct PagingCase {
    const char* name;
    int cursor;
    std::size_t count;
    Page page;
    PaneEntries shown;
    int cursorAfter;
};

TEST(PicturePaging, EachPaneTakesTheNextEntryAndThePageStopsShortOfTheEnd) {
    const PagingCase cases[] = {
        {"first page", 0, 20, Page::Forward, {0, 1, 2, 3, 4, 5}, 6},
        {"second page", 6, 20, Page::Forward, {6, 7, 8, 9, 10, 11}, 12},
        {"third page", 12, 20, Page::Forward, {12, 13, 14, 15, 16, 17}, 18},
        // Only entry 18: the last entry never shows going forward.
        {"fourth page", 18, 20, Page::Forward, {18, -1, -1, -1, -1, -1}, 19},
        {"back from the end", 19, 20, Page::Backward, {14, 15, 16, 17, 18, 19}, 13},
        // Entry 0 never shows going backward.
        {"back to the start", 3, 20, Page::Backward, {-1, -1, -1, 1, 2, 3}, 0},
        {"cursor beyond a short list", 19, 5, Page::Forward, {-1, -1, -1, -1, -1, -1}, 4},
        {"back in a short list", 4, 5, Page::Backward, {-1, -1, 1, 2, 3, 4}, 0},
        {"one entry forward", 0, 1, Page::Forward, {-1, -1, -1, -1, -1, -1}, 0},
        {"one entry backward", 0, 1, Page::Backward, {-1, -1, -1, -1, -1, -1}, 0},
        {"empty list", 7, 0, Page::Forward, {-1, -1, -1, -1, -1, -1}, -1},
        {"before the start", -1, 20, Page::Forward, {-1, -1, -1, -1, -1, -1}, 19},
    };
    for (const PagingCase& test : cases) {
        SCOPED_TRACE(test.name);
        int cursor = test.cursor;
        const auto turns = test.page == Page::Forward ? pageForward(cursor, test.count)
                                                      : pageBackward(cursor, test.count);
        EXPECT_EQ(shownBy(turns), test.shown);
        EXPECT_EQ(cursor, test.cursorAfter);
    }
}

TEST(PicturePaging, PanesGoTopLeftFirstForwardAndBottomRightFirstBackward) {
    int cursor = 4;
    const auto forward = pageForward(cursor, 20);
    const auto backward = pageBackward(cursor, 20);
    for (int step = 0; step < kPicturePaneCount; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(forward[step].pane, step);
        EXPECT_EQ(forward[step].cursorAfter, 5 + step);
        EXPECT_EQ(backward[step].pane, kPicturePaneCount - 1 - step);
        EXPECT_EQ(backward[step].cursorAfter, 9 - step);
    }
}

TEST(PagingEndMarker, OnlyAChangedCursorTextLooksAtTheEnds) {
    PagingEndMarker marker;
    const auto written = [&](int cursor, std::size_t count) {
        return marker.cursorWritten(cursor, count);
    };
    auto shown = written(19, 20);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->mark, EndMark::Last);
    EXPECT_TRUE(shown->cue);
    // The cursor stays on the last entry for the other panes: no second sound.
    EXPECT_FALSE(written(19, 20));
    shown = written(18, 20);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->mark, EndMark::None);
    EXPECT_FALSE(shown->cue);
    shown = written(0, 20);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->mark, EndMark::First);
    EXPECT_TRUE(shown->cue);
    EXPECT_EQ(marker.mark(), EndMark::First);
}

TEST(PagingEndMarker, TheLastEndWinsAndAnEmptyListIsAtItsEnd) {
    struct Case {
        const char* name;
        int cursor;
        std::size_t count;
        EndMark mark;
    };
    const Case cases[] = {
        {"one picture", 0, 1, EndMark::Last},    {"no pictures", -1, 0, EndMark::Last},
        {"first of many", 0, 9, EndMark::First}, {"in between", 4, 9, EndMark::None},
        {"last of many", 8, 9, EndMark::Last},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        PagingEndMarker marker;
        const auto shown = marker.cursorWritten(test.cursor, test.count);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->mark, test.mark);
        EXPECT_EQ(shown->cue, test.mark != EndMark::None);
    }
}

TEST(TopicPictures, FilesOfTheFirstThreeDrivesInDriveOrderWithoutFoldersOrHiddenFiles) {
    testing::TempFolder folder;
    SharedDriveTable drives;
    DriveTable table;
    for (char letter : {'E', 'F', 'H', 'K'}) {
        std::filesystem::create_directories(folder.path() / std::string(1, letter));
        table.set({letter, folder.path() / std::string(1, letter), DriveType::Fixed});
    }
    drives.replace(table);
    const LinuxFileSystem files(drives);
    const auto topic = [&](char drive) {
        return std::filesystem::path(std::string(1, drive)) /
               gbkToHostName(gbk("青禾点唱库/5-图片/大图/风景"));
    };
    folder.write(topic('F') / "f1.jpg", "f");
    folder.write(topic('F') / ".hidden.jpg", "h");
    std::filesystem::create_directories(folder.path() / topic('F') / "album");
    folder.write(topic('H') / "h1.png", "h");
    folder.write(topic('K') / "k1.jpg", "k");  // the fourth drive is not browsed
    // E has no picture folder at all.

    const auto pictures = topicPictures(files, {"H", "E", "F", "K"}, pictureTopicFolder(0, 1));
    const std::string below = gbk(":\\青禾点唱库\\5-图片\\大图\\风景\\");
    EXPECT_EQ(pictures, (std::vector<std::string>{"H" + below + "h1.png", "F" + below + "f1.jpg"}));
    EXPECT_TRUE(topicPictures(files, {"", "", "", "K"}, pictureTopicFolder(0, 1)).empty());
}

TEST(TopicPictures, TopicFoldersFollowTheSizeTabAndTheButtons) {
    EXPECT_EQ(pictureTopicFolder(0, 0), gbk("5-图片\\大图\\美女"));
    EXPECT_EQ(pictureTopicFolder(1, 3), gbk("5-图片\\小图\\幽默搞笑"));
    EXPECT_EQ(pictureTopicFolder(1, 10), gbk("5-图片\\小图\\另类"));
}

}  // namespace
}  // namespace qh
