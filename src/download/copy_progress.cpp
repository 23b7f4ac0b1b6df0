#include "download/copy_progress.h"

#include <charconv>
#include <limits>

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
        case 1:
            return count(n, m) + " " + downloadingDots() + std::string(name);
        case 2:
            return downloadingColon() + std::string(name);
        case 3:
            return count(n, m) + downloadingColon() + std::string(name);
        case 4:
            return (marked ? downloadingDots() : downloading()) + count(n, m) + std::string(name);
        default:
            return count(n, m) + downloadingDots() + std::string(name);
    }
}

std::optional<std::string> batchStatusLine(int list, int n, int m, bool marked) {
    if (list == 2 || (list == 4 && marked)) {
        return downloadingDots() + count(n, m);
    }
    return std::nullopt;
}

std::optional<std::string> batchEndStatusLine(int list) {
    static const std::string done = gbk("下载完成!");
    if (list == 3 || list == 5) {
        return done;
    }
    return std::nullopt;
}

std::string syncProgressLine(const SyncCounters& counters, std::string_view name) {
    return count(counters.next, counters.total) + downloadingDots() + std::string(name);
}

std::optional<std::string> syncFinishStatusLine(int list) {
    static const std::string copied = gbk("复制完成!");
    if (list == 1) {
        return copied;
    }
    return std::nullopt;
}

bool syncFinishHidesBar(int list) {
    return list == 1 || list == 2;
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
