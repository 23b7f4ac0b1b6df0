#pragma once
// The generator's command line: qinghe-demo-shop --out DIR [--files N] [--force].
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace qh::demo {

struct DemoOptions {
    std::filesystem::path outDir;
    // Absent: the small demo with playable content. Present: a benchmark shop of about this many
    // files, empty or sparse.
    std::optional<std::uint64_t> fileCount;
    // Write into a folder that is not empty.
    bool force = false;
};

inline constexpr std::string_view kUsage =
    "usage: qinghe-demo-shop --out DIR [--files N|Nk|Nm] [--force]";

// The arguments after the program name; an error text when they cannot be used.
std::variant<DemoOptions, std::string> parseDemoOptions(std::span<const std::string_view> args);

// "300000", "300k", "1m" (either case); empty for anything else or for 0.
std::optional<std::uint64_t> parseFileCount(std::string_view text);

}  // namespace qh::demo
