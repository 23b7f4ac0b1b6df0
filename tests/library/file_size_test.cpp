#include "library/file_size.h"

#include <gtest/gtest.h>

#include "temp_drives.h"

namespace qh {
namespace {

using testing::TempDrives;

TEST(FileSizeOf, SixtyFourBitSizeOrMinusOneWhenNotAFile) {
    TempDrives drives;
    drives.addFile("F:\\库\\空.mp3");
    drives.addFile("F:\\库\\.隐藏.mp3", "abc");
    // Sparse: the size is real, the disk space is not.
    std::filesystem::resize_file(drives.addFile("F:\\库\\大.rmvb"), std::uintmax_t{3} << 30);
    const struct {
        const char* path;
        std::int64_t size;
    } cases[] = {
        {"F:\\库\\空.mp3", 0},
        {"F:\\库\\.隐藏.mp3", 3},
        {"F:\\库\\大.rmvb", std::int64_t{3} << 30},
        {"F:\\库\\没有.mp3", -1},
        {"F:\\库", -1},
        {"Q:\\库\\空.mp3", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileSizeOf(drives.files(), gbk(c.path)), c.size);
    }
}

}  // namespace
}  // namespace qh
