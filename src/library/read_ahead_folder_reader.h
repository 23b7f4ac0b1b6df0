#pragma once
// Folders of a walk read ahead on a second thread. Reading a library is the kernel's work, folder
// after folder; while the walk reads one folder, a helper thread reads the folders the walk will
// enter next, so the walk reaches a match far down its order sooner. What a walk finds, and the
// order it finds it in, stay exactly those of the reader underneath.
#include <cstddef>
#include <memory>
#include <stop_token>
#include <string_view>

#include "platform/folder_reader.h"

namespace qh {

// How far the helper may read ahead of the walk: folders read and not yet entered, and the
// entries they hold. Each folder held also holds its file descriptor.
struct ReadAheadLimits {
    std::size_t folders = 64;
    std::size_t entries = 16384;
};

// Each folder opened here starts a walk of its own: its sub-folders that a walk enters
// (ClassifyEntry), depth first in listing order, are read ahead in that order, at most `limits`
// ahead of the caller. The caller takes each sub-folder's listing when it opens it, or reads the
// folder itself if the helper has not got there. A sub-folder opened out of that order is read
// without help. Once `stop` is requested, or the folder opened here is closed, the helper reads
// no further folder; closing waits for the one it may be reading. Folders opened below one
// opened here must be closed before it.
class ReadAheadFolderReader final : public FolderReader {
public:
    ReadAheadFolderReader(const FolderReader& inner, std::stop_token stop,
                          ReadAheadLimits limits = {});

    std::unique_ptr<OpenFolder> open(std::string_view folder,
                                     const NamePattern& pattern) const override;

private:
    const FolderReader& inner_;
    std::stop_token stop_;
    ReadAheadLimits limits_;
};

}  // namespace qh
