#pragma once
// The playlist ListBox9 with the paths of its entries (ListBox1): what the player plays on to
// after a track, from the top again after the last. Its file holds the paths only.
#include <string>
#include <vector>

namespace qh {

struct PlaylistEntry {
    std::string name;  // as the list shows it, GBK
    std::string path;  // GBK
};

class Playlist {
public:
    // The playlist file's lines, in order: each a path, shown by its DisplayName.
    void load(const std::vector<std::string>& paths);
    // What the playlist file holds: the paths, in order.
    std::vector<std::string> paths() const;

    void append(const std::vector<PlaylistEntry>& entries);
    // An index outside the list removes nothing.
    void remove(int index);
    void clear() { entries_.clear(); }

    const std::vector<PlaylistEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    int size() const { return static_cast<int>(entries_.size()); }
    // The entry after `current`, whichever list set it; the first after the last (or after an
    // index beyond the playlist).
    int nextIndex(int current) const;

private:
    std::vector<PlaylistEntry> entries_;
};

}  // namespace qh
