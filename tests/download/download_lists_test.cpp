#include "download/download_lists.h"

#include <gtest/gtest.h>

#include "settings/app_paths.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::readFile;
using testing::TempFolder;

std::vector<std::string> numberedPaths(std::size_t count) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < count; ++i) {
        paths.push_back(gbk("F:\\青禾点唱库\\1-音乐\\") + std::to_string(i) + ".mp3");
    }
    return paths;
}

class DownloadListsTest : public ::testing::Test {
protected:
    std::filesystem::path listFile(const char* utf8Name) const { return folder.path() / utf8Name; }

    TempFolder folder;
    AppPaths paths{folder.path(), folder.path()};
    DownloadLists lists{paths};
};

TEST_F(DownloadListsTest, SwitchingSavesTheListLeftAndShowsTheOther) {
    const std::string list1 = gbk("F:\\青禾点唱库\\1-音乐\\老歌.mp3\r\n");
    const std::string list3 =
        gbk("F:\\青禾点唱库\\3-电影\\电影.rmvb\r\nF:\\青禾点唱库\\3-电影\\电影.rmvb\r\n");
    folder.write("清单1.txt", list1);
    folder.write("清单3.txt", list3);
    lists.loadShown();
    lists.batchAdd({gbk("F:\\青禾点唱库\\1-音乐\\情歌.mp3")}, "");
    ASSERT_FALSE(lists.syncDownload());

    lists.switchTo(2);

    EXPECT_EQ(lists.shownIndex(), 2);
    EXPECT_EQ(readFile(listFile("清单1.txt")), list1 + gbk("F:\\青禾点唱库\\1-音乐\\情歌.mp3\r\n"));
    EXPECT_EQ(lists.shown().entries(),
              std::vector<std::string>(2, gbk("F:\\青禾点唱库\\3-电影\\电影.rmvb")));
    EXPECT_EQ(readFile(listFile("清单3.txt")), list3);
    EXPECT_TRUE(lists.syncDownload());
    EXPECT_TRUE(lists.list(0).entries().empty());

    lists.switchTo(0);
    EXPECT_EQ(lists.shown().entries().size(), 2u);
    EXPECT_EQ(readFile(listFile("清单3.txt")), list3);
}

TEST_F(DownloadListsTest, AListWithoutAFileShowsEmptyAndGetsOneAtTheNextSave) {
    lists.switchTo(4);
    EXPECT_TRUE(lists.shown().entries().empty());
    EXPECT_FALSE(std::filesystem::exists(listFile("清单5.txt")));
    EXPECT_TRUE(std::filesystem::exists(listFile("清单1.txt")));

    lists.switchTo(1);
    EXPECT_EQ(readFile(listFile("清单5.txt")), "");
}

TEST_F(DownloadListsTest, CopyBookkeepingAndFoldersStayWithTheirListAcrossSwitches) {
    lists.addResults({"F:\\a.mp3"}, "F:\\a.mp3");
    auto folders = lists.list(0).targets().folders();
    folders[kMusic] = "G:\\My Music";
    lists.list(0).targets().fill(folders);

    lists.switchTo(2);
    lists.addResults({"F:\\b.mp3"}, "F:\\b.mp3");

    EXPECT_EQ(lists.list(0).copyControl().paths(), std::vector<std::string>{"F:\\a.mp3"});
    EXPECT_TRUE(lists.list(0).copyControl().busy());
    EXPECT_EQ(lists.list(2).copyControl().paths(), std::vector<std::string>{"F:\\b.mp3"});
    EXPECT_EQ(lists.list(0).targets().folders()[kMusic], "G:\\My Music");
    EXPECT_EQ(lists.list(2).targets().folders()[kMusic], gbk("D:\\歌曲下载"));
}

TEST_F(DownloadListsTest, AtMostTwoHundredResultsAreAddedAtOnce) {
    const struct {
        std::size_t selected;
        bool refused;
    } cases[] = {{200, false}, {201, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        DownloadLists fresh{paths};
        const auto selected = numberedPaths(c.selected);

        const ResultAdd outcome = fresh.addResults(selected, selected.front());

        const auto& list = fresh.shown();
        if (c.refused) {
            EXPECT_EQ(outcome.refusal, gbk("对不起，一次下载的数量不能大于200"));
            EXPECT_EQ(outcome.appended, 0u);
            EXPECT_EQ(outcome.syncJobFrom, std::nullopt);
            EXPECT_TRUE(list.entries().empty());
            EXPECT_TRUE(list.copyControl().paths().empty());
            EXPECT_EQ(list.copyControl().syncCounters().total, 0);
        } else {
            EXPECT_EQ(outcome.refusal, "");
            EXPECT_EQ(outcome.appended, 200u);
            EXPECT_EQ(list.entries(), selected);
            // However many rows, only the current file is copied at once.
            EXPECT_EQ(outcome.syncJobFrom, 0u);
            EXPECT_EQ(list.copyControl().paths(), std::vector<std::string>{selected.front()});
        }
    }
}

TEST_F(DownloadListsTest, ASyncAddQueuesTheCurrentFileEvenWhenItIsListedAlready) {
    lists.addResults({"F:\\a.mp3"}, "F:\\a.mp3");
    lists.list(0).copyControl().pathAtOrGoIdle(1);  // the job ended

    const ResultAdd again = lists.addResults({"F:\\a.mp3"}, "F:\\a.mp3");

    EXPECT_EQ(again.appended, 0u);
    EXPECT_EQ(again.syncJobFrom, 1u);
    EXPECT_EQ(lists.shown().entries().size(), 1u);
    EXPECT_EQ(lists.shown().copyControl().syncCounters().total, 2);
}

TEST_F(DownloadListsTest, ABatchAddCopiesNothingAndLeavesTheBoxUnticked) {
    const ResultAdd first = lists.batchAdd({"F:\\a.mp3", "F:\\b.mp3"}, "F:\\b.mp3");
    const ResultAdd second = lists.addResults({"F:\\c.mp3"}, "F:\\c.mp3");

    EXPECT_EQ(first.appended, 2u);
    EXPECT_EQ(second.appended, 1u);
    EXPECT_EQ(second.syncJobFrom, std::nullopt);
    EXPECT_FALSE(lists.syncDownload());
    EXPECT_TRUE(lists.shown().copyControl().paths().empty());
}

TEST_F(DownloadListsTest, ShutDownSavesOnlyOverAnExistingFile) {
    lists.addResults({"F:\\a.mp3"}, "F:\\a.mp3");
    lists.saveAtShutDown();
    EXPECT_FALSE(std::filesystem::exists(listFile("清单1.txt")));

    folder.write("清单1.txt", "old\r\n");
    lists.saveAtShutDown();
    EXPECT_EQ(readFile(listFile("清单1.txt")), "F:\\a.mp3\r\n");
}

}  // namespace
}  // namespace qh
