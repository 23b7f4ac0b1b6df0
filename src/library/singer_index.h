#pragma once
// The singer page: the singer file's names, the ones whose pinyin initials begin with the letters
// typed, and the page of twelve of them that the grid shows.
#include <string>
#include <string_view>
#include <vector>

namespace qh {

inline constexpr int kSingerGridColumns = 4;
inline constexpr int kSingerGridRows = 3;
inline constexpr int kSingerPageSize = kSingerGridColumns * kSingerGridRows;

// The shown list's order: the names' GBK bytes compared as unsigned bytes with ASCII letters
// folded to lower case (GB2312's first-level characters lie in pinyin order, so Chinese names
// sort by pinyin); names equal that way by their plain bytes. Empty names first.
bool singerComesBefore(std::string_view left, std::string_view right);

class SingerIndex {
public:
    // The singer file's lines in file order, kept as read (blanks, invalid GBK, NUL bytes and
    // all). The shown list takes every line, sorted; the cursor goes to 0; the first page shows.
    void load(std::vector<std::string> lines);
    // The filter on the letter box's text (GBK, taken as it is): the lines whose initials (of the
    // line without leading and trailing bytes up to 0x20) begin with `letters`, sorted; an empty
    // text shows no singer. Cursor 0, first page shown.
    void filter(std::string_view letters);
    void nextPage();      // "下一页"
    void previousPage();  // "上一页"

    // The cell at a column (0..3) and row (0..2) of the page shown; empty when no singer is there.
    const std::string& cell(int column, int row) const;
    const std::vector<std::string>& shown() const { return shown_; }
    int cursor() const { return cursor_; }

private:
    void showPage();

    std::vector<std::string> lines_;        // the file's lines, in file order
    std::vector<std::string> initials_;     // of each line without its blanks around
    std::vector<std::size_t> sortedOrder_;  // indices into lines_, in the shown list's order
    std::vector<std::string> shown_;
    int cursor_ = 0;
    // The shown singer in the top-left cell; the page runs on from it down each column.
    int pageStart_ = 0;
};

}  // namespace qh
