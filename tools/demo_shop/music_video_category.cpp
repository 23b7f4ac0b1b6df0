// 2-MTV: numbered music videos of the famous singers' songs, phone-sized .3gp mostly, and the
// new-additions folder. The files are sparse: their sizes look real, their content is never played.
#include <string>

#include "batch_folders.h"
#include "category_builders.h"
#include "media_names.h"
#include "song_names.h"

namespace qh::demo {

namespace {

// Of the Chinese music videos, the share of famous songs; the rest are songs of the library's
// singers.
constexpr double kFamousShare = 0.5;

struct SingerSong {
    std::string_view singer;
    std::string_view title;
};

std::vector<SingerSong> famousSongs(bool western) {
    std::vector<SingerSong> songs;
    for (const FamousSinger& singer : famousSingers()) {
        if ((singer.group == SingerGroup::Western) == western) {
            for (const auto title : splitTitles(singer.songs)) {
                songs.push_back({singer.name, title});
            }
        }
    }
    return songs;
}

void writeMusicVideo(const Folder& folder, const std::string& stem, bool preferMp4,
                     CategoryContext& context) {
    DemoRandom& random = context.random;
    const bool mp4 = random.chance(preferMp4 ? 0.6 : 0.25);
    const std::string name = context.numbers.next() + " " + stem + (mp4 ? ".mp4" : ".3gp");
    folder.writeSparse(
        name, mp4 ? random.between(15 * kMiB, 60 * kMiB) : random.between(2 * kMiB, 12 * kMiB));
}

}  // namespace

void buildMusicVideos(const Folder& category, CategoryContext& context) {
    const std::vector<SingerSong> chinese = famousSongs(false);
    const std::vector<SingerSong> western = famousSongs(true);
    DemoRandom& random = context.random;
    for (const auto folderName : musicVideoFolders()) {
        const bool isWestern = folderName == "欧美MTV";
        const bool isDance = folderName == "DJ舞曲MTV";
        const auto& songs = isWestern ? western : chinese;
        fillInBatches(category.child(folderName), context.plan.musicVideosPerFolder,
                      [&](const Folder& folder, std::uint64_t) {
                          std::string stem;
                          if (isWestern || random.chance(kFamousShare)) {
                              const SingerSong& song = random.pick(songs);
                              stem = std::string(song.singer) + "-" + std::string(song.title);
                          } else {
                              const RosterSinger& singer = random.pick(context.roster);
                              stem = singer.name + "-" + rosterSongTitle(singer, random);
                          }
                          if (isDance) {
                              stem += "(DJ版)";
                          }
                          writeMusicVideo(folder, stem, isWestern, context);
                      });
    }
    const auto newEntries = newSongEntries();
    fillInBatches(category.child("新增MTV"), context.plan.newMusicVideos,
                  [&](const Folder& folder, std::uint64_t i) {
                      writeMusicVideo(folder, std::string(newEntries[i % newEntries.size()]), false,
                                      context);
                  });
}

}  // namespace qh::demo
