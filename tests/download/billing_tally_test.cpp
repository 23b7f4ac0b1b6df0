#include "download/billing_tally.h"

#include <gtest/gtest.h>

#include "download/amount_text.h"
#include "download/list_size_memo.h"
#include "library/temp_drives.h"

namespace qh {
namespace {

using testing::gbkAll;
using testing::TempDrives;

// Category indexes, in table order.
constexpr int kMusic = 0, kFilm = 2, kSeries = 3, kPicture = 4, kGame = 6, kLifeFilm = 7,
              kConcert = 9, kRingtone = 10, kOther = 11;

// A file of the given size without writing its bytes, so large films cost no disk space.
void addSizedFile(TempDrives& drives, const char* path, std::int64_t bytes) {
    std::filesystem::resize_file(drives.addFile(path), static_cast<std::uintmax_t>(bytes));
}

UnitPrices pricesFrom(std::initializer_list<std::pair<int, const char*>> prices) {
    UnitPrices table{};
    for (const auto& [index, text] : prices) {
        table[index] = unitPriceFromText(text);
    }
    return table;
}

CategoryCounts countsOf(std::initializer_list<std::pair<int, int>> counts) {
    CategoryCounts table{};
    for (const auto& [index, count] : counts) {
        table[index] = count;
    }
    return table;
}

TEST(BillingTally, SongAndFilmTallyToTheirSizeAndAmount) {
    TempDrives drives;
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\月亮.mp3", 5'000'000);
    addSizedFile(drives, "F:\\青禾点唱库\\3-电影\\长片.rmvb", 734'003'200);
    const auto tally =
        tallyList(gbkAll({"F:\\青禾点唱库\\1-音乐\\月亮.mp3", "F:\\青禾点唱库\\3-电影\\长片.rmvb"}),
                  drives.files(), pricesFrom({{kMusic, "0.1"}, {kFilm, "1"}, {kPicture, "9"}}));
    EXPECT_EQ(tally.counts, countsOf({{kMusic, 1}, {kFilm, 1}}));
    EXPECT_EQ(tally.fileCount, 2);
    EXPECT_EQ(tally.sizeUnits, 488 + 71'680);
    EXPECT_EQ(tally.sizeText, "721.68");
    EXPECT_EQ(tally.amountDue, 11'000);
    EXPECT_EQ(AmountText(tally.amountDue), "1.1");
}

TEST(BillingTally, EachFileIsCutToWholeUnitsBeforeSumming) {
    TempDrives drives;
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\a.mp3", 10'239);
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\b.mp3", 10'239);
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\c.mp3", 10'240);
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\d.mp3", 102'400);
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\e.mp3", 1'024'000);
    addSizedFile(drives, "F:\\青禾点唱库\\3-电影\\大.rmvb", std::int64_t{3} << 30);
    const struct {
        const char* name;
        std::vector<const char*> files;
        const char* sizeText;
    } cases[] = {
        {"two files just under a unit", {"a.mp3", "b.mp3"}, "0.00"},
        {"one unit", {"c.mp3"}, "0.01"},
        {"ten units", {"d.mp3"}, "0.10"},
        {"a hundred units", {"e.mp3"}, "1.00"},
        {"missing file", {"没有.mp3"}, "0.00"},
        {"missing beside one unit", {"没有.mp3", "c.mp3"}, "0.01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> paths;
        for (const char* file : c.files) {
            paths.push_back(gbk("F:\\青禾点唱库\\1-音乐\\") + gbk(file));
        }
        const auto tally = tallyList(paths, drives.files(), {});
        EXPECT_EQ(tally.sizeText, c.sizeText);
        EXPECT_EQ(tally.counts[kMusic], static_cast<int>(c.files.size()));
    }
    // 3 GiB is 314,572 units: sizes past 2 GiB are not cut to 32 bits.
    EXPECT_EQ(tallyList(gbkAll({"F:\\青禾点唱库\\3-电影\\大.rmvb"}), drives.files(), {}).sizeText,
              "3145.72");
}

TEST(BillingTally, EntriesCountInTheCategoryOfTheirFolder) {
    TempDrives drives;
    const struct {
        const char* path;
        int index;
    } cases[] = {
        {"F:\\青禾点唱库\\8-伦理片\\a.rmvb", kLifeFilm},
        {"F:\\青禾点唱库\\10-演唱会\\a.mp4", kConcert},
        {"F:\\青禾点唱库\\4-连续剧\\剧\\第1集.rmvb", kSeries},
        {"F:\\青禾点唱库\\12-其它\\a.zip", kOther},
        {"F:\\青禾点唱库\\a.mp3", kPicture},           // directly in the library folder
        {"F:\\青禾点唱库\\1-音乐合集.mp3", kPicture},  // named like a category folder
        {"D:\\歌曲下载\\a.mp3", kPicture},             // outside the library
        {"F:\\青禾点唱库\\1-音乐\\没有.mp3", kMusic},  // missing file
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto tally = tallyList({gbk(c.path)}, drives.files(), {});
        EXPECT_EQ(tally.counts, countsOf({{c.index, 1}}));
        EXPECT_EQ(tally.fileCount, 1);
    }
}

TEST(BillingTally, EmptyListShowsPlainZeros) {
    TempDrives drives;
    const auto tally = tallyList({}, drives.files(), pricesFrom({{kMusic, "0.1"}}));
    EXPECT_EQ(tally.counts, CategoryCounts{});
    EXPECT_EQ(tally.fileCount, 0);
    EXPECT_EQ(tally.sizeText, "0");
    EXPECT_EQ(AmountText(tally.amountDue), "0");
}

TEST(BillingTally, AmountIsCountTimesPriceSummedOverCategories) {
    const auto prices = pricesFrom({{kMusic, "0.1"},
                                    {kFilm, "1"},
                                    {kPicture, "0.15"},
                                    {kGame, "5"},
                                    {kRingtone, "0.1"},
                                    {kOther, "1"},
                                    {kSeries, "abc"}});
    const struct {
        const char* name;
        CategoryCounts counts;
        const char* amount;
    } cases[] = {
        {"three songs", countsOf({{kMusic, 3}}), "0.3"},
        {"two games and a film", countsOf({{kGame, 2}, {kFilm, 1}}), "11"},
        {"others and ringtones", countsOf({{kOther, 3}, {kRingtone, 2}}), "3.2"},
        {"pictures at four decimals", countsOf({{kPicture, 3}}), "0.45"},
        {"unpriced series are free", countsOf({{kSeries, 4}, {kMusic, 1}}), "0.1"},
        {"nothing", CategoryCounts{}, "0"},
        {"a million songs", countsOf({{kMusic, 1'000'000}}), "100000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AmountText(amountDue(c.counts, prices)), c.amount);
    }
}

TEST(BillingTally, EntryOutsideTheCategoriesIsChargedThePicturePrice) {
    TempDrives drives;
    const auto tally = tallyList(gbkAll({"F:\\青禾点唱库\\a.jpg", "F:\\青禾点唱库\\5-图片\\b.jpg"}),
                                 drives.files(), pricesFrom({{kPicture, "0.5"}, {kOther, "7"}}));
    EXPECT_EQ(tally.counts, countsOf({{kPicture, 2}}));
    EXPECT_EQ(AmountText(tally.amountDue), "1");
}

TEST(ListSizeMemo, KeepsEachListsLastNonEmptyTotal) {
    TempDrives drives;
    addSizedFile(drives, "F:\\青禾点唱库\\1-音乐\\a.mp3", 1'024'000);
    const auto full = tallyList(gbkAll({"F:\\青禾点唱库\\1-音乐\\a.mp3"}), drives.files(), {});
    const auto empty = tallyList({}, drives.files(), {});

    ListSizeMemo memo;
    memo.record(1, full);
    memo.record(1, empty);  // 清单2 cleared
    memo.record(2, empty);
    EXPECT_EQ(memo.text(0), "0");
    EXPECT_EQ(memo.text(1), "1.00");
    EXPECT_EQ(memo.text(2), "0");
    memo.record(4, full);  // 清单5
    EXPECT_EQ(memo.text(4), "1.00");
}

}  // namespace
}  // namespace qh
