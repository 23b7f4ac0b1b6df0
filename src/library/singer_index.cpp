#include "library/singer_index.h"

#include <algorithm>
#include <numeric>

#include "library/pinyin_initial.h"
#include "text/byte_text.h"

namespace qh {
namespace {

// Blanks and control characters: every byte up to 0x20. No GBK trail byte is that low.
bool isBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlankByte(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlankByte(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// std::string_view compares through char_traits<char>, which orders bytes as unsigned char, so
// GBK characters come after ASCII and in code order among themselves.
bool comesBefore(std::string_view leftFolded, std::string_view left, std::string_view rightFolded,
                 std::string_view right) {
    if (const int order = leftFolded.compare(rightFolded); order != 0) {
        return order < 0;
    }
    return left < right;
}

const std::string kEmptyCell;

}  // namespace

bool singerComesBefore(std::string_view left, std::string_view right) {
    // asciiLower steps by characters, so a trail byte that happens to be a letter's code is left
    // as it is: two different characters never fold into one.
    return comesBefore(asciiLower(left), left, asciiLower(right), right);
}

void SingerIndex::load(std::vector<std::string> lines) {
    lines_ = std::move(lines);

    // The list never changes after this, so each line's initials and sort key are worked out once
    // and every filter is one pass over the sorted order.
    initials_.clear();
    initials_.reserve(lines_.size());
    std::vector<std::string> folded;
    folded.reserve(lines_.size());
    for (const auto& line : lines_) {
        initials_.push_back(PinyinInitialString(trimmed(line)));
        folded.push_back(asciiLower(line));
    }
    sortedOrder_.resize(lines_.size());
    std::iota(sortedOrder_.begin(), sortedOrder_.end(), std::size_t{0});
    std::stable_sort(
        sortedOrder_.begin(), sortedOrder_.end(), [&](std::size_t left, std::size_t right) {
            return comesBefore(folded[left], lines_[left], folded[right], lines_[right]);
        });

    shown_.clear();
    shown_.reserve(lines_.size());
    for (const std::size_t index : sortedOrder_) {
        shown_.push_back(lines_[index]);
    }
    cursor_ = 0;
    showPage();
}

void SingerIndex::filter(std::string_view letters) {
    // Taking the matching lines in sorted order gives what a stable sort of the matching lines
    // in file order gives.
    shown_.clear();
    if (!letters.empty()) {
        for (const std::size_t index : sortedOrder_) {
            if (initials_[index].starts_with(letters)) {
                shown_.push_back(lines_[index]);
            }
        }
    }
    cursor_ = 0;
    showPage();
}

void SingerIndex::nextPage() {
    if (cursor_ <= static_cast<int>(shown_.size()) - 1) {
        showPage();
        return;
    }
    // The last page stays. Before the first page was ever shown (no singer file) the cursor is
    // still 0; it must not go below the list's start.
    cursor_ = std::max(cursor_ - kSingerPageSize, 0);
    showPage();
}

void SingerIndex::previousPage() {
    cursor_ = std::max(cursor_ - 2 * kSingerPageSize, 0);
    showPage();
}

const std::string& SingerIndex::cell(int column, int row) const {
    if (column < 0 || column >= kSingerGridColumns || row < 0 || row >= kSingerGridRows) {
        return kEmptyCell;
    }
    const std::size_t index = static_cast<std::size_t>(pageStart_) +
                              static_cast<std::size_t>(column * kSingerGridRows + row);
    return index < shown_.size() ? shown_[index] : kEmptyCell;
}

void SingerIndex::showPage() {
    pageStart_ = cursor_;
    cursor_ += kSingerPageSize;
}

}  // namespace qh
