#pragma once
// The chosen disk's free and total space as the tally panel shows it (Label36).
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace qh {

// "可移动磁盘 未连接 或 未选择": the red notice (Label37) shown while a list has no disk.
const std::string& noDiskNotice();

// "可用空间：1464 MB 总大小：1920 MB", each size in whole megabytes. When the sizes cannot be
// read, the disk has gone from under the browser (pulled out before its removal is reported), so
// the text is the no-disk notice: the clerk learns the disk is not connected instead of reading
// a size it no longer has.
std::string freeSpaceText(const std::optional<VolumeSize>& size);

}  // namespace qh
