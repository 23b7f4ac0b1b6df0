#include "windows/picture_paging.h"

#include "platform/file_system.h"

namespace qh {

namespace {

// The last index of the list, -1 for an empty one.
int lastIndex(std::size_t pictureCount) {
    return static_cast<int>(pictureCount) - 1;
}

}  // namespace

std::string pictureTopicFolder(int size, int topic) {
    return pictureSizeFolders().at(static_cast<std::size_t>(size)) +
           pictureTopics().at(static_cast<std::size_t>(topic));
}

std::vector<std::string> topicPictures(const FileSystem& files,
                                       const std::array<std::string, kLibraryDriveCount>& drives,
                                       std::string_view topicFolder) {
    std::vector<std::string> pictures;
    for (const auto& root : libraryRoots(drives, kBrowseDriveCount)) {
        const std::string folder = root + std::string(topicFolder) + '\\';
        for (const auto& entry : files.list(folder, "*.*", HiddenEntries::Exclude)) {
            if ((entry.attributes & attr::Directory) == 0) {
                pictures.push_back(folder + entry.name);
            }
        }
    }
    return pictures;
}

std::array<PaneTurn, kPicturePaneCount> pageForward(int& cursor, std::size_t pictureCount) {
    const int last = lastIndex(pictureCount);
    std::array<PaneTurn, kPicturePaneCount> turns;
    for (int pane = 0; pane < kPicturePaneCount; ++pane) {
        PaneTurn& turn = turns[static_cast<std::size_t>(pane)];
        turn.pane = pane;
        if (cursor >= 0 && cursor < last) {
            turn.entry = static_cast<std::size_t>(cursor);
            ++cursor;
        } else {
            cursor = last;
        }
        turn.cursorAfter = cursor;
    }
    return turns;
}

std::array<PaneTurn, kPicturePaneCount> pageBackward(int& cursor, std::size_t pictureCount) {
    const int last = lastIndex(pictureCount);
    std::array<PaneTurn, kPicturePaneCount> turns;
    for (int step = 0; step < kPicturePaneCount; ++step) {
        PaneTurn& turn = turns[static_cast<std::size_t>(step)];
        turn.pane = kPicturePaneCount - 1 - step;
        if (cursor > 0 && cursor <= last) {
            turn.entry = static_cast<std::size_t>(cursor);
            --cursor;
        } else {
            cursor = 0;
        }
        turn.cursorAfter = cursor;
    }
    return turns;
}

std::optional<PagingEndMarker::Shown> PagingEndMarker::cursorWritten(int cursor,
                                                                     std::size_t pictureCount) {
    std::string text = std::to_string(cursor);
    if (text == text_) {
        return std::nullopt;
    }
    text_ = std::move(text);
    Shown shown;
    if (text_ == "0") {
        shown = {EndMark::First, true};
    }
    // Tested second, so a list of one picture shows the last.
    if (text_ == std::to_string(lastIndex(pictureCount))) {
        shown = {EndMark::Last, true};
    }
    mark_ = shown.mark;
    return shown;
}

}  // namespace qh
