#include "download/copy_progress.h"

#include <gtest/gtest.h>

#include "download/list_copy_control.h"
#include "text/gbk.h"

namespace qh {
namespace {

TEST(CopyProgress, EachListWordsItsBatchLinesItsOwnWay) {
    const struct {
        const char* name;
        int list;
        bool marked;
        const char* line;
        const char* status;  // nullptr: unchanged
    } cases[] = {
        {"清单1", 0, false, "3/10 正在下载...老歌.mp3", nullptr},
        {"清单1 marked", 0, true, "3/10 正在下载...老歌.mp3", nullptr},
        {"清单2", 1, false, "正在下载： 老歌.mp3", "正在下载...3/10"},
        {"清单2 marked", 1, true, "正在下载： 老歌.mp3", "正在下载...3/10"},
        {"清单3", 2, false, "3/10正在下载： 老歌.mp3", nullptr},
        {"清单3 marked", 2, true, "3/10正在下载： 老歌.mp3", nullptr},
        {"清单4", 3, false, "正在下载3/10老歌.mp3", nullptr},
        {"清单4 marked", 3, true, "正在下载...3/10老歌.mp3", "正在下载...3/10"},
        {"清单5", 4, false, "3/10正在下载...老歌.mp3", nullptr},
        {"清单5 marked", 4, true, "3/10正在下载...老歌.mp3", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(batchProgressLine(c.list, 3, 10, gbk("老歌.mp3"), c.marked), gbk(c.line));
        const auto status = batchStatusLine(c.list, 3, 10, c.marked);
        EXPECT_EQ(status, c.status ? std::optional(gbk(c.status)) : std::nullopt);
    }
}

TEST(CopyProgress, TheEndsDifferByList) {
    const struct {
        const char* name;
        int list;
        const char* batchEnd;
        const char* batchEndUnfinished;
        const char* syncFinish;
        const char* syncFinishUnfinished;
        bool syncHidesBar;
    } cases[] = {
        {"清单1", 0, nullptr, nullptr, "复制完成!", "复制未完成!", true},
        {"清单2", 1, nullptr, nullptr, nullptr, nullptr, true},
        {"清单3", 2, "下载完成!", "下载未完成!", nullptr, nullptr, false},
        {"清单4", 3, nullptr, nullptr, nullptr, nullptr, false},
        {"清单5", 4, "下载完成!", "下载未完成!", nullptr, nullptr, false},
    };
    const auto text = [](const char* utf8) {
        return utf8 ? std::optional(gbk(utf8)) : std::nullopt;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(batchEndStatusLine(c.list), text(c.batchEnd));
        EXPECT_EQ(batchEndStatusLine(c.list, false), text(c.batchEndUnfinished));
        EXPECT_EQ(syncFinishStatusLine(c.list), text(c.syncFinish));
        EXPECT_EQ(syncFinishStatusLine(c.list, false), text(c.syncFinishUnfinished));
        EXPECT_EQ(syncFinishHidesBar(c.list), c.syncHidesBar);
    }
}

// The notice names the list as the clerk knows it; several reasons come most frequent first.
TEST(CopyProgress, TheUndeliveredNoticeNamesItsListAndItsReasons) {
    using Faults = std::map<FileFault, int>;
    const struct {
        const char* name;
        int list;
        Faults faults;
        const char* notice;
    } cases[] = {
        {"清单1", 0, Faults{{FileFault::DiskFull, 3}},
         "清单1 下载未完成：3/10 个文件未复制（磁盘已满）"},
        {"清单2", 1, Faults{{FileFault::DiskGone, 3}},
         "清单2 下载未完成：3/10 个文件未复制（磁盘已拔出）"},
        {"清单5, the more frequent reason first", 4,
         Faults{{FileFault::DiskFull, 1}, {FileFault::SourceMissing, 2}},
         "清单5 下载未完成：3/10 个文件未复制（源文件不存在 2、磁盘已满 1）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(undeliveredNotice(c.list, 3, 10, c.faults), gbk(c.notice));
    }
}

TEST(CopyProgress, TheSyncLineShowsTheCountersAsTheyAre) {
    EXPECT_EQ(syncProgressLine({.total = 3, .next = 2}, gbk("老歌.mp3")),
              gbk("2/3正在下载...老歌.mp3"));
    EXPECT_EQ(syncProgressLine({.total = 5, .next = 6}, "a.mp3"), gbk("6/5正在下载...a.mp3"));
}

TEST(CopyProgress, TheBarMaximumIsTheListSizeMemoTruncated) {
    const struct {
        const char* memo;
        int maximum;
    } cases[] = {
        {"12.05", 12},
        {"0", 0},
        {"0.99", 0},
        {"1234.99", 1234},
        {"", 0},
        {"abc", 0},
        {"99999999999", 2147483647},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.memo);
        EXPECT_EQ(barMaximumOf(c.memo), c.maximum);
    }
}

}  // namespace
}  // namespace qh
