#include "download/amount_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace qh {
namespace {

TEST(AmountText, ShortestDecimalFormWithoutTrailingZeros) {
    const struct {
        std::int64_t tenThousandths;
        const char* text;
    } cases[] = {
        {0, "0"},
        {11000, "1.1"},
        {110000, "11"},
        {32000, "3.2"},
        {1, "0.0001"},
        {10, "0.001"},
        {10001, "1.0001"},
        {123456789, "12345.6789"},
        {std::int64_t{10'000'000'000'000} * 10'000, "10000000000000"},  // no exponent
        {-5000, "-0.5"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AmountText(c.tenThousandths), c.text);
    }
}

}  // namespace
}  // namespace qh
