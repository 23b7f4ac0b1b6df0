#include "drives/disk_entry.h"

#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

constexpr std::uint64_t kLargestRefusedMegabytes = 10;

}  // namespace

const std::string& diskEntryPrefix() {
    static const std::string prefix = gbk("可移动磁盘：");
    return prefix;
}

const std::string& chooseDiskPrompt() {
    static const std::string prompt = gbk("请选择可移动磁盘");
    return prompt;
}

std::string diskEntry(std::string_view root) {
    return diskEntryPrefix() + std::string(root);
}

std::optional<std::string> diskRootOf(std::string_view selectorText) {
    if (!contains(selectorText, diskEntryPrefix())) {
        return std::nullopt;
    }
    // The prefix is cut by its length from the front, wherever the test found it.
    return std::string(selectorText.substr(diskEntryPrefix().size()));
}

bool isLargeEnoughForEntry(std::uint64_t totalBytes) {
    return wholeMegabytes(totalBytes) > kLargestRefusedMegabytes;
}

}  // namespace qh
