// The hot list: each line splits into its count and its path, the list holds the file's lines
// in ascending order of count (lines without one first), and a download raises one line's count
// by one or adds the path at 1.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "checks.h"
#include "fuzz_input.h"

#include "library/hot_list.h"
#include "text/text_list_file.h"

namespace qh::fuzz {
namespace {

constexpr std::int64_t kNoCount = -1;
// Counts up to this are read exactly; above it a count may also be taken for no number.
constexpr std::int64_t kSureCount = 1'000'000'000'000'000'000;

// The digits before the first "C", commas among them passed over; none, or any other byte,
// and there is no count. A count too large for 128 bits is given as the largest value.
std::optional<unsigned __int128> countOf(std::string_view line) {
    const std::size_t c = line.find('C');
    if (c == std::string_view::npos) {
        return std::nullopt;
    }
    unsigned __int128 count = 0;
    bool digits = false;
    for (const char ch : line.substr(0, c)) {
        if (ch == ',') {
            continue;
        }
        if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
        const auto huge = std::numeric_limits<unsigned __int128>::max() / 100;
        count = count > huge ? count : count * 10 + static_cast<unsigned>(ch - '0');
        digits = true;
    }
    return digits ? std::optional(count) : std::nullopt;
}

std::string checkLine(std::string_view line) {
    const auto expected = countOf(line);
    const auto count = hotLineCount(line);
    if (count.has_value() &&
        (!expected || *count < 0 || *expected != static_cast<unsigned __int128>(*count))) {
        return failure("the line ", shown(line), " gives the count ", *count);
    }
    if (!count && expected && *expected <= static_cast<unsigned __int128>(kSureCount)) {
        return failure("the line ", shown(line), " gives no count");
    }

    const std::size_t separator = line.find("C,");
    const HotLineParts parts = splitHotLine(line);
    const auto path = hotLinePath(line);
    const bool split = separator == std::string_view::npos
                           ? parts.prefix.empty() && parts.path == line && !path
                           : parts.prefix == line.substr(0, separator + 2) &&
                                 parts.path == line.substr(separator + 2) && path == parts.path;
    if (!split) {
        return failure("the line ", shown(line), " splits into ", shown(parts.prefix), " and ",
                       shown(parts.path));
    }
    return {};
}

// By count, then as text with ASCII letters folded, then by plain bytes.
bool inOrder(const std::string& left, const std::string& right) {
    const auto leftCount = hotLineCount(left).value_or(kNoCount);
    const auto rightCount = hotLineCount(right).value_or(kNoCount);
    if (leftCount != rightCount) {
        return leftCount < rightCount;
    }
    const std::string leftFolded = foldedAscii(left);
    const std::string rightFolded = foldedAscii(right);
    return leftFolded != rightFolded ? leftFolded < rightFolded : left < right;
}

std::string checkOrderedAs(const std::vector<std::string>& lines, std::vector<std::string> from,
                           std::string_view what) {
    if (!std::is_sorted(lines.begin(), lines.end(), inOrder)) {
        const auto at = std::is_sorted_until(lines.begin(), lines.end(), inOrder);
        return failure(what, ": ", shown(*(at - 1)), " comes before ", shown(*at));
    }
    std::vector<std::string> held = lines;
    std::sort(held.begin(), held.end());
    std::sort(from.begin(), from.end());
    if (held != from) {
        return failure(what, ": the list holds ", held.size(), " lines that are not the ",
                       from.size(), " lines it was given");
    }
    return {};
}

std::string formattedCount(std::int64_t count) {
    std::string digits = std::to_string(count);
    return count < 1000 ? std::string(3 - digits.size(), '0') + digits : digits;
}

}  // namespace

std::string checkHotList(std::string_view input) {
    const auto parts = inputParts(input, 2);
    const std::string path(parts[0]);
    const std::vector<std::string> fileLines = splitTextLines(parts[1]);
    for (const auto& line : fileLines) {
        if (auto broken = checkLine(line); !broken.empty()) {
            return broken;
        }
    }

    HotList list;
    list.assign(fileLines);
    if (auto broken = checkOrderedAs(list.lines(), fileLines, "the loaded list"); !broken.empty()) {
        return broken;
    }
    HotList reloaded;
    reloaded.assign(splitTextLines(joinTextLines(list.lines())));
    if (reloaded.lines() != list.lines()) {
        return "the saved list loads in another order";
    }

    const std::vector<std::string> before = list.lines();
    list.count(path);
    if (path.empty()) {
        return list.lines() == before ? std::string() : "counting no file changed the list";
    }
    const auto counted = std::find_if(before.begin(), before.end(), [&](const std::string& line) {
        return hotLinePath(line) == path;
    });
    std::vector<std::string> expected = before;
    std::string raised;
    if (counted == before.end()) {
        raised = "001C," + path;
    } else {
        const auto count = hotLineCount(*counted).value_or(0);
        if (count >= kSureCount) {
            return {};  // far beyond any shop's downloads
        }
        raised = formattedCount(count + 1) + counted->substr(counted->find('C'));
        expected.erase(expected.begin() + (counted - before.begin()));
    }
    expected.push_back(raised);
    if (auto broken = checkOrderedAs(list.lines(), expected,
                                     failure("after counting ", shown(path), " once"));
        !broken.empty()) {
        return broken;
    }
    const auto previous = counted == before.end() ? 0 : hotLineCount(*counted).value_or(0);
    if (hotLineCount(raised) != previous + 1 || hotLinePath(raised) != path) {
        return failure("the counted line ", shown(raised), " does not read as ", previous + 1,
                       " downloads of ", shown(path));
    }
    return {};
}

}  // namespace qh::fuzz
