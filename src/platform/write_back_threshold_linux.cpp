#include "platform/write_back_threshold_linux.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "text/atomic_file.h"

namespace qh {

namespace {

std::optional<std::int64_t> leadingNumber(std::string_view text) {
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (error != std::errc{} || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> availableBytes(std::string_view meminfo) {
    constexpr std::string_view key = "MemAvailable:";
    const auto at = meminfo.find(key);
    if (at == std::string_view::npos || (at > 0 && meminfo[at - 1] != '\n')) {
        return std::nullopt;
    }
    const auto kibibytes = leadingNumber(meminfo.substr(at + key.size()));
    if (!kibibytes) {
        return std::nullopt;
    }
    return *kibibytes * 1024;
}

}  // namespace

std::int64_t backgroundWriteBackBytes(std::string_view backgroundBytes,
                                      std::string_view backgroundRatio, std::string_view meminfo,
                                      std::int64_t floor) {
    if (const auto bytes = leadingNumber(backgroundBytes); bytes && *bytes > 0) {
        return std::max(*bytes, floor);
    }
    const auto ratio = leadingNumber(backgroundRatio);
    const auto available = availableBytes(meminfo);
    if (!ratio || !available) {
        return floor;
    }
    return std::max(*available / 100 * *ratio, floor);
}

std::int64_t backgroundWriteBackBytes(std::int64_t floor) {
    const auto read = [](const char* path) { return readWholeFile(path).value_or(""); };
    return backgroundWriteBackBytes(read("/proc/sys/vm/dirty_background_bytes"),
                                    read("/proc/sys/vm/dirty_background_ratio"),
                                    read("/proc/meminfo"), floor);
}

}  // namespace qh
