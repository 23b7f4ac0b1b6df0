#include "library/category_table.h"

#include "text/gbk.h"

namespace qh {

namespace {

Category makeCategory(int index, const char* folder, const char* caption, const char* priceKey,
                      const char* unit) {
    return {index, index + 1, gbk(folder), gbk(caption), priceKey, gbk(unit)};
}

}  // namespace

const std::array<Category, kCategoryCount>& categoryTable() {
    // Category 8 is stored as 伦理片 but shown as 生活片 on the tab strip and the tally.
    static const std::array<Category, kCategoryCount> table = {
        makeCategory(0, "1-音乐", "音乐", "yy", "元/首"),
        makeCategory(1, "2-MTV", "MTV", "mtv", "元/首"),
        makeCategory(2, "3-电影", "电影", "dy", "元/部"),
        makeCategory(3, "4-连续剧", "连续剧", "lxj", "元/集"),
        makeCategory(4, "5-图片", "图片", "tp", "元/个"),
        makeCategory(5, "6-电子书", "电子书", "dzs", "元/部"),
        makeCategory(6, "7-游戏", "游戏", "yx", "元/个"),
        makeCategory(7, "8-伦理片", "生活片", "llp", "元/部"),
        makeCategory(8, "9-小品", "小品", "xp", "元/个"),
        makeCategory(9, "10-演唱会", "演唱会", "ych", "元/个"),
        makeCategory(10, "11-铃声", "铃声", "ls", "元/个"),
        makeCategory(11, "12-其它", "其它", "qt", "元/个"),
    };
    return table;
}

}  // namespace qh
