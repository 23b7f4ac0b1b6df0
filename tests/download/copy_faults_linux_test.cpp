// Real copy jobs through LinuxFileSystem onto real volumes that fill up, turn read-only, are
// pulled out or lie about their size, and from a library whose disk fails. Whatever goes wrong,
// the clerk must be told the truth: the done notice only when every file is on the stick whole
// under its name, otherwise how many are missing and why; and no hidden leftovers on a disk that
// is still there, nothing on the shop's own disk.
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "download/copy_job.h"
#include "download/download_lists.h"
#include "download/list_copy_control.h"
#include "download/marked_file.h"
#include "download/target_folder_set.h"
#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "support/file_result_printers.h"
#include "support/recording_copy_host.h"
#include "support/temp_folder.h"
#include "support/test_volumes.h"
#include "text/gbk.h"

namespace qh {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::FailingReadFolder;
using testing::ImmutableFolder;
using testing::LoopExt4Volume;
using testing::MountedVolume;
using testing::RecordingCopyHost;
using testing::ScratchFolder;
using testing::TmpfsVolume;
using testing::utf8;

constexpr std::uint64_t kMiB = 1 << 20;
// Far beyond what any case takes; a job still running then has hung.
constexpr auto kJobLimit = 30s;

// Bytes that differ at every 8 and between files, so one file landing on another never reads
// back as itself.
std::string pattern(std::uint64_t seed, std::size_t bytes) {
    std::string data(bytes, '\0');
    std::uint64_t state = (seed + 1) * 0x9E3779B97F4A7C15ull;
    for (std::size_t at = 0; at < bytes; at += 8) {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        std::memcpy(&data[at], &z, std::min<std::size_t>(8, bytes - at));
    }
    return data;
}

// Where two byte strings differ, for a failure message: "from byte a to byte b".
std::string differingRange(const std::string& found, const std::string& expected) {
    const std::size_t common = std::min(found.size(), expected.size());
    std::size_t first = 0;
    while (first < common && found[first] == expected[first]) {
        ++first;
    }
    if (first == common && found.size() == expected.size()) {
        return "the same";
    }
    std::size_t last = common;
    while (last > first && found[last - 1] == expected[last - 1]) {
        --last;
    }
    if (found.size() != expected.size()) {
        last = std::max(found.size(), expected.size());
    }
    return "differs from byte " + std::to_string(first) + " to byte " + std::to_string(last) +
           " of " + std::to_string(expected.size());
}

// Texts as they read, for failure messages: gtest escapes what is not ASCII.
std::string asText(const std::vector<std::string>& texts) {
    std::string joined;
    for (const auto& text : texts) {
        joined += "\n  \"" + text + "\"";
    }
    return joined.empty() ? " (none)" : joined;
}

std::uint64_t freeBytes(const fs::path& volume) {
    return fs::space(volume).available;
}

// Every name made in the folders from now on, also one removed again before anyone looks.
class CreationWatch {
public:
    explicit CreationWatch(const std::vector<fs::path>& folders)
        : fd_(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
        for (const auto& folder : folders) {
            const int watch = ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO);
            if (watch < 0) {
                ADD_FAILURE() << "cannot watch " << folder << ": " << std::strerror(errno);
            }
            folders_[watch] = folder;
        }
    }
    ~CreationWatch() { ::close(fd_); }
    CreationWatch(const CreationWatch&) = delete;
    CreationWatch& operator=(const CreationWatch&) = delete;

    std::vector<std::string> seen() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) {
                    seen_.push_back((folders_[event->wd] / event->name).string());
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return seen_;
    }

private:
    int fd_;
    std::map<int, fs::path> folders_;
    std::vector<std::string> seen_;
};

// Fills the volume until it refuses.
void fillUp(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    const std::string chunk(64 << 10, 'f');
    while (::write(fd, chunk.data(), chunk.size()) > 0) {
    }
    // The last few blocks, then whatever single bytes are left.
    while (::write(fd, chunk.data(), 4096) > 0) {
    }
    while (::write(fd, chunk.data(), 1) > 0) {
    }
    ::fsync(fd);
    ::close(fd);
}

// Runs `onFile` on the job's thread after the line of the job's n-th file (from 1) is set,
// before that file is copied, and with n = 0 when the line is emptied before the copies are
// flushed.
void whileCopying(RecordingCopyHost& host, std::function<void(int n)> onFile) {
    auto files = std::make_shared<int>(0);
    host.whileCopying = [files, onFile](const std::string&) { onFile(++*files); };
    host.whenLineEmptied = [onFile] { onFile(0); };
}

// One download list: its folders, its queue and its tab.
struct ListDesk {
    explicit ListDesk(int index) : list(index) {}
    int list;  // 0 for 清单1
    TargetFolderSet targets;
    ListCopyControl control;
    RecordingCopyHost host;
};

struct LibraryFile {
    std::string name;    // UTF-8, for messages
    std::string path;    // GBK, "F:\曲库\歌01.mp3"
    std::string target;  // GBK, where its copy belongs on the stick
    std::string copy;    // what the copy must hold
};

enum class JobKind { Batch, Sync };

// The shop's own disks as plain folders: the library F: and D: with 歌曲下载 and the lists'
// staging folders; the customer's stick G: with a music and a video folder.
class Shop {
public:
    explicit Shop(MountedVolume& stick) : stick_(stick) {
        fs::create_directories(libraryRoot() / "曲库");
        fs::create_directories(downloads());
        for (int list = 0; list < kListCount; ++list) {
            fs::create_directories(downloads() / ("清单" + std::to_string(list + 1)));
        }
        makeStickFolders();
        DriveTable table;
        table.set({'D', root_.path() / "D", DriveType::Fixed});
        table.set({'F', libraryRoot(), DriveType::Fixed});
        table.set({'G', stick_.path(), DriveType::Removable});
        drives.replace(table);
        watchMounts(stick_.folder());
    }

    fs::path libraryRoot() const { return root_.path() / "F"; }
    fs::path downloads() const { return root_.path() / "D" / "歌曲下载"; }
    fs::path musicFolder() const { return stick_.path() / "My Music"; }
    // Where an unmounted stick's folder leads: the shop's own disk.
    const fs::path& stickPath() const { return stick_.path(); }

    void makeStickFolders() {
        fs::create_directories(musicFolder());
        fs::create_directories(stick_.path() / "视频");
    }
    // The library read through another folder (a failing disk's view of it).
    void readLibraryFrom(const fs::path& view) { setDrive('F', view, DriveType::Fixed); }
    // Folders whose mounts must go even when a job hangs.
    void watchMounts(const fs::path& folder) { mountFolders_.push_back(folder); }

    void setDrive(char letter, const fs::path& root, DriveType type) {
        DriveTable table = *drives.snapshot();
        table.set({letter, root, type});
        drives.replace(table);
    }
    void removeDrive(char letter) {
        DriveTable table = *drives.snapshot();
        table.remove(letter);
        drives.replace(table);
    }

    // The list's folders as a disk probe finds them on the stick.
    static void pointAtStick(ListDesk& desk) {
        desk.targets.fill({gbk("G:\\My Music"), gbk("G:\\视频"), gbk("G:\\图片"), gbk("G:\\游戏"),
                           gbk("G:\\电子书")});
    }
    // The window when the stick's mount goes: its letter first, then the list's disk.
    void windowSeesStickGone(ListDesk& desk) {
        removeDrive('G');
        desk.targets.withdrawDisk();
    }

    // A library file of `bytes` bytes for the music folder, or the video folder for ".rmvb"; a
    // marked name carries the block before its content.
    LibraryFile add(const std::string& name, std::size_t bytes) {
        const bool marked = isMarkedFileName(name);
        const std::string plain = marked ? plainNameOf(name) : name;
        const std::string folder = name.ends_with(".rmvb") ? "G:\\视频\\" : "G:\\My Music\\";
        LibraryFile file{name, gbk("F:\\曲库\\" + name), gbk(folder + plain),
                         pattern(seed_++, bytes)};
        testing::writeFile(
            libraryRoot() / "曲库" / name,
            marked ? std::string(kMarkedFileBlockBytes, 'q') + file.copy : file.copy);
        return file;
    }
    std::vector<LibraryFile> addSongs(int count, std::size_t bytes, int from = 1) {
        std::vector<LibraryFile> songs;
        for (int n = from; n < from + count; ++n) {
            songs.push_back(add("歌" + std::to_string(n) + ".mp3", bytes));
        }
        return songs;
    }
    std::optional<fs::path> hostPath(const std::string& gbkPath) const {
        return drives.snapshot()->resolve(gbkPath);
    }

    CopyJob job(ListDesk& desk, CopyCheck check) {
        return CopyJob({.list = desk.list,
                        .files = files,
                        .targets = desk.targets,
                        .control = desk.control,
                        .stagingFolder = stagingFolderOf(desk.list),
                        .check = check},
                       desk.host);
    }
    // Queues the files as the download button or as sync adds do, and runs the job on this
    // thread; the caller bounds the time.
    void run(ListDesk& desk, const std::vector<LibraryFile>& queued, JobKind kind,
             CopyCheck check = CopyCheck::Sampled) {
        std::vector<std::string> paths;
        for (const auto& file : queued) {
            paths.push_back(file.path);
        }
        if (kind == JobKind::Batch) {
            ASSERT_TRUE(desk.control.startBatch(paths));
            job(desk, check).runBatch();
            return;
        }
        std::optional<std::size_t> first;
        for (const auto& path : paths) {
            const auto started = desk.control.syncAdd(path);
            first = first ? first : started;
        }
        ASSERT_TRUE(first);
        job(desk, check).runSync(*first);
    }

    // Runs `work` on a thread of its own. A job that hangs is a failure that cannot end well:
    // the test volumes are let go and the program ends, so no mount outlives it.
    void within(const std::function<void()>& work) {
        std::promise<void> finished;
        auto done = finished.get_future();
        std::thread worker([&] {
            try {
                work();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "the job's thread threw: " << e.what();
            }
            finished.set_value();
        });
        if (done.wait_for(kJobLimit) == std::future_status::timeout) {
            std::fprintf(stderr, "a copy job still runs after %lld s: it hangs\n",
                         static_cast<long long>(kJobLimit.count()));
            for (const auto& folder : mountFolders_) {
                auto points = testing::mountPointsUnder(folder);
                for (auto at = points.rbegin(); at != points.rend(); ++at) {
                    ::umount2(at->c_str(), MNT_DETACH);
                }
            }
            std::_Exit(3);
        }
        worker.join();
    }

    SharedDriveTable drives;
    LinuxFileSystem files{drives};

private:
    MountedVolume& stick_;
    ScratchFolder root_{"qh-shop-"};
    std::uint64_t seed_ = 0;
    std::vector<fs::path> mountFolders_;
};

// Hidden leftovers of copies under the folder.
std::vector<std::string> temporariesUnder(const fs::path& folder) {
    std::vector<std::string> found;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->path().filename().string().starts_with(".qhcopy-")) {
            found.push_back(it->path().string());
        }
    }
    return found;
}

// Everything under the folder, relative to it.
std::set<std::string> contentsOf(const fs::path& folder) {
    std::set<std::string> found;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        found.insert(fs::relative(it->path(), folder).string());
    }
    return found;
}

// Why the files that did not arrive did not, and the notice's words for it.
struct Reason {
    FileFault fault;
    const char* words;
};

// What the stick holds after a job and what the clerk was told, checked against each other:
// (a) the done notice only when every file is there, otherwise one undelivered notice counting
// exactly the missing files, for the reason, and the marked entries are those missing;
// (b) no file under its name with other data than the library's, read back from the device;
// (c) no leftovers on the stick, nothing on D: but the empty staging folders.
struct Outcome {
    std::set<std::string> whole;  // UTF-8 names of the files whole under their names
    std::set<std::string> missing;
    std::size_t temps = 0;
    RecordingCopyHost::Tab tab;
};

// `list` 0 for 清单1.
std::string undeliveredText(int list, std::size_t missing, std::size_t files, const char* words) {
    return "清单" + std::to_string(list + 1) + " 下载未完成：" + std::to_string(missing) + "/" +
           std::to_string(files) + " 个文件未复制（" + words + "）";
}

void expectShopDiskUntouched(const Shop& shop) {
    std::set<std::string> staging;
    for (int list = 0; list < kListCount; ++list) {
        staging.insert("清单" + std::to_string(list + 1));
    }
    EXPECT_EQ(contentsOf(shop.downloads()), staging)
        << "D:\\歌曲下载 must hold only the empty staging folders";
    EXPECT_EQ(contentsOf(shop.downloads().parent_path()),
              (std::set<std::string>{"歌曲下载", "歌曲下载/清单1", "歌曲下载/清单2",
                                     "歌曲下载/清单3", "歌曲下载/清单4", "歌曲下载/清单5"}));
}

void expectTabConsistent(const ListDesk& desk, const RecordingCopyHost::Tab& tab) {
    EXPECT_EQ(tab.ends, 1);
    EXPECT_FALSE(desk.control.busy());
    EXPECT_EQ(tab.marks, static_cast<int>(tab.undelivered.size())) << "an entry marked twice";
}

// For a stick that is mounted and readable after the job.
Outcome examine(const Shop& shop, const ListDesk& desk, const std::vector<LibraryFile>& queued,
                const Reason& reason) {
    Outcome out;
    out.tab = desk.host.tab();
    for (const auto& file : queued) {
        const auto host = shop.hostPath(file.target);
        if (!host || !fs::exists(fs::symlink_status(*host))) {
            out.missing.insert(utf8(file.path));
            continue;
        }
        std::string back;
        try {
            back = testing::readBackFromDevice(*host);
        } catch (const std::exception& e) {
            ADD_FAILURE() << file.name
                          << " is under its name but cannot be read back: " << e.what();
        }
        EXPECT_TRUE(back == file.copy)
            << file.name
            << " is under its name with other data: " << differingRange(back, file.copy);
        (back == file.copy ? out.whole : out.missing).insert(utf8(file.path));
    }
    const auto temps = temporariesUnder(shop.stickPath());
    out.temps = temps.size();
    EXPECT_EQ(temps, std::vector<std::string>{}) << "leftovers on a stick that is still there";
    expectShopDiskUntouched(shop);
    expectTabConsistent(desk, out.tab);

    std::map<std::string, FileFault> marks;
    for (const auto& path : out.missing) {
        marks.emplace(path, reason.fault);
    }
    EXPECT_EQ(out.tab.undelivered, marks)
        << "the marked entries must be the files not on the stick, for the case's reason";
    if (out.missing.empty()) {
        EXPECT_EQ(out.tab.doneNotices, 1);
        EXPECT_EQ(out.tab.undeliveredNotices, std::vector<std::string>{});
        EXPECT_EQ(out.tab.errorSounds, 0);
    } else {
        EXPECT_EQ(out.tab.doneNotices, 0) << "a done notice after a fault";
        EXPECT_EQ(out.tab.undeliveredNotices,
                  std::vector<std::string>{
                      undeliveredText(desk.list, out.missing.size(), queued.size(), reason.words)})
            << "shown:" << asText(out.tab.undeliveredNotices);
        EXPECT_EQ(out.tab.errorSounds, 1);
        EXPECT_EQ(out.tab.sounds, 0);
    }
    return out;
}

std::set<std::string> namesOf(const std::vector<LibraryFile>& files) {
    std::set<std::string> paths;
    for (const auto& file : files) {
        paths.insert(utf8(file.path));
    }
    return paths;
}

std::vector<LibraryFile> slice(const std::vector<LibraryFile>& files, std::size_t from,
                               std::size_t to) {
    return {files.begin() + static_cast<std::ptrdiff_t>(from),
            files.begin() + static_cast<std::ptrdiff_t>(std::min(to, files.size()))};
}

// One line per case and run, for the tally of repeated runs.
void tally(const std::string& label, std::size_t files, const Outcome& out,
           const std::string& more = {}) {
    std::printf(
        "[ tally    ] %s | files %zu | whole %zu | temps %zu | done %d | undelivered %zu%s\n",
        label.c_str(), files, out.whole.size(), out.temps, out.tab.doneNotices,
        out.tab.undeliveredNotices.size(), more.c_str());
}

// The kinds of stick a case runs on.
struct StickKind {
    const char* name;
    std::optional<std::string> (*unavailable)();
    std::function<std::unique_ptr<MountedVolume>(std::uint64_t bytes)> make;
};

const StickKind kTmpfs{"tmpfs", &TmpfsVolume::unavailable,
                       [](std::uint64_t bytes) { return std::make_unique<TmpfsVolume>(bytes); }};
const StickKind kExt4{"ext4", &LoopExt4Volume::unavailable,
                      [](std::uint64_t bytes) { return std::make_unique<LoopExt4Volume>(bytes); }};

#define SKIP_WITHOUT(kind)                 \
    if (auto why = (kind).unavailable()) { \
        GTEST_SKIP() << *why;              \
    }

// ---------------------------------------------------------------------------------------------
// The stick fills up in the middle of a file: the files that fitted arrive whole, the rest are
// reported full, and the file that hit the end leaves nothing, not even its hidden temporary.

TEST(CopyFaultsOnRealDisks, AStickThatFillsUpMidFileGetsTheFilesThatFitAndReportsTheRest) {
    const struct {
        const StickKind& stick;
        JobKind job;
    } cases[] = {{kTmpfs, JobKind::Batch}, {kExt4, JobKind::Batch}, {kExt4, JobKind::Sync}};
    for (const auto& c : cases) {
        const std::string label = std::string("disk full/") + c.stick.name +
                                  (c.job == JobKind::Sync ? "/sync" : "/batch");
        SCOPED_TRACE(label);
        SKIP_WITHOUT(c.stick);
        const auto stick = c.stick.make(12 * kMiB);
        Shop shop(*stick);
        // Room for three and a half: the fourth runs out of space half-way.
        const std::size_t bytes = freeBytes(stick->path()) * 2 / 7 / 4096 * 4096;
        auto queued = shop.addSongs(1, bytes);
        queued.push_back(shop.add("qh2009歌2.mp3", bytes));  // extracted on D: first
        for (const auto& more : shop.addSongs(3, bytes, 3)) {
            queued.push_back(more);
        }
        queued.push_back(shop.add("电影6.rmvb", bytes));
        for (const auto& more : shop.addSongs(4, bytes, 7)) {
            queued.push_back(more);
        }
        ListDesk desk(0);
        Shop::pointAtStick(desk);

        shop.within([&] { shop.run(desk, queued, c.job); });

        const auto out = examine(shop, desk, queued, {FileFault::DiskFull, "磁盘已满"});
        EXPECT_EQ(out.whole, namesOf(slice(queued, 0, 3)));
        tally(label, queued.size(), out);
    }
}

// ---------------------------------------------------------------------------------------------
// The stick pulled out while a file is being written.

// Pulls the stick from another thread the moment the next copy's temporary file appears in the
// folder, so the pull lands while that file is written, as a hand pulls it.
class Puller {
public:
    Puller(MountedVolume& stick, fs::path folder) : stick_(stick), folder_(std::move(folder)) {}
    ~Puller() { join(); }

    // From the job's thread, before the copy: the watch is in place before its file exists.
    void armForNextCopy(std::function<void()> afterPull = {}) {
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        if (watch < 0 || ::inotify_add_watch(watch, folder_.c_str(), IN_CREATE) < 0) {
            ADD_FAILURE() << "cannot watch " << folder_ << ": " << std::strerror(errno);
        }
        thread_ = std::thread([this, watch, afterPull = std::move(afterPull)] {
            const auto temporary = waitForTemporary(watch);
            ::close(watch);
            // Held open, to see how much of the file had been written when the stick went.
            const int file =
                temporary ? ::open((folder_ / *temporary).c_str(), O_RDONLY | O_CLOEXEC) : -1;
            try {
                stick_.lazyUnmount();
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            struct stat st {};
            if (file >= 0 && ::fstat(file, &st) == 0) {
                bytesAtPull_ = st.st_size;
            }
            if (file >= 0) {
                ::close(file);
            }
            if (afterPull) {
                afterPull();
            }
        });
    }
    void join() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    // How far the file being copied had come when the stick went; -1 when none was seen.
    std::int64_t bytesAtPull() const { return bytesAtPull_; }

private:
    std::optional<std::string> waitForTemporary(int watch) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        alignas(inotify_event) char buffer[4096];
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd ready{watch, POLLIN, 0};
            if (::poll(&ready, 1, 100) <= 0) {
                continue;
            }
            const ssize_t got = ::read(watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && std::string_view(event->name).starts_with(".qhcopy-")) {
                    return std::string(event->name);
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return std::nullopt;
    }

    MountedVolume& stick_;
    fs::path folder_;
    std::thread thread_;
    std::atomic<std::int64_t> bytesAtPull_{-1};
};

// Checks a job whose stick was pulled out at file `pulledAt` (from 1) and is gone: nothing is
// claimed done, every file from the pulled one on is reported gone, the notice counts the marks,
// nothing went to D: or into the folder the stick left behind.
Outcome examinePulled(const Shop& shop, const ListDesk& desk,
                      const std::vector<LibraryFile>& queued, std::size_t pulledAt) {
    Outcome out;
    out.tab = desk.host.tab();
    expectShopDiskUntouched(shop);
    expectTabConsistent(desk, out.tab);
    EXPECT_EQ(contentsOf(shop.stickPath()), std::set<std::string>{})
        << "written into the folder the pulled stick left behind, on the shop's own disk";
    std::set<std::string> marked;
    std::map<std::string, FileFault> gone;
    for (const auto& [path, fault] : out.tab.undelivered) {
        marked.insert(path);
        gone.emplace(path, FileFault::DiskGone);
    }
    EXPECT_EQ(out.tab.undelivered, gone) << "every file the job lost was lost to the pull";
    for (const auto& file : slice(queued, pulledAt - 1, queued.size())) {
        EXPECT_TRUE(marked.contains(utf8(file.path))) << file.name << " was after the pull";
    }
    for (const auto& file : queued) {
        (marked.contains(utf8(file.path)) ? out.missing : out.whole).insert(utf8(file.path));
    }
    EXPECT_EQ(out.tab.doneNotices, 0) << "a done notice after the stick was pulled";
    EXPECT_EQ(out.tab.undeliveredNotices,
              std::vector<std::string>{
                  undeliveredText(desk.list, marked.size(), queued.size(), "磁盘已拔出")})
        << "shown:" << asText(out.tab.undeliveredNotices);
    EXPECT_EQ(out.tab.errorSounds, 1);
    EXPECT_EQ(out.tab.sounds, 0);
    return out;
}

// The files not marked (`claimed`) on a stick plugged in again after the job: each is whole, and
// nothing queued after the pull was written. Returns how many files are there whole.
std::size_t expectClaimsHold(const Shop& shop, const std::vector<LibraryFile>& queued,
                             const std::set<std::string>& claimed, std::size_t pulledAt) {
    std::size_t whole = 0;
    for (std::size_t n = 0; n < queued.size(); ++n) {
        const auto& file = queued[n];
        const auto host = shop.hostPath(file.target);
        if (!host) {
            ADD_FAILURE() << "no G: for " << file.name;
            return whole;
        }
        const bool present = fs::exists(fs::symlink_status(*host));
        const std::string back = present ? testing::readBackFromDevice(*host) : "";
        whole += present && back == file.copy ? 1 : 0;
        if (claimed.contains(utf8(file.path))) {
            EXPECT_TRUE(present && back == file.copy)
                << file.name << " was reported copied; it "
                << (present ? differingRange(back, file.copy) : "is not there");
        } else if (present) {
            EXPECT_TRUE(back == file.copy)
                << file.name
                << " is under its name with other data: " << differingRange(back, file.copy);
        }
        if (n + 1 > pulledAt) {
            EXPECT_FALSE(present) << file.name << " was queued after the pull";
        }
    }
    return whole;
}

TEST(CopyFaultsOnRealDisks, AStickPulledMidFileStopsTheJobAndNothingGoesElsewhere) {
    const struct {
        const char* label;
        const StickKind& stick;
        JobKind job;
        int files;
        // The file being written when the stick goes; past the last, the stick goes after the
        // last copy is written, before the names are put on the disk.
        int pulledAt;
        // The window a moment later: the stick's letter goes, the list falls back to D:.
        bool windowNotices;
    } cases[] = {
        {"tmpfs, file 3 of 10", kTmpfs, JobKind::Batch, 10, 3, false},
        {"tmpfs, file 3 of 10, window withdraws", kTmpfs, JobKind::Batch, 10, 3, true},
        {"ext4, file 3 of 10", kExt4, JobKind::Batch, 10, 3, false},
        {"ext4, file 3 of 10, window withdraws", kExt4, JobKind::Batch, 10, 3, true},
        {"ext4, sync, file 3 of 10, window withdraws", kExt4, JobKind::Sync, 10, 3, true},
        // The first sixteen copies are named before the pull.
        {"tmpfs, file 18 of 20", kTmpfs, JobKind::Batch, 20, 18, false},
        {"ext4, file 18 of 20", kExt4, JobKind::Batch, 20, 18, false},
        {"ext4, file 18 of 20, window withdraws", kExt4, JobKind::Batch, 20, 18, true},
        {"tmpfs, after the last of 10", kTmpfs, JobKind::Batch, 10, 11, false},
        {"ext4, after the last of 10, window withdraws", kExt4, JobKind::Batch, 10, 11, true},
    };
    for (const auto& c : cases) {
        const std::string label = std::string("pulled/") + c.label;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(c.stick);
        auto stick = c.stick.make(64 * kMiB);
        Shop shop(*stick);
        std::vector<LibraryFile> queued;
        for (int n = 1; n <= c.files; ++n) {
            // The pulled file is large, so the pull lands while it is written.
            queued.push_back(shop.add("歌" + std::to_string(n) + ".mp3",
                                      n == c.pulledAt ? 32 * kMiB : 256 * 1024));
        }
        ListDesk desk(0);
        Shop::pointAtStick(desk);
        CreationWatch shopDisk({shop.downloads(), shop.downloads() / "清单1"});
        Puller puller(*stick, shop.musicFolder());
        whileCopying(desk.host, [&](int n) {
            if (n == 0 && c.pulledAt > c.files) {
                stick->lazyUnmount();
                if (c.windowNotices) {
                    shop.windowSeesStickGone(desk);
                }
            } else if (n == c.pulledAt) {
                puller.armForNextCopy([&] {
                    if (c.windowNotices) {
                        std::this_thread::sleep_for(5ms);
                        shop.windowSeesStickGone(desk);
                    }
                });
            } else if (n == c.pulledAt + 1 || n == 0) {
                // The next file starts only once the stick is gone, so it is "after the pull".
                puller.join();
            }
        });

        shop.within([&] { shop.run(desk, queued, c.job); });
        puller.join();

        EXPECT_EQ(shopDisk.seen(), std::vector<std::string>{}) << "written to D: meanwhile";
        auto out = examinePulled(shop, desk, queued, static_cast<std::size_t>(c.pulledAt));
        if (stick->device().empty()) {
            tally(label, queued.size(), out,
                  " | pulled at byte " + std::to_string(puller.bytesAtPull()) + " (stick gone)");
            continue;
        }
        // The same stick plugged in again later: what the job claimed holds.
        stick->plugBackIn();
        if (c.windowNotices) {
            shop.setDrive('G', stick->path(), DriveType::Removable);
        }
        const auto found = expectClaimsHold(shop, queued, out.whole, c.pulledAt);
        out.temps = temporariesUnder(shop.stickPath()).size();
        tally(label, queued.size(), out,
              " | pulled at byte " + std::to_string(puller.bytesAtPull()) +
                  " | plugged in again: whole " + std::to_string(found) + ", temps " +
                  std::to_string(out.temps));
    }
}

// Pulled and plugged in again while the same job still copies: the job stops at the pull and
// claims nothing it did not make; what it claims is on the stick, nothing is left behind on it.
TEST(CopyFaultsOnRealDisks, AStickPulledAndPluggedBackInDuringTheJobGetsNoFalseClaims) {
    const struct {
        const char* label;
        const StickKind& stick;
        bool windowNotices;  // the letter goes and comes back, the clerk picks the stick again
    } cases[] = {
        {"ext4, the same stick again", kExt4, false},
        {"ext4, the same stick again, window withdraws and the clerk picks it", kExt4, true},
        {"tmpfs, another stick in the same port", kTmpfs, false},
    };
    constexpr int kPulledAt = 3;
    constexpr int kBackAt = 5;
    for (const auto& c : cases) {
        const std::string label = std::string("pulled and back/") + c.label;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(c.stick);
        auto stick = c.stick.make(64 * kMiB);
        Shop shop(*stick);
        std::vector<LibraryFile> queued;
        for (int n = 1; n <= 8; ++n) {
            queued.push_back(shop.add("歌" + std::to_string(n) + ".mp3",
                                      n == kPulledAt ? 32 * kMiB : 256 << 10));
        }
        ListDesk desk(0);
        Shop::pointAtStick(desk);
        CreationWatch shopDisk({shop.downloads(), shop.downloads() / "清单1"});
        Puller puller(*stick, shop.musicFolder());
        whileCopying(desk.host, [&](int n) {
            if (n == kPulledAt) {
                puller.armForNextCopy([&] {
                    if (c.windowNotices) {
                        shop.windowSeesStickGone(desk);
                    }
                });
            } else if (n == kPulledAt + 1) {
                puller.join();
            } else if (n == kBackAt) {
                stick->plugBackIn();
                if (stick->device().empty()) {
                    shop.makeStickFolders();  // the other stick has the same folders
                }
                if (c.windowNotices) {
                    shop.setDrive('G', stick->path(), DriveType::Removable);
                    shop.files.removeAbandonedCopies(gbk("G:\\My Music"));
                    Shop::pointAtStick(desk);
                }
            }
        });

        shop.within([&] { shop.run(desk, queued, JobKind::Batch); });
        puller.join();

        EXPECT_EQ(shopDisk.seen(), std::vector<std::string>{}) << "written to D: meanwhile";
        const auto tab = desk.host.tab();
        expectTabConsistent(desk, tab);
        expectShopDiskUntouched(shop);
        EXPECT_EQ(tab.doneNotices, 0) << "a done notice after the stick was pulled";
        std::set<std::string> claimed;
        for (const auto& file : queued) {
            if (!tab.undelivered.contains(utf8(file.path))) {
                claimed.insert(utf8(file.path));
            }
        }
        std::map<std::string, FileFault> gone;
        for (const auto& [path, fault] : tab.undelivered) {
            gone.emplace(path, FileFault::DiskGone);
        }
        EXPECT_EQ(tab.undelivered, gone) << "every file the job lost was lost to the pull";
        EXPECT_EQ(tab.undeliveredNotices,
                  std::vector<std::string>{undeliveredText(desk.list, tab.undelivered.size(),
                                                           queued.size(), "磁盘已拔出")})
            << "shown:" << asText(tab.undeliveredNotices);
        expectClaimsHold(shop, queued, claimed, kPulledAt);
        const auto temps = temporariesUnder(shop.stickPath());
        EXPECT_EQ(temps, std::vector<std::string>{}) << "leftovers on the stick plugged in again";
        Outcome out{claimed, {}, temps.size(), tab};
        tally(label, queued.size(), out,
              " | pulled at byte " + std::to_string(puller.bytesAtPull()));
    }
}

// ---------------------------------------------------------------------------------------------
// The stick's file system turns read-only between two files, as a damaged one does.

TEST(CopyFaultsOnRealDisks, AStickTurningReadOnlyBetweenFilesIsReportedWriteProtected) {
    const struct {
        const char* label;
        const StickKind& stick;
        int files;
        int readOnlyAt;  // before this file (from 1) is copied
    } cases[] = {
        {"tmpfs, before file 4 of 8", kTmpfs, 8, 4},
        {"ext4, before file 4 of 8", kExt4, 8, 4},
        // The first sixteen copies have their names by then.
        {"ext4, before file 18 of 20", kExt4, 20, 18},
    };
    for (const auto& c : cases) {
        const std::string label = std::string("read-only/") + c.label;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(c.stick);
        auto stick = c.stick.make(32 * kMiB);
        Shop shop(*stick);
        const auto queued = shop.addSongs(c.files, 512 << 10);
        ListDesk desk(0);
        Shop::pointAtStick(desk);
        whileCopying(desk.host, [&](int n) {
            if (n == c.readOnlyAt) {
                stick->remountReadOnly();
            }
        });

        shop.within([&] { shop.run(desk, queued, JobKind::Batch); });

        const auto out = examine(shop, desk, queued, {FileFault::WriteProtected, "磁盘写保护"});
        // What had its name before the file system turned read-only is on it.
        const auto named = namesOf(slice(queued, 0, c.readOnlyAt > 16 ? 16 : 0));
        EXPECT_TRUE(std::includes(out.whole.begin(), out.whole.end(), named.begin(), named.end()));
        for (const auto& file : slice(queued, c.readOnlyAt - 1, queued.size())) {
            EXPECT_TRUE(out.missing.contains(utf8(file.path))) << file.name;
        }
        tally(label, queued.size(), out);
    }
}

// ---------------------------------------------------------------------------------------------
// The library changes under the job.

TEST(CopyFaultsOnRealDisks, ALibraryFileDeletedMidBatchIsReportedMissingAndTheRestArrive) {
    const struct {
        const char* label;
        int deletedAt;  // while this file (from 1) is announced
        int deleted;    // this file (from 1) goes
        bool arrives;   // whether its copy was whole before it went
    } cases[] = {
        {"before its turn", 2, 4, false},
        {"a marked file before its turn", 2, 5, false},
        {"after its copy was written, before the check", 4, 2, true},
    };
    for (const auto& c : cases) {
        const std::string label = std::string("library file deleted/") + c.label;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(kTmpfs);
        TmpfsVolume stick(64 * kMiB);
        Shop shop(stick);
        auto queued = shop.addSongs(4, 1 * kMiB);
        queued.push_back(shop.add("qh2009歌5.mp3", 1 * kMiB));
        queued.push_back(shop.add("电影6.rmvb", 2 * kMiB));
        ListDesk desk(0);
        Shop::pointAtStick(desk);
        whileCopying(desk.host, [&](int n) {
            if (n == c.deletedAt) {
                fs::remove(shop.libraryRoot() / "曲库" / queued[c.deleted - 1].name);
            }
        });

        shop.within([&] { shop.run(desk, queued, JobKind::Batch); });

        const auto out = examine(shop, desk, queued, {FileFault::SourceMissing, "源文件不存在"});
        auto expected = namesOf(queued);
        if (!c.arrives) {
            expected.erase(utf8(queued[c.deleted - 1].path));
        }
        EXPECT_EQ(out.whole, expected);
        tally(label, queued.size(), out);
    }
}

// A library disk with a bad sector: the file fails half-way while it is read, leaves nothing
// on the stick or in the staging folder, and is reported unreadable; the others arrive.
TEST(CopyFaultsOnRealDisks, ALibraryFileTurningUnreadableHalfWayIsReportedAndLeavesNothing) {
    if (auto why = TmpfsVolume::unavailable()) {
        GTEST_SKIP() << *why;
    }
    if (auto why = FailingReadFolder::unavailable()) {
        GTEST_SKIP() << *why;
    }
    const struct {
        const char* label;
        const char* name;
        std::size_t bytes;
        std::uint64_t goodBytes;  // of the library file
    } cases[] = {
        {"a song", "坏道.mp3", 3 * kMiB, 1 * kMiB + 4096},
        {"a marked song, past its block", "qh2009坏道.mp3", 3 * kMiB,
         kMarkedFileBlockBytes + 512 * 1024},
        {"a film, at its very last byte", "坏道.rmvb", 2 * kMiB, 2 * kMiB - 1},
    };
    for (const auto& c : cases) {
        const std::string label = std::string("unreadable library file/") + c.label;
        SCOPED_TRACE(label);
        TmpfsVolume stick(64 * kMiB);
        Shop shop(stick);
        auto queued = shop.addSongs(2, 1 * kMiB);
        queued.push_back(shop.add(c.name, c.bytes));
        for (const auto& more : shop.addSongs(2, 1 * kMiB, 4)) {
            queued.push_back(more);
        }
        const std::string bad = (fs::path("曲库") / c.name).string();
        FailingReadFolder view(shop.libraryRoot(), bad, c.goodBytes);
        shop.watchMounts(view.path());
        shop.readLibraryFrom(view.path());
        {
            // The view fails where it should, and only there.
            const int fd = ::open((view.path() / bad).c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_GE(fd, 0) << std::strerror(errno);
            char byte = 0;
            EXPECT_EQ(::pread(fd, &byte, 1, static_cast<off_t>(c.goodBytes) - 1), 1);
            EXPECT_EQ(::pread(fd, &byte, 1, static_cast<off_t>(c.goodBytes)), -1);
            EXPECT_EQ(errno, EIO);
            ::close(fd);
        }
        ListDesk desk(0);
        Shop::pointAtStick(desk);

        shop.within([&] { shop.run(desk, queued, JobKind::Batch, CopyCheck::Whole); });

        const auto out =
            examine(shop, desk, queued, {FileFault::SourceUnreadable, "源文件无法读取"});
        auto expected = namesOf(queued);
        expected.erase(utf8(queued[2].path));
        EXPECT_EQ(out.whole, expected);
        tally(label, queued.size(), out);
    }
}

// ---------------------------------------------------------------------------------------------
// A folder nothing may be written in, not even by root.

TEST(CopyFaultsOnRealDisks, AnImmutableTargetFolderTakesNoFileAndSaysWriteProtected) {
    if (auto why = ImmutableFolder::unavailable()) {
        GTEST_SKIP() << *why;
    }
    for (const StickKind* kind : {&kTmpfs, &kExt4}) {
        const std::string label = std::string("immutable folder/") + kind->name;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(*kind);
        auto stick = kind->make(16 * kMiB);
        Shop shop(*stick);
        auto queued = shop.addSongs(4, 256 << 10);
        queued.push_back(shop.add("qh2009歌5.mp3", 256 << 10));
        ListDesk desk(0);
        Shop::pointAtStick(desk);
        Outcome out;
        {
            ImmutableFolder locked(shop.musicFolder());
            shop.within([&] { shop.run(desk, queued, JobKind::Batch); });
            out = examine(shop, desk, queued, {FileFault::WriteProtected, "磁盘写保护"});
        }
        EXPECT_EQ(out.whole, std::set<std::string>{});
        EXPECT_EQ(contentsOf(shop.musicFolder()), std::set<std::string>{});
        tally(label, queued.size(), out);
    }
}

// ---------------------------------------------------------------------------------------------
// A stick that claims twice what it holds: the files it cannot give back fail their check and
// do not stay under their names; the others are there whole.

TEST(CopyFaultsOnRealDisks, AFakeCapacityStickKeepsOnlyTheFilesItGivesBackWhole) {
    if (auto why = testing::FakeCapacityStick::unavailable()) {
        GTEST_SKIP() << *why;
    }
    const struct {
        const char* label;
        CopyCheck check;
        std::vector<std::size_t> sizes;  // in KiB
    } cases[] = {
        {"ten of 4 MiB, whole check", CopyCheck::Whole, std::vector<std::size_t>(10, 4096)},
        {"ten of 4 MiB, sampled check", CopyCheck::Sampled, std::vector<std::size_t>(10, 4096)},
        // Files of mixed sizes land on parts of one another.
        {"mixed sizes, sampled check",
         CopyCheck::Sampled,
         {9000, 9000, 4000, 1500, 700, 1500, 700, 1500, 700, 1500, 700, 1500, 700, 1500, 700,
          1500}},
    };
    for (const auto& c : cases) {
        const std::string label = std::string("fake capacity/") + c.label;
        SCOPED_TRACE(label);
        testing::FakeCapacityStick stick(24 * kMiB, 48 * kMiB);
        Shop shop(stick);
        std::vector<LibraryFile> queued;
        for (std::size_t n = 0; n < c.sizes.size(); ++n) {
            queued.push_back(shop.add("歌" + std::to_string(n + 1) + ".mp3", c.sizes[n] * 1024));
        }
        ListDesk desk(0);
        Shop::pointAtStick(desk);

        shop.within([&] { shop.run(desk, queued, JobKind::Batch, c.check); });
        // As the customer ejects it: whatever the stick still holds back goes on it.
        ::sync();

        const auto out = examine(shop, desk, queued, {FileFault::VerifyFailed, "校验失败"});
        EXPECT_FALSE(out.whole.empty());
        EXPECT_FALSE(out.missing.empty());
        tally(label, queued.size(), out);
    }
}

// ---------------------------------------------------------------------------------------------
// Bad input.

// Every file of the list fails, each for its own reason: all are counted, none claimed.
TEST(CopyFaultsOnRealDisks, AListWhoseEveryFileFailsIsCountedWithEveryReason) {
    SKIP_WITHOUT(kTmpfs);
    TmpfsVolume stick(1 * kMiB);
    Shop shop(stick);
    std::vector<LibraryFile> queued = {
        shop.add("大1.mp3", 2 * kMiB), shop.add("大2.rmvb", 2 * kMiB),
        shop.add("图.png", 1000),     // its folder is not on the stick
        shop.add("qh2009短.mp3", 0),  // no more than its block
    };
    for (const char* name : {"无1.mp3", "无2.mp3"}) {
        queued.push_back({name, gbk(std::string("F:\\曲库\\") + name),
                          gbk(std::string("G:\\My Music\\") + name), ""});
    }
    ListDesk desk(2);
    Shop::pointAtStick(desk);

    shop.within([&] { shop.run(desk, queued, JobKind::Batch); });

    const auto tab = desk.host.tab();
    expectTabConsistent(desk, tab);
    expectShopDiskUntouched(shop);
    EXPECT_EQ(tab.undelivered, (std::map<std::string, FileFault>{
                                   {"F:\\曲库\\大1.mp3", FileFault::DiskFull},
                                   {"F:\\曲库\\大2.rmvb", FileFault::DiskFull},
                                   {"F:\\曲库\\图.png", FileFault::FolderMissing},
                                   {"F:\\曲库\\qh2009短.mp3", FileFault::SourceUnreadable},
                                   {"F:\\曲库\\无1.mp3", FileFault::SourceMissing},
                                   {"F:\\曲库\\无2.mp3", FileFault::SourceMissing},
                               }));
    EXPECT_EQ(
        tab.undeliveredNotices,
        std::vector<std::string>{"清单3 下载未完成：6/6 个文件未复制（磁盘已满 2、源文件不存在 "
                                 "2、目标文件夹不存在 1、源文件无法读取 1）"})
        << "shown:" << asText(tab.undeliveredNotices);
    EXPECT_EQ(tab.doneNotices, 0);
    EXPECT_EQ(contentsOf(stick.path()), (std::set<std::string>{"My Music", "视频"}));
    Outcome out{{}, namesOf(queued), temporariesUnder(stick.path()).size(), tab};
    tally("every file fails", queued.size(), out);
}

// Two hundred small files onto a stick with no room left: each fails on its own and leaves
// nothing, and the customer's own data stays as it was.
TEST(CopyFaultsOnRealDisks, TwoHundredFilesOntoAFullStickAllFailAndLeaveNothing) {
    for (const StickKind* kind : {&kTmpfs, &kExt4}) {
        const std::string label = std::string("200 onto a full stick/") + kind->name;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(*kind);
        auto stick = kind->make(4 * kMiB);
        Shop shop(*stick);
        const auto queued = shop.addSongs(200, 6000);
        fillUp(stick->path() / "顾客的.dat");
        const auto customersOwn = testing::readBackFromDevice(stick->path() / "顾客的.dat");
        ListDesk desk(0);
        Shop::pointAtStick(desk);

        shop.within([&] { shop.run(desk, queued, JobKind::Batch); });

        const auto out = examine(shop, desk, queued, {FileFault::DiskFull, "磁盘已满"});
        EXPECT_EQ(out.whole, std::set<std::string>{});
        EXPECT_EQ(contentsOf(shop.musicFolder()), std::set<std::string>{});
        EXPECT_EQ(testing::readBackFromDevice(stick->path() / "顾客的.dat"), customersOwn);
        tally(label, queued.size(), out);
    }
}

// Five lists copying at once, each running out of room: each tab counts its own missing files
// and only those; a shared folder's sweep of leftovers spares the other lists' copies.
TEST(CopyFaultsOnRealDisks, FiveListsFailingAtOnceEachTellTheTruthAboutTheirOwnFiles) {
    const struct {
        const char* label;
        bool oneStick;  // all five into one folder of one stick, else a stick each
    } cases[] = {{"a stick each", false}, {"one stick, one folder", true}};
    constexpr int kLists = 5;
    constexpr int kFilesEach = 6;
    constexpr std::size_t kBytes = 1 * kMiB;
    for (const auto& c : cases) {
        const std::string label = std::string("five lists/") + c.label;
        SCOPED_TRACE(label);
        SKIP_WITHOUT(kTmpfs);
        std::vector<std::unique_ptr<TmpfsVolume>> sticks;
        // Room for two and a half files of each list.
        sticks.push_back(std::make_unique<TmpfsVolume>(c.oneStick ? 12 * kMiB + 512 * 1024
                                                                  : 2 * kMiB + 512 * 1024));
        Shop shop(*sticks[0]);
        std::vector<std::unique_ptr<ListDesk>> desks;
        std::vector<std::vector<LibraryFile>> queued(kLists);
        for (int list = 0; list < kLists; ++list) {
            auto desk = std::make_unique<ListDesk>(list);
            const char letter = static_cast<char>('G' + list);
            if (!c.oneStick && list > 0) {
                sticks.push_back(std::make_unique<TmpfsVolume>(2 * kMiB + 512 * 1024));
                fs::create_directories(sticks.back()->path() / "My Music");
                shop.setDrive(letter, sticks.back()->path(), DriveType::Removable);
                shop.watchMounts(sticks.back()->folder());
            }
            const std::string folder = std::string(1, c.oneStick ? 'G' : letter) + ":\\My Music";
            desk->targets.fill({gbk(folder), gbk(folder), gbk(folder), gbk(folder), gbk(folder)});
            for (int n = 1; n <= kFilesEach; ++n) {
                const std::string name =
                    "清单" + std::to_string(list + 1) + "歌" + std::to_string(n) + ".mp3";
                auto file = shop.add(name, kBytes);
                file.target = gbk(folder + "\\" + name);
                queued[list].push_back(std::move(file));
            }
            desks.push_back(std::move(desk));
        }

        shop.within([&] {
            std::vector<std::thread> jobs;
            for (int list = 0; list < kLists; ++list) {
                jobs.emplace_back(
                    [&, list] { shop.run(*desks[list], queued[list], JobKind::Batch); });
            }
            for (auto& job : jobs) {
                job.join();
            }
        });

        std::size_t whole = 0;
        for (int list = 0; list < kLists; ++list) {
            SCOPED_TRACE("清单" + std::to_string(list + 1));
            const auto out =
                examine(shop, *desks[list], queued[list], {FileFault::DiskFull, "磁盘已满"});
            whole += out.whole.size();
            if (!c.oneStick) {
                EXPECT_EQ(out.whole.size(), 2u);
            }
            for (const auto& other : sticks) {
                EXPECT_EQ(temporariesUnder(other->path()), std::vector<std::string>{});
            }
            tally(label + "/清单" + std::to_string(list + 1), kFilesEach, out);
        }
        EXPECT_GE(whole, 2u * kLists - (c.oneStick ? kLists : 0));
        EXPECT_LT(whole, static_cast<std::size_t>(kLists * kFilesEach));
    }
}

}  // namespace
}  // namespace qh
