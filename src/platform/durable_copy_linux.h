#pragma once
// Copying one host file so that the target either does not appear or appears whole: the data
// goes to a temporary name in the target's folder, is synced when asked, and is renamed into
// place.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/unique_fd_linux.h"

namespace qh {

// Copies `source` from byte `sourceOffset` on. An offset equal to the source's size gives an
// empty file; an offset beyond it fails, as there is nothing to take from there. The target
// keeps the source's modification time, as a Windows copy does. Without overwrite an existing
// target, even one that appears while the data is copied, is left alone (AlreadyThere).
// On failure the temporary file is removed. Without `syncData` nothing waits for the disk. The
// folder is not synced here: one flush after many copies costs the disk one cache flush instead
// of one per copy.
CopyResult copyFileDurably(const std::filesystem::path& source, const std::filesystem::path& target,
                           bool overwrite, std::int64_t sourceOffset, bool syncData);

// A copy whose data is written under its temporary name but neither synced nor named yet. Its
// temporary name counts as in use by this program until it is named or removed.
struct UnnamedCopy {
    UniqueFd folder;
    UniqueFd file;
    std::string temporaryName;
    std::string name;
    bool overwrite = false;
    std::int64_t bytes = 0;  // of data written
};

// The first half of copyFileDurably: the copy, or why there is none (AlreadyThere or Failed),
// with nothing left behind.
struct CopyWrite {
    std::optional<UnnamedCopy> copy;
    CopyResult result = CopyResult::failed(FileFault::Other);  // when there is no copy
};
CopyWrite writeUnnamedCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                           bool overwrite, std::int64_t sourceOffset);
// The second half: syncs the data when asked, then gives the copy its name. On failure the
// temporary file is removed.
CopyResult nameCopy(UnnamedCopy& copy, bool syncData);
// The second half for a copy whose descriptor was let go: opens the temporary file in `folder`
// again, syncs its data and names it. On failure the temporary file is removed.
CopyResult nameCopyWrittenEarlier(int folder, const std::string& temporaryName,
                                  const std::string& name, bool overwrite);
// Removes the temporary file of a copy that will not be named, and lets its name go.
void discardUnnamedCopy(int folder, const std::string& temporaryName);

// Removes the temporary copies in the folder that no running copy will name: left by a disk
// pulled out in the middle of a copy, by a program that was killed or by a computer that was
// switched off, and this program's own from an earlier batch. They are hidden, but take the
// customer's space. A temporary name tells its writer by the computer's boot and the process's
// id and start time, so a process id used again never passes for the writer.
void sweepAbandonedCopies(int folder);

// Why an operation on the target's side failed, from its errno.
FileFault targetFaultOf(int error);
// Why reading the source failed, from its errno.
FileFault sourceFaultOf(int error);

}  // namespace qh
