#include "support/test_volumes.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <linux/loop.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

#include "support/temp_folder.h"

namespace qh::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long an unmount waits for a volume to stop being busy before it goes lazy: a loop device
// lets go of its backing file a moment after it is cleared.
constexpr auto kBusyUnmountWait = 2s;
constexpr auto kDiskStartLimit = 10s;
constexpr auto kDiskStopLimit = 5s;
constexpr std::uint64_t kBlock = 4096;
// Room on an image's tmpfs beyond the image itself.
constexpr std::uint64_t kStoreSlack = 1 << 20;

[[noreturn]] void fail(const std::string& what, int error = errno) {
    throw std::runtime_error(what + ": " + std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Undoes the octal escapes (\040 for a space) of /proc/self/mountinfo.
std::string unescapeMountField(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

struct MountEntry {
    fs::path point;
    std::string type;
};

std::vector<MountEntry> mountTable() {
    std::vector<MountEntry> entries;
    std::ifstream in("/proc/self/mountinfo");
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string field;
        std::vector<std::string> before;
        while (fields >> field && field != "-") {
            before.push_back(field);
        }
        std::string type;
        fields >> type;
        if (before.size() >= 5) {
            entries.push_back({unescapeMountField(before[4]), type});
        }
    }
    return entries;
}

std::optional<std::string> mountTypeAt(const fs::path& point) {
    std::optional<std::string> type;
    for (const auto& entry : mountTable()) {
        if (entry.point == point) {
            type = entry.type;
        }
    }
    return type;
}

fs::path findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    std::string dirs = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    dirs += ":/usr/sbin:/sbin";
    std::istringstream in(dirs);
    for (std::string dir; std::getline(in, dir, ':');) {
        if (!dir.empty() && ::access((fs::path(dir) / name).c_str(), X_OK) == 0) {
            return fs::path(dir) / name;
        }
    }
    return {};
}

void makeSparseFile(const fs::path& file, std::uint64_t bytes) {
    Descriptor fd(::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        fail("create " + file.string());
    }
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes)) != 0) {
        fail("size " + file.string());
    }
}

void formatExt4(const std::string& device, Ext4Times times = Ext4Times::Nanoseconds) {
    // No journal and 4 KiB blocks: on a small volume all metadata sits at its start, and the
    // inode tables are written now rather than by a kernel thread later.
    std::vector<std::string> command = {"mkfs.ext4",
                                        "-q",
                                        "-F",
                                        "-b",
                                        "4096",
                                        "-m",
                                        "0",
                                        "-O",
                                        "^has_journal",
                                        "-E",
                                        "nodiscard,lazy_itable_init=0,lazy_journal_init=0"};
    if (times == Ext4Times::WholeSeconds) {
        // Inodes of 128 bytes have no room for the nanoseconds.
        command.insert(command.end(), {"-I", "128"});
    }
    command.push_back(device);
    runProgram(command);
}

std::string tmpfsOptions(std::uint64_t bytes) {
    return "size=" + std::to_string(bytes) + ",mode=0700";
}

void requireBlocks(std::uint64_t bytes, const char* what) {
    if (bytes == 0 || bytes % kBlock != 0) {
        throw std::invalid_argument(std::string(what) +
                                    " must be a non-zero multiple of 4096, not " +
                                    std::to_string(bytes));
    }
}

std::optional<std::string> tmpfsUnavailable(const char* rootReason) {
    if (::geteuid() != 0) {
        return std::string(rootReason);
    }
    // Root in a container may still be refused mounts; try once.
    static const std::optional<std::string> probe = []() -> std::optional<std::string> {
        try {
            ScratchFolder folder("qh-probe-");
            Mount mount("tmpfs", folder.path(), "tmpfs", "size=4096");
        } catch (const std::exception& e) {
            return std::string("mounting a tmpfs is not permitted here: ") + e.what();
        }
        return std::nullopt;
    }();
    return probe;
}

bool kernelHasExt4() {
    if (readFile("/proc/filesystems").find("\text4\n") != std::string::npos) {
        return true;
    }
    utsname system{};
    ::uname(&system);
    const fs::path module = fs::path("/lib/modules") / system.release / "kernel/fs/ext4";
    std::error_code ignored;
    return fs::exists(module, ignored);
}

std::optional<std::string> loopExt4Unavailable(const char* rootReason) {
    if (auto why = tmpfsUnavailable(rootReason)) {
        return why;
    }
    if (!fs::exists("/dev/loop-control")) {
        return "no /dev/loop-control: the kernel has no loop devices";
    }
    if (!kernelHasExt4()) {
        return "the kernel has no ext4";
    }
    if (findProgram("mkfs.ext4").empty()) {
        return "no mkfs.ext4 (e2fsprogs) to format the volume";
    }
    return std::nullopt;
}

// Built only where fuse3 is; CMake names it.
std::string diskProgram() {
#ifdef QH_FAKE_CAPACITY_DISK
    return QH_FAKE_CAPACITY_DISK;
#else
    return {};
#endif
}

}  // namespace

std::string runProgram(const std::vector<std::string>& command, std::chrono::milliseconds limit) {
    const fs::path program = findProgram(command.at(0));
    if (program.empty()) {
        throw std::runtime_error(command[0] + ": not found");
    }
    std::vector<char*> argv;
    for (const auto& arg : command) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        fail("pipe for " + command[0]);
    }
    Descriptor readEnd(pipeFds[0]);
    Descriptor writeEnd(pipeFds[1]);
    const pid_t pid = ::fork();
    if (pid < 0) {
        fail("fork for " + command[0]);
    }
    if (pid == 0) {
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(writeEnd.get(), STDOUT_FILENO);
        ::dup2(writeEnd.get(), STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        _exit(127);
    }
    ::close(writeEnd.release());

    std::string output;
    const auto deadline = Clock::now() + limit;
    bool timedOut = false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= 0ms) {
            timedOut = true;
            break;
        }
        pollfd ready{readEnd.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            timedOut = polled == 0;
            break;
        }
        char buffer[4096];
        const ssize_t got = ::read(readEnd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        output.append(buffer, static_cast<std::size_t>(got));
    }
    if (timedOut) {
        ::kill(pid, SIGKILL);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::string line;
    for (const auto& arg : command) {
        line += (line.empty() ? "" : " ") + arg;
    }
    if (timedOut) {
        throw std::runtime_error(line + ": still running after " + std::to_string(limit.count()) +
                                 " ms; killed. Output: " + output);
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(line + ": failed with status " + std::to_string(status) +
                                 ". Output: " + output);
    }
    return output;
}

std::string readBackFromDevice(const fs::path& file) {
    Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        fail("open " + file.string());
    }
    if (::fsync(fd.get()) != 0) {
        fail("fsync " + file.string());
    }
    if (const int error = ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_DONTNEED); error != 0) {
        fail("drop the cached pages of " + file.string(), error);
    }
    std::string data;
    char buffer[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd.get(), buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            fail("read " + file.string());
        }
        if (got == 0) {
            return data;
        }
        data.append(buffer, static_cast<std::size_t>(got));
        at += got;
    }
}

std::vector<fs::path> mountPointsUnder(const fs::path& folder) {
    const std::string root = folder.lexically_normal().string();
    std::vector<fs::path> points;
    for (const auto& entry : mountTable()) {
        const std::string point = entry.point.string();
        if (point == root || point.starts_with(root + "/")) {
            points.push_back(entry.point);
        }
    }
    return points;
}

ScratchFolder::ScratchFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        fail("make a folder " + pattern);
    }
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    // Never follow into a mount that is somehow still there: only remove plain folders and files.
    if (!mountPointsUnder(path_).empty()) {
        std::fprintf(stderr, "left %s in place: something is still mounted in it\n", path_.c_str());
        return;
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path ScratchFolder::makeFolder(const std::string& name) const {
    const fs::path folder = path_ / name;
    if (::mkdir(folder.c_str(), 0700) != 0) {
        fail("make a folder " + folder.string());
    }
    return folder;
}

Mount::Mount(const std::string& source, fs::path target, const std::string& type,
             const std::string& options)
    : source_(source), target_(std::move(target)), type_(type), options_(options) {
    mountAgain();
}

Mount::~Mount() {
    if (!mounted_) {
        return;
    }
    const auto deadline = Clock::now() + kBusyUnmountWait;
    while (::umount2(target_.c_str(), 0) != 0) {
        if (errno != EBUSY || Clock::now() >= deadline) {
            ::umount2(target_.c_str(), MNT_DETACH);
            return;
        }
        std::this_thread::sleep_for(10ms);
    }
}

void Mount::remountReadOnly() {
    if (::mount(nullptr, target_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        fail("remount read-only " + target_.string());
    }
}

void Mount::lazyUnmount() {
    if (::umount2(target_.c_str(), MNT_DETACH) != 0) {
        fail("umount -l " + target_.string());
    }
    mounted_ = false;
}

void Mount::mountAgain() {
    if (mounted_) {
        throw std::logic_error(target_.string() + " is mounted already");
    }
    if (::mount(source_.c_str(), target_.c_str(), type_.c_str(), 0,
                options_.empty() ? nullptr : options_.c_str()) != 0) {
        fail("mount -t " + type_ + " " + source_ + " " + target_.string());
    }
    mounted_ = true;
}

LoopDevice::LoopDevice(const fs::path& backingFile) {
    Descriptor file(::open(backingFile.c_str(), O_RDWR | O_CLOEXEC));
    if (file.get() < 0) {
        fail("open " + backingFile.string());
    }
    Descriptor control(::open("/dev/loop-control", O_RDWR | O_CLOEXEC));
    if (control.get() < 0) {
        fail("open /dev/loop-control");
    }
    loop_config config{};
    config.fd = static_cast<__u32>(file.get());
    config.info.lo_flags = LO_FLAGS_AUTOCLEAR;
    std::strncpy(reinterpret_cast<char*>(config.info.lo_file_name), backingFile.c_str(),
                 LO_NAME_SIZE - 1);
    // Another test may take the free device between the two calls; then ask again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int number = ::ioctl(control.get(), LOOP_CTL_GET_FREE);
        if (number < 0) {
            fail("find a free loop device");
        }
        const std::string device = "/dev/loop" + std::to_string(number);
        Descriptor loop(::open(device.c_str(), O_RDWR | O_CLOEXEC));
        if (loop.get() < 0) {
            fail("open " + device);
        }
        if (::ioctl(loop.get(), LOOP_CONFIGURE, &config) == 0) {
            path_ = device;
            fd_ = loop.release();
            return;
        }
        if (errno != EBUSY) {
            fail("attach " + backingFile.string() + " to " + device);
        }
    }
    throw std::runtime_error("every free loop device was taken before it could be attached");
}

LoopDevice::~LoopDevice() {
    // Clears now, or once a lazily unmounted volume on it is let go.
    ::ioctl(fd_, LOOP_CLR_FD);
    ::close(fd_);
}

TmpfsVolume::TmpfsVolume(std::uint64_t bytes)
    : MountedVolume("qh-tmpfs-"),
      mount_("qh-tmpfs", folder_.path(), "tmpfs", tmpfsOptions(bytes)) {}

std::optional<std::string> TmpfsVolume::unavailable() {
    return tmpfsUnavailable("needs root: mounts a tmpfs");
}

LoopExt4Volume::LoopExt4Volume(std::uint64_t bytes, Ext4Times times) : MountedVolume("qh-ext4-") {
    requireBlocks(bytes, "an ext4 volume's size");
    imageStore_.emplace("qh-image", folder_.makeFolder("image"), "tmpfs",
                        tmpfsOptions(bytes + kStoreSlack));
    const fs::path image = imageStore_->target() / "ext4.img";
    makeSparseFile(image, bytes);
    loop_.emplace(image);
    formatExt4(loop_->path(), times);
    mount_.emplace(loop_->path(), folder_.makeFolder("mnt"), "ext4");
}

std::optional<std::string> LoopExt4Volume::unavailable() {
    return loopExt4Unavailable("needs root: mounts an ext4 image through a loop device");
}

FakeCapacityStick::FakeCapacityStick(std::uint64_t realBytes, std::uint64_t claimedBytes)
    : MountedVolume("qh-fake-stick-"), realBytes_(realBytes), claimedBytes_(claimedBytes) {
    requireBlocks(realBytes, "a fake stick's real size");
    requireBlocks(claimedBytes, "a fake stick's claimed size");
    if (claimedBytes <= realBytes) {
        throw std::invalid_argument("a fake stick claims more than it holds");
    }
    backingStore_.emplace("qh-backing", folder_.makeFolder("backing"), "tmpfs",
                          tmpfsOptions(realBytes + kStoreSlack));
    const fs::path backing = backingStore_->target() / "backing.img";
    makeSparseFile(backing, realBytes);
    const fs::path disk = folder_.makeFolder("disk");
    disk_.emplace(std::vector<std::string>{backing.string(), std::to_string(claimedBytes)}, disk,
                  folder_.path() / "disk.log");
    loop_.emplace(disk / "disk.img");
    formatExt4(loop_->path());
    mount_.emplace(loop_->path(), folder_.makeFolder("mnt"), "ext4");
}

std::optional<std::string> FakeCapacityStick::unavailable() {
    if (auto why =
            loopExt4Unavailable("needs root: mounts a FUSE disk and ext4 on a loop device")) {
        return why;
    }
    return FuseProgram::unavailable();
}

std::optional<std::string> FuseProgram::unavailable() {
    if (::geteuid() != 0) {
        return "needs root: mounts a FUSE file system";
    }
    if (!fs::exists("/dev/fuse")) {
        return "no /dev/fuse: the kernel has no FUSE";
    }
    const std::string program = diskProgram();
    if (program.empty()) {
        return "built without fuse3 (libfuse3-dev), so there is no qh-fake-capacity-disk";
    }
    if (!fs::exists(program)) {
        return "no " + program;
    }
    return std::nullopt;
}

FuseProgram::FuseProgram(const std::vector<std::string>& arguments, fs::path mountPoint,
                         const fs::path& log)
    : mountPoint_(std::move(mountPoint)) {
    const std::string program = diskProgram();
    if (program.empty()) {
        throw std::runtime_error("built without fuse3: there is no qh-fake-capacity-disk");
    }
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    args.push_back(mountPoint_.string());
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    Descriptor logFd(::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (logFd.get() < 0) {
        fail("create " + log.string());
    }

    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ < 0) {
        fail("fork for " + program);
    }
    if (pid_ == 0) {
        // A test that dies must not leave the disk running.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) {
            _exit(1);
        }
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(logFd.get(), STDOUT_FILENO);
        ::dup2(logFd.get(), STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        _exit(127);
    }

    const auto deadline = Clock::now() + kDiskStartLimit;
    for (;;) {
        const auto type = mountTypeAt(mountPoint_);
        if (type && type->starts_with("fuse")) {
            return;
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error(program + " ended before its disk was mounted (status " +
                                     std::to_string(status) + "): " + readFile(log));
        }
        if (Clock::now() >= deadline) {
            stop();
            throw std::runtime_error(program + " did not mount " + mountPoint_.string() +
                                     " within 10 s: " + readFile(log));
        }
        std::this_thread::sleep_for(5ms);
    }
}

FuseProgram::~FuseProgram() {
    stop();
}

void FuseProgram::stop() {
    const auto type = mountTypeAt(mountPoint_);
    if (type && type->starts_with("fuse")) {
        const auto deadline = Clock::now() + kBusyUnmountWait;
        while (::umount2(mountPoint_.c_str(), 0) != 0) {
            if (errno != EBUSY || Clock::now() >= deadline) {
                ::umount2(mountPoint_.c_str(), MNT_DETACH);
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
    }
    if (pid_ < 0) {
        return;
    }
    // An unmounted disk ends by itself; one still serving a lazily unmounted volume is told to.
    const auto waitFor = [this](auto limit) {
        const auto deadline = Clock::now() + limit;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() >= deadline) {
                return false;
            }
            std::this_thread::sleep_for(5ms);
        }
        return true;
    };
    if (!waitFor(200ms)) {
        ::kill(pid_, SIGTERM);
        if (!waitFor(kDiskStopLimit)) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    pid_ = -1;
}

std::optional<std::string> FailingReadFolder::unavailable() {
    return FuseProgram::unavailable();
}

FailingReadFolder::FailingReadFolder(const fs::path& source, const fs::path& failing,
                                     std::uint64_t goodBytes)
    : folder_("qh-failing-reads-"), mountPoint_(folder_.makeFolder("mnt")) {
    program_.emplace(std::vector<std::string>{"--failing-reads", fs::absolute(source).string(),
                                              failing.string(), std::to_string(goodBytes)},
                     mountPoint_, folder_.path() / "reads.log");
}

ImmutableFolder::ImmutableFolder(const fs::path& folder) : folder_(folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) {
        fail("open " + folder.string());
    }
    int flags = 0;
    if (::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) != 0) {
        fail("read the flags of " + folder.string());
    }
    flags |= FS_IMMUTABLE_FL;
    if (::ioctl(fd.get(), FS_IOC_SETFLAGS, &flags) != 0) {
        fail("make " + folder.string() + " immutable");
    }
    // Kept open, so the flag can be cleared even where the folder's name no longer leads to it.
    fd_ = fd.release();
}

ImmutableFolder::~ImmutableFolder() {
    if (!undo()) {
        std::fprintf(stderr, "could not clear the immutable flag of %s: %s\n", folder_.c_str(),
                     std::strerror(errno));
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool ImmutableFolder::undo() {
    if (fd_ < 0) {
        return true;
    }
    int flags = 0;
    if (::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) {
        return false;
    }
    flags &= ~FS_IMMUTABLE_FL;
    if (::ioctl(fd_, FS_IOC_SETFLAGS, &flags) != 0) {
        return false;
    }
    ::close(fd_);
    fd_ = -1;
    return true;
}

std::optional<std::string> ImmutableFolder::unavailable() {
    if (::geteuid() != 0) {
        return "needs root: sets the immutable flag";
    }
    return std::nullopt;
}

}  // namespace qh::testing
