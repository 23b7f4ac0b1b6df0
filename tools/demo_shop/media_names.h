#pragma once
// What the demo shop keeps besides songs: films, series, sketches, clips, e-books, games,
// ringtones and picture topics, as shelves of real titles.
#include <span>
#include <string_view>

#include "shelf.h"

namespace qh::demo {

// Music videos: folders of "2-MTV" (the new-additions folder apart).
std::span<const std::string_view> musicVideoFolders();

// "3-电影" genre folders, and the new films of the year.
std::span<const Shelf> filmShelves();
std::span<const std::string_view> newFilmTitles();
// Tags that tell two copies of a film apart: "[国语中字]", "[高清]", ...
std::span<const std::string_view> filmVersions();

// "4-连续剧" genre folders of series, the new series of the year, and the editions that tell
// two series of one title apart ("(2008版)").
std::span<const Shelf> seriesShelves();
std::span<const std::string_view> newSeriesTitles();
std::span<const std::string_view> seriesEditions();

// "8-伦理片", shown to the clerk as 生活片.
std::span<const std::string_view> lifeFilmTitles();
// "9-小品": "performer-title".
std::span<const std::string_view> sketchTitles();
// "10-演唱会": what follows the singer's name and year, "世界巡回演唱会".
std::span<const std::string_view> concertKinds();
// "12-其它": the eight video-format folders with their clips.
std::span<const Shelf> clipShelves();
// "(上)", "(高清)", ... for clips, sketches and concerts.
std::span<const std::string_view> clipVersions();

// "6-电子书" genre folders, entries "author-title", and their editions.
std::span<const Shelf> bookShelves();
std::span<const std::string_view> bookEditions();

// "7-游戏": the eight format folders, in button order, and their builds.
std::span<const Shelf> gameShelves();
std::span<const std::string_view> gameBuilds();

// "11-铃声": the four ringtone kinds, in button order, and their cuts.
std::span<const Shelf> ringtoneShelves();
std::span<const std::string_view> ringtoneCuts();

// The eleven picture topics of "5-图片\大图" and "5-图片\小图", in button order.
std::span<const std::string_view> pictureTopics();

}  // namespace qh::demo
