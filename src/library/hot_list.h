#pragma once
// The download-count ranking: one line per library file that has been copied, "012C,<path>",
// kept in ascending order so that the last line has the highest count.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

// The count before the first "C" of a line, or empty when the line has no "C" or its count is
// no number. Thousands separators of older lists ("1,000") are read as part of the number.
std::optional<std::int64_t> hotLineCount(std::string_view line);

// The library path after the first "C," of a line, or empty when it has none.
std::optional<std::string_view> hotLinePath(std::string_view line);

// A ranking row's two parts: what shows before the file's name (the count, "C" and the comma)
// and the file's path. A line without "C," is all path.
struct HotLineParts {
    std::string_view prefix;
    std::string_view path;
};
HotLineParts splitHotLine(std::string_view line);

// "001" .. "999" keep the three-digit width that orders lines by text; from 1000 on the count is
// written in plain digits ("1000") and ordered by its value.
std::string formatHotCount(std::int64_t count);

class HotList {
public:
    // Each line takes its sorted place; lines that are no hot line are kept too, first.
    void assign(std::vector<std::string> lines);
    void clear() { lines_.clear(); }
    bool empty() const { return lines_.empty(); }
    const std::vector<std::string>& lines() const { return lines_; }

    // Counts one more download of `path`: the first line of that path gets count + 1; without
    // one, "001C," + path is added.
    void count(std::string_view path);

private:
    void insertSorted(std::string line);

    std::vector<std::string> lines_;
};

}  // namespace qh
