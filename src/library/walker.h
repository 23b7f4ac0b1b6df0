#pragma once
// Finding files at any depth below a folder, the way every view of the library fills the result
// list: a folder's own matching files in the order the file system lists them, then each
// sub-folder's, depth first. Paths are Windows paths in GBK.
#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "platform/folder_reader.h"

namespace qh {

enum class EntryKind { DotEntry, Subfolder, File };

// "." and ".." are dot entries. A sub-folder carries the Directory attribute and nothing else:
// a folder that is also read-only, hidden, system, archive or a link counts as a file, which a
// walk reports when its name matches and never enters.
EntryKind ClassifyEntry(std::string_view name, std::uint32_t attributes);

// Where a walk hands the paths it finds, one at a time, in order.
class WalkSink {
public:
    virtual ~WalkSink() = default;
    virtual void found(std::string path) = 0;
    // Before each sub-folder is read: a sink that holds paths back can hand them over here while
    // a long stretch of folders matches nothing.
    virtual void betweenFolders() {}
};

// Every file below `folder` (a full path ending in a backslash) whose name matches `pattern`
// (NamePattern; hidden and system files included). An empty or all-blank pattern finds nothing
// and reads no folder; a folder that cannot be read adds nothing. A stop request ends the walk
// before the next folder is read.
void WalkFiles(const FolderReader& reader, std::string_view folder, std::string_view pattern,
               WalkSink& output, std::stop_token stop = {});
// The same, appending to a path list.
void WalkFiles(const FolderReader& reader, std::string_view folder, std::string_view pattern,
               std::vector<std::string>& output);

// The full path of every sub-folder below `folder`, each before its own sub-folders, siblings in
// listing order: the folder and the name joined by one backslash, no trailing backslash. Hidden
// and system folders are not entered, nor listed.
std::vector<std::string> ListSubfolders(const FolderReader& reader, std::string_view folder,
                                        std::stop_token stop = {});

}  // namespace qh
