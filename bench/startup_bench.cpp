// The program's start, from exec to the window the clerk can work in (first show done and the
// start-up loads of QiDTimer in: lists, hot list, playlist, singers), on a data folder with a
// 100,000-line hot list, a 200-entry 清单1, 10,000 singers and a 1,000-entry playlist over the
// million-file library, whose warm-up search runs on as it does. Timed against a bare Qt window
// started the same way in the same run, and against a tenth of those data files, which shows how
// the start grows with them. Each time is the median of several starts.
//
//   qinghe-bench-startup SHOP_1M PROGRAM BARE_WINDOW
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_measures.h"
#include "library/hot_list.h"
#include "settings/app_paths.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace {

namespace fs = std::filesystem;
using namespace qh;

constexpr int kStarts = 5;

struct DataSize {
    const char* name;
    int hotLines;
    int listEntries;
    int singers;
    int playlistEntries;
};

// Library files as the program names them, "F:\青禾点唱库\...".
std::vector<std::string> libraryFiles(const fs::path& driveFolder, std::size_t count) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(driveFolder)) {
        if (files.size() == count) {
            break;
        }
        if (!entry.is_regular_file()) {
            continue;
        }
        std::string path = "F:";
        for (const auto& part : fs::relative(entry.path(), driveFolder)) {
            path += '\\' + hostNameToGbk(part.string());
        }
        files.push_back(path);
    }
    return files;
}

// Two or three GB2312 characters of the first level, as Chinese singers' names are.
std::vector<std::string> singerNames(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (int character = 0; character < 2 + i % 2; ++character) {
            const int code = (i * 7919 + character * 104729) % (40 * 94);
            name += static_cast<char>(0xB0 + code / 94);
            name += static_cast<char>(0xA1 + code % 94);
        }
        names.push_back(name);
    }
    return names;
}

// A program folder beside the shop's own, so the drive map's relative folders still hold.
fs::path makeAppDir(const fs::path& shop, const DataSize& size,
                    const std::vector<std::string>& files) {
    const fs::path appDir = shop / (std::string("bench-startup-") + size.name);
    const AppPaths paths = appPathsFor(appDir);
    fs::remove_all(appDir);
    fs::create_directories(paths.dataDir);
    for (const auto& entry : fs::directory_iterator(appPathsFor(shop / "app").dataDir)) {
        fs::copy(entry.path(), paths.dataDir / entry.path().filename());
    }
    std::vector<std::string> hot;
    for (int i = 0; i < size.hotLines; ++i) {
        hot.push_back(formatHotCount(1 + i / 100) + "C," + gbk("F:\\青禾点唱库\\1-音乐\\热门") +
                      std::to_string(i) + ".mp3");
    }
    // In the order the program saves it.
    HotList ordered;
    ordered.assign(std::move(hot));
    saveTextList(paths.dataFile(gbk("热门推荐.txt")), ordered.lines());
    saveTextList(paths.dataFile(gbk("清单1.txt")),
                 {files.begin(), files.begin() + size.listEntries});
    saveTextList(paths.dataFile(gbk("歌手.txt")), singerNames(size.singers));
    saveTextList(paths.dataFile(gbk("播放列表.txt")),
                 {files.end() - size.playlistEntries, files.end()});
    return appDir;
}

struct Start {
    double ms = 0;
    double residentMb = 0;
};

// From the start of the process to its "usable" line.
Start timeStart(const QString& program, const QStringList& arguments) {
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QINGHE_REPORT_USABLE", "1");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    Start start;
    while (process.waitForReadyRead(60000)) {
        if (process.readAllStandardOutput().contains("usable")) {
            start.ms = clock.nsecsElapsed() / 1e6;
            start.residentMb = bench::residentMegabytes(std::to_string(process.processId()));
            break;
        }
    }
    process.kill();
    process.waitForFinished();
    if (start.ms == 0) {
        std::fprintf(stderr, "%s never became usable: %s\n", program.toUtf8().constData(),
                     process.readAllStandardError().constData());
    }
    return start;
}

Start medianStart(const QString& program, const QStringList& arguments) {
    std::vector<Start> starts;
    for (int i = 0; i < kStarts; ++i) {
        starts.push_back(timeStart(program, arguments));
    }
    std::sort(starts.begin(), starts.end(),
              [](const Start& a, const Start& b) { return a.ms < b.ms; });
    return starts[starts.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: qinghe-bench-startup SHOP_1M PROGRAM BARE_WINDOW\n");
        return 2;
    }
    const fs::path shop = fs::absolute(argv[1]);
    const QString program = QString::fromLocal8Bit(argv[2]);
    const QString bare = QString::fromLocal8Bit(argv[3]);
    const DataSize full{"full", 100000, 200, 10000, 1000};
    const DataSize tenth{"tenth", 10000, 20, 1000, 100};
    const auto files = libraryFiles(shop / "drives" / "F", 1200);
    if (files.size() < 1200) {
        std::fprintf(stderr, "the shop's library holds too few files\n");
        return 1;
    }
    const fs::path fullApp = makeAppDir(shop, full, files);
    const fs::path tenthApp = makeAppDir(shop, tenth, files);

    const Start bareStart = medianStart(bare, {});
    const Start tenthStart =
        medianStart(program, {"--app-dir", QString::fromStdString(tenthApp.string())});
    const Start fullStart =
        medianStart(program, {"--app-dir", QString::fromStdString(fullApp.string())});
    std::printf("startup: bare Qt window usable after %.0f ms (median of %d)\n", bareStart.ms,
                kStarts);
    std::printf(
        "startup 1M library, %d hot lines, %d-entry list, %d singers, %d-entry playlist: "
        "usable after %.0f ms (goal 500), ratio %.2f to the bare window (goal 3), "
        "resident %.0f MB\n",
        full.hotLines, full.listEntries, full.singers, full.playlistEntries, fullStart.ms,
        fullStart.ms / bareStart.ms, fullStart.residentMb);
    std::printf(
        "startup with a tenth of those data files: usable after %.0f ms; the other nine "
        "tenths add %.0f ms\n",
        tenthStart.ms, fullStart.ms - tenthStart.ms);
    fs::remove_all(fullApp);
    fs::remove_all(tenthApp);
    return 0;
}
