// The download button's batch copy timed against `cp -r` followed by `sync` on the same files:
// one list copying the whole set, then five lists copying at once. Both sides start with the
// page cache dropped, so both read the library from the disk, and both stop when their copies
// are on the disk: the job at its done notice, when the clerk may hand the disk back, cp at the
// end of sync.
//
//   qinghe-bench-copy [SET_DIR]    (default /tmp/qh-bench/copyset; the targets go beside it)
//
// SET_DIR is made once and kept: two hundred 5 MiB songs, every tenth a marked file, and two
// 200 MiB films, all of pseudo-random bytes so nothing is sparse.
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "download/copy_job.h"
#include "download/download_lists.h"
#include "download/list_copy_control.h"
#include "download/marked_file.h"
#include "download/target_folder_set.h"
#include "platform/drive_table.h"
#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "support/forwarding_file_system.h"
#include "text/gbk.h"

namespace {

using namespace qh;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kMiB = std::int64_t{1} << 20;
constexpr std::int64_t kSongBytes = 5 * kMiB;
constexpr std::int64_t kFilmBytes = 200 * kMiB;
constexpr int kSongCount = 200;

struct SetFile {
    std::string name;  // GBK
    std::int64_t bytes = 0;
    bool marked = false;
};

// What a copy job delivers: a marked file loses its block.
std::int64_t deliveredBytes(const SetFile& file) {
    return file.marked ? file.bytes - kMarkedFileBlockBytes : file.bytes;
}
std::int64_t wholeBytes(const SetFile& file) {
    return file.bytes;
}

std::vector<SetFile> copySet() {
    std::vector<SetFile> set;
    for (int n = 1; n <= kSongCount; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", n);
        const bool marked = n % 10 == 7;
        set.push_back({gbk(marked ? "qh2009歌曲" : "歌曲") + number + ".mp3", kSongBytes, marked});
    }
    for (int n = 1; n <= 2; ++n) {
        set.push_back({gbk("影片") + std::to_string(n) + ".rmvb", kFilmBytes, false});
    }
    return set;
}

std::string libraryPathOf(const SetFile& file) {
    return "F:\\" + file.name;
}

// Distinct bytes per file (splitmix64), so no two files share content.
void writePseudoRandomFile(const fs::path& path, std::int64_t bytes, std::uint64_t seed) {
    std::vector<std::uint64_t> buffer(kMiB / sizeof(std::uint64_t));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::int64_t written = 0; written < bytes; written += kMiB) {
        for (auto& word : buffer) {
            std::uint64_t z = (seed += 0x9e3779b97f4a7c15);
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
            z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
            word = z ^ (z >> 31);
        }
        out.write(reinterpret_cast<const char*>(buffer.data()), std::min(kMiB, bytes - written));
    }
}

// A file of the wrong size (an earlier run stopped while writing it) is written again.
void makeSet(const DriveTable& table, const std::vector<SetFile>& set) {
    for (std::size_t index = 0; index < set.size(); ++index) {
        const fs::path host = *table.resolve(libraryPathOf(set[index]));
        std::error_code error;
        if (fs::file_size(host, error) != static_cast<std::uintmax_t>(set[index].bytes)) {
            writePseudoRandomFile(host, set[index].bytes, index + 1);
        }
    }
}

// Earlier dirty data is written out first, so it is not charged to the next run, and the next
// run reads the library from the disk. Without the right to drop the cache both read from it.
void settle() {
    ::sync();
    std::ofstream("/proc/sys/vm/drop_caches") << "3";
}

struct TreeSize {
    std::int64_t files = 0;
    std::int64_t bytes = 0;
};

TreeSize treeSize(const fs::path& root) {
    TreeSize size;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            ++size.files;
            size.bytes += static_cast<std::int64_t>(entry.file_size());
        }
    }
    return size;
}

// One list's share of the set and the folder beside SET_DIR it copies into.
struct ListPlan {
    int list = 0;            // 0 for 清单1
    std::string targetName;  // ASCII, so it is the same on drive G and on the host
    std::vector<SetFile> files;
};

// The window's side of a job: only the done notice matters here.
class DoneNoticeClock final : public CopyJobHost {
public:
    Clock::time_point shownAt() const { return shownAt_; }

    void setDoneNoticeShown(bool shown) override {
        if (shown) {
            shownAt_ = Clock::now();
        }
    }
    // A run that lost files measured nothing.
    void showUndeliveredNotice(const std::string& text) override {
        std::fprintf(stderr, "a job did not deliver everything: %s\n",
                     fromGbk(text).toLocal8Bit().constData());
        std::exit(1);
    }
    void markUndelivered(const std::string&, FileFault) override {}
    void playErrorSound() override {}
    void setProgressLine(const std::string&) override {}
    void setStatusLine(const std::string&) override {}
    void resetBar() override {}
    void setBarMaximumToListSize() override {}
    void fillBar() override {}
    void hideBar() override {}
    void resetElapsedCounter() override {}
    void startElapsedTimer() override {}
    void stopElapsedTimer() override {}
    void armFreeSpaceRefresh() override {}
    void armHotCount(const std::string&) override {}
    void trimKeywordHistory() override {}
    void playCopySound() override {}
    void jobEnded() override {}

private:
    Clock::time_point shownAt_;
};

// The Linux files, except that nothing is read back from the disk: what reading back costs.
class WithoutReadBack final : public testing::ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;

    // The Linux file system's own batch, as the job has it.
    std::unique_ptr<CopyBatch> beginCopyBatch(CopyBatch::Report report) override {
        return forwarded().beginCopyBatch(std::move(report));
    }
    FileStatus verifyCopy(std::string_view, std::int64_t, std::string_view, CopyCheck) override {
        return FileStatus::ok();
    }
};

// How much of the copies a run reads back from the disk.
enum class ReadBack { None, Sampled, Whole };

struct ListSide {
    ListCopyControl control;
    TargetFolderSet targets;
    DoneNoticeClock host;
};

class CopyBench {
public:
    CopyBench(const fs::path& setDir, std::vector<SetFile> set)
        : setDir_(setDir),
          workDir_(setDir.parent_path()),
          set_(std::move(set)),
          table_(driveTable()),
          drives_(table_),
          files_(drives_),
          withoutReadBack_(files_) {}

    const std::vector<SetFile>& set() const { return set_; }
    const fs::path& workDir() const { return workDir_; }
    const DriveTable& table() const { return table_; }

    // Every list's batch job on a thread of its own, all started together; the time runs until
    // the last done notice. Each list has its own staging folder, as the window gives it.
    double runJobs(const std::vector<ListPlan>& plans, ReadBack readBack = ReadBack::Sampled) {
        std::vector<std::unique_ptr<ListSide>> sides;
        for (const auto& plan : plans) {
            auto& side = *sides.emplace_back(std::make_unique<ListSide>());
            fs::remove_all(workDir_ / plan.targetName);
            side.targets.fill(targetFoldersIn(plan.targetName));
            for (const auto& folder : side.targets.folders()) {
                files_.createFolders(folder);
            }
            files_.createFolders(stagingFolderOf(plan.list));
            std::vector<std::string> paths;
            for (const auto& file : plan.files) {
                paths.push_back(libraryPathOf(file));
            }
            side.control.startBatch(std::move(paths));
        }

        settle();
        const auto start = Clock::now();
        std::vector<std::thread> threads;
        for (std::size_t index = 0; index < plans.size(); ++index) {
            threads.emplace_back([&, index] {
                auto& side = *sides[index];
                CopyJob job(
                    {.list = plans[index].list,
                     .files = readBack == ReadBack::None
                                  ? static_cast<FileSystem&>(withoutReadBack_)
                                  : files_,
                     .targets = side.targets,
                     .control = side.control,
                     .stagingFolder = stagingFolderOf(plans[index].list),
                     .check = readBack == ReadBack::Whole ? CopyCheck::Whole : CopyCheck::Sampled},
                    side.host);
                job.runBatch();
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
        auto last = start;
        for (const auto& side : sides) {
            last = std::max(last, side->host.shownAt());
        }

        for (const auto& plan : plans) {
            checkAndRemove(plan, workDir_ / plan.targetName, deliveredBytes);
        }
        return std::chrono::duration<double>(last - start).count();
    }

    // One `cp -r` per list, all started together, then one `sync`. cp copies a marked file
    // whole; the block is 8% of a song, which only flatters cp.
    double runCp(const std::vector<ListPlan>& plans) {
        std::vector<QStringList> arguments;
        for (const auto& plan : plans) {
            const fs::path target = workDir_ / plan.targetName;
            fs::remove_all(target);
            fs::create_directories(target);
            QStringList args{"-r", "--"};
            for (const auto& file : plan.files) {
                args << QString::fromStdString(table_.resolve(libraryPathOf(file))->string());
            }
            args << QString::fromStdString(target.string() + "/");
            arguments.push_back(std::move(args));
        }

        settle();
        const auto start = Clock::now();
        std::vector<std::unique_ptr<QProcess>> copies;
        for (const auto& args : arguments) {
            copies.push_back(std::make_unique<QProcess>());
            copies.back()->start("cp", args);
        }
        for (auto& copy : copies) {
            copy->waitForFinished(-1);
        }
        QProcess::execute("sync", {});
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

        for (const auto& plan : plans) {
            checkAndRemove(plan, workDir_ / plan.targetName, wholeBytes);
        }
        return seconds;
    }

    std::int64_t setBytes() const {
        std::int64_t bytes = 0;
        for (const auto& file : set_) {
            bytes += file.bytes;
        }
        return bytes;
    }

private:
    DriveTable driveTable() const {
        DriveTable table;
        table.set({'D', workDir_ / "copy-drive-d", DriveType::Fixed});
        table.set({'F', setDir_, DriveType::Fixed});
        table.set({'G', workDir_, DriveType::Removable});
        return table;
    }

    static TargetFolders targetFoldersIn(const std::string& targetName) {
        static const TargetFolders kindFolders = {gbk("音乐"), gbk("视频"), gbk("图片"),
                                                  gbk("游戏"), gbk("电子书")};
        TargetFolders folders;
        for (int kind = 0; kind < kTargetKindCount; ++kind) {
            folders[kind] = "G:\\" + targetName + "\\" + kindFolders[kind];
        }
        return folders;
    }

    // A run that copied less than its share measured nothing: stop rather than print a ratio.
    static void checkAndRemove(const ListPlan& plan, const fs::path& target,
                               std::int64_t (*bytesOf)(const SetFile&)) {
        TreeSize expected;
        for (const auto& file : plan.files) {
            ++expected.files;
            expected.bytes += bytesOf(file);
        }
        const TreeSize found = treeSize(target);
        fs::remove_all(target);
        if (found.files != expected.files || found.bytes != expected.bytes) {
            std::fprintf(stderr, "%s: %lld files, %lld bytes; expected %lld files, %lld bytes\n",
                         target.c_str(), static_cast<long long>(found.files),
                         static_cast<long long>(found.bytes),
                         static_cast<long long>(expected.files),
                         static_cast<long long>(expected.bytes));
            std::exit(1);
        }
    }

    fs::path setDir_;
    fs::path workDir_;
    std::vector<SetFile> set_;
    DriveTable table_;
    SharedDriveTable drives_;
    LinuxFileSystem files_;
    WithoutReadBack withoutReadBack_;
};

struct Timings {
    double job = 0;
    double cp = 0;
};

// Rounds in alternating order (job, cp, cp, job, job, cp, ...), so neither side always runs just
// after the other's deletions and writeback; each side's best round counts, as the machine's other
// work only ever slows a run down. This machine's disk varies by a sixth from run to run, so the
// short one-list runs take more rounds than the long five-list ones.
Timings bestOfRounds(CopyBench& bench, const std::vector<ListPlan>& plans, int rounds,
                     ReadBack readBack = ReadBack::Sampled) {
    Timings best{1e9, 1e9};
    const auto job = [&] { best.job = std::min(best.job, bench.runJobs(plans, readBack)); };
    const auto cp = [&] { best.cp = std::min(best.cp, bench.runCp(plans)); };
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            job();
            cp();
        } else {
            cp();
            job();
        }
    }
    return best;
}

// The one list with each read-back and cp, in an order that turns by one every round, so that no
// side always follows the same other one; each side's best round counts.
struct ReadBackTimings {
    std::vector<double> jobs;  // by the order of `readBacks`
    double cp = 0;
};
ReadBackTimings bestOfRoundsEach(CopyBench& bench, const std::vector<ListPlan>& plans, int rounds,
                                 const std::vector<ReadBack>& readBacks) {
    ReadBackTimings best{std::vector<double>(readBacks.size(), 1e9), 1e9};
    const std::size_t sides = readBacks.size() + 1;  // the last is cp
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t step = 0; step < sides; ++step) {
            const std::size_t side = (step + static_cast<std::size_t>(round)) % sides;
            if (side == readBacks.size()) {
                best.cp = std::min(best.cp, bench.runCp(plans));
            } else {
                best.jobs[side] = std::min(best.jobs[side], bench.runJobs(plans, readBacks[side]));
            }
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 2) {
        std::fprintf(stderr, "usage: qinghe-bench-copy [SET_DIR]\n");
        return 2;
    }
    fs::path setDir =
        fs::absolute(argc == 2 ? argv[1] : "/tmp/qh-bench/copyset").lexically_normal();
    if (!setDir.has_filename()) {
        setDir = setDir.parent_path();  // a trailing "/" would make the set folder its own parent
    }
    fs::create_directories(setDir);
    CopyBench bench(setDir, copySet());
    fs::create_directories(bench.workDir() / "copy-drive-d");
    std::fprintf(stderr, "copy set in %s (%lld MiB)\n", setDir.c_str(),
                 static_cast<long long>(bench.setBytes() / kMiB));
    makeSet(bench.table(), bench.set());

    // As the shop runs it (samples of each copy read back), then what reading back costs: none,
    // and every byte, as a shop may ask for.
    const std::vector<std::pair<ReadBack, const char*>> readBacks = {
        {ReadBack::Sampled, "copy"},
        {ReadBack::None, "copy, no read-back"},
        {ReadBack::Whole, "copy, whole read-back"},
    };
    std::vector<ReadBack> modes;
    for (const auto& [mode, what] : readBacks) {
        modes.push_back(mode);
    }
    const auto one = bestOfRoundsEach(bench, {{0, "copy-target", bench.set()}}, 6, modes);
    for (std::size_t index = 0; index < readBacks.size(); ++index) {
        std::printf("%s: job %.3f s, cp+sync %.3f s, ratio %.2f\n", readBacks[index].second,
                    one.jobs[index], one.cp, one.jobs[index] / one.cp);
    }
    std::fflush(stdout);

    // Each list takes the whole set when five copies fit with a gigabyte to spare; otherwise a
    // fifth each, every fifth file.
    const auto freeBytes = static_cast<std::int64_t>(fs::space(bench.workDir()).available);
    const bool wholeSetEach = freeBytes > kListCount * bench.setBytes() + 1024 * kMiB;
    std::vector<ListPlan> plans;
    for (int list = 0; list < kListCount; ++list) {
        ListPlan plan{list, "copy-target-list" + std::to_string(list + 1), {}};
        for (std::size_t index = 0; index < bench.set().size(); ++index) {
            if (wholeSetEach || static_cast<int>(index % kListCount) == list) {
                plan.files.push_back(bench.set()[index]);
            }
        }
        plans.push_back(std::move(plan));
    }
    std::fprintf(stderr, "five lists: each copies %s\n",
                 wholeSetEach ? "the whole set" : "a fifth of the set");
    const Timings five = bestOfRounds(bench, plans, 3);
    std::printf("copy five lists: jobs %.3f s, cp+sync %.3f s, ratio %.2f\n", five.job, five.cp,
                five.job / five.cp);
    return 0;
}
