// The singer page: the singer file's lines show sorted (ASCII letters folded, then by their
// bytes), every line once; the letter filter shows exactly the lines whose initials begin with
// the letters, in that order; the page buttons walk the list twelve at a time, never past either
// end.
#include <algorithm>

#include "checks.h"
#include "fuzz_input.h"

#include "library/pinyin_initial.h"
#include "library/singer_index.h"
#include "text/text_list_file.h"

namespace qh::fuzz {
namespace {

constexpr std::size_t kMoves = 64;

bool sortsBefore(const std::string& left, const std::string& right) {
    const std::string leftFolded = foldedAscii(left);
    const std::string rightFolded = foldedAscii(right);
    return leftFolded != rightFolded ? leftFolded < rightFolded : left < right;
}

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) {
        text.remove_suffix(1);
    }
    return text;
}

// The grid shows the twelve singers from `first` on, down each column.
std::string checkPage(const SingerIndex& index, const std::vector<std::string>& singers,
                      std::size_t first, std::string_view after) {
    if (index.cursor() < 0) {
        return failure("after ", after, " the cursor stands at ", index.cursor());
    }
    for (int column = 0; column < kSingerGridColumns; ++column) {
        for (int row = 0; row < kSingerGridRows; ++row) {
            const std::size_t at = first + static_cast<std::size_t>(column * kSingerGridRows + row);
            const std::string expected = at < singers.size() ? singers[at] : std::string();
            if (index.cell(column, row) != expected) {
                return failure("after ", after, " the cell at column ", column, ", row ", row,
                               " shows ", shown(index.cell(column, row)), " instead of ",
                               shown(expected), " (singer ", at, " of ", singers.size(), ")");
            }
        }
    }
    return {};
}

// Each byte of `moves` presses 下一页 (even) or 上一页 (odd).
std::string checkPaging(SingerIndex& index, const std::vector<std::string>& singers,
                        std::string_view moves) {
    std::size_t first = 0;
    if (auto broken = checkPage(index, singers, first, "showing the list"); !broken.empty()) {
        return broken;
    }
    for (const char move : moves.substr(0, kMoves)) {
        const std::size_t pageSize = kSingerPageSize;
        if (move % 2 == 0) {
            index.nextPage();
            first = first + pageSize < singers.size() ? first + pageSize : first;
        } else {
            index.previousPage();
            first = first >= pageSize ? first - pageSize : 0;
        }
        if (auto broken = checkPage(index, singers, first, move % 2 == 0 ? "下一页" : "上一页");
            !broken.empty()) {
            return broken;
        }
    }
    return {};
}

}  // namespace

std::string checkSingerIndex(std::string_view input) {
    const auto parts = inputParts(input, 3);
    const std::string_view moves = parts[0];
    const std::string_view letters = parts[1];
    const std::vector<std::string> lines = splitTextLines(parts[2]);

    SingerIndex index;
    index.load(lines);
    std::vector<std::string> sorted = lines;
    std::sort(sorted.begin(), sorted.end(), sortsBefore);
    if (index.shown() != sorted) {
        return failure("the ", lines.size(), " singers do not show sorted, each once");
    }
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        if (singerComesBefore(sorted[i + 1], sorted[i])) {
            return failure(shown(sorted[i + 1]), " is taken to come before ", shown(sorted[i]));
        }
    }
    if (auto broken = checkPaging(index, sorted, moves); !broken.empty()) {
        return broken;
    }

    index.filter(letters);
    std::vector<std::string> filtered;
    if (!letters.empty()) {
        std::copy_if(sorted.begin(), sorted.end(), std::back_inserter(filtered),
                     [&](const std::string& line) {
                         return PinyinInitialString(withoutBlanks(line)).starts_with(letters);
                     });
    }
    if (index.shown() != filtered) {
        return failure("the letters ", shown(letters), " show ", index.shown().size(),
                       " singers instead of the ", filtered.size(), " whose initials begin so");
    }
    return checkPaging(index, filtered, moves);
}

}  // namespace qh::fuzz
