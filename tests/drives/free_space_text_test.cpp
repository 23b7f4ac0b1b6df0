#include "drives/free_space_text.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

TEST(FreeSpaceText, WholeMegabytesOfFreeAndTotalSpace) {
    const struct {
        const char* name;
        VolumeSize size;
        const char* text;
    } cases[] = {
        {"card, 1464.8 MB free truncated",
         {2'013'265'920, 1'536'000'000},
         "可用空间：1464 MB 总大小：1920 MB"},
        {"full disk", {16 * 1024 * 1024, 0}, "可用空间：0 MB 总大小：16 MB"},
        {"a byte short of a megabyte",
         {1024 * 1024, 1024 * 1024 - 1},
         "可用空间：0 MB 总大小：1 MB"},
        {"2 TB disk, no separators",
         {2'199'023'255'552, 1'099'511'627'776},
         "可用空间：1048576 MB 总大小：2097152 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(freeSpaceText(c.size), gbk(c.text));
    }
}

TEST(FreeSpaceText, UnreadableSizesSayTheDiskIsNotConnected) {
    EXPECT_EQ(freeSpaceText(std::nullopt), gbk("可移动磁盘 未连接 或 未选择"));
}

}  // namespace
}  // namespace qh
