#pragma once
// The five customer lists 清单1 to 清单5 and which of them is on screen. Only the shown list holds
// its entries; the others wait in their list files. The 同步下载 box belongs here too, since a
// switch ticks it and a batch add unticks it.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "download/download_list.h"

namespace qh {

struct AppPaths;
class SaveFailures;

// 清单1 .. 清单5; inside the program they are lists 0 .. 4.
inline constexpr int kListCount = 5;

// A double-click may add at most this many results at once.
inline constexpr std::size_t kMostResultsPerAdd = 200;
const std::string& tooManyResultsMessage();

struct ResultAdd {
    std::string refusal;       // when not empty: show it; nothing was added or queued
    std::size_t appended = 0;  // recompute the tally when above zero
    // The shown list's sync job is to start at this index of its copy queue.
    std::optional<std::size_t> syncJobFrom;
};

class DownloadLists {
public:
    // The lists' files are "清单1.txt" to "清单5.txt" in DataDir. Nothing is read yet. A save
    // that fails is recorded in `failures`.
    explicit DownloadLists(const AppPaths& paths, SaveFailures* failures = nullptr);

    DownloadList& list(int index) { return lists_.at(index); }  // 0 for 清单1
    const DownloadList& list(int index) const { return lists_.at(index); }
    int shownIndex() const { return shown_; }
    DownloadList& shown() { return lists_.at(shown_); }
    const DownloadList& shown() const { return lists_.at(shown_); }

    bool syncDownload() const { return syncDownload_; }
    void setSyncDownload(bool ticked) { syncDownload_ = ticked; }

    // Start-up: 清单1 is shown with its file's content.
    void loadShown();
    // Writes the shown list to its file; false when it could not be saved.
    bool saveShown() const;
    // The shown list is saved to its file and forgotten; the list at `index` is loaded and
    // shown, and the 同步下载 box is ticked. Copy jobs and target folders are left alone.
    void switchTo(int index);
    // Shut-down saves the shown list only over a file it already has.
    void saveAtShutDown() const;

    // A double-click on results: the selected rows' paths go into the shown list, and with the
    // 同步下载 box ticked the current file (the row last picked) is queued for an immediate copy,
    // even when the list already held it.
    ResultAdd addResults(const std::vector<std::string>& selectedPaths,
                         std::string_view currentFile);
    // The same with the 同步下载 box unticked first; it stays unticked.
    ResultAdd batchAdd(const std::vector<std::string>& selectedPaths, std::string_view currentFile);

private:
    std::array<DownloadList, kListCount> lists_;
    int shown_ = 0;
    bool syncDownload_ = true;
    SaveFailures* failures_;
};

}  // namespace qh
