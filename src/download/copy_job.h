#pragma once
// A list's copy job: copies the paths of the list's copy queue onto the customer's disk, each
// into the folder of its kind, and reports what the list's tab shows. Plain logic: the window
// runs it on a worker thread of its own and turns the host's calls into queued widget changes.
#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>

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
    virtual void setDoneNoticeShown(bool shown) = 0;

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
    // Counts one more download of the current file in the hot list.
    virtual void armHotCount() = 0;
    virtual void trimKeywordHistory() = 0;
    virtual void playCopySound() = 0;

    // The list went idle. Hide its busy animation only if it is still idle when this arrives:
    // a sync add may have started the next job in between.
    virtual void jobEnded() = 0;
};

// A job's inputs, fixed at its start.
struct CopyJobInputs {
    int list = 1;  // 1 for 清单1
    FileSystem& files;
    TargetFolderSet& targets;   // the list's, shared with the window
    ListCopyControl& control;   // the list's, shared with the window
    std::string stagingFolder;  // stagingFolderOf(list)
};

class CopyJob {
public:
    CopyJob(CopyJobInputs inputs, CopyJobHost& host);
    // Copies still pending get their names before the job is gone.
    ~CopyJob();

    // The download button's job, after ListCopyControl::startBatch: copies the batch's paths,
    // shows the list's done notice and plays the copy sound, then serves the sync adds made
    // meanwhile as a sync job would. The list is idle when it returns. A stop request ends it
    // before its next file, without the done notice.
    void runBatch();
    // The sync job, from the queue index a sync add or claimSync gave: copies that path and every
    // path appended while it runs. The list is idle when it returns.
    void runSync(std::size_t first);

private:
    using Announce = std::function<void(std::string_view name, bool marked)>;

    // One file: never over an existing copy, its lyrics beside it for music when asked, a marked
    // file through the staging folder. Failures pass the file over silently.
    void copyOne(std::string_view path, const Announce& announce);
    // Before a done notice, so the clerk may hand the disk back: every copy named, and the names
    // on the disk with one flush per folder written, not one per file.
    void flushCopies();
    void finishSync();

    CopyJobInputs inputs_;
    CopyJobHost& host_;
    std::unique_ptr<CopyBatch> copies_;
    std::set<std::string> foldersToFlush_;
};

}  // namespace qh
