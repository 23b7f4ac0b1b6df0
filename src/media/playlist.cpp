#include "media/playlist.h"

#include "library/display_name.h"

namespace qh {

void Playlist::load(const std::vector<std::string>& paths) {
    entries_.clear();
    entries_.reserve(paths.size());
    for (const auto& path : paths) {
        entries_.push_back({DisplayName(path), path});
    }
}

std::vector<std::string> Playlist::paths() const {
    std::vector<std::string> paths;
    paths.reserve(entries_.size());
    for (const auto& entry : entries_) {
        paths.push_back(entry.path);
    }
    return paths;
}

void Playlist::append(const std::vector<PlaylistEntry>& entries) {
    entries_.insert(entries_.end(), entries.begin(), entries.end());
}

void Playlist::remove(int index) {
    if (index >= 0 && index < size()) {
        entries_.erase(entries_.begin() + index);
    }
}

int Playlist::nextIndex(int current) const {
    return current < size() - 1 ? current + 1 : 0;
}

}  // namespace qh
