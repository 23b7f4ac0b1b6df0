#pragma once
// One row of the result list, made from a path as it arrives.
#include <string>
#include <string_view>

namespace qh {

class FileSystem;

struct SearchResult {
    std::string name;      // "名称", DisplayName
    std::string type;      // "类型", TypeText
    std::string sizeText;  // "大小(MB)", SizeText of FileSizeOf
    int number = 0;        // "序号", 1 for the first row
    bool operator==(const SearchResult&) const = default;
};

// The row for `path`, the `number`-th of the list.
SearchResult makeSearchResult(const FileSystem& files, std::string_view path, int number);

}  // namespace qh
