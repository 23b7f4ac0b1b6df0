#include "library/search_result.h"

#include <gtest/gtest.h>

#include "temp_drives.h"

namespace qh {
namespace {

using testing::TempDrives;

TEST(SearchResult, RowShowsNameTypeSizeAndNumber) {
    TempDrives drives;
    std::filesystem::resize_file(drives.addFile("F:\\库\\0012 月亮代表我的心.mp3"), 5000000);
    EXPECT_EQ(makeSearchResult(drives.files(), gbk("F:\\库\\0012 月亮代表我的心.mp3"), 3),
              (SearchResult{gbk("0012 月亮代表我的心"), "mp3", "4.88", 3}));
    // A file gone since it was found shows no size.
    EXPECT_EQ(makeSearchResult(drives.files(), gbk("F:\\库\\没了.wma"), 4),
              (SearchResult{gbk("没了"), "wma", "0.00", 4}));
}

}  // namespace
}  // namespace qh
