#include "drives/disk_selectors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

constexpr std::uint64_t MB = 1024 * 1024;

std::vector<std::string> entriesFor(std::initializer_list<const char*> roots) {
    std::vector<std::string> entries;
    for (const char* root : roots) {
        entries.push_back(gbk("可移动磁盘：") + root);
    }
    return entries;
}

std::vector<std::string> textsOf(const DiskSelectors& selectors) {
    std::vector<std::string> texts;
    for (int list = 0; list < kListCount; ++list) {
        texts.push_back(selectors.text(list));
    }
    return texts;
}

const std::string kPrompt = gbk("请选择可移动磁盘");

// Sticks on G and H, chosen by lists: 清单1 G, 清单2 H, 清单4 G; 清单3 and 清单5 none.
class ChosenDisks : public ::testing::Test {
protected:
    ChosenDisks() {
        selectors.offer("G:\\", 64 * MB);
        selectors.offer("H:\\", 64 * MB);
        selectors.choose(0, 0);
        selectors.choose(1, 1);
        selectors.choose(3, 0);
    }

    DiskSelectors selectors;
    const std::string g = gbk("可移动磁盘：G:\\");
    const std::string h = gbk("可移动磁盘：H:\\");
};

TEST(DiskSelectors, StartUpListsLargeRemovableDrivesInTheGivenOrderAndChoosesNone) {
    DiskSelectors selectors;
    selectors.fillAtStartup({
        {"C:\\", DriveType::Fixed, 500'000 * MB},
        {"E:\\", DriveType::Removable, 8 * MB},
        {"F:\\", DriveType::Removable, 0},  // a reader without a card
        {"G:\\", DriveType::Removable, 2'013'265'920},
        {"H:\\", DriveType::Removable, 11 * MB},
    });
    EXPECT_EQ(selectors.entries(), entriesFor({"G:\\", "H:\\"}));
    EXPECT_THAT(textsOf(selectors), Each(kPrompt));
    for (int list = 0; list < kListCount; ++list) {
        EXPECT_EQ(selectors.chosenRoot(list), std::nullopt);
    }
}

TEST_F(ChosenDisks, ChoosingAnEntrySetsOnlyThatListsText) {
    EXPECT_THAT(textsOf(selectors), ElementsAre(g, h, kPrompt, g, kPrompt));
    EXPECT_EQ(selectors.chosenRoot(1), "H:\\");
    EXPECT_EQ(selectors.chosenRoot(2), std::nullopt);

    selectors.choose(2, 2);  // past the entries
    EXPECT_EQ(selectors.text(2), kPrompt);
}

TEST_F(ChosenDisks, AnAddedDriveGoesToTheEndWithoutBeingChosen) {
    EXPECT_FALSE(selectors.offer("J:\\", 10 * MB));
    EXPECT_TRUE(selectors.offer("I:\\", 11 * MB));
    EXPECT_EQ(selectors.entries(), entriesFor({"G:\\", "H:\\", "I:\\"}));
    EXPECT_THAT(textsOf(selectors), ElementsAre(g, h, kPrompt, g, kPrompt));
}

TEST_F(ChosenDisks, WithdrawingADiskNoListChoseOnlyRemovesItsEntry) {
    selectors.offer("I:\\", 64 * MB);
    EXPECT_THAT(selectors.withdraw("I:\\"), ::testing::IsEmpty());
    EXPECT_EQ(selectors.entries(), entriesFor({"G:\\", "H:\\"}));
    EXPECT_THAT(textsOf(selectors), ElementsAre(g, h, kPrompt, g, kPrompt));
}

TEST_F(ChosenDisks, WithdrawingADiskResetsEveryListThatChoseIt) {
    EXPECT_THAT(selectors.withdraw("G:\\"), ElementsAre(0, 3));
    EXPECT_EQ(selectors.entries(), entriesFor({"H:\\"}));
    EXPECT_THAT(textsOf(selectors), ElementsAre(kPrompt, h, kPrompt, kPrompt, kPrompt));
    EXPECT_EQ(selectors.chosenRoot(0), std::nullopt);
    // The remaining entry keeps its place for the next choice.
    selectors.choose(0, 0);
    EXPECT_EQ(selectors.chosenRoot(0), "H:\\");
}

TEST_F(ChosenDisks, WithdrawingTakesEveryEntryOfTheDrive) {
    selectors.offer("G:\\", 64 * MB);  // reported added a second time
    EXPECT_THAT(selectors.withdraw("G:\\"), ElementsAre(0, 3));
    EXPECT_EQ(selectors.entries(), entriesFor({"H:\\"}));
}

TEST_F(ChosenDisks, WithdrawingADriveNoEntryNamesChangesNothing) {
    EXPECT_THAT(selectors.withdraw("K:\\"), ::testing::IsEmpty());
    EXPECT_EQ(selectors.entries(), entriesFor({"G:\\", "H:\\"}));
    EXPECT_THAT(textsOf(selectors), ElementsAre(g, h, kPrompt, g, kPrompt));
}

}  // namespace
}  // namespace qh
