// The playlist file: each line is an entry's path, shown by its file name without extension and
// marker; the entries save back as the same lines; removals take out just their entry; playing
// on always lands on an entry.
#include "checks.h"
#include "fuzz_input.h"

#include "media/playlist.h"
#include "text/text_list_file.h"

namespace qh::fuzz {
namespace {

// After the last backslash that is a character of its own, without the part from the last dot
// on, and without the first "qh2009".
std::string shownName(std::string_view path) {
    std::size_t nameStart = 0;
    std::size_t at = 0;
    for (const std::string_view character : gbkCharacters(path)) {
        at += character.size();
        if (character == "\\") {
            nameStart = at;
        }
    }
    std::string name(path.substr(nameStart));
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {
        name.erase(dot);
    }
    if (const std::size_t marker = name.find("qh2009"); marker != std::string::npos) {
        name.erase(marker, 6);
    }
    return name;
}

std::string checkEntries(const Playlist& playlist, const std::vector<std::string>& paths,
                         std::string_view after) {
    if (playlist.paths() != paths || playlist.size() != static_cast<int>(paths.size())) {
        return failure("after ", after, " the playlist holds ", playlist.size(),
                       " paths that are not the ", paths.size(), " expected");
    }
    for (const auto& entry : playlist.entries()) {
        if (entry.name != shownName(entry.path)) {
            return failure("the entry ", shown(entry.path), " shows as ", shown(entry.name),
                           " instead of ", shown(shownName(entry.path)));
        }
    }
    // From no entry (-1), any entry, or an index beyond the list after removals.
    for (int current = -1; current <= playlist.size() + 1; ++current) {
        const int next = playlist.nextIndex(current);
        const int expected = current + 1 < playlist.size() ? current + 1 : 0;
        if (next != expected) {
            return failure("after ", after, " the entry after ", current, " of ", playlist.size(),
                           " is ", next);
        }
    }
    return {};
}

}  // namespace

std::string checkPlaylist(std::string_view input) {
    const auto parts = inputParts(input, 2);
    std::vector<std::string> paths = splitTextLines(parts[1]);
    Playlist playlist;
    playlist.load(paths);
    if (auto broken = checkEntries(playlist, paths, "loading"); !broken.empty()) {
        return broken;
    }
    Playlist reloaded;
    reloaded.load(splitTextLines(joinTextLines(playlist.paths())));
    if (auto broken = checkEntries(reloaded, paths, "saving and loading"); !broken.empty()) {
        return broken;
    }
    // Each byte of the first part removes the entry of its value, less one: 0 removes index -1.
    for (const char byte : parts[0].substr(0, 32)) {
        const int index = static_cast<unsigned char>(byte) - 1;
        playlist.remove(index);
        if (index >= 0 && index < static_cast<int>(paths.size())) {
            paths.erase(paths.begin() + index);
        }
        if (auto broken = checkEntries(playlist, paths, failure("removing entry ", index));
            !broken.empty()) {
            return broken;
        }
    }
    return {};
}

}  // namespace qh::fuzz
