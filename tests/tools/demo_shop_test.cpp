// Runs the demo-shop generator and checks what the program and its tests rely on: the library
// tree and its browse folders, marked files, playable songs, lyrics, pictures, unique numbers,
// names that survive as Windows names, the data folder, determinism and refusing a shop folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/drive_table.h"
#include "text/gbk.h"
#include "text/ini_file.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMarkedBlockBytes = 407552;

struct RunResult {
    int exitCode = -1;
    std::string errors;
};

RunResult runDemoShop(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromUtf8(QH_DEMO_SHOP_EXE), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

QString qtPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

std::string readBytes(const fs::path& file, std::uint64_t offset = 0) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> filesBelow(const fs::path& root) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// A complete 16-bit PCM mono WAV file of 1 to 3 seconds, nothing before or after it.
testing::AssertionResult isShortPcmWav(std::string_view bytes) {
    if (bytes.size() < 44 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 8) != "WAVEfmt ") {
        return testing::AssertionFailure() << "no RIFF WAVE header";
    }
    if (littleEndian(bytes, 4, 4) + 8 != bytes.size()) {
        return testing::AssertionFailure() << "RIFF size " << littleEndian(bytes, 4, 4)
                                           << " does not match " << bytes.size() << " bytes";
    }
    const auto format = littleEndian(bytes, 20, 2);
    const auto channels = littleEndian(bytes, 22, 2);
    const auto rate = littleEndian(bytes, 24, 4);
    const auto bits = littleEndian(bytes, 34, 2);
    if (format != 1 || channels != 1 || bits != 16 || (rate != 8000 && rate != 11025)) {
        return testing::AssertionFailure() << "format " << format << ", " << channels
                                           << " channels, " << bits << " bits, " << rate << " Hz";
    }
    const auto dataBytes = littleEndian(bytes, 40, 4);
    if (bytes.substr(36, 4) != "data" || dataBytes + 44 != bytes.size()) {
        return testing::AssertionFailure() << "data chunk does not fill the file";
    }
    const double seconds = dataBytes / 2.0 / rate;
    if (seconds < 1 || seconds > 3) {
        return testing::AssertionFailure() << seconds << " seconds";
    }
    return testing::AssertionSuccess();
}

bool isMarked(const fs::path& file) {
    return file.filename().string().find("qh2009") != std::string::npos;
}

std::string withoutMarker(std::string name) {
    name.erase(name.find("qh2009"), 6);
    return name;
}

class DemoShopTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        shopDir_ = new QTemporaryDir;
        const RunResult run = runDemoShop({"--out", shopDir_->path()});
        ASSERT_EQ(run.exitCode, 0) << run.errors;
    }
    static void TearDownTestSuite() {
        delete shopDir_;
        shopDir_ = nullptr;
    }

    static fs::path shop() { return shopDir_->path().toStdString(); }
    static fs::path library() { return shop() / "drives" / "F" / "青禾点唱库"; }
    static fs::path dataDir() { return shop() / "app" / "数据文件"; }

private:
    static inline QTemporaryDir* shopDir_ = nullptr;
};

TEST_F(DemoShopTest, EveryCategoryAndBrowseFolderHoldsFiles) {
    std::vector<std::string> folders = {
        "1-音乐",
        "2-MTV",
        "3-电影",
        "4-连续剧",
        "5-图片",
        "6-电子书",
        "7-游戏",
        "8-伦理片",
        "9-小品",
        "10-演唱会",
        "11-铃声",
        "12-其它",
        "1-音乐/新增歌曲",
        "2-MTV/新增MTV",
        "3-电影/新增电影",
        "4-连续剧/新增连续剧",
        "8-伦理片/新增生活片",
    };
    for (const char* style : {"经典老歌", "男女对唱", "闽南台语", "影视金曲", "DJ串烧", "DJ舞曲",
                              "英文歌曲", "非主流", "伤感情歌", "儿童歌曲", "葫芦丝", "萨克斯",
                              "校园歌曲", "新年歌", "革命歌曲", "戏曲音乐"}) {
        folders.push_back(std::string("1-音乐/分类歌曲/") + style);
    }
    for (const char* format :
         {"jar格式", "sis格式", "nes格式", "blz格式", "app格式", "gb格式", "gbc格式", "smc格式"}) {
        folders.push_back(std::string("7-游戏/") + format);
    }
    for (const char* kind : {"mp3铃声", "彩信铃声", "和弦铃声", "特色铃声"}) {
        folders.push_back(std::string("11-铃声/") + kind);
    }
    for (const char* format :
         {"AMV格式", "ASF格式", "AVI格式", "FLV格式", "MP4格式", "RM格式", "WMV格式", "RMVB格式"}) {
        folders.push_back(std::string("12-其它/") + format);
    }
    for (const char* size : {"大图", "小图"}) {
        for (const char* topic : {"美女", "风景", "爱情", "幽默搞笑", "激情", "动漫卡通", "美男",
                                  "节日祝福", "非主流", "名车", "另类"}) {
            folders.push_back(std::string("5-图片/") + size + "/" + topic);
        }
    }
    for (const auto& folder : folders) {
        SCOPED_TRACE(folder);
        const fs::path path = library() / folder;
        ASSERT_TRUE(fs::is_directory(path));
        EXPECT_FALSE(filesBelow(path).empty());
    }
}

TEST_F(DemoShopTest, DrivesHoldTheCustomersCardAndAnEmptyFixedDrive) {
    const fs::path card = shop() / "drives" / "G";
    EXPECT_TRUE(fs::is_directory(card / "mythroad" / "NES"));
    EXPECT_TRUE(fs::is_directory(card / "Photos"));
    const auto songs = filesBelow(card / "歌曲");
    ASSERT_FALSE(songs.empty());
    EXPECT_TRUE(isShortPcmWav(readBytes(songs.front())));
    EXPECT_TRUE(fs::is_empty(shop() / "drives" / "D"));
}

TEST_F(DemoShopTest, MarkedFilesAreTheBlockThenAPlayableWav) {
    int marked = 0;
    int withLyrics = 0;
    for (const auto& file : filesBelow(library())) {
        if (!isMarked(file) || file.extension() != ".mp3") {
            continue;
        }
        SCOPED_TRACE(file.string());
        ++marked;
        ASSERT_GT(fs::file_size(file), kMarkedBlockBytes);
        EXPECT_TRUE(isShortPcmWav(readBytes(file, kMarkedBlockBytes)));
        // The copy looks for the lyrics under the plain name.
        fs::path lyrics = file.parent_path() / withoutMarker(file.filename().string());
        lyrics.replace_extension(".lrc");
        withLyrics += fs::exists(lyrics) ? 1 : 0;
    }
    EXPECT_GE(marked, 3);
    EXPECT_GE(withLyrics, 1);
}

TEST_F(DemoShopTest, SongsAreFewHundredPlayableWavs) {
    int songs = 0;
    for (const auto& file : filesBelow(library() / "1-音乐")) {
        if (file.extension() == ".mp3" && !isMarked(file)) {
            SCOPED_TRACE(file.string());
            ++songs;
            EXPECT_TRUE(isShortPcmWav(readBytes(file)));
        }
    }
    EXPECT_GE(songs, 200);
    EXPECT_LE(songs, 999);
}

TEST_F(DemoShopTest, SongNumbersAreFourDigitsAndUniqueAcrossTheLibrary) {
    const std::regex numbered(R"(^(\d+) .*\.(mp3|3gp|mp4)$)");
    std::map<std::string, fs::path> owners;
    for (const auto& file : filesBelow(library())) {
        std::smatch match;
        const std::string name = file.filename().string();
        if (std::regex_match(name, match, numbered)) {
            SCOPED_TRACE(file.string());
            EXPECT_EQ(match[1].length(), 4);
            const auto [owner, added] = owners.emplace(match[1], file);
            EXPECT_TRUE(added) << "number also used by " << owner->second;
        }
    }
    EXPECT_GE(owners.size(), 300u);
}

TEST_F(DemoShopTest, LyricsFilesAreGbkLrcBesideTheirSongs) {
    const std::regex timeTag(R"(^\[\d\d:\d\d\.\d\d\].*)");
    int lyricsFiles = 0;
    for (const auto& file : filesBelow(library())) {
        if (file.extension() != ".lrc") {
            continue;
        }
        SCOPED_TRACE(file.string());
        ++lyricsFiles;
        fs::path song = file;
        song.replace_extension(".mp3");
        const bool besideMarked = std::ranges::any_of(
            fs::directory_iterator(file.parent_path()), [&](const fs::directory_entry& entry) {
                return isMarked(entry.path()) &&
                       withoutMarker(entry.path().filename().string()) == song.filename().string();
            });
        EXPECT_TRUE(fs::exists(song) || besideMarked);

        const std::string bytes = readBytes(file);
        const QString text = qh::fromGbk(bytes);
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
        EXPECT_EQ(qh::toGbk(text), bytes);
        ASSERT_TRUE(text.startsWith("[ti:"));
        const QStringList lines = text.split("\r\n");
        EXPECT_TRUE(lines.last().isEmpty()) << "the last line ends in CR LF";
        EXPECT_TRUE(std::ranges::none_of(
            lines, [](const QString& line) { return line.contains('\r') || line.contains('\n'); }));
        EXPECT_GE(std::ranges::count_if(lines,
                                        [&](const QString& line) {
                                            return std::regex_match(line.toStdString(), timeTag);
                                        }),
                  4);
    }
    EXPECT_GE(lyricsFiles, 20);
}

TEST_F(DemoShopTest, PicturesAreRealImagesOfTheirSize) {
    const std::map<std::string, QSize> sizes = {{"大图", QSize(240, 320)},
                                                {"小图", QSize(128, 160)}};
    for (const auto& [folder, size] : sizes) {
        for (const auto& file : filesBelow(library() / "5-图片" / folder)) {
            SCOPED_TRACE(file.string());
            const QImage image(qtPath(file));
            EXPECT_EQ(image.size(), size);
        }
    }
}

TEST_F(DemoShopTest, NamesAreUsableWindowsNamesAndOneLiesOutsideGbk) {
    bool outsideGbk = false;
    QStringDecoder utf8(QStringConverter::Utf8);
    for (const auto& entry : fs::recursive_directory_iterator(shop() / "drives")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(entry.path().string());
        const QString decoded = utf8(QByteArray::fromStdString(name));
        EXPECT_FALSE(utf8.hasError());
        EXPECT_EQ(name.find_first_of("\\/:*?\"<>|"), std::string::npos);
        EXPECT_NE(name.back(), '.');
        EXPECT_NE(name.back(), ' ');
        outsideGbk =
            outsideGbk || std::ranges::any_of(decoded, [](QChar c) { return c.isSurrogate(); });
    }
    EXPECT_TRUE(outsideGbk);
}

TEST_F(DemoShopTest, SingerFileIsGbkCrLfAndNamesEverySingerOfTheSongs) {
    const std::string bytes = readBytes(dataDir() / "歌手.txt");
    ASSERT_TRUE(bytes.ends_with("\r\n"));
    QStringDecoder strictGbk("GBK");
    const QString text = strictGbk(QByteArray::fromStdString(bytes));
    EXPECT_FALSE(strictGbk.hasError());
    QStringList lines = text.split("\r\n");
    lines.removeLast();
    std::set<QString> singers;
    for (const QString& line : lines) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_FALSE(line.isEmpty());
        EXPECT_FALSE(line.contains('\r') || line.contains('\n'));
        EXPECT_TRUE(singers.insert(line).second) << "listed twice";
    }
    EXPECT_GE(singers.size(), 100u);
    EXPECT_TRUE(std::ranges::any_of(singers, [](const QString& singer) {
        return singer.front().unicode() < 0x80;
    })) << "no band with a Latin name";

    // "0345 周杰伦-晴天.mp3", "0123 刀郎&云朵-爱是你我.mp3": each singer is in the file.
    const std::regex songName(R"(^\d+ (qh2009)?([^-]+)-.*\.mp3$)");
    for (const auto& file : filesBelow(library() / "1-音乐")) {
        std::smatch match;
        const std::string name = file.filename().string();
        if (!std::regex_match(name, match, songName)) {
            continue;
        }
        for (const QString& singer : QString::fromStdString(match[2]).split('&')) {
            EXPECT_TRUE(singers.contains(singer)) << singer.toStdString() << " of " << name;
        }
    }
}

TEST_F(DemoShopTest, DataFolderHoldsTheBrowsersAnimatedPlaceholder) {
    QImageReader reader(qtPath(dataDir() / "青禾点唱.gif"), "gif");
    EXPECT_TRUE(reader.supportsAnimation());
    EXPECT_GT(reader.imageCount(), 1);
    std::vector<QImage> frames;
    QImage frame;
    while (reader.read(&frame)) {
        frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
    }
    ASSERT_GT(frames.size(), 1u) << reader.errorString().toStdString();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i].size(), QSize(260, 350));
        EXPECT_NE(frames[i], frames[(i + 1) % frames.size()]) << "something moves";
    }
}

TEST_F(DemoShopTest, DriveMapNamesTheDrivesRelativeToTheDataFolder) {
    const std::string map = readBytes(dataDir() / "drivemap.txt");
    const std::vector<qh::Drive> drives = qh::parseDriveMap(map, dataDir());
    ASSERT_EQ(drives.size(), 3u);
    const std::vector<std::pair<char, qh::DriveType>> expected = {
        {'D', qh::DriveType::Fixed}, {'F', qh::DriveType::Fixed}, {'G', qh::DriveType::Removable}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(drives[i].letter, expected[i].first);
        EXPECT_EQ(drives[i].type, expected[i].second);
        EXPECT_TRUE(fs::equivalent(drives[i].hostRoot,
                                   shop() / "drives" / std::string(1, expected[i].first)));
    }
    // A shop moved elsewhere still finds its drives.
    const fs::path moved = "/elsewhere/shop";
    for (const auto& drive : qh::parseDriveMap(map, moved / "app" / "数据文件")) {
        SCOPED_TRACE(drive.letter);
        EXPECT_EQ(drive.hostRoot, moved / "drives" / std::string(1, drive.letter));
    }
}

TEST_F(DemoShopTest, SettingsStartWithTheLibraryDriveAndThePrices) {
    const fs::path settings = dataDir() / "Vazazazi.ini";
    EXPECT_EQ(qh::readIniValue(settings, "PanFu1", "PanFu1"), "F");
    const std::vector<std::pair<const char*, const char*>> prices = {
        {"yy", "0.1"}, {"mtv", "0.2"}, {"dy", "1"}, {"lxj", "0.2"}, {"tp", "0.1"}, {"dzs", "0.5"},
        {"yx", "5"},   {"llp", "1"},   {"xp", "1"}, {"ych", "1"},   {"ls", "0.1"}, {"qt", "1"}};
    for (const auto& [key, value] : prices) {
        SCOPED_TRACE(key);
        EXPECT_EQ(qh::readIniValue(settings, "DanJa", key), value);
    }
}

// Relative path -> size, and the content of the files small enough to read quickly.
std::map<std::string, std::pair<std::uintmax_t, std::string>> treeOf(const fs::path& root) {
    constexpr std::uintmax_t kReadUpTo = 1 << 20;
    std::map<std::string, std::pair<std::uintmax_t, std::string>> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        if (!entry.is_regular_file()) {
            tree[relative] = {0, "folder"};
            continue;
        }
        const auto size = entry.file_size();
        tree[relative] = {size, size <= kReadUpTo ? readBytes(entry.path()) : std::string()};
    }
    return tree;
}

TEST_F(DemoShopTest, SameArgumentsGiveTheSameShop) {
    QTemporaryDir second;
    const RunResult run = runDemoShop({"--out", second.path()});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto first = treeOf(shop());
    const auto again = treeOf(second.path().toStdString());
    ASSERT_EQ(first.size(), again.size());
    for (auto a = first.begin(), b = again.begin(); a != first.end(); ++a, ++b) {
        ASSERT_EQ(a->first, b->first);
        EXPECT_EQ(a->second.first, b->second.first) << a->first;
        EXPECT_TRUE(a->second.second == b->second.second) << a->first << " differs";
    }
}

TEST(DemoShopCommandLineTest, RefusesBadArgumentsAndAFolderThatIsNotEmpty) {
    QTemporaryDir shop;
    const fs::path kept = fs::path(shop.path().toStdString()) / "清单1.txt";
    std::ofstream(kept) << "kept";
    const QString empty = shop.path() + "/new-shop";
    const std::vector<std::pair<const char*, QStringList>> refused = {
        {"not empty", {"--out", shop.path()}},
        {"no folder", {"--files", "100"}},
        {"file count not a number", {"--out", empty, "--files", "many"}},
        {"file count zero", {"--out", empty, "--files", "0"}},
        {"file count bad unit", {"--out", empty, "--files", "3g"}},
        {"unknown option", {"--out", empty, "--fast"}},
    };
    for (const auto& [name, arguments] : refused) {
        SCOPED_TRACE(name);
        const RunResult run = runDemoShop(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(run.errors.empty());
    }
    EXPECT_EQ(readBytes(kept), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(kept.parent_path()), fs::directory_iterator()),
              1);
    EXPECT_FALSE(fs::exists(empty.toStdString()));

    const RunResult forced = runDemoShop({"--out", shop.path(), "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.errors;
    EXPECT_EQ(readBytes(kept), "kept");
    EXPECT_TRUE(fs::is_directory(kept.parent_path() / "drives" / "F" / "青禾点唱库" / "1-音乐"));
}

TEST(DemoShopScaleTest, FileCountScalesTheTreeWithEmptyOrSparseFiles) {
    QTemporaryDir shop;
    const RunResult run = runDemoShop({"--out", shop.path(), "--files", "4k"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const fs::path root = shop.path().toStdString();
    std::uint64_t files = 0;
    std::uint64_t diskBytes = 0;
    for (const auto& file : filesBelow(root)) {
        ++files;
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        diskBytes += static_cast<std::uint64_t>(status.st_blocks) * 512;
        if (file.extension() == ".mp3" && isMarked(file)) {
            EXPECT_TRUE(isShortPcmWav(readBytes(file, kMarkedBlockBytes))) << file;
        }
    }
    EXPECT_GE(files, 3600u);
    EXPECT_LE(files, 4600u);
    EXPECT_LT(diskBytes, 4u << 20) << "a benchmark shop's files are empty or sparse";
    for (const char* category :
         {"1-音乐/分类歌曲/戏曲音乐", "5-图片/小图/另类", "7-游戏/smc格式"}) {
        SCOPED_TRACE(category);
        EXPECT_FALSE(filesBelow(root / "drives" / "F" / "青禾点唱库" / category).empty());
    }
}

}  // namespace
