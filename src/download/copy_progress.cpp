#include "download/copy_progress.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

#include "download/download_list.h"
#include "download/list_copy_control.h"
#include "text/gbk.h"

namespace qh {

namespace {

std::string count(int n, int m) {
    return std::to_string(n) + "/" + std::to_string(m);
}

const std::string& downloading() {
    static const std::string text = gbk("正在下载");
    return text;
}

const std::string& downloadingDots() {
    static const std::string text = gbk("正在下载...");
    return text;
}

const std::string& downloadingColon() {
    static const std::string text = gbk("正在下载： ");
    return text;
}

}  // namespace

std::string batchProgressLine(int list, int n, int m, std::string_view name, bool marked) {
    switch (list) {
        case 0:  // 清单1
            return count(n, m) + " " + downloadingDots() + std::string(name);
        case 1:  // 清单2
            return downloadingColon() + std::string(name);
        case 2:  // 清单3
            return count(n, m) + downloadingColon() + std::string(name);
        case 3:  // 清单4
            return (marked ? downloadingDots() : downloading()) + count(n, m) + std::string(name);
        default:  // 清单5
            return count(n, m) + downloadingDots() + std::string(name);
    }
}

std::optional<std::string> batchStatusLine(int list, int n, int m, bool marked) {
    if (list == 1 || (list == 3 && marked)) {  // 清单2, and 清单4 for a marked file
        return downloadingDots() + count(n, m);
    }
    return std::nullopt;
}

std::optional<std::string> batchEndStatusLine(int list, bool allArrived) {
    static const std::string done = gbk("下载完成!");
    static const std::string unfinished = gbk("下载未完成!");
    if (list == 2 || list == 4) {  // 清单3 and 清单5
        return allArrived ? done : unfinished;
    }
    return std::nullopt;
}

std::string syncProgressLine(const SyncCounters& counters, std::string_view name) {
    return count(counters.next, counters.total) + downloadingDots() + std::string(name);
}

std::optional<std::string> syncFinishStatusLine(int list, bool allArrived) {
    static const std::string copied = gbk("复制完成!");
    static const std::string unfinished = gbk("复制未完成!");
    if (list == 0) {  // 清单1
        return allArrived ? copied : unfinished;
    }
    return std::nullopt;
}

const std::string& faultText(FileFault fault) {
    static const std::map<FileFault, std::string> texts = {
        {FileFault::DiskFull, gbk("磁盘已满")},
        {FileFault::DiskGone, gbk("磁盘已拔出")},
        {FileFault::DiskError, gbk("磁盘读写错误")},
        {FileFault::WriteProtected, gbk("磁盘写保护")},
        {FileFault::FolderMissing, gbk("目标文件夹不存在")},
        {FileFault::SourceMissing, gbk("源文件不存在")},
        {FileFault::SourceUnreadable, gbk("源文件无法读取")},
        {FileFault::VerifyFailed, gbk("校验失败")},
        {FileFault::Other, gbk("复制失败")},
    };
    return texts.at(fault);
}

std::string undeliveredNotice(int list, int undelivered, int files,
                              const std::map<FileFault, int>& faults) {
    std::vector<std::pair<FileFault, int>> reasons(faults.begin(), faults.end());
    std::stable_sort(reasons.begin(), reasons.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string why;
    for (const auto& [fault, times] : reasons) {
        if (!why.empty()) {
            why += gbk("、");
        }
        why += faultText(fault);
        if (reasons.size() > 1) {
            why += " " + std::to_string(times);
        }
    }
    return listName(list) + gbk(" 下载未完成：") + count(undelivered, files) +
           gbk(" 个文件未复制（") + why + gbk("）");
}

bool syncFinishHidesBar(int list) {
    return list == 0 || list == 1;  // 清单1 and 清单2
}

int barMaximumOf(std::string_view listSizeText) {
    double size = 0;
    const auto parsed =
        std::from_chars(listSizeText.data(), listSizeText.data() + listSizeText.size(), size);
    if (parsed.ec != std::errc() || !(size > 0)) {
        return 0;
    }
    // A memo too large for the bar fills it to the widest range it has.
    return size >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                   : static_cast<int>(size);
}

}  // namespace qh
