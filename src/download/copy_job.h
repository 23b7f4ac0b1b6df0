#pragma once
// A list's copy job: copies the paths of the list's copy queue onto the customer's disk, each
// into the folder of its kind, and reports what the list's tab shows. Plain logic: the window
// runs it on a worker thread of its own and turns the host's calls into queued widget changes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace qh {

class CopyBatch;
class FileSystem;
class ListCopyControl;
class TargetFolderSet;

// What a job changes outside its files. Every call comes from the job's thread; the window hands
// each one over to its own thread.
class CopyJobHost {
public:
    virtual ~CopyJobHost() = default;

    // The line naming the file being copied (GBK); "" empties it.
    virtual void setProgressLine(const std::string& text) = 0;
    // The status bar's second panel (GBK).
    virtual void setStatusLine(const std::string& text) = 0;
    // Hiding it also hides the undelivered notice.
    virtual void setDoneNoticeShown(bool shown) = 0;
    // In the done notice's place, when files of the job did not arrive (GBK).
    virtual void showUndeliveredNotice(const std::string& text) = 0;
    // The list's entry `path` did not arrive on the customer's disk, for `fault`.
    virtual void markUndelivered(const std::string& path, FileFault fault) = 0;

    // Position 0, minimum 0, shown.
    virtual void resetBar() = 0;
    // Maximum := the list size memo of the job's list, truncated ("12.05" gives 12). The memo
    // is the window's, recomputed as sync adds come in, so the window reads it when this arrives.
    virtual void setBarMaximumToListSize() = 0;
    // Position := the bar's maximum.
    virtual void fillBar() = 0;
    virtual void hideBar() = 0;

    // The elapsed counter reads "0".
    virtual void resetElapsedCounter() = 0;
    // Switches the elapsed timer on if it is off; a running timer keeps its phase.
    virtual void startElapsedTimer() = 0;
    virtual void stopElapsedTimer() = 0;

    virtual void armFreeSpaceRefresh() = 0;
    // Counts one more download of the file the job has just processed in the hot list.
    virtual void armHotCount(const std::string& path) = 0;
    virtual void trimKeywordHistory() = 0;
    virtual void playCopySound() = 0;
    virtual void playErrorSound() = 0;

    // The list went idle. Hide its busy animation only if it is still idle when this arrives:
    // a sync add may have started the next job in between.
    virtual void jobEnded() = 0;
};

// A job's inputs, fixed at its start.
struct CopyJobInputs {
    int list = 0;  // 0 for 清单1
    FileSystem& files;
    TargetFolderSet& targets;   // the list's, shared with the window
    ListCopyControl& control;   // the list's, shared with the window
    std::string stagingFolder;  // stagingFolderOf(list)
    // How much of each new copy is read back from the customer's disk before the done notice.
    CopyCheck check = CopyCheck::Sampled;
};

class CopyJob {
public:
    CopyJob(CopyJobInputs inputs, CopyJobHost& host);
    // Copies still pending get their names before the job is gone.
    ~CopyJob();

    // The download button's job, after ListCopyControl::startBatch: copies the batch's paths,
    // shows the list's done notice and plays the copy sound, then serves the sync adds made
    // meanwhile as a sync job would. The list is idle when it returns. A stop request ends it
    // before its next file, without the done notice. When a file did not arrive, the
    // undelivered notice and the error sound come instead.
    void runBatch();
    // The sync job, from the queue index a sync add or claimSync gave: copies that path and every
    // path appended while it runs. The list is idle when it returns.
    void runSync(std::size_t first);

private:
    using Announce = std::function<void(std::string_view name, bool marked)>;

    // A file of the job since its last notice.
    struct Entry {
        std::string path;
        std::optional<FileFault> fault;  // the first reason it did not arrive
    };
    // What a copy of the batch is for: an entry's file or its lyrics.
    struct PendingCopy {
        std::size_t entry = 0;
        std::string source;  // what the copy is compared with, from `sourceOffset` on
        std::int64_t sourceOffset = 0;
        std::string target;
        bool lyrics = false;
    };

    // One file: never over an existing copy, its lyrics beside it for music when asked, a marked
    // file through the staging folder.
    void copyOne(std::size_t queueIndex, std::string_view path, const Announce& announce);
    std::size_t startCopy(PendingCopy copy, std::string_view from, bool overwrite);
    void copyReported(std::size_t copy, CopyResult result);
    void entryFailed(std::size_t entry, FileFault fault);
    // Before a notice, so the clerk may hand the disk back: every copy named, the names on the
    // disk with one flush per folder written, and the new copies read back from the disk.
    void flushCopies();
    // Each copy read back from the disk and compared with its source, several at a time.
    std::vector<FileStatus> readBack(const std::vector<const PendingCopy*>& copies,
                                     CopyCheck check);
    // The end of a batch or the finish of a sync job: the done notice when every file since the
    // last notice arrived, otherwise the undelivered notice. True when all arrived.
    bool showOutcome(std::optional<std::string> successStatus,
                     std::optional<std::string> failureStatus);
    void finishSync();

    CopyJobInputs inputs_;
    CopyJobHost& host_;
    std::unique_ptr<CopyBatch> copies_;
    std::set<std::string> foldersToFlush_;
    std::vector<Entry> entries_;
    std::map<std::size_t, PendingCopy> pending_;  // by copy number, until reported
    std::vector<PendingCopy> made_;               // copies made since the last notice
    std::size_t copiesStarted_ = 0;
    // The list's disk withdrawals this job has seen; a new one stops its writing.
    std::uint64_t withdrawals_ = 0;
    // A disk gone under the job: the queued paths up to here are not copied anywhere.
    bool diskGone_ = false;
    // A disk went away since the last notice: a folder of it that cannot be flushed went with it.
    bool diskGoneSinceNotice_ = false;
    std::size_t abandonBefore_ = 0;
};

}  // namespace qh
