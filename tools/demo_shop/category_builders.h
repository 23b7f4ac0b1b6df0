#pragma once
// The builders of the library's category folders, one per kind of media. Each fills the folder
// it is given; the library tree creates the twelve folders and calls them.
#include <cstdint>
#include <vector>

#include "demo_content.h"
#include "demo_random.h"
#include "folder_writer.h"
#include "library_plan.h"
#include "singer_roster.h"
#include "song_numbers.h"

namespace qh::demo {

inline constexpr std::uint64_t kKiB = 1024;
inline constexpr std::uint64_t kMiB = 1024 * kKiB;

struct CategoryContext {
    const LibraryPlan& plan;
    const DemoContent& content;
    SongNumbers& numbers;  // shared by songs and music videos: a number names one file
    const std::vector<RosterSinger>& roster;
    DemoRandom random;  // this category's own stream
};

void buildMusic(const Folder& category, CategoryContext& context);        // 1-音乐
void buildMusicVideos(const Folder& category, CategoryContext& context);  // 2-MTV
void buildFilms(const Folder& category, CategoryContext& context);        // 3-电影
void buildSeries(const Folder& category, CategoryContext& context);       // 4-连续剧
void buildPictures(const Folder& category, CategoryContext& context);     // 5-图片
void buildBooks(const Folder& category, CategoryContext& context);        // 6-电子书
void buildGames(const Folder& category, CategoryContext& context);        // 7-游戏
void buildLifeFilms(const Folder& category, CategoryContext& context);    // 8-伦理片
void buildSketches(const Folder& category, CategoryContext& context);     // 9-小品
void buildConcerts(const Folder& category, CategoryContext& context);     // 10-演唱会
void buildRingtones(const Folder& category, CategoryContext& context);    // 11-铃声
void buildClips(const Folder& category, CategoryContext& context);        // 12-其它

}  // namespace qh::demo
