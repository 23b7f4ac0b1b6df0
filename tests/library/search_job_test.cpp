#include "library/search_job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "library/search_keyword.h"
#include "library/search_plan.h"
#include "library/walker.h"
#include "temp_drives.h"

namespace qh {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using testing::TempDrives;
using ::testing::UnorderedElementsAre;
using testing::utf8;

struct RecordingHost final : SearchHost {
    void pathsFound(std::vector<std::string> batch) override {
        batches.push_back(batch);
        paths.insert(paths.end(), batch.begin(), batch.end());
    }
    void searchEnded() override { ++ends; }

    std::vector<std::vector<std::string>> batches;
    std::vector<std::string> paths;
    int ends = 0;
};

class SearchJobTest : public ::testing::Test {
protected:
    SearchJobTest() { drives.addDrive('G'); }

    RecordingHost run(SearchRequest request, BatchLimits limits = {}) const {
        RecordingHost host;
        SearchJob(drives.reader(), std::move(request), limits).run(host);
        return host;
    }

    TempDrives drives;
};

TEST_F(SearchJobTest, WalksTheCategoryOnEveryDriveInDriveOrder) {
    for (const char* path : {
             "F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3",
             "F:\\青禾点唱库\\1-音乐\\月亮代表我的心.wma",
             "F:\\青禾点唱库\\2-MTV\\月亮代表我的心.mp3",
             "G:\\青禾点唱库\\1-音乐\\邓丽君\\月亮.mp3",
             "G:\\青禾点唱库\\1-音乐\\0123 小城故事.mp3",
         }) {
        drives.addFile(path);
    }
    const RecordingHost keyword =
        run({kMusicTab, {"Q", "G", "", "F"}, gbk("月*亮*"), "*.mp3", gbk("月亮")});
    EXPECT_THAT(utf8(keyword.paths),
                ElementsAre("G:\\青禾点唱库\\1-音乐\\邓丽君\\月亮.mp3",
                            "F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3"));
    EXPECT_EQ(keyword.ends, 1);

    const RecordingHost number = run({kNoCategoryTab, {"F", "G", "", ""}, "123", "*.*", "123"});
    EXPECT_THAT(utf8(number.paths), ElementsAre("G:\\青禾点唱库\\1-音乐\\0123 小城故事.mp3"));

    const RecordingHost nothing = run({kNoCategoryTab, {"F", "", "", ""}, "999", "*.*", "999"});
    EXPECT_THAT(nothing.paths, IsEmpty());
    EXPECT_EQ(nothing.ends, 1);
}

TEST_F(SearchJobTest, AViewFindsEveryFileBelowItsFoldersInTheirOrder) {
    for (const char* path : {
             "F:\\青禾点唱库\\7-游戏\\jar格式\\a.jar",
             "F:\\青禾点唱库\\7-游戏\\jar格式\\深\\b",
             "F:\\青禾点唱库\\7-游戏\\c.jar",
             "G:\\青禾点唱库\\7-游戏\\jar格式\\d.jar",
         }) {
        drives.addFile(path);
    }
    auto request = libraryViewRequest({gbk("G:\\青禾点唱库\\7-游戏\\jar格式\\"),
                                       gbk("Q:\\青禾点唱库\\7-游戏\\jar格式\\"),
                                       gbk("F:\\青禾点唱库\\7-游戏\\jar格式\\")});
    // What a search would read is left alone: the series tab and a keyword change nothing.
    request.tabIndex = kSeriesTab;
    request.searchKeyword = "zzz";
    const RecordingHost view = run(request);
    EXPECT_THAT(utf8(view.paths), ElementsAre("G:\\青禾点唱库\\7-游戏\\jar格式\\d.jar",
                                              "F:\\青禾点唱库\\7-游戏\\jar格式\\a.jar",
                                              "F:\\青禾点唱库\\7-游戏\\jar格式\\深\\b"));
    EXPECT_EQ(view.ends, 1);
    EXPECT_EQ(run(libraryViewRequest({})).ends, 1);
}

// Whatever the clerk types reaches the walk as a pattern; none may crash or hang it.
TEST_F(SearchJobTest, OddKeywordsGiveTheirPlainResults) {
    for (const char* path :
         {"F:\\青禾点唱库\\1-音乐\\𠀀𠀁之歌.mp3", "F:\\青禾点唱库\\1-音乐\\a月亮.mp3",
          "F:\\青禾点唱库\\1-音乐\\ab.mp3"}) {
        drives.addFile(path);
    }
    const struct {
        const char* typed;
        std::vector<std::string> found;
    } cases[] = {
        {"a*", {"F:\\青禾点唱库\\1-音乐\\a月亮.mp3", "F:\\青禾点唱库\\1-音乐\\ab.mp3"}},
        {"?b", {"F:\\青禾点唱库\\1-音乐\\ab.mp3"}},
        {"𠀀𠀁", {"F:\\青禾点唱库\\1-音乐\\𠀀𠀁之歌.mp3"}},
        {"a月亮", {"F:\\青禾点唱库\\1-音乐\\a月亮.mp3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto keyword = chooseSearchKeyword(gbk(c.typed));
        ASSERT_EQ(keyword.kind, TypedTextKind::Keyword);
        const RecordingHost host =
            run({kMusicTab, {"F", "", "", ""}, keyword.searchKeyword, "*.mp3", gbk(c.typed)});
        EXPECT_THAT(utf8(host.paths), ::testing::UnorderedElementsAreArray(c.found));
    }

    std::string longText;
    for (int i = 0; i < 2000; ++i) {
        longText += "月";
    }
    const auto longKeyword = chooseSearchKeyword(gbk(longText.c_str()));
    const RecordingHost none =
        run({kMusicTab, {"F", "", "", ""}, longKeyword.searchKeyword, "*.mp3", gbk(longText)});
    EXPECT_THAT(none.paths, IsEmpty());
    EXPECT_EQ(none.ends, 1);
}

TEST_F(SearchJobTest, SeriesTabFindsTheFilesOfFoldersWhosePathHoldsTheTypedText) {
    for (const char* path : {
             "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\01.rmvb",
             "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\.隐藏.rmvb",
             "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\主题曲.mp3",
             "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\花絮\\02.rmvb",
             "F:\\青禾点唱库\\4-连续剧\\武侠\\射雕英雄传\\03.rmvb",
             "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕.rmvb",
             "F:\\青禾点唱库\\4-连续剧\\神雕.rmvb",
             "F:\\青禾点唱库\\3-电影\\神雕\\04.rmvb",
             "G:\\青禾点唱库\\4-连续剧\\新神雕侠侣\\05.rmvb",
         }) {
        drives.addFile(path);
    }
    // The typed text, not the keyword in steps, is looked for in the folders' paths.
    const RecordingHost all =
        run({kSeriesTab, {"F", "G", "", ""}, gbk("神*雕*"), "*.*", gbk("神雕")});
    EXPECT_THAT(utf8(all.paths),
                UnorderedElementsAre("F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\01.rmvb",
                                     "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\主题曲.mp3",
                                     "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\花絮\\02.rmvb",
                                     "G:\\青禾点唱库\\4-连续剧\\新神雕侠侣\\05.rmvb"));
    ASSERT_EQ(all.paths.size(), 4u);
    EXPECT_EQ(utf8(all.paths)[2], "F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\花絮\\02.rmvb");
    EXPECT_EQ(all.ends, 1);

    const RecordingHost music =
        run({kSeriesTab, {"F", "", "", ""}, gbk("神*雕*"), "*.mp3", gbk("神雕")});
    EXPECT_THAT(utf8(music.paths),
                ElementsAre("F:\\青禾点唱库\\4-连续剧\\武侠\\神雕侠侣\\主题曲.mp3"));

    // Matched against the whole path: the drive and library part hold "青禾" for every folder.
    const RecordingHost everyFolder = run({kSeriesTab, {"G", "", "", ""}, "", "*.*", gbk("青禾")});
    EXPECT_THAT(utf8(everyFolder.paths),
                ElementsAre("G:\\青禾点唱库\\4-连续剧\\新神雕侠侣\\05.rmvb"));
}

// The MTV tab walks "F:\青禾点唱库\2-MTV\"; a shop's folder spelled "2-mtv" is the same folder
// to Windows, so the tab finds what a search of the whole library finds there.
TEST_F(SearchJobTest, CategoryTabFindsItsFolderInAnyLetterCase) {
    constexpr int kMtvTab = 1;
    drives.addFile("F:\\青禾点唱库\\2-mtv\\月亮代表我的心.3gp");
    drives.addFile("G:\\青禾点唱库\\2-Mtv\\Live\\月亮.3gp");
    const SearchRequest request{kMtvTab, {"F", "G", "", ""}, gbk("月*亮*"), "*.*", gbk("月亮")};

    EXPECT_THAT(utf8(run(request).paths), ElementsAre("F:\\青禾点唱库\\2-MTV\\月亮代表我的心.3gp",
                                                      "G:\\青禾点唱库\\2-MTV\\Live\\月亮.3gp"));
    SearchRequest wholeLibrary = request;
    wholeLibrary.tabIndex = kNoCategoryTab;
    EXPECT_THAT(utf8(run(wholeLibrary).paths),
                ElementsAre("F:\\青禾点唱库\\2-mtv\\月亮代表我的心.3gp",
                            "G:\\青禾点唱库\\2-Mtv\\Live\\月亮.3gp"));
}

TEST_F(SearchJobTest, BatchesKeepTheOrderOfTheWalk) {
    for (int folder = 0; folder < 5; ++folder) {
        for (int file = 0; file < 7; ++file) {
            drives.addFile("F:\\青禾点唱库\\" + std::to_string(folder) + "\\" +
                           std::to_string(file) + ".mp3");
        }
    }
    std::vector<std::string> walked;
    WalkFiles(drives.reader(), gbk("F:\\青禾点唱库\\"), "**.*", walked);
    ASSERT_EQ(walked.size(), 35u);

    const RecordingHost host =
        run({kNoCategoryTab, {"F", "", "", ""}, "", "*.*", ""}, {4, std::chrono::hours(1)});
    EXPECT_THAT(host.paths, ElementsAreArray(walked));
    EXPECT_EQ(host.batches.size(), 10u);  // the first path alone, eight full, the last two
    EXPECT_EQ(host.ends, 1);
}

TEST_F(SearchJobTest, AStoppedJobReadsNoFurtherFolderAndReportsNothingMore) {
    for (const char* path : {"F:\\青禾点唱库\\a\\1.mp3", "F:\\青禾点唱库\\b\\2.mp3",
                             "F:\\青禾点唱库\\c\\3.mp3", "G:\\青禾点唱库\\4.mp3"}) {
        drives.addFile(path);
    }
    // Stopped at its first batch, as when a newer search supersedes it.
    struct StoppingHost final : SearchHost {
        void pathsFound(std::vector<std::string> batch) override {
            paths.insert(paths.end(), batch.begin(), batch.end());
            stop.request_stop();
        }
        void searchEnded() override { ended = true; }
        std::stop_source stop;
        std::vector<std::string> paths;
        bool ended = false;
    } host;
    const SearchJob job(drives.reader(), {kNoCategoryTab, {"F", "G", "", ""}, "", "*.*", ""},
                        {1, std::chrono::hours(1)});
    job.run(host, host.stop.get_token());
    EXPECT_EQ(host.paths.size(), 1u);
    EXPECT_FALSE(host.ended);
}

}  // namespace
}  // namespace qh
