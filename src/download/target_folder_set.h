#pragma once
// The five folders on the customer's side that one download list copies into, one per
// TargetKind, and the list's current target: the folder its last successful classification
// chose. The list's copy jobs classify on their worker threads while the window changes the
// folders, so every member is guarded.
#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "download/target_kind.h"

namespace qh {

using TargetFolders = std::array<std::string, kTargetKindCount>;  // by TargetKind, no final "\"

// "D:\歌曲下载": where a list copies while no disk is chosen for it.
const std::string& defaultTargetFolder();

// The message shown when a hand-picked folder is no drive path.
const std::string& notADrivePathMessage();

// Where one file of a list is copied.
struct Destination {
    std::string path;  // current target + the display name + the extension
    TargetKind kind = kMusic;
    // How many times the list's disk had been withdrawn when this was decided.
    std::uint64_t withdrawals = 0;
};

struct FolderChoice {
    bool accepted = false;
    std::string message;  // shown when refused
};

class TargetFolderSet {
public:
    TargetFolderSet();

    TargetFolders folders() const;
    // The folder of the last successful classification with "\" appended; empty before the first.
    std::string currentTarget() const;

    // The kind of `extension` (deliveryKindOf), which also makes its folder the current target.
    TargetKind classify(std::string_view extension);

    // Where the copy of `path` lies on the customer's side: classifies its extension, then the
    // current target + the display name + the extension, in one step.
    Destination destinationOf(std::string_view path);

    // The target drop-down's five lines in kind order, "音乐：G:\My Music".
    std::vector<std::string> dropDownLines() const;

    // The folders found on a chosen disk, or the default five times when it is withdrawn.
    void fill(const TargetFolders& folders);
    void resetToDefault();
    // The list's disk went away: the default folders again, and the list's running copy job,
    // which meets a new withdrawal count in its next destination, stops writing.
    void withdrawDisk();
    std::uint64_t withdrawals() const;

    // A folder picked by hand in the folder tree for `kind`. A path without ":\" (no drive
    // path, such as My Computer itself) is refused and nothing changes.
    FolderChoice chooseFolder(TargetKind kind, std::string_view path);

private:
    mutable std::mutex mutex_;
    TargetFolders folders_;
    std::string currentTarget_;
    std::uint64_t withdrawals_ = 0;
};

// The drop-down line's label for `kind`, ending in the full-width colon ("音乐：").
const std::string& targetKindLabel(TargetKind kind);

// What the open button hands to the shell: the drop-down's text after its first full-width
// colon; the whole text when it has none.
std::string folderToOpen(std::string_view dropDownText);

}  // namespace qh
