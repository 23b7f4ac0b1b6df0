#pragma once
// The singers who get a folder in the music category: the famous ones first, taking turns among
// the four groups so a small shop shows every kind, then made-up names when a large library needs
// more singers than the table holds.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "song_names.h"

namespace qh::demo {

struct RosterSinger {
    std::string name;
    SingerGroup group;
    std::vector<std::string_view> knownSongs;  // empty for a made-up singer
};

std::vector<RosterSinger> singerRoster(std::size_t count);

// A song of the singer: one the singer is known for, or a made-up title.
std::string rosterSongTitle(const RosterSinger& singer, DemoRandom& random);

// The lines of the shop's singer file: every famous singer, then the roster's made-up singers.
std::vector<std::string> singerFileNames(const std::vector<RosterSinger>& roster);

}  // namespace qh::demo
