#pragma once
// One customer's download list: its entries while it is on screen, its list file, its target
// folders and the bookkeeping its copy jobs share with the window. Everything but the entries
// belongs to the list whether it is shown or not.
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "download/list_copy_control.h"
#include "download/target_folder_set.h"
#include "platform/file_system.h"

namespace qh {

class FileSystem;

// "清单3" for list 2 (GBK). Inside the program a list counts from 0; the clerk's names, the
// list files and the staging folders count from 1.
std::string listName(int list);
// "清单3.txt" for list 2 (GBK).
std::string listFileName(int list);

// The message of a download without a selected entry.
const std::string& noEntrySelectedMessage();

enum class DownloadStart {
    NothingSelected,  // show noEntrySelectedMessage()
    ListBusy,         // a job of the list runs and reads the queue; it is left alone
    Started,          // the queue holds the selection: start the batch job
};

class DownloadList {
public:
    explicit DownloadList(std::filesystem::path listFile);

    const std::filesystem::path& listFile() const { return listFile_; }

    // Full paths in list order, at the index of their rows. Held only while the list is shown.
    const std::vector<std::string>& entries() const { return entries_; }

    // The list file's lines become the entries, each kept as it is (duplicates, empty lines,
    // bytes that are not GBK, files that are gone). No file gives an empty list.
    void load();
    // Writes the entries over the list file; false when it could not be written.
    bool save() const;

    // Appends the paths the list does not hold yet, in order; returns how many were appended.
    std::size_t addPaths(const std::vector<std::string>& paths);
    void clear();
    std::vector<std::size_t> allIndices() const;
    // Deletes the copies of the selected entries from the customer's side (each file and the
    // ".lrc" beside it, as this list's folders place them), then removes the entries. Library
    // files are never touched. False when nothing is selected.
    bool deleteSelected(const std::vector<std::size_t>& selected, FileSystem& files);

    TargetFolderSet& targets() { return targets_; }
    const TargetFolderSet& targets() const { return targets_; }

    // The copy queue, sync counters and busy flag the list's copy jobs share with the window.
    ListCopyControl& copyControl() { return copy_; }
    const ListCopyControl& copyControl() const { return copy_; }

    // The entries the list's last copy could not put on the customer's disk, and why; kept until
    // the list's next copy starts. Window's thread only.
    const std::map<std::string, FileFault>& undelivered() const { return undelivered_; }
    void markUndelivered(const std::string& path, FileFault fault) { undelivered_[path] = fault; }
    void clearUndelivered() { undelivered_.clear(); }
    // The entries the customer is charged for: those that did not fail to arrive.
    std::vector<std::string> chargedEntries() const;

    // Queues `path` for an immediate copy. Returns the queue index the sync job starts from when
    // one must be started now; empty when a running job of the list will reach the path.
    std::optional<std::size_t> syncAdd(std::string path);
    // The download button: the selected entries, in list order, replace the copy queue.
    DownloadStart startDownload(const std::vector<std::size_t>& selected);

private:
    // Valid indices, ascending, each once.
    std::vector<std::size_t> selection(const std::vector<std::size_t>& selected) const;

    std::filesystem::path listFile_;
    std::vector<std::string> entries_;
    TargetFolderSet targets_;
    ListCopyControl copy_;
    std::map<std::string, FileFault> undelivered_;
};

}  // namespace qh
