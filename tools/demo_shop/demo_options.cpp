#include "demo_options.h"

#include <charconv>
#include <limits>

namespace qh::demo {

std::optional<std::uint64_t> parseFileCount(std::string_view text) {
    std::uint64_t multiplier = 1;
    if (!text.empty()) {
        const char unit = text.back();
        if (unit == 'k' || unit == 'K') {
            multiplier = 1000;
        } else if (unit == 'm' || unit == 'M') {
            multiplier = 1000000;
        }
        if (multiplier != 1) {
            text.remove_suffix(1);
        }
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0 ||
        value > std::numeric_limits<std::uint64_t>::max() / multiplier) {
        return std::nullopt;
    }
    return value * multiplier;
}

std::variant<DemoOptions, std::string> parseDemoOptions(std::span<const std::string_view> args) {
    DemoOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--force") {
            options.force = true;
        } else if (arg == "--out" && hasValue) {
            options.outDir = std::string(args[++i]);
        } else if (arg == "--files" && hasValue) {
            options.fileCount = parseFileCount(args[++i]);
            if (!options.fileCount) {
                return "not a file count: " + std::string(args[i]);
            }
        } else {
            return "unexpected argument: " + std::string(arg);
        }
    }
    if (options.outDir.empty()) {
        return std::string("--out DIR is required");
    }
    return options;
}

}  // namespace qh::demo
