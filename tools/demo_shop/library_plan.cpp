#include "library_plan.h"

#include <algorithm>
#include <cmath>

namespace qh::demo {

namespace {

// Shares of all files; they add up to about 1 (lyrics files come with the songs).
constexpr double kSingerSongs = 0.17;
constexpr double kStyleSongs = 0.06;
constexpr double kLooseSongs = 0.015;
constexpr double kNewSongs = 0.015;
constexpr double kLyricsShare = 0.3;
constexpr double kMusicVideos = 0.08;
constexpr double kNewMusicVideos = 0.01;
constexpr double kFilms = 0.04;
constexpr double kNewFilms = 0.005;
constexpr double kEpisodes = 0.16;
constexpr double kNewEpisodes = 0.02;
constexpr double kPictures = 0.12;
constexpr double kBooks = 0.06;
constexpr double kGames = 0.06;
constexpr double kLifeFilms = 0.008;
constexpr double kNewLifeFilms = 0.002;
constexpr double kSketches = 0.012;
constexpr double kConcerts = 0.008;
constexpr double kRingtones = 0.04;
constexpr double kClips = 0.04;

constexpr std::uint64_t kStyleFolders = 16;
constexpr std::uint64_t kMusicVideoFolders = 4;
constexpr std::uint64_t kFilmGenres = 8;
constexpr std::uint64_t kSeriesGenres = 8;
constexpr std::uint64_t kPictureFolders = 22;
constexpr std::uint64_t kBookGenres = 7;
constexpr std::uint64_t kGameFormats = 8;
constexpr std::uint64_t kRingtoneKinds = 4;
constexpr std::uint64_t kClipFormats = 8;

}  // namespace

LibraryPlan planForFiles(std::uint64_t files) {
    const auto share = [files](double part, std::uint64_t folders, std::uint64_t atLeast) {
        return std::max(atLeast, static_cast<std::uint64_t>(static_cast<double>(files) * part /
                                                            static_cast<double>(folders)));
    };
    LibraryPlan plan;
    plan.singerSongs = share(kSingerSongs, 1, 24);
    // Songs per singer grow with the library: a handful in a small shop, a hundred and more in a
    // large one.
    plan.singers = std::max<std::uint64_t>(
        12, static_cast<std::uint64_t>(std::pow(static_cast<double>(plan.singerSongs), 0.6)));
    plan.songsPerStyle = share(kStyleSongs, kStyleFolders, 2);
    plan.looseSongs = share(kLooseSongs, 1, 4);
    plan.newSongs = share(kNewSongs, 1, 4);
    plan.lyricsShare = kLyricsShare;
    plan.musicVideosPerFolder = share(kMusicVideos, kMusicVideoFolders, 2);
    plan.newMusicVideos = share(kNewMusicVideos, 1, 2);
    plan.filmsPerGenre = share(kFilms, kFilmGenres, 2);
    plan.newFilms = share(kNewFilms, 1, 2);
    plan.seriesPerGenre = share(kEpisodes, kSeriesGenres * kAverageEpisodes, 1);
    plan.newSeries = share(kNewEpisodes, kAverageEpisodes, 1);
    // The picture browser starts from a cursor of up to 19 and shows six at a time: a topic of the
    // demo has pictures on every first page.
    plan.picturesPerTopic = share(kPictures, kPictureFolders, 32);
    plan.booksPerGenre = share(kBooks, kBookGenres, 2);
    plan.gamesPerFormat = share(kGames, kGameFormats, 2);
    plan.lifeFilms = share(kLifeFilms, 1, 2);
    plan.newLifeFilms = share(kNewLifeFilms, 1, 1);
    plan.sketches = share(kSketches, 1, 2);
    plan.concerts = share(kConcerts, 1, 2);
    plan.ringtonesPerKind = share(kRingtones, kRingtoneKinds, 2);
    plan.clipsPerFormat = share(kClips, kClipFormats, 2);
    return plan;
}

}  // namespace qh::demo
