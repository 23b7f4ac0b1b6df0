#pragma once
// Unit prices: yuan per file of a category, held as fixed-point amounts, a 64-bit count of
// ten-thousandths of a yuan (0.1 is 1000), so sums of prices are exact.
#include <array>
#include <cstdint>
#include <string_view>

#include "library/category_table.h"

namespace qh {

// One price per category, in category-table order.
using UnitPrices = std::array<std::int64_t, kCategoryCount>;

// The most a price may be: one million yuan. Even a list of a hundred million files at that
// price stays inside 64 bits.
inline constexpr std::int64_t kMaxUnitPrice = std::int64_t{1'000'000} * 10'000;

// The price a text stands for, in ten-thousandths of a yuan, rounded to the nearest; a fifth
// decimal of 5 or more rounds up ("0.00005" is 1). Blanks at the two ends are ignored, as the
// settings file drops them anyway.
//
// Prices are typed by the clerk and saved unchecked, so anything may come back. A text that is
// not a plain decimal number (digits with at most one point, at least one digit: "5", "0.5",
// ".5", "5.") counts as 0, so such a category is charged nothing and the tally never fails:
// an empty text (no price set), a sign ("-1", "+1"), an exponent ("1e400"), a comma ("1,5"),
// thousands separators, full-width digits, letters. So does a price above kMaxUnitPrice.
std::int64_t unitPriceFromText(std::string_view text);

}  // namespace qh
