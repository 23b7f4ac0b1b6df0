#pragma once
// What a copy job shows of its progress on its list's tab and in the status line. Each list words
// its lines its own way; all texts are GBK. `list` is 0 for 清单1.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace qh {

struct SyncCounters;

// The line while a batch job copies file n of m (`name`: a marked file's plain name).
std::string batchProgressLine(int list, int n, int m, std::string_view name, bool marked);
// The status line while a batch job copies file n of m; empty where the list leaves it alone.
std::optional<std::string> batchStatusLine(int list, int n, int m, bool marked);
// The status line at the end of a batch job, "下载完成!" or, when a file did not arrive,
// "下载未完成!"; empty where it stays unchanged.
std::optional<std::string> batchEndStatusLine(int list, bool allArrived = true);

// The sync job's line, the same for every list: "2/3正在下载...老歌.mp3".
std::string syncProgressLine(const SyncCounters& counters, std::string_view name);
// The status line once a sync job has served every sync add, "复制完成!" or, when a file did not
// arrive, "复制未完成!"; empty where it stays unchanged.
std::optional<std::string> syncFinishStatusLine(int list, bool allArrived = true);

// Why a file did not arrive, in the clerk's words ("磁盘已满").
const std::string& faultText(FileFault fault);
// In the done notice's place when files did not arrive:
// "清单1 下载未完成：3/10 个文件未复制（磁盘已满）"; several reasons come most frequent first,
// each with its count: "（磁盘已满 2、源文件不存在 1）".
std::string undeliveredNotice(int list, int undelivered, int files,
                              const std::map<FileFault, int>& faults);
// Whether the list's bar disappears once its sync job has served every sync add.
bool syncFinishHidesBar(int list);

// The bar's maximum: the list size memo ("12.05") taken as a number and truncated; 0 for a text
// that is no number.
int barMaximumOf(std::string_view listSizeText);

}  // namespace qh
