#pragma once
// Who sings what in the demo shop's music category: well-known singers with songs they are known
// for, the music-style shelves, and made-up titles for libraries larger than the tables.
#include <span>
#include <string>
#include <string_view>

#include "demo_random.h"
#include "shelf.h"

namespace qh::demo {

enum class SingerGroup { Male, Female, Band, Western };

struct FamousSinger {
    std::string_view name;
    SingerGroup group;
    std::string_view songs;  // "a|b|c"
};

// Every singer named anywhere in the music tables is listed here, so the singer file knows them.
std::span<const FamousSinger> famousSingers();

// The folder of the music category that holds the group's singer folders.
std::string_view singerGroupFolder(SingerGroup group);

// The sixteen style folders of "分类歌曲", in button order; entries "singer-title" or a title.
std::span<const Shelf> musicStyleShelves();

// Evergreens a shop keeps loose in the music folder, titles without a singer.
std::span<const std::string_view> evergreenTitles();

// This year's songs for the new-additions folder, "singer-title".
std::span<const std::string_view> newSongEntries();

// The suffixes shops give other recordings of a song: "(DJ版)", "(现场版)", ...
std::span<const std::string_view> songVersions();

// A title in the manner of Chinese pop songs, for libraries larger than the tables.
std::string madeUpSongTitle(DemoRandom& random);

}  // namespace qh::demo
