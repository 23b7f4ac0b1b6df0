#pragma once
// What the phone-picture browser pages through: the pictures of one topic folder on the browsed
// library drives, six panes at a time, a cursor that moves one picture per pane, and the marker
// that tells the clerk a page reached either end.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/library_layout.h"

namespace qh {

class FileSystem;

inline constexpr int kPicturePaneCount = 6;

// The folder of a topic below the library root, "5-图片\大图\美女" (GBK, no final backslash).
std::string pictureTopicFolder(int size, int topic);

// The files of `topicFolder` below each library root of the first three drives, root by root in
// drive order and each folder's entries in the order the file system lists them. Sub-folders and
// hidden or system files are left out: a pane could show none of them.
std::vector<std::string> topicPictures(const FileSystem& files,
                                       const std::array<std::string, kLibraryDriveCount>& drives,
                                       std::string_view topicFolder);

// What one pane does on a page: shows `entry` of the picture list, or keeps what it showed; the
// cursor stands at `cursorAfter` once the pane is done.
struct PaneTurn {
    int pane = 0;  // 0 for the top left pane
    std::optional<std::size_t> entry;
    int cursorAfter = 0;
};

// 下一页: panes top left to bottom right show the pictures from the cursor upward, never the last
// one; a pane past the end leaves the cursor on the last picture.
std::array<PaneTurn, kPicturePaneCount> pageForward(int& cursor, std::size_t pictureCount);
// 上一页: panes bottom right to top left show the pictures from the cursor downward, never the
// first one; a pane past the start leaves the cursor on the first picture.
std::array<PaneTurn, kPicturePaneCount> pageBackward(int& cursor, std::size_t pictureCount);

enum class EndMark { None, First, Last };

// The end marker beside the paging buttons. The cursor is written as text after every pane, and
// only a change of that text looks at the ends again, with the error cue each time an end shows.
class PagingEndMarker {
public:
    struct Shown {
        EndMark mark = EndMark::None;
        bool cue = false;
    };
    // Empty when the text did not change: the marker and the sounds stay as they are.
    std::optional<Shown> cursorWritten(int cursor, std::size_t pictureCount);
    EndMark mark() const { return mark_; }

private:
    std::string text_;
    EndMark mark_ = EndMark::None;
};

}  // namespace qh
