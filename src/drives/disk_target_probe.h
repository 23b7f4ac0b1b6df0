#pragma once
// Finds on a customer's disk the folder each kind of file goes to: the music, video, picture,
// game and e-book folders phones and players already use, or, where none is there, a new one.
#include <string_view>

#include "download/target_folder_set.h"
#include "platform/file_system.h"

namespace qh {

// Probes the disk at `root` ("G:\") kind by kind in the order music, video, picture, e-book,
// game. Each kind's names are tried in turn, each directly under the root ("mythroad\NES" one
// level at a time); letter case does not matter, as on the disks' FAT, and the path keeps the
// names as they are on the disk ("G:\MY MUSIC"). A kind with none of its names gets its own
// folder created, and that path is kept even when it cannot be created (a write-protected card).
TargetFolders probeDiskTargets(FileSystem& files, std::string_view root);

}  // namespace qh
