#include "library/search_plan.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

TEST(SearchPlan, RootsAreTheChosenCategoryOnEveryDriveInOrder) {
    const std::array<std::string, kLibraryDriveCount> drives = {"G", "", "F", "H"};
    const struct {
        const char* name;
        int tab;
        std::vector<std::string> roots;
    } cases[] = {
        {"no tab: whole library",
         kNoCategoryTab,
         {gbk("G:\\青禾点唱库\\"), gbk("F:\\青禾点唱库\\"), gbk("H:\\青禾点唱库\\")}},
        {"music",
         0,
         {gbk("G:\\青禾点唱库\\1-音乐\\"), gbk("F:\\青禾点唱库\\1-音乐\\"),
          gbk("H:\\青禾点唱库\\1-音乐\\")}},
        {"last tab",
         11,
         {gbk("G:\\青禾点唱库\\12-其它\\"), gbk("F:\\青禾点唱库\\12-其它\\"),
          gbk("H:\\青禾点唱库\\12-其它\\")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(searchRoots(c.tab, drives), c.roots);
    }
    EXPECT_TRUE(searchRoots(2, {"", "", "", ""}).empty());
}

TEST(SearchPlan, MusicTabSearchesMp3AndOtherTabsKeepTheMask) {
    EXPECT_EQ(searchMaskAtStart(kMusicTab, kAllFilesMask), kMusicMask);
    EXPECT_EQ(searchMaskAtStart(2, kMusicMask), kMusicMask);
    EXPECT_EQ(searchMaskAtStart(2, kAllFilesMask), kAllFilesMask);
    EXPECT_EQ(searchMaskAtStart(kNoCategoryTab, kAllFilesMask), kAllFilesMask);
    EXPECT_EQ(walkPattern(gbk("月*亮*"), kMusicMask), gbk("*月*亮**.mp3"));
    EXPECT_EQ(walkPattern("123", kAllFilesMask), "*123*.*");
}

}  // namespace
}  // namespace qh
