#include "library/display_name.h"

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace qh {
namespace {

TEST(DisplayName, NameWithoutExtensionOrMarkerAndTheTypeBeside) {
    const struct {
        const char* path;
        const char* name;
        const char* type;
    } cases[] = {
        {"F:\\青禾点唱库\\1-音乐\\0012 月亮代表我的心.mp3", "0012 月亮代表我的心", "mp3"},
        {"F:\\青禾点唱库\\3-电影\\film.RMVB", "film", "RMVB"},
        {"F:\\青禾点唱库\\1-音乐\\歌qh2009.mp3", "歌", "mp3"},
        {"F:\\a\\qh2009歌qh2009.mp3", "歌qh2009", "mp3"},
        {"F:\\a\\说明", "说明", ""},
        {"F:\\a\\b.c\\d.tar.gz", "d.tar", "gz"},
        {"F:\\a.b\\说明", "说明", ""},
        // 乗 ends in the byte of a backslash; it does not end the folder.
        {"F:\\乗.mp3", "乗", "mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(DisplayName(gbk(c.path)), gbk(c.name));
        EXPECT_EQ(TypeText(gbk(c.path)), c.type);
    }
}

}  // namespace
}  // namespace qh
