#include "download/copy_job.h"

#include <algorithm>
#include <atomic>
#include <thread>

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
    : inputs_(std::move(inputs)),
      host_(host),
      copies_(inputs_.files.beginCopyBatch(
          [this](std::size_t copy, CopyResult result) { copyReported(copy, result); })),
      withdrawals_(inputs_.targets.withdrawals()) {}

CopyJob::~CopyJob() {
    // The batch's last reports still need the job's bookkeeping.
    copies_.reset();
}

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
        copyOne(n - 1, paths[n - 1], [&](std::string_view name, bool marked) {
            host_.setProgressLine(batchProgressLine(inputs_.list, n, m, name, marked));
            if (const auto status = batchStatusLine(inputs_.list, n, m, marked)) {
                host_.setStatusLine(*status);
            }
        });
    }

    host_.armFreeSpaceRefresh();
    host_.setProgressLine({});
    flushCopies();
    const bool allArrived = showOutcome(batchEndStatusLine(inputs_.list, true),
                                        batchEndStatusLine(inputs_.list, false));
    host_.stopElapsedTimer();
    if (allArrived) {
        host_.fillBar();
        host_.playCopySound();
    } else {
        host_.playErrorSound();
    }

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
        copyOne(index, *path, [&](std::string_view name, bool) {
            host_.setProgressLine(syncProgressLine(inputs_.control.syncCounters(), name));
            host_.startElapsedTimer();
        });
        if (inputs_.control.markSyncAddServed()) {
            finishSync();
        }
        host_.armFreeSpaceRefresh();
        host_.trimKeywordHistory();
        host_.armHotCount(*path);
    }
    host_.jobEnded();
}

void CopyJob::flushCopies() {
    copies_->finish();
    std::map<std::string, FileStatus> flushed;
    for (const auto& folder : foldersToFlush_) {
        flushed.emplace(folder, copies_->flushFolder(folder));
    }
    foldersToFlush_.clear();
    std::vector<const PendingCopy*> toCheck;
    for (const auto& copy : made_) {
        if (entries_[copy.entry].fault) {
            continue;
        }
        const auto folder = flushed.find(std::string(folderOf(copy.target)));
        if (folder != flushed.end() && !folder->second) {
            const FileFault fault = folder->second.fault();
            entryFailed(copy.entry, diskGoneSinceNotice_ && fault == FileFault::FolderMissing
                                        ? FileFault::DiskGone
                                        : fault);
            continue;
        }
        toCheck.push_back(&copy);
    }
    std::set<std::string> lyingDrives;
    const auto settle = [&](const std::vector<const PendingCopy*>& copies,
                            const std::vector<FileStatus>& reads) {
        for (std::size_t index = 0; index < copies.size(); ++index) {
            const FileStatus& read = reads[index];
            // A library file gone since it was copied leaves nothing to compare with; the copy
            // was made whole all the same.
            if (read || read.fault() == FileFault::SourceMissing ||
                read.fault() == FileFault::SourceUnreadable) {
                continue;
            }
            // Other data than the customer paid for must not stay under the file's name.
            if (read.fault() == FileFault::VerifyFailed) {
                inputs_.files.deleteFile(copies[index]->target);
                lyingDrives.insert(copies[index]->target.substr(0, 2));
            }
            entryFailed(copies[index]->entry, read.fault());
        }
    };
    settle(toCheck, readBack(toCheck, inputs_.check));
    // A disk caught giving back other data holds more than samples show: its other copies are
    // read back whole.
    if (!lyingDrives.empty() && inputs_.check == CopyCheck::Sampled) {
        std::vector<const PendingCopy*> again;
        for (const PendingCopy* copy : toCheck) {
            if (!entries_[copy->entry].fault && lyingDrives.contains(copy->target.substr(0, 2))) {
                again.push_back(copy);
            }
        }
        settle(again, readBack(again, CopyCheck::Whole));
    }
    made_.clear();
}

std::vector<FileStatus> CopyJob::readBack(const std::vector<const PendingCopy*>& copies,
                                          CopyCheck check) {
    // Reads of several copies at once keep the disk busy: each read waits on the disk, not on
    // the computer.
    constexpr std::size_t kReaders = 8;
    std::vector<FileStatus> reads(copies.size(), FileStatus::ok());
    std::atomic<std::size_t> next{0};
    const auto read = [&] {
        for (std::size_t index = next++; index < copies.size(); index = next++) {
            const PendingCopy& copy = *copies[index];
            reads[index] =
                inputs_.files.verifyCopy(copy.source, copy.sourceOffset, copy.target, check);
        }
    };
    std::vector<std::thread> readers;
    for (std::size_t reader = 1; reader < std::min(kReaders, copies.size()); ++reader) {
        readers.emplace_back(read);
    }
    read();
    for (auto& reader : readers) {
        reader.join();
    }
    return reads;
}

bool CopyJob::showOutcome(std::optional<std::string> successStatus,
                          std::optional<std::string> failureStatus) {
    std::map<FileFault, int> faults;
    int undelivered = 0;
    for (const auto& entry : entries_) {
        if (entry.fault) {
            ++faults[*entry.fault];
            ++undelivered;
        }
    }
    const int files = static_cast<int>(entries_.size());
    entries_.clear();
    diskGoneSinceNotice_ = false;
    if (undelivered == 0) {
        host_.setDoneNoticeShown(true);
        if (successStatus) {
            host_.setStatusLine(*successStatus);
        }
        return true;
    }
    host_.showUndeliveredNotice(undeliveredNotice(inputs_.list, undelivered, files, faults));
    if (failureStatus) {
        host_.setStatusLine(*failureStatus);
    }
    return false;
}

void CopyJob::finishSync() {
    host_.armFreeSpaceRefresh();
    host_.setProgressLine({});
    flushCopies();
    const bool allArrived = showOutcome(syncFinishStatusLine(inputs_.list, true),
                                        syncFinishStatusLine(inputs_.list, false));
    if (syncFinishHidesBar(inputs_.list)) {
        host_.hideBar();
    }
    host_.stopElapsedTimer();
    if (allArrived) {
        host_.fillBar();
    } else {
        host_.playErrorSound();
    }
}

void CopyJob::copyOne(std::size_t queueIndex, std::string_view path, const Announce& announce) {
    const std::string_view fileName = fileNameOf(path);
    const bool marked = isMarkedFileName(fileName);
    const std::string name = marked ? plainNameOf(fileName) : std::string(fileName);
    // Classified and resolved in one step, so an icon lookup on the window's thread cannot move
    // this file to another kind's folder.
    const Destination destination = inputs_.targets.destinationOf(path);
    // The list's disk went away since the job began, or a copy found it gone: what was queued
    // for it by then is copied nowhere else, the shop's own disk included.
    if (destination.withdrawals != withdrawals_) {
        diskGoneSinceNotice_ = true;
    }
    if (destination.withdrawals != withdrawals_ || diskGone_) {
        withdrawals_ = destination.withdrawals;
        diskGone_ = false;
        abandonBefore_ = inputs_.control.paths().size();
    }

    const std::size_t entry = entries_.size();
    entries_.push_back({std::string(path), std::nullopt});
    host_.setDoneNoticeShown(false);
    announce(name, marked);
    if (queueIndex < abandonBefore_) {
        entryFailed(entry, FileFault::DiskGone);
        return;
    }

    FileSystem& files = inputs_.files;
    foldersToFlush_.emplace(folderOf(destination.path));
    std::string lyricsSource;
    if (marked) {
        // Extracted even when the copy exists already; the staging file goes again unless the
        // clerk made the staging folder this kind's target, where it is the copy.
        const std::string staging = inputs_.stagingFolder + name;
        const auto durability =
            staging == destination.path ? CopyDurability::OnDisk : CopyDurability::Cached;
        const auto extracted = extractMarkedFile(files, path, staging, durability);
        if (extracted) {
            startCopy({entry, std::string(path), kMarkedFileBlockBytes, destination.path, false},
                      staging, /*overwrite=*/false);
        } else {
            // The staging folder is the shop's own: its faults say nothing of the customer's disk.
            const FileFault fault = extracted.fault();
            entryFailed(entry,
                        fault == FileFault::SourceMissing || fault == FileFault::SourceUnreadable
                            ? fault
                            : FileFault::Other);
        }
        if (staging != destination.path) {
            files.deleteFile(staging);
        }
        lyricsSource = std::string(folderOf(path)) + name;
    } else {
        startCopy({entry, std::string(path), 0, destination.path, false}, path,
                  /*overwrite=*/false);
        lyricsSource = std::string(path);
    }

    if (destination.kind == kMusic && inputs_.control.lyricsWanted()) {
        const std::string lyrics = lyricsPathOf(lyricsSource);
        startCopy({entry, lyrics, 0, lyricsPathOf(destination.path), true}, lyrics,
                  /*overwrite=*/true);
    }
}

std::size_t CopyJob::startCopy(PendingCopy copy, std::string_view from, bool overwrite) {
    const std::string target = copy.target;
    // Known before the call: a batch may report the copy before it returns.
    pending_.emplace(copiesStarted_++, std::move(copy));
    return copies_->copyFile(from, target, overwrite);
}

void CopyJob::copyReported(std::size_t copy, CopyResult result) {
    auto reported = pending_.extract(copy);
    if (reported.empty()) {
        return;
    }
    PendingCopy& made = reported.mapped();
    if (result.kind() == CopyResult::Kind::Copied) {
        made_.push_back(std::move(made));
        return;
    }
    // Lyrics are copied when the library has them; a song without any is complete.
    if (result.arrived() || (made.lyrics && result.fault() == FileFault::SourceMissing)) {
        return;
    }
    if (result.fault() == FileFault::DiskGone) {
        diskGone_ = true;
        diskGoneSinceNotice_ = true;
    }
    entryFailed(made.entry, result.fault());
}

void CopyJob::entryFailed(std::size_t entry, FileFault fault) {
    if (!entries_[entry].fault) {
        entries_[entry].fault = fault;
        host_.markUndelivered(entries_[entry].path, fault);
    }
}

}  // namespace qh
