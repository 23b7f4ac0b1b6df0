#pragma once
// The copy bookkeeping one list's window side and its copy job share: the copy queue, the sync
// counters and the busy flag (the busy animation shows while it is set). One mutex guards them
// all, so a sync add and the running job's look at the queue never interleave, and the job's
// last look and its going idle are one step: every path a sync add appends is either reached by
// the running job or finds the list idle and starts a new one.
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace qh {

struct SyncCounters {
    int total = 0;  // sync adds made in this run
    int next = 1;   // the sync add the sync job serves next
    bool operator==(const SyncCounters&) const = default;
};

class ListCopyControl {
public:
    // Window side.

    // The download button: the paths replace the queue and the list turns busy. False, with
    // nothing changed, while a job runs: it reads the queue.
    bool startBatch(std::vector<std::string> paths);
    // Appends the path and raises the sync total. When the list was idle it turns busy and the
    // result is the index to start a sync job from; empty when the running job will reach it.
    std::optional<std::size_t> syncAdd(std::string path);
    // A sync job without a sync add: when idle, the list turns busy and the result is the index
    // of the last queued path (0 for an empty queue, where the job ends at once).
    std::optional<std::size_t> claimSync();

    // Job side.

    // The paths the last startBatch queued, without the sync adds made since.
    std::vector<std::string> batchPaths() const;
    // The queued path at `index`; when there is none, the list goes idle in the same step.
    std::optional<std::string> pathAtOrGoIdle(std::size_t index);
    SyncCounters syncCounters() const;
    // Raises sync next; true when every sync add made so far has now been served.
    bool markSyncAddServed();

    bool busy() const;
    std::vector<std::string> paths() const;

    // The list's 歌词 box. A job asks before each file, so a tick counts from the next song on.
    void setLyricsWanted(bool wanted);
    bool lyricsWanted() const;

    // Shut-down: the running job stops before its next file, and the list goes idle at its next
    // look at the queue. The file being copied is finished, so no copy is left half-made.
    void requestStop();
    bool stopRequested() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> queue_;
    std::size_t batchLength_ = 0;
    SyncCounters counters_;
    bool busy_ = false;
    bool lyricsWanted_ = false;
    bool stopRequested_ = false;
};

}  // namespace qh
