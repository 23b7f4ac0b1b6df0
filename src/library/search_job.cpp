#include "library/search_job.h"

#include "library/read_ahead_folder_reader.h"
#include "library/search_plan.h"
#include "library/walker.h"
#include "platform/file_system.h"
#include "text/byte_text.h"

namespace qh {

SearchRequest libraryViewRequest(std::vector<std::string> folders) {
    SearchRequest request;
    request.viewFolders = std::move(folders);
    return request;
}

SearchJob::SearchJob(const FolderReader& reader, SearchRequest request, BatchLimits limits)
    : reader_(reader), request_(std::move(request)), limits_(limits) {}

void SearchJob::run(SearchHost& host, std::stop_token stop) const {
    PathBatcher batcher(
        [&host](std::vector<std::string> paths) { host.pathsFound(std::move(paths)); }, limits_,
        stop);
    const bool view = request_.viewFolders.has_value();
    const std::vector<std::string> roots =
        view ? *request_.viewFolders : searchRoots(request_.tabIndex, request_.drives);
    if (!view && isSeriesSearch(request_.tabIndex)) {
        searchSeries(roots, batcher, stop);
    } else {
        const std::string pattern = view ? std::string(kAllFilesMask)
                                         : walkPattern(request_.searchKeyword, request_.searchMask);
        const ReadAheadFolderReader readAhead(reader_, stop);
        for (const auto& root : roots) {
            WalkFiles(readAhead, root, pattern, batcher, stop);
        }
    }
    if (stop.stop_requested()) {
        return;
    }
    batcher.flush();
    host.searchEnded();
}

void SearchJob::searchSeries(const std::vector<std::string>& roots, PathBatcher& output,
                             const std::stop_token& stop) const {
    const std::string& folderKeyword = request_.typedText;
    const NamePattern files(walkPattern("", request_.searchMask));
    constexpr std::uint32_t notPlain = attr::Directory | attr::Hidden | attr::System;
    const ReadAheadFolderReader readAhead(reader_, stop);
    for (const auto& root : roots) {
        for (const auto& folder : ListSubfolders(readAhead, root, stop)) {
            if (stop.stop_requested()) {
                return;
            }
            if (!contains(folder, folderKeyword)) {
                continue;
            }
            output.betweenFolders();
            const auto open = reader_.open(folder + '\\', files);
            FolderEntry entry;
            while (open && open->next(entry)) {
                if (entry.matches && (entry.attributes & notPlain) == 0) {
                    output.found(folder + '\\' + entry.name);
                }
            }
        }
    }
}

}  // namespace qh
