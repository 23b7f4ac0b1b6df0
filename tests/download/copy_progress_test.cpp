#include "download/copy_progress.h"

#include <gtest/gtest.h>

#include "download/list_copy_control.h"
#include "text/gbk.h"

namespace qh {
namespace {

TEST(CopyProgress, EachListWordsItsBatchLinesItsOwnWay) {
    const struct {
        int list;
        bool marked;
        const char* line;
        const char* status;  // nullptr: unchanged
    } cases[] = {
        {1, false, "3/10 正在下载...老歌.mp3", nullptr},
        {1, true, "3/10 正在下载...老歌.mp3", nullptr},
        {2, false, "正在下载： 老歌.mp3", "正在下载...3/10"},
        {2, true, "正在下载： 老歌.mp3", "正在下载...3/10"},
        {3, false, "3/10正在下载： 老歌.mp3", nullptr},
        {3, true, "3/10正在下载： 老歌.mp3", nullptr},
        {4, false, "正在下载3/10老歌.mp3", nullptr},
        {4, true, "正在下载...3/10老歌.mp3", "正在下载...3/10"},
        {5, false, "3/10正在下载...老歌.mp3", nullptr},
        {5, true, "3/10正在下载...老歌.mp3", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "list " << c.list << (c.marked ? " marked" : ""));
        EXPECT_EQ(batchProgressLine(c.list, 3, 10, gbk("老歌.mp3"), c.marked), gbk(c.line));
        const auto status = batchStatusLine(c.list, 3, 10, c.marked);
        EXPECT_EQ(status, c.status ? std::optional(gbk(c.status)) : std::nullopt);
    }
}

TEST(CopyProgress, TheEndsDifferByList) {
    const struct {
        int list;
        const char* batchEnd;
        const char* syncFinish;
        bool syncHidesBar;
    } cases[] = {
        {1, nullptr, "复制完成!", true},  {2, nullptr, nullptr, true},
        {3, "下载完成!", nullptr, false}, {4, nullptr, nullptr, false},
        {5, "下载完成!", nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(batchEndStatusLine(c.list),
                  c.batchEnd ? std::optional(gbk(c.batchEnd)) : std::nullopt);
        EXPECT_EQ(syncFinishStatusLine(c.list),
                  c.syncFinish ? std::optional(gbk(c.syncFinish)) : std::nullopt);
        EXPECT_EQ(syncFinishHidesBar(c.list), c.syncHidesBar);
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
