#pragma once
// How many files of each kind a library of a given size holds. The shares follow a typical shop:
// songs and their lyrics first, then series episodes, pictures and music videos; every folder of
// the fixed tree gets at least one file so every browse button finds something.
#include <cstdint>

namespace qh::demo {

// The small demo's size: a few hundred songs.
inline constexpr std::uint64_t kDemoFileCount = 1200;

struct LibraryPlan {
    std::uint64_t singers = 0;  // singer folders
    std::uint64_t singerSongs = 0;
    std::uint64_t songsPerStyle = 0;  // in each of the sixteen style folders
    std::uint64_t looseSongs = 0;     // at the music category's root
    std::uint64_t newSongs = 0;
    double lyricsShare = 0;  // of the songs that have a lyrics file beside them
    std::uint64_t musicVideosPerFolder = 0;
    std::uint64_t newMusicVideos = 0;
    std::uint64_t filmsPerGenre = 0;
    std::uint64_t newFilms = 0;
    std::uint64_t seriesPerGenre = 0;
    std::uint64_t newSeries = 0;
    std::uint64_t picturesPerTopic = 0;  // in each topic folder of both sizes
    std::uint64_t booksPerGenre = 0;
    std::uint64_t gamesPerFormat = 0;
    std::uint64_t lifeFilms = 0;
    std::uint64_t newLifeFilms = 0;
    std::uint64_t sketches = 0;
    std::uint64_t concerts = 0;
    std::uint64_t ringtonesPerKind = 0;
    std::uint64_t clipsPerFormat = 0;
};

// Episodes a series has on average; the series count follows from it.
inline constexpr std::uint64_t kAverageEpisodes = 35;

LibraryPlan planForFiles(std::uint64_t files);

}  // namespace qh::demo
