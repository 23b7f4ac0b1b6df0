#include "download/copy_job.h"

#include "download/copy_progress.h"
#include "download/list_copy_control.h"
#include "download/marked_file.h"
#include "download/target_folder_set.h"
#include "download/target_kind.h"
#include "platform/file_system.h"
#include "text/byte_text.h"

namespace qh {

namespace {

std::string lyricsPathOf(std::string_view path) {
    return std::string(path.substr(0, path.size() - extensionOf(path).size())) + ".lrc";
}

}  // namespace

CopyJob::CopyJob(CopyJobInputs inputs, CopyJobHost& host)
    : inputs_(std::move(inputs)), host_(host), copies_(inputs_.files.beginCopyBatch()) {}

CopyJob::~CopyJob() = default;

void CopyJob::runBatch() {
    const auto paths = inputs_.control.batchPaths();
    const int m = static_cast<int>(paths.size());
    host_.resetBar();
    host_.setBarMaximumToListSize();
    host_.resetElapsedCounter();
    host_.armFreeSpaceRefresh();
    host_.startElapsedTimer();

    for (int n = 1; n <= m; ++n) {
        if (inputs_.control.stopRequested()) {
            runSync(paths.size());  // goes idle at once
            return;
        }
        host_.armFreeSpaceRefresh();
        copyOne(paths[n - 1], [&](std::string_view name, bool marked) {
            host_.setProgressLine(batchProgressLine(inputs_.list, n, m, name, marked));
            if (const auto status = batchStatusLine(inputs_.list, n, m, marked)) {
                host_.setStatusLine(*status);
            }
        });
    }

    host_.armFreeSpaceRefresh();
    host_.setProgressLine({});
    flushCopies();
    host_.setDoneNoticeShown(true);
    if (const auto status = batchEndStatusLine(inputs_.list)) {
        host_.setStatusLine(*status);
    }
    host_.stopElapsedTimer();
    host_.fillBar();
    host_.playCopySound();

    // Sync adds made while the batch ran found the list busy and wait behind the batch.
    runSync(paths.size());
}

void CopyJob::runSync(std::size_t first) {
    auto path = inputs_.control.pathAtOrGoIdle(first);
    if (path) {
        host_.resetBar();
        host_.resetElapsedCounter();
    }
    // The queue's length is looked at again before every file, so paths appended meanwhile are
    // copied by this job; the look that finds nothing more makes the list idle.
    for (std::size_t index = first; path; path = inputs_.control.pathAtOrGoIdle(++index)) {
        host_.setBarMaximumToListSize();
        copyOne(*path, [&](std::string_view name, bool) {
            host_.setProgressLine(syncProgressLine(inputs_.control.syncCounters(), name));
            host_.startElapsedTimer();
        });
        if (inputs_.control.markSyncAddServed()) {
            finishSync();
        }
        host_.armFreeSpaceRefresh();
        host_.trimKeywordHistory();
        host_.armHotCount();
    }
    host_.jobEnded();
}

void CopyJob::flushCopies() {
    copies_->finish();
    for (const auto& folder : foldersToFlush_) {
        inputs_.files.flushFolder(folder);
    }
    foldersToFlush_.clear();
}

void CopyJob::finishSync() {
    host_.armFreeSpaceRefresh();
    host_.setProgressLine({});
    flushCopies();
    if (const auto status = syncFinishStatusLine(inputs_.list)) {
        host_.setStatusLine(*status);
    }
    host_.setDoneNoticeShown(true);
    if (syncFinishHidesBar(inputs_.list)) {
        host_.hideBar();
    }
    host_.stopElapsedTimer();
    host_.fillBar();
}

void CopyJob::copyOne(std::string_view path, const Announce& announce) {
    const std::string_view fileName = fileNameOf(path);
    const bool marked = isMarkedFileName(fileName);
    const std::string name = marked ? plainNameOf(fileName) : std::string(fileName);
    const bool music = targetKindOfExtension(extensionOf(path)) == kMusic;
    // Classified and resolved in one step, so an icon lookup on the window's thread cannot move
    // this file to another kind's folder. Empty before the list's first known kind.
    const auto destination = inputs_.targets.destinationOf(path);

    host_.setDoneNoticeShown(false);
    announce(name, marked);
    if (!destination) {
        return;
    }

    FileSystem& files = inputs_.files;
    foldersToFlush_.emplace(folderOf(*destination));
    std::string lyricsSource;
    if (marked) {
        // Extracted even when the copy exists already; the staging file goes again unless the
        // clerk made the staging folder this kind's target, where it is the copy.
        const std::string staging = inputs_.stagingFolder + name;
        const auto durability =
            staging == *destination ? CopyDurability::OnDisk : CopyDurability::Cached;
        if (extractMarkedFile(files, path, staging, durability)) {
            copies_->copyFile(staging, *destination, /*overwrite=*/false);
        }
        if (staging != *destination) {
            files.deleteFile(staging);
        }
        lyricsSource = std::string(folderOf(path)) + name;
    } else {
        copies_->copyFile(path, *destination, /*overwrite=*/false);
        lyricsSource = std::string(path);
    }

    if (music && inputs_.control.lyricsWanted()) {
        copies_->copyFile(lyricsPathOf(lyricsSource), lyricsPathOf(*destination),
                          /*overwrite=*/true);
    }
}

}  // namespace qh
