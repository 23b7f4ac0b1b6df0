#include "library/hot_list.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "text/byte_text.h"

namespace qh {

namespace {

// Byte by byte with the ASCII letters that are characters of their own folded to lower case (a
// letter that is the second byte of a Chinese character stays as it is): below zero, zero or
// above zero.
int compareFolded(std::string_view left, std::string_view right) {
    // `nextCharacter`: where the text's next character starts, moved on at each one.
    const auto fold = [](std::string_view text, std::size_t at, std::size_t& nextCharacter) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (at != nextCharacter) {
            return int{byte};
        }
        const std::size_t length = charLengthAt(text, at);
        nextCharacter = at + length;
        return length == 1 && byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : int{byte};
    };
    std::size_t leftCharacter = 0;
    std::size_t rightCharacter = 0;
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int difference = fold(left, i, leftCharacter) - fold(right, i, rightCharacter);
        if (difference != 0) {
            return difference;
        }
    }
    return left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
}

// Lines compare by count, then as text without regard to case, as the shop's sorted list did
// while every count had three digits.
bool comesBefore(std::int64_t leftCount, const std::string& left, std::int64_t rightCount,
                 const std::string& right) {
    if (leftCount != rightCount) {
        return leftCount < rightCount;
    }
    if (const int folded = compareFolded(left, right); folded != 0) {
        return folded < 0;
    }
    return left < right;
}

bool lineComesBefore(const std::string& left, const std::string& right) {
    return comesBefore(hotLineCount(left).value_or(-1), left, hotLineCount(right).value_or(-1),
                       right);
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

void HotList::assign(std::vector<std::string> lines) {
    // One stable sort places every line as inserting them one by one would, without moving the
    // list once for each line of a long hot list. Each count is read once, not at every
    // comparison.
    struct Counted {
        std::int64_t count;
        std::string* line;
    };
    std::vector<Counted> counted;
    counted.reserve(lines.size());
    for (auto& line : lines) {
        counted.push_back({hotLineCount(line).value_or(-1), &line});
    }
    const auto before = [](const Counted& left, const Counted& right) {
        return comesBefore(left.count, *left.line, right.count, *right.line);
    };
    // The list is saved in order, so a stored list is sorted already.
    if (!std::is_sorted(counted.begin(), counted.end(), before)) {
        std::stable_sort(counted.begin(), counted.end(), before);
    }
    lines_.clear();
    lines_.reserve(counted.size());
    for (const auto& entry : counted) {
        lines_.push_back(std::move(*entry.line));
    }
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
    const auto place = std::upper_bound(lines_.begin(), lines_.end(), line, lineComesBefore);
    lines_.insert(place, std::move(line));
}

}  // namespace qh
