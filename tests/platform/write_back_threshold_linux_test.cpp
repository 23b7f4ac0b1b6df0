#include "platform/write_back_threshold_linux.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace qh {
namespace {

constexpr std::int64_t kFloor = 64 << 20;
constexpr const char* kMeminfo =
    "MemTotal:        8000000 kB\nMemFree:         1000000 kB\nMemAvailable:    4000000 kB\n";

struct ThresholdCase {
    const char* what;
    const char* bytes;
    const char* ratio;
    const char* meminfo;
    std::int64_t expected;
};

void PrintTo(const ThresholdCase& c, std::ostream* out) {
    *out << c.what;
}

class WriteBackThresholdTest : public ::testing::TestWithParam<ThresholdCase> {};

TEST_P(WriteBackThresholdTest, AsTheKernelReckonsIt) {
    const ThresholdCase& c = GetParam();
    EXPECT_EQ(backgroundWriteBackBytes(c.bytes, c.ratio, c.meminfo, kFloor), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WriteBackThresholdTest,
    ::testing::Values(
        // The available memory is in kibibytes: 10% of 4,096,000,000 bytes.
        ThresholdCase{"ratio_of_available_memory", "0\n", "10\n", kMeminfo, 409'600'000},
        ThresholdCase{"bytes_win_over_ratio", "300000000\n", "10\n", kMeminfo, 300'000'000},
        ThresholdCase{"never_below_the_floor", "0\n", "1\n", kMeminfo, kFloor},
        ThresholdCase{"no_meminfo", "0\n", "10\n", "", kFloor},
        ThresholdCase{"total_is_not_available", "0\n", "10\n", "MemTotal: 8000000 kB\n", kFloor},
        ThresholdCase{"unreadable", "", "", "", kFloor}),
    [](const auto& info) { return std::string(info.param.what); });

// This machine's own settings give some threshold, never below the floor.
TEST(WriteBackThresholdHostTest, ThisMachineGivesAtLeastTheFloor) {
    EXPECT_GE(backgroundWriteBackBytes(kFloor), kFloor);
}

}  // namespace
}  // namespace qh
