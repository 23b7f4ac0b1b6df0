#include "library/size_text.h"

#include <gtest/gtest.h>

namespace qh {
namespace {

TEST(SizeText, HundredthsOf1024000BytesCutNotRounded) {
    const struct {
        const char* name;
        std::int64_t bytes;
        const char* text;
    } cases[] = {
        {"empty file", 0, "0.00"},
        {"one byte short of a hundredth", 10239, "0.00"},
        {"one hundredth", 10240, "0.01"},
        {"one digit", 5 * 10240 + 10239, "0.05"},
        {"two digits", 47 * 10240, "0.47"},
        {"three digits", 123 * 10240, "1.23"},
        {"a mebibyte is not a unit", 1048576, "1.02"},
        {"five million bytes", 5000000, "4.88"},
        {"above 2 GiB", std::int64_t{3} << 30, "3145.72"},
        {"above 4 GiB", (std::int64_t{5} << 30) + 1, "5242.88"},
        {"missing file", -1, "0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SizeText(c.bytes), c.text);
    }
}

}  // namespace
}  // namespace qh
