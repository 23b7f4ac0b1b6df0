// Saves cut short by a killed program leave their temporary files; the next start removes those
// whose writer is gone, and never one a running program is still writing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "text/atomic_file.h"
#include "text/ini_file.h"
#include "text/temporary_writer.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

namespace fs = std::filesystem;

// The save loop, started; killed when it goes.
class SaveLoop {
public:
    explicit SaveLoop(const fs::path& folder) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execl(QH_SAVE_LOOP_EXE, QH_SAVE_LOOP_EXE, folder.c_str(), nullptr);
            ::_exit(127);
        }
        ::close(out[1]);
        output_ = ::fdopen(out[0], "r");
    }
    ~SaveLoop() {
        kill();
        if (output_ != nullptr) {
            std::fclose(output_);
        }
    }
    SaveLoop(const SaveLoop&) = delete;
    SaveLoop& operator=(const SaveLoop&) = delete;

    // Its writer's stem, once its first saves are done; empty when it never got there.
    std::string stem() {
        char line[128] = {};
        if (output_ == nullptr || std::fgets(line, sizeof line, output_) == nullptr) {
            return {};
        }
        std::string text = line;
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        return text;
    }
    void kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
};

std::vector<std::string> temporariesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.')) {
            names.push_back(name);
        }
    }
    return names;
}

std::string saveName(const std::string& stem, const char* count = "0") {
    return ".list.txt.qhsave-" + stem + "-" + count + ".tmp";
}

TEST(AbandonedSaves, OnlyTheFilesOfWritersThatAreGoneAreRemoved) {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    fs::create_directory(folder / "elsewhere");
    SaveLoop running(folder / "elsewhere");
    const std::string runningStem = running.stem();
    ASSERT_FALSE(runningStem.empty());

    // A writer that has ended: a child that is gone.
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const TemporaryWriter& self = thisWriter();
    const std::string endedStem = self.boot + "-" + std::to_string(ended) + "-" + self.startTime;
    const std::string otherBootStem = "0000000z-" + std::to_string(self.pid) + "-" + self.startTime;

    struct Case {
        std::string name;
        bool removed;
        std::optional<std::chrono::hours> age;
    };
    const Case cases[] = {
        {saveName(self.stem(), "7"), false, {}},
        {saveName(runningStem), false, {}},
        {saveName(endedStem), true, {}},
        {saveName(otherBootStem), true, {}},
        {".settings.ini.qhsave-" + endedStem + "-12.tmp", true, {}},
        // The earlier form tells no writer: only its age shows it was left.
        {".list.txt.3fa9c01bd2e4.tmp", false, {}},
        {".list.txt.3fa9c01bd2e4.tmp2", false, std::chrono::hours(48)},
        {".清单1.txt.00ff.tmp", true, std::chrono::hours(48)},
        // The shop's own files and names that only look alike.
        {".shop-notes.tmp", false, std::chrono::hours(48)},
        {"list.txt.qhsave-" + endedStem + "-0.tmp", false, {}},
        {saveName("not-a-stem"), false, {}},
        {saveName(endedStem) + ".bak", false, {}},
    };
    for (const Case& test : cases) {
        const fs::path file = folder / test.name;
        ASSERT_TRUE(writeFileAtomically(file, "content")) << test.name;
        if (test.age) {
            fs::last_write_time(file, fs::file_time_type::clock::now() - *test.age);
        }
    }
    fs::create_directory(folder / saveName(endedStem + "-folder"));

    removeAbandonedSaves(folder);

    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(!fs::exists(folder / test.name), test.removed);
    }
    EXPECT_TRUE(fs::is_directory(folder / saveName(endedStem + "-folder")));
    removeAbandonedSaves(folder / "missing");  // nothing to do, nothing thrown
}

TEST(AbandonedSaves, KilledInTheMiddleOfSavesTheFilesAreWholeAndTheNextStartLeavesNoTemporary) {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const std::vector<std::string> lists[] = {std::vector<std::string>(2000, std::string(60, 'a')),
                                              std::vector<std::string>(2000, std::string(60, 'b'))};
    std::mt19937 random(20101201);
    int killsThatLeftATemporary = 0;
    for (int kill = 0; kill < 100; ++kill) {
        SCOPED_TRACE(kill);
        {
            SaveLoop saving(folder);
            ASSERT_FALSE(saving.stem().empty());
            std::this_thread::sleep_for(
                std::chrono::microseconds(std::uniform_int_distribution<int>(0, 5000)(random)));
            saving.kill();
        }
        killsThatLeftATemporary += temporariesIn(folder).empty() ? 0 : 1;

        removeAbandonedSaves(folder);  // what the program does as it starts

        const auto list = loadTextList(folder / "list.txt");
        EXPECT_TRUE(list == lists[0] || list == lists[1]);
        const std::string last = readIniValue(folder / "settings.ini", "Lists", "last");
        EXPECT_TRUE(last == "a" || last == "b") << last;
        EXPECT_EQ(temporariesIn(folder), std::vector<std::string>{});
    }
    // Otherwise no kill hit a save and the test proved nothing.
    EXPECT_GT(killsThatLeftATemporary, 0);
    std::printf("%d of 100 kills left a temporary file\n", killsThatLeftATemporary);
}

}  // namespace
}  // namespace qh
