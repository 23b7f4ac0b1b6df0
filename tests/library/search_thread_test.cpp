#include "library/search_thread.h"

#include <QCoreApplication>
#include <QThread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "library/search_plan.h"
#include "library/walker.h"
#include "support/gated_folder_reader.h"
#include "temp_drives.h"

namespace qh {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::GatedReader;
using testing::TempDrives;
using testing::utf8;
using namespace std::chrono_literals;

bool waitFor(const std::function<bool()>& done, bool processEvents = true) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        if (processEvents) {
            QCoreApplication::processEvents();
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class SearchThreadTest : public ::testing::Test {
protected:
    SearchThreadTest() { drives.addDrive('G'); }

    // Records what reaches the window's thread, and checks that it arrives there.
    void listen(SearchThread& searches) {
        QObject::connect(&searches, &SearchThread::pathsFound,
                         [this](const std::vector<std::string>& batch) {
                             EXPECT_EQ(QThread::currentThread(), app.thread());
                             paths.insert(paths.end(), batch.begin(), batch.end());
                         });
        QObject::connect(&searches, &SearchThread::searchEnded, [this] {
            EXPECT_EQ(QThread::currentThread(), app.thread());
            ++ends;
        });
    }

    static SearchRequest wholeLibrary(std::string drive) {
        return {kNoCategoryTab, {std::move(drive), "", "", ""}, "", "*.*", ""};
    }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    TempDrives drives;
    std::vector<std::string> paths;
    int ends = 0;
};

TEST_F(SearchThreadTest, PathsArriveOnTheWindowsThreadInOrderThenTheEnd) {
    for (int folder = 0; folder < 20; ++folder) {
        for (int file = 0; file < 30; ++file) {
            drives.addFile("F:\\青禾点唱库\\" + std::to_string(folder) + "\\" +
                           std::to_string(file) + ".mp3");
        }
    }
    std::vector<std::string> walked;
    WalkFiles(drives.reader(), gbk("F:\\青禾点唱库\\"), "**.*", walked);

    SearchThread searches(drives.reader(), {50, 16ms});
    listen(searches);
    searches.start(wholeLibrary("F"));
    ASSERT_TRUE(waitFor([this] { return ends == 1; }));
    EXPECT_THAT(paths, ElementsAreArray(walked));
}

TEST_F(SearchThreadTest, ANewSearchStopsTheOlderAndDropsWhatItStillSent) {
    drives.addFile("F:\\青禾点唱库\\a.mp3");
    drives.addFile("F:\\青禾点唱库\\慢\\b.mp3");
    drives.addFile("G:\\青禾点唱库\\c.mp3");
    const GatedReader reader(drives.reader(), "慢");
    SearchThread searches(reader, {1, 1h});
    listen(searches);

    // The old search has handed a.mp3 over and waits at the gate; the window has not yet taken
    // the hand-over when the new search starts.
    searches.start(wholeLibrary("F"));
    ASSERT_TRUE(waitFor([&] { return reader.reached(); }, false));
    searches.start(wholeLibrary("G"));
    reader.openGate();
    EXPECT_TRUE(waitFor([this] { return ends == 1; }));
    EXPECT_THAT(utf8(paths), ElementsAre("G:\\青禾点唱库\\c.mp3"));
}

TEST_F(SearchThreadTest, AStoppedSearchDeliversNothingMoreNotEvenItsEnd) {
    drives.addFile("F:\\青禾点唱库\\a.mp3");
    drives.addFile("F:\\青禾点唱库\\慢\\b.mp3");
    const GatedReader reader(drives.reader(), "慢");
    SearchThread searches(reader, {1, 1h});
    listen(searches);

    // a.mp3 is handed over but not yet taken when the search is stopped.
    searches.start(wholeLibrary("F"));
    ASSERT_TRUE(waitFor([&] { return reader.reached(); }, false));
    searches.stop();
    reader.openGate();
    const auto settled = std::chrono::steady_clock::now() + 300ms;
    waitFor([&] { return std::chrono::steady_clock::now() > settled; });
    EXPECT_THAT(paths, ElementsAre());
    EXPECT_EQ(ends, 0);
}

}  // namespace
}  // namespace qh
