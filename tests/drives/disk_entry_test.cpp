#include "drives/disk_entry.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

TEST(DiskEntry, NamesTheRootAfterATwelveBytePrefix) {
    EXPECT_EQ(diskEntryPrefix().size(), 12u);
    EXPECT_EQ(diskEntry("G:\\"), gbk("可移动磁盘：G:\\"));
    EXPECT_EQ(diskRootOf(diskEntry("G:\\")), "G:\\");
}

TEST(DiskEntry, RootIsTheTextLessItsFirstTwelveBytesWheneverThePrefixOccurs) {
    const struct {
        const char* name;
        std::string text;
        std::optional<std::string> root;
    } cases[] = {
        {"the prompt", gbk("请选择可移动磁盘"), std::nullopt},
        {"empty", "", std::nullopt},
        {"a root alone", "G:\\", std::nullopt},
        {"prefix with nothing after it", gbk("可移动磁盘："), ""},
        // The prefix further in still counts, and the cut is made at the front all the same.
        {"prefix after one byte", gbk("x可移动磁盘：G:\\"), gbk("x可移动磁盘：G:\\").substr(12)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(diskRootOf(c.text), c.root);
    }
}

TEST(DiskEntry, OnlyDrivesOfMoreThanTenWholeMegabytesGetAnEntry) {
    constexpr std::uint64_t MB = 1024 * 1024;
    const struct {
        const char* name;
        std::uint64_t totalBytes;
        bool offered;
    } cases[] = {
        {"unreadable, counted as nothing", 0, false},
        {"8 MB", 8 * MB, false},
        {"exactly 10 MB", 10 * MB, false},
        {"a byte short of 11 MB is still 10", 11 * MB - 1, false},
        {"11 MB", 11 * MB, true},
        {"64 GB card, beyond 32 bits", 64 * 1024 * MB, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isLargeEnoughForEntry(c.totalBytes), c.offered);
    }
}

}  // namespace
}  // namespace qh
