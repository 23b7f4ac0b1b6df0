#pragma once
// Plausible sizes of the sparse files of a format folder, by extension.
#include <cstdint>
#include <span>
#include <string_view>

namespace qh::demo {

struct SizeRange {
    std::string_view extension;
    std::uint64_t low;
    std::uint64_t high;
};

// The range of `extension` in the table, or `fallback` for an extension it does not list.
inline SizeRange sizeRangeOf(std::span<const SizeRange> table, std::string_view extension,
                             SizeRange fallback) {
    for (const SizeRange& range : table) {
        if (range.extension == extension) {
            return range;
        }
    }
    return fallback;
}

}  // namespace qh::demo
