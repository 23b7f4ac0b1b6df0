#pragma once
// The removable-disk selectors of the five download lists: one list of disk entries that all
// five share, in the order the disks came, and each selector's text, which is the disk its list
// is copied onto or the prompt. Entries are only ever added to and removed from all five at once.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "download/download_lists.h"
#include "drives/present_drives.h"

namespace qh {

class DiskSelectors {
public:
    // No entries; every selector reads the prompt.
    DiskSelectors();

    const std::vector<std::string>& entries() const { return entries_; }
    const std::string& text(int list) const { return texts_.at(list); }

    // The start-up scan: an entry for each removable drive large enough, in the given order.
    // Fixed drives are left out; no selector's text changes.
    void fillAtStartup(const std::vector<PresentDrive>& drives);

    // A drive was added: its entry goes to the end when the drive is large enough, whatever its
    // type, and no selector's text changes, so no list takes the new disk by itself. True when
    // appended.
    bool offer(std::string_view root, std::uint64_t totalBytes);

    // A drive went away: every entry naming `root` is removed, and each list whose selector had
    // chosen it reads the prompt again. Returns those lists (0 for 清单1), in list order; the
    // caller sends them back to the default target folders. Nothing changes when no entry names
    // the root.
    std::vector<int> withdraw(std::string_view root);

    // The clerk picked entry `entry` in the selector of `list`; an index past the entries
    // changes nothing.
    void choose(int list, std::size_t entry);

    // The root of the disk the list has chosen; empty while its selector reads the prompt.
    std::optional<std::string> chosenRoot(int list) const;

private:
    std::vector<std::string> entries_;
    std::array<std::string, kListCount> texts_;
};

}  // namespace qh
