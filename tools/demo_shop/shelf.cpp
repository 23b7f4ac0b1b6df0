#include "shelf.h"

namespace qh::demo {

std::vector<std::string_view> splitTitles(std::string_view titles) {
    std::vector<std::string_view> result;
    while (!titles.empty()) {
        const auto bar = titles.find('|');
        result.push_back(titles.substr(0, bar));
        titles.remove_prefix(bar == std::string_view::npos ? titles.size() : bar + 1);
    }
    return result;
}

std::string distinctTitle(std::span<const std::string_view> titles,
                          std::span<const std::string_view> variants, std::uint64_t index) {
    const std::uint64_t round = index / titles.size();
    std::string name(titles[index % titles.size()]);
    if (round > 0) {
        const std::uint64_t variant = round - 1;
        name += variants[variant % variants.size()];
        if (variant >= variants.size()) {
            name += "(" + std::to_string(variant / variants.size() + 1) + ")";
        }
    }
    return name;
}

std::string formatFolderExtension(std::string_view folder) {
    std::string extension = ".";
    for (const char c : folder.substr(0, folder.find("格式"))) {
        extension += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return extension;
}

}  // namespace qh::demo
