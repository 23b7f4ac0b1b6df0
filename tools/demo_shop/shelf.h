#pragma once
// A shelf: a folder of a category and the titles a shop keeps there, written "a|b|c" so that the
// tables read like the shop's own lists.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qh::demo {

struct Shelf {
    std::string_view folder;
    std::string_view titles;
};

std::vector<std::string_view> splitTitles(std::string_view titles);

// The index-th of an endless row of distinct names: the titles once each, then each title again
// with the first variant, then with the second, ..., then with the variants and "(2)", "(3)"...
// Folders of unnumbered files (films, books, games) draw from it so names never collide.
std::string distinctTitle(std::span<const std::string_view> titles,
                          std::span<const std::string_view> variants, std::uint64_t index);

// The extension a format folder holds: "AMV格式" -> ".amv", "jar格式" -> ".jar".
std::string formatFolderExtension(std::string_view folder);

}  // namespace qh::demo
