// The phone-picture browser paging through a topic of 2,000 photos of about 5 MB each, timed
// against ImageMagick shrinking the same photos to a pane: how long after 下一页 a page shows all
// six pictures, and the longest time the window's event loop went without turning, once while the
// clerk waits for each page and once while the clerk clicks through the whole topic.
//
//   qinghe-bench-pictures WORK_DIR      (the photos are made there once and kept)
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_measures.h"
#include "media/key_sounds.h"
#include "platform/fake_sound_device.h"
#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "text/gbk.h"
#include "windows/picture_browser_window.h"
#include "windows/picture_pane.h"

namespace {

using namespace qh;
using bench::LoopWatch;
namespace fs = std::filesystem;

constexpr int kPhotos = 2000;
constexpr int kWaitedPages = 30;

// One photo of about 5 MB, noisy enough that JPEG cannot make it small, linked under every name:
// each name is decoded on its own, as the program knows nothing of the links.
fs::path makePhotos(const fs::path& work) {
    const fs::path topic = work / "F" / gbkToHostName(gbk("青禾点唱库/5-图片/大图/美女"));
    fs::create_directories(topic);
    const fs::path first = topic / "photo0000.jpg";
    if (!fs::exists(first)) {
        QImage photo(3000, 4000, QImage::Format_RGB32);
        auto* random = QRandomGenerator::global();
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                const int noise = static_cast<int>(random->bounded(64));
                line[x] =
                    qRgb((x / 12 + noise) & 0xff, (y / 16 + noise) & 0xff, (x + y) / 28 & 0xff);
            }
        }
        photo.save(QString::fromStdString(first.string()), "jpg", 80);
    }
    for (int i = 1; i < kPhotos; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "photo%04d.jpg", i);
        if (!fs::exists(topic / name)) {
            fs::create_hard_link(first, topic / name);
        }
    }
    return first;
}

// ImageMagick shrinking six photos to the pane one after another, with the JPEG size hint that
// lets it decode at a fraction of the size, as a thumbnailer does.
double referencePageMs(const fs::path& photo) {
    const std::string command = "/usr/bin/convert -define jpeg:size=520x700 '" + photo.string() +
                                "' -resize 260x350 png:- > /dev/null";
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 6; ++i) {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "ImageMagick's convert failed\n");
            return 0;
        }
    }
    return clock.nsecsElapsed() / 1e6;
}

bool pageShown(const PictureBrowserWindow& window) {
    for (int pane = 1; pane <= 6; ++pane) {
        const auto* shown =
            window.findChild<PicturePane*>(QStringLiteral("WebBrowser%1").arg(pane));
        if (!shown->isLoaded() || !shown->showsPicture()) {
            return false;
        }
    }
    return true;
}

bool waitForPage(const PictureBrowserWindow& window) {
    QElapsedTimer clock;
    clock.start();
    while (!pageShown(window)) {
        if (clock.elapsed() > 60000) {
            return false;
        }
        QTest::qWait(1);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qinghe-bench-pictures WORK_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const fs::path work = fs::absolute(argv[1]);
    const fs::path photo = makePhotos(work);

    SharedDriveTable drives;
    DriveTable table;
    table.set({'F', work / "F", DriveType::Fixed});
    drives.replace(table);
    const LinuxFileSystem files(drives);
    FakeSoundDevice sounds;
    KeySounds keySounds(sounds, work / "sounds");
    PictureBrowserWindow window({files, work / "data",
                                 [] {
                                     return std::array<std::string, 4>{"F", "", "", ""};
                                 },
                                 keySounds, 0});
    auto* next = window.findChild<QPushButton*>("Button1");

    const double referenceMs = referencePageMs(photo);
    LoopWatch watch;
    watch.start();
    window.show();
    if (!waitForPage(window)) {
        std::fprintf(stderr, "the first page never showed\n");
        return 1;
    }
    std::vector<double> pageMs;
    for (int page = 0; page < kWaitedPages; ++page) {
        QElapsedTimer clock;
        clock.start();
        next->click();
        if (!waitForPage(window)) {
            std::fprintf(stderr, "a page never showed\n");
            return 1;
        }
        pageMs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const qint64 waitedPause = watch.stop();
    std::sort(pageMs.begin(), pageMs.end());
    const double median = pageMs[pageMs.size() / 2];
    std::printf(
        "pictures %d x %.1f MB: page shown after %.0f ms (median of %d), ImageMagick %.0f ms "
        "for six, ratio %.2f\n",
        kPhotos, fs::file_size(photo) / 1e6, median, kWaitedPages, referenceMs,
        median / referenceMs);
    std::printf(
        "pictures, waiting for each page: longest event-loop pause %lld ms (reference 50 ms)\n",
        static_cast<long long>(waitedPause));

    // The clerk clicks 下一页 every 30 ms through the whole topic, then waits for the last page.
    watch.start();
    QElapsedTimer clock;
    clock.start();
    while (window.cursor() < kPhotos - 1) {
        next->click();
        QTest::qWait(30);
    }
    const qint64 clickedMs = clock.elapsed();
    clock.restart();
    // The last page keeps its older panes: only those it filled wait for their pictures.
    waitForPage(window);
    const double lastPageMs = clock.nsecsElapsed() / 1e6;
    const qint64 clickedPause = watch.stop();
    std::printf(
        "pictures, clicking through in %.1f s: last page shown %.0f ms after, ratio %.2f to "
        "ImageMagick's six\n",
        clickedMs / 1e3, lastPageMs, lastPageMs / referenceMs);
    std::printf("pictures, clicking through: longest event-loop pause %lld ms (reference 50 ms)\n",
                static_cast<long long>(clickedPause));
    return 0;
}
