#include "drives/free_space_text.h"

#include "drives/disk_entry.h"
#include "text/gbk.h"

namespace qh {

const std::string& noDiskNotice() {
    static const std::string notice = gbk("可移动磁盘 未连接 或 未选择");
    return notice;
}

std::string freeSpaceText(const std::optional<VolumeSize>& size) {
    if (!size) {
        return noDiskNotice();
    }
    static const std::string freeCaption = gbk("可用空间：");
    static const std::string totalCaption = gbk(" MB 总大小：");
    return freeCaption + std::to_string(wholeMegabytes(size->freeBytes)) + totalCaption +
           std::to_string(wholeMegabytes(size->totalBytes)) + " MB";
}

}  // namespace qh
