#include "drives/disk_selectors.h"

#include <algorithm>

#include "drives/disk_entry.h"
#include "text/byte_text.h"

namespace qh {

DiskSelectors::DiskSelectors() {
    texts_.fill(chooseDiskPrompt());
}

void DiskSelectors::fillAtStartup(const std::vector<PresentDrive>& drives) {
    for (const auto& drive : drives) {
        if (drive.type == DriveType::Removable && isLargeEnoughForEntry(drive.totalBytes)) {
            entries_.push_back(diskEntry(drive.root));
        }
    }
}

bool DiskSelectors::offer(std::string_view root, std::uint64_t totalBytes) {
    if (!isLargeEnoughForEntry(totalBytes)) {
        return false;
    }
    entries_.push_back(diskEntry(root));
    return true;
}

std::vector<int> DiskSelectors::withdraw(std::string_view root) {
    auto naming = [root](const std::string& entry) { return contains(entry, root); };
    if (std::none_of(entries_.begin(), entries_.end(), naming)) {
        return {};
    }
    std::vector<int> reset;
    for (int list = 0; list < kListCount; ++list) {
        if (contains(texts_[list], root)) {
            texts_[list] = chooseDiskPrompt();
            reset.push_back(list);
        }
    }
    std::erase_if(entries_, naming);
    return reset;
}

void DiskSelectors::choose(int list, std::size_t entry) {
    if (entry < entries_.size()) {
        texts_.at(list) = entries_[entry];
    }
}

std::optional<std::string> DiskSelectors::chosenRoot(int list) const {
    return diskRootOf(texts_.at(list));
}

}  // namespace qh
