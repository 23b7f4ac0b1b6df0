#include "download/download_lists.h"

#include "settings/app_paths.h"
#include "settings/save_failures.h"
#include "text/gbk.h"

namespace qh {

namespace {

DownloadList listOf(const AppPaths& paths, int list) {
    return DownloadList(paths.dataFile(listFileName(list)));
}

}  // namespace

const std::string& tooManyResultsMessage() {
    static const std::string message = gbk("对不起，一次下载的数量不能大于200");
    return message;
}

DownloadLists::DownloadLists(const AppPaths& paths, SaveFailures* failures)
    : lists_{listOf(paths, 0), listOf(paths, 1), listOf(paths, 2), listOf(paths, 3),
             listOf(paths, 4)},
      failures_(failures) {}

void DownloadLists::loadShown() {
    shown().load();
}

bool DownloadLists::saveShown() const {
    const bool saved = shown().save();
    return failures_ != nullptr ? failures_->record(saved, shown().listFile()) : saved;
}

void DownloadLists::switchTo(int index) {
    saveShown();
    shown().clear();
    shown_ = index;
    syncDownload_ = true;
    shown().load();
}

void DownloadLists::saveAtShutDown() const {
    std::error_code error;
    if (std::filesystem::exists(shown().listFile(), error)) {
        saveShown();
    }
}

ResultAdd DownloadLists::addResults(const std::vector<std::string>& selectedPaths,
                                    std::string_view currentFile) {
    if (selectedPaths.size() > kMostResultsPerAdd) {
        return {tooManyResultsMessage(), 0, std::nullopt};
    }
    ResultAdd outcome;
    outcome.appended = shown().addPaths(selectedPaths);
    if (syncDownload_) {
        outcome.syncJobFrom = shown().syncAdd(std::string(currentFile));
    }
    return outcome;
}

ResultAdd DownloadLists::batchAdd(const std::vector<std::string>& selectedPaths,
                                  std::string_view currentFile) {
    syncDownload_ = false;
    return addResults(selectedPaths, currentFile);
}

}  // namespace qh
