// 1-音乐: numbered songs at the root, in singer folders (with albums when a singer has many), in
// the sixteen style folders and in the new-additions folder; lyrics files beside a share of them;
// a few marked files and a name outside GBK.
#include <string>
#include <string_view>

#include "batch_folders.h"
#include "category_builders.h"
#include "song_names.h"
#include "wav_tone.h"

namespace qh::demo {

namespace {

// A marked library file starts with a block of this size that the program drops when it copies
// or plays the file; the media content follows it.
constexpr std::uint64_t kMarkedBlockBytes = 407552;
constexpr std::string_view kMarker = "qh2009";

struct MarkedSong {
    std::string_view folder;  // below the music category
    std::string_view entry;   // with the marker
    bool lyrics;              // a lyrics file under the plain name beside it
};

constexpr MarkedSong kMarkedSongs[] = {
    {"分类歌曲/经典老歌", "qh2009老歌", true},
    {"分类歌曲/经典老歌", "qh2009邓丽君-甜蜜蜜", true},
    {"分类歌曲/DJ舞曲", "qh2009庞龙-两只蝴蝶(DJ版)", false},
    {"新增歌曲", "qh2009龚琳娜-忐忑", true},
    {"新增歌曲", "刀郎-冲动的惩罚qh2009", false},
    {"", "qh2009凤凰传奇-月亮之上", false},
};

// Its name holds a character outside GBK, which the program must carry through unchanged.
constexpr std::string_view kBirthdaySong = "生日快乐🎂";

// A singer with at most this many songs keeps them all in the singer's folder.
constexpr std::uint64_t kSongsWithoutAlbums = 40;

constexpr std::string_view kVariousArtists = "群星";

// Once a shelf's songs are all there, the share of further songs that are other recordings of
// them; the rest are other singers' songs. It keeps a large library from repeating a few titles.
constexpr double kRecordingShare = 0.3;

class SongWriter {
public:
    explicit SongWriter(CategoryContext& context) : context_(context) {}

    // "0345 周杰伦-晴天.mp3", or "0012 月亮代表我的心.mp3" without a singer.
    void write(const Folder& folder, std::string_view singer, std::string_view title) {
        const std::string stem =
            context_.numbers.next() + " " +
            (singer.empty() ? std::string(title) : std::string(singer) + "-" + std::string(title));
        DemoRandom& random = context_.random;
        folder.writeFile(stem + ".mp3", context_.content.song(random));
        if (random.chance(context_.plan.lyricsShare)) {
            folder.writeFile(
                stem + ".lrc",
                context_.content.lyrics(title, singer.empty() ? kVariousArtists : singer, random));
        }
    }

    // An entry of a shelf: "singer-title" or a bare title.
    void writeEntry(const Folder& folder, std::string_view entry) {
        const auto dash = entry.find('-');
        if (dash == std::string_view::npos) {
            write(folder, {}, entry);
        } else {
            write(folder, entry.substr(0, dash), entry.substr(dash + 1));
        }
    }

private:
    CategoryContext& context_;
};

std::string singerSongTitle(const RosterSinger& singer, std::uint64_t index, DemoRandom& random) {
    const auto& known = singer.knownSongs;
    if (index < known.size()) {
        return std::string(known[index]);
    }
    if (!known.empty() && (singer.group == SingerGroup::Western || random.chance(0.4))) {
        return std::string(random.pick(known)) + std::string(random.pick(songVersions()));
    }
    return madeUpSongTitle(random);
}

// Splits `total` songs among the singers, famous ones getting about three times as many.
std::vector<std::uint64_t> songsPerSinger(const std::vector<RosterSinger>& roster,
                                          std::uint64_t total, DemoRandom& random) {
    std::vector<double> weights;
    double sum = 0;
    for (const auto& singer : roster) {
        const double weight = (singer.knownSongs.empty() ? 1.0 : 3.0) * (0.5 + random.unit());
        weights.push_back(weight);
        sum += weight;
    }
    std::vector<std::uint64_t> counts;
    std::uint64_t given = 0;
    for (const double weight : weights) {
        const auto count = std::max<std::uint64_t>(
            1, static_cast<std::uint64_t>(weight / sum * static_cast<double>(total)));
        counts.push_back(count);
        given += count;
    }
    for (std::size_t i = 0; given < total; ++given, i = (i + 1) % counts.size()) {
        ++counts[i];
    }
    return counts;
}

void writeSinger(const Folder& groupFolder, const RosterSinger& singer, std::uint64_t count,
                 SongWriter& songs, DemoRandom& random) {
    const Folder folder = groupFolder.child(singer.name);
    std::uint64_t index = 0;
    const std::uint64_t singles = count <= kSongsWithoutAlbums ? count : count / 5;
    for (; index < singles; ++index) {
        songs.write(folder, singer.name, singerSongTitle(singer, index, random));
    }
    std::vector<std::uint64_t> albumSizes;
    for (std::uint64_t left = count - singles; left > 0;) {
        albumSizes.push_back(std::min(left, random.between(8, 14)));
        left -= albumSizes.back();
    }
    const std::uint64_t firstYear = 2011 - albumSizes.size();
    for (std::size_t album = 0; album < albumSizes.size(); ++album) {
        const std::string albumName = std::to_string(firstYear + album) + " " +
                                      singerSongTitle(singer, random.below(count), random);
        const Folder albumFolder = folder.child(albumName);
        const std::uint64_t size = albumSizes[album];
        // Double albums keep their discs apart.
        const bool twoDiscs = size >= 10 && random.chance(0.1);
        for (std::uint64_t track = 0; track < size; ++track, ++index) {
            const std::string title = singerSongTitle(singer, index, random);
            if (twoDiscs) {
                songs.write(albumFolder.child(track < size / 2 ? "CD1" : "CD2"), singer.name,
                            title);
            } else {
                songs.write(albumFolder, singer.name, title);
            }
        }
    }
}

// Marked files are few, so they play in a benchmark shop too: only their block is a hole there.
void writeMarkedSong(const Folder& category, const MarkedSong& marked, CategoryContext& context) {
    const Folder folder = category.descend(marked.folder);
    const std::string number = context.numbers.next();
    DemoRandom& random = context.random;
    const std::string song = melodyWav(random, 1.5);
    const std::string name = number + " " + std::string(marked.entry) + ".mp3";
    if (context.content.real()) {
        // Noise, so a player that forgot to drop the block meets no media header at the start.
        std::string block(kMarkedBlockBytes, '\0');
        for (char& byte : block) {
            byte = static_cast<char>(random.next());
        }
        folder.writeFile(name, block + song);
    } else {
        folder.writeFile(name, song, kMarkedBlockBytes);
    }
    if (marked.lyrics) {
        std::string plain(marked.entry);
        plain.erase(plain.find(kMarker), kMarker.size());
        const auto dash = plain.find('-');
        const std::string singer =
            dash == std::string::npos ? std::string(kVariousArtists) : plain.substr(0, dash);
        const std::string title = dash == std::string::npos ? plain : plain.substr(dash + 1);
        folder.writeFile(number + " " + plain + ".lrc",
                         DemoContent(true).lyrics(title, singer, random));
    }
}

}  // namespace

void buildMusic(const Folder& category, CategoryContext& context) {
    const LibraryPlan& plan = context.plan;
    DemoRandom& random = context.random;
    SongWriter songs(context);

    const auto evergreens = evergreenTitles();
    fillInBatches(category, plan.looseSongs, [&](const Folder& folder, std::uint64_t i) {
        if (i < evergreens.size()) {
            songs.write(folder, {}, evergreens[i]);
        } else if (random.chance(kRecordingShare)) {
            songs.write(
                folder, {},
                std::string(random.pick(evergreens)) + std::string(random.pick(songVersions())));
        } else {
            songs.write(folder, {}, madeUpSongTitle(random));
        }
    });
    songs.write(category, {}, kBirthdaySong);

    const auto counts = songsPerSinger(context.roster, plan.singerSongs, random);
    for (std::size_t i = 0; i < context.roster.size(); ++i) {
        const RosterSinger& singer = context.roster[i];
        writeSinger(category.child(singerGroupFolder(singer.group)), singer, counts[i], songs,
                    random);
    }

    const Folder styles = category.child("分类歌曲");
    for (const Shelf& shelf : musicStyleShelves()) {
        const auto entries = splitTitles(shelf.titles);
        fillInBatches(styles.child(shelf.folder), plan.songsPerStyle,
                      [&](const Folder& folder, std::uint64_t i) {
                          if (i < entries.size()) {
                              songs.writeEntry(folder, entries[i]);
                          } else if (random.chance(kRecordingShare)) {
                              songs.writeEntry(folder,
                                               std::string(random.pick(entries)) +
                                                   std::string(random.pick(songVersions())));
                          } else {
                              const RosterSinger& singer = random.pick(context.roster);
                              songs.write(folder, singer.name, rosterSongTitle(singer, random));
                          }
                      });
    }

    const auto newEntries = newSongEntries();
    fillInBatches(category.child("新增歌曲"), plan.newSongs,
                  [&](const Folder& folder, std::uint64_t i) {
                      std::string entry(newEntries[i % newEntries.size()]);
                      if (i >= newEntries.size()) {
                          entry += random.pick(songVersions());
                      }
                      songs.writeEntry(folder, entry);
                  });

    for (const MarkedSong& marked : kMarkedSongs) {
        writeMarkedSong(category, marked, context);
    }
}

}  // namespace qh::demo
