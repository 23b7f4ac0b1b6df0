#include "library_tree.h"

#include <string_view>

#include "category_builders.h"
#include "text/gbk.h"

namespace qh::demo {

namespace {

struct Category {
    std::string_view folder;
    void (*build)(const Folder&, CategoryContext&);
};

constexpr Category kCategories[] = {
    {"1-音乐", buildMusic},       {"2-MTV", buildMusicVideos},  {"3-电影", buildFilms},
    {"4-连续剧", buildSeries},    {"5-图片", buildPictures},    {"6-电子书", buildBooks},
    {"7-游戏", buildGames},       {"8-伦理片", buildLifeFilms}, {"9-小品", buildSketches},
    {"10-演唱会", buildConcerts}, {"11-铃声", buildRingtones},  {"12-其它", buildClips},
};

constexpr std::string_view kGuide =
    "青禾点唱库 使用说明\r\n"
    "\r\n"
    "mp3歌曲放入 1-音乐，3gp歌曲放入 2-MTV，电影放入 3-电影，连续剧每部一个文件夹放入 "
    "4-连续剧。\r\n"
    "图片按大图、小图分主题存放在 5-图片，电子书放入 6-电子书，游戏按格式放入 7-游戏。\r\n"
    "新到的歌曲、MTV、电影、连续剧和生活片放入各自的“新增”文件夹。\r\n";

constexpr std::string_view kWelcomeSong = "青禾点唱欢迎曲";

// The shop's printed catalogue: a file of no media kind in the library.
constexpr std::string_view kCatalogue = "歌库目录.xls";
constexpr std::uint64_t kCatalogueBytes = 86 * 1024;

// Songs and music videos draw from one row of numbers.
std::uint64_t numberedFiles(const LibraryPlan& plan) {
    constexpr std::uint64_t kStyles = 16;
    constexpr std::uint64_t kMusicVideoFolders = 4;
    constexpr std::uint64_t kFixedSongs = 8;  // marked, birthday and welcome songs
    return plan.singerSongs + kStyles * plan.songsPerStyle + plan.looseSongs + plan.newSongs +
           kMusicVideoFolders * plan.musicVideosPerFolder + plan.newMusicVideos + kFixedSongs;
}

}  // namespace

void buildLibrary(const Folder& driveRoot, const LibraryPlan& plan, const DemoContent& content,
                  const std::vector<RosterSinger>& roster, const DemoRandom& random) {
    const Folder library = driveRoot.child("青禾点唱库");
    SongNumbers numbers(numberedFiles(plan));
    DemoRandom rootRandom = random.fork("library root");
    library.writeFile("使用说明.txt", content.real() ? gbk(kGuide) : std::string());
    library.writeSparse(kCatalogue, kCatalogueBytes);
    library.writeFile(numbers.next() + " " + std::string(kWelcomeSong) + ".mp3",
                      content.song(rootRandom));
    for (const Category& category : kCategories) {
        CategoryContext context{plan, content, numbers, roster, random.fork(category.folder)};
        category.build(library.child(category.folder), context);
    }
}

}  // namespace qh::demo
