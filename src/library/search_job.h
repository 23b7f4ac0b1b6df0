#pragma once
// The search worker's job: walk the library for one search and hand what it finds, in order and
// in batches, to a host. A plain class, so tests run it without a thread; SearchThread runs it on
// one.
#include <array>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "library/library_layout.h"
#include "library/path_batcher.h"
#include "platform/folder_reader.h"

namespace qh {

// Everything a search reads from the window, taken when it starts.
struct SearchRequest {
    int tabIndex = -1;                                   // the category tab, -1 for none
    std::array<std::string, kLibraryDriveCount> drives;  // the library drive texts
    std::string searchKeyword;                           // GBK, chooseSearchKeyword
    std::string searchMask;                              // "*.*" or "*.mp3"
    std::string typedText;                               // the keyword box as typed, GBK
    // A library view instead of a search: every file below these folders (each ending in a
    // backslash), folder after folder. The fields above are then not read.
    std::optional<std::vector<std::string>> viewFolders = std::nullopt;
};

// The walk of a category, sub-folder or new-additions view.
SearchRequest libraryViewRequest(std::vector<std::string> folders);

class SearchHost {
public:
    virtual ~SearchHost() = default;
    // Full paths in the order found; batches follow one another in that order too.
    virtual void pathsFound(std::vector<std::string> paths) = 0;
    // After the last batch, when every root has been walked.
    virtual void searchEnded() = 0;
};

class SearchJob {
public:
    SearchJob(const FolderReader& reader, SearchRequest request, BatchLimits limits = {});

    // Walks every root of the request. A view finds every file below its folders. On the series
    // tab, each folder below the roots whose full path holds the typed text gives the plain files
    // lying directly in it (hidden and system files left out); as a sub-folder's path holds its
    // parent's, everything below such a folder is found. Otherwise every file below the roots that
    // matches "*" + keyword + mask is found. Once `stop` is requested the job reads no further
    // folder and hands over nothing more, not even its end. Each walk reads ahead of itself on a
    // second thread; that changes neither what it finds nor the order.
    void run(SearchHost& host, std::stop_token stop = {}) const;

private:
    void searchSeries(const std::vector<std::string>& roots, PathBatcher& output,
                      const std::stop_token& stop) const;

    const FolderReader& reader_;
    SearchRequest request_;
    BatchLimits limits_;
};

}  // namespace qh
