#pragma once
// The twelve library categories. The index is the tab of the category strip and the order of
// the tally and the prices; the number is the folder prefix.
#include <array>
#include <string>

namespace qh {

struct Category {
    int index = 0;           // 0..11
    int number = 0;          // 1..12
    std::string folder;      // GBK, "1-音乐"
    std::string tabCaption;  // GBK, "音乐"
    std::string priceKey;    // key in section DanJa, "yy"
    std::string priceUnit;   // GBK, "元/首"
};

inline constexpr int kCategoryCount = 12;

const std::array<Category, kCategoryCount>& categoryTable();

}  // namespace qh
