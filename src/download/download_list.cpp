#include "download/download_list.h"

#include <algorithm>
#include <numeric>

#include "platform/file_system.h"
#include "text/byte_text.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {

namespace {

std::string lyricsPathOf(std::string_view path) {
    return std::string(path.substr(0, path.size() - extensionOf(path).size())) + ".lrc";
}

void deleteIfThere(FileSystem& files, const std::string& path) {
    if (files.fileExists(path)) {
        files.deleteFile(path);  // a failed delete is passed over, as every disk failure is
    }
}

}  // namespace

std::string listName(int list) {
    static const std::string prefix = gbk("清单");
    return prefix + std::to_string(list + 1);
}

std::string listFileName(int list) {
    return listName(list) + ".txt";
}

const std::string& noEntrySelectedMessage() {
    static const std::string message = gbk("至少要选择一个文件!");
    return message;
}

DownloadList::DownloadList(std::filesystem::path listFile) : listFile_(std::move(listFile)) {}

void DownloadList::load() {
    std::error_code error;
    entries_ = std::filesystem::exists(listFile_, error) ? loadTextList(listFile_)
                                                         : std::vector<std::string>{};
}

bool DownloadList::save() const {
    return saveTextList(listFile_, entries_);
}

std::size_t DownloadList::addPaths(const std::vector<std::string>& paths) {
    std::size_t appended = 0;
    for (const auto& path : paths) {
        // The same file, byte for byte, is listed once. A path that is only a piece of a listed
        // one is another file (电影.rm beside 电影.rmvb) and is taken.
        if (std::find(entries_.begin(), entries_.end(), path) != entries_.end()) {
            continue;
        }
        entries_.push_back(path);
        ++appended;
    }
    return appended;
}

void DownloadList::clear() {
    entries_.clear();
}

std::vector<std::size_t> DownloadList::allIndices() const {
    std::vector<std::size_t> indices(entries_.size());
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    return indices;
}

bool DownloadList::deleteSelected(const std::vector<std::size_t>& selected, FileSystem& files) {
    const auto indices = selection(selected);
    if (indices.empty()) {
        return false;
    }
    for (const std::size_t index : indices) {
        const auto destination = targets_.destinationOf(entries_[index]).path;
        deleteIfThere(files, destination);
        deleteIfThere(files, lyricsPathOf(destination));
    }
    // From the back, so the indices still to go keep pointing at their entries.
    for (auto index = indices.rbegin(); index != indices.rend(); ++index) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*index));
    }
    return true;
}

std::vector<std::string> DownloadList::chargedEntries() const {
    std::vector<std::string> charged;
    charged.reserve(entries_.size());
    for (const auto& entry : entries_) {
        if (!undelivered_.contains(entry)) {
            charged.push_back(entry);
        }
    }
    return charged;
}

std::optional<std::size_t> DownloadList::syncAdd(std::string path) {
    return copy_.syncAdd(std::move(path));
}

DownloadStart DownloadList::startDownload(const std::vector<std::size_t>& selected) {
    const auto indices = selection(selected);
    if (indices.empty()) {
        return DownloadStart::NothingSelected;
    }
    std::vector<std::string> paths;
    for (const std::size_t index : indices) {
        paths.push_back(entries_[index]);
    }
    return copy_.startBatch(std::move(paths)) ? DownloadStart::Started : DownloadStart::ListBusy;
}

std::vector<std::size_t> DownloadList::selection(const std::vector<std::size_t>& selected) const {
    std::vector<std::size_t> indices;
    std::copy_if(selected.begin(), selected.end(), std::back_inserter(indices),
                 [this](std::size_t index) { return index < entries_.size(); });
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

}  // namespace qh
