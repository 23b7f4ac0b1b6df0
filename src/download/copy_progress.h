#pragma once
// What a copy job shows of its progress on its list's tab and in the status line. Each list words
// its lines its own way; all texts are GBK. `list` is 1 for 清单1.
#include <optional>
#include <string>
#include <string_view>

namespace qh {

struct SyncCounters;

// The line while a batch job copies file n of m (`name`: a marked file's plain name).
std::string batchProgressLine(int list, int n, int m, std::string_view name, bool marked);
// The status line while a batch job copies file n of m; empty where the list leaves it alone.
std::optional<std::string> batchStatusLine(int list, int n, int m, bool marked);
// The status line at the end of a batch job; empty where it stays unchanged.
std::optional<std::string> batchEndStatusLine(int list);

// The sync job's line, the same for every list: "2/3正在下载...老歌.mp3".
std::string syncProgressLine(const SyncCounters& counters, std::string_view name);
// The status line once a sync job has served every sync add; empty where it stays unchanged.
std::optional<std::string> syncFinishStatusLine(int list);
// Whether the list's bar disappears once its sync job has served every sync add.
bool syncFinishHidesBar(int list);

// The bar's maximum: the list size memo ("12.05") taken as a number and truncated; 0 for a text
// that is no number.
int barMaximumOf(std::string_view listSizeText);

}  // namespace qh
