#include "library/hot_list.h"

#include <algorithm>
#include <cstdint>

#include "text/byte_text.h"

namespace qh {

namespace {

// Lines compare by count, then as text without regard to case, as the shop's sorted list did
// while every count had three digits.
bool comesBefore(const std::string& left, const std::string& right) {
    const auto leftCount = hotLineCount(left).value_or(-1);
    const auto rightCount = hotLineCount(right).value_or(-1);
    if (leftCount != rightCount) {
        return leftCount < rightCount;
    }
    const auto leftFolded = asciiLower(left);
    const auto rightFolded = asciiLower(right);
    if (leftFolded != rightFolded) {
        return leftFolded < rightFolded;
    }
    return left < right;
}

}  // namespace

std::optional<std::int64_t> hotLineCount(std::string_view line) {
    const auto c = line.find('C');
    if (c == std::string_view::npos) {
        return std::nullopt;
    }
    std::int64_t count = 0;
    bool digits = false;
    for (char ch : line.substr(0, c)) {
        if (ch == ',') {
            continue;
        }
        if (ch < '0' || ch > '9' || count > (INT64_MAX - 9) / 10) {
            return std::nullopt;
        }
        count = count * 10 + (ch - '0');
        digits = true;
    }
    return digits ? std::optional(count) : std::nullopt;
}

std::optional<std::string_view> hotLinePath(std::string_view line) {
    const auto separator = line.find("C,");
    if (separator == std::string_view::npos) {
        return std::nullopt;
    }
    return line.substr(separator + 2);
}

HotLineParts splitHotLine(std::string_view line) {
    const auto separator = line.find("C,");
    if (separator == std::string_view::npos) {
        return {{}, line};
    }
    return {line.substr(0, separator + 2), line.substr(separator + 2)};
}

std::string formatHotCount(std::int64_t count) {
    std::string text = std::to_string(count);
    if (text.size() < 3) {
        text.insert(0, 3 - text.size(), '0');
    }
    return text;
}

void HotList::assign(const std::vector<std::string>& lines) {
    // One stable sort places every line as inserting them one by one would, without moving the
    // list once for each line of a long hot list.
    lines_ = lines;
    std::stable_sort(lines_.begin(), lines_.end(), comesBefore);
}

void HotList::count(std::string_view path) {
    if (path.empty()) {
        return;  // no current file: nothing was downloaded
    }
    // The whole path after "C," must match: a bare substring test would count a download of
    // a.mp3 on the line of a.mp3.bak.
    const auto found = std::find_if(lines_.begin(), lines_.end(), [&](const std::string& line) {
        return hotLinePath(line) == path;
    });
    if (found == lines_.end()) {
        insertSorted("001C," + std::string(path));
        return;
    }
    std::string line = std::move(*found);
    lines_.erase(found);
    const auto c = line.find('C');
    const auto count = hotLineCount(line).value_or(0);
    insertSorted(formatHotCount(count + 1) + line.substr(c));
}

void HotList::insertSorted(std::string line) {
    const auto place = std::upper_bound(lines_.begin(), lines_.end(), line, comesBefore);
    lines_.insert(place, std::move(line));
}

}  // namespace qh
