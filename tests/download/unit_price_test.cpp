#include "download/unit_price.h"

#include <gtest/gtest.h>

namespace qh {
namespace {

TEST(UnitPriceFromText, DecimalsAreExactAndRoundToTheNearestTenThousandth) {
    const struct {
        const char* text;
        std::int64_t price;
    } cases[] = {
        {"0.1", 1000},
        {"0.15", 1500},  // 0.15 x 10000 is 1499.99... in binary floating point
        {"5", 50000},
        {"1.1", 11000},
        {"0", 0},
        {"007.50", 75000},
        {".5", 5000},
        {"5.", 50000},
        {"0.00005", 1},
        {"0.000049999", 0},
        {"0.00015", 2},
        {"2.99995", 30000},
        {"0.1000000000000000000001", 1000},
        {" 0.5 ", 5000},
        {"\t3\t", 30000},
        {"1000000", kMaxUnitPrice},
        {"1000000.00004", kMaxUnitPrice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(unitPriceFromText(c.text), c.price);
    }
}

TEST(UnitPriceFromText, AnythingButAPlainDecimalWithinRangeCountsAsZero) {
    const char* const cases[] = {
        "",
        " ",
        ".",
        "abc",
        "1e400",
        "1E2",
        "-1",
        "+1",
        "-0.5",
        "1,5",
        "1,000",
        "0.5元",
        "1.2.3",
        "0x10",
        "1 000",
        "inf",
        "nan",
        "１",  // a full-width digit
        "1000000.00005",
        "1000001",
        "99999999999999999999999999",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(unitPriceFromText(text), 0);
    }
}

}  // namespace
}  // namespace qh
