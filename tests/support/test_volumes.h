#pragma once
// Real volumes for tests of how the copy code meets a stick that fills up, turns read-only, is
// pulled out or lies about its size. All of them need root; each kind's unavailable() says why
// it cannot be made here, for GTEST_SKIP():
//
//     if (auto why = TmpfsVolume::unavailable()) GTEST_SKIP() << *why;
//     TmpfsVolume stick(1 << 20);
//
// A constructor that cannot set its volume up throws std::runtime_error naming the step, after
// undoing the steps before it; no step waits without a time limit.
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qh::testing {

// Runs a program (looked up on PATH, then in /usr/sbin and /sbin) and returns what it printed;
// throws when it cannot start, exits other than 0 or runs longer than the limit.
std::string runProgram(const std::vector<std::string>& command,
                       std::chrono::milliseconds limit = std::chrono::seconds(60));

// The file's bytes as the device holds them: its dirty pages written out and its cached pages
// dropped before it is read, as the copy code checks a copy.
std::string readBackFromDevice(const std::filesystem::path& file);

// Mount points in this process's mount table at or below the folder, topmost mount last.
std::vector<std::filesystem::path> mountPointsUnder(const std::filesystem::path& folder);

// A fresh folder under the temp folder, removed with its contents at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Makes an empty folder inside and returns it.
    std::filesystem::path makeFolder(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// One mount(2). Unmounting at the end falls back to a lazy unmount when the mount stays busy, so
// no test leaves a mount behind.
class Mount {
public:
    Mount(const std::string& source, std::filesystem::path target, const std::string& type,
          const std::string& options = {});
    ~Mount();
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    const std::filesystem::path& target() const { return target_; }
    bool mounted() const { return mounted_; }
    // Fails with EBUSY while a file on it is open for writing.
    void remountReadOnly();
    // umount -l: the folder shows what was under the mount, open descriptors keep the volume.
    void lazyUnmount();
    // After lazyUnmount, mounts the same source on the folder again: for a block device the same
    // volume, with what its open files wrote meanwhile; for a tmpfs a fresh, empty one.
    void mountAgain();

private:
    std::string source_;
    std::filesystem::path target_;
    std::string type_;
    std::string options_;
    bool mounted_ = false;
};

// A loop device over a file, found through /dev/loop-control. It is set to clear itself once the
// last user lets go, so a volume lazily unmounted while a file is open frees it later.
class LoopDevice {
public:
    explicit LoopDevice(const std::filesystem::path& backingFile);
    ~LoopDevice();
    LoopDevice(const LoopDevice&) = delete;
    LoopDevice& operator=(const LoopDevice&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

// A file system mounted on a folder of its own.
class MountedVolume {
public:
    virtual ~MountedVolume() = default;

    // Where the volume is mounted.
    const std::filesystem::path& path() const { return top().target(); }
    // The temp folder that holds the mount point and everything else of the volume; gone after
    // the volume is destroyed.
    const std::filesystem::path& folder() const { return folder_.path(); }
    // The block device under the volume; empty for a tmpfs.
    virtual std::string device() const { return {}; }

    // As a stick whose file system was found damaged: writes and creations fail with EROFS.
    void remountReadOnly() { top().remountReadOnly(); }
    // As a stick pulled out: see Mount::lazyUnmount.
    void lazyUnmount() { top().lazyUnmount(); }
    // As a stick plugged in again after lazyUnmount, at the same folder: see Mount::mountAgain.
    // A tmpfs comes back empty, as another stick in the same port.
    void plugBackIn() { top().mountAgain(); }
    bool mounted() const { return top().mounted(); }

protected:
    explicit MountedVolume(const std::string& prefix) : folder_(prefix) {}
    virtual Mount& top() = 0;
    virtual const Mount& top() const = 0;

    // First member, so it is made before and removed after everything that lives in it.
    ScratchFolder folder_;
};

// A tmpfs of the given size.
class TmpfsVolume : public MountedVolume {
public:
    static std::optional<std::string> unavailable();
    explicit TmpfsVolume(std::uint64_t bytes);

protected:
    Mount& top() override { return mount_; }
    const Mount& top() const override { return mount_; }

private:
    Mount mount_;
};

// How finely an ext4 volume keeps its files' times: whole seconds, as on older formats (and on
// FAT, two seconds), makes two changes within one second share a change time.
enum class Ext4Times { Nanoseconds, WholeSeconds };

// An ext4 file system without a journal, 4 KiB blocks and no reserved blocks, on a loop device
// over an image of the given size (a multiple of 4 KiB). The image lies on a tmpfs of its own,
// so a runaway test cannot fill the work disk.
class LoopExt4Volume : public MountedVolume {
public:
    static std::optional<std::string> unavailable();
    explicit LoopExt4Volume(std::uint64_t bytes, Ext4Times times = Ext4Times::Nanoseconds);

    std::string device() const override { return loop_->path(); }

protected:
    Mount& top() override { return *mount_; }
    const Mount& top() const override { return *mount_; }

private:
    std::optional<Mount> imageStore_;
    std::optional<LoopDevice> loop_;
    std::optional<Mount> mount_;
};

// qh-fake-capacity-disk serving a FUSE mount; ending it unmounts that and waits for the
// program. The program is told to end when the thread that started it ends.
class FuseProgram {
public:
    // `arguments` come before the mount point; the program's output goes to `log`.
    FuseProgram(const std::vector<std::string>& arguments, std::filesystem::path mountPoint,
                const std::filesystem::path& log);
    ~FuseProgram();
    FuseProgram(const FuseProgram&) = delete;
    FuseProgram& operator=(const FuseProgram&) = delete;

    static std::optional<std::string> unavailable();

private:
    void stop();

    std::filesystem::path mountPoint_;
    pid_t pid_ = -1;
};

// A stick that claims claimedBytes and holds realBytes (both multiples of 4 KiB, claimed the
// larger): ext4 as in LoopExt4Volume on a loop device over qh-fake-capacity-disk's image.
// statvfs shows the claimed size and every write succeeds, but what lands past the real size
// overwrites what was written before. The program is told to end when the thread that made the
// stick ends, so make it on the thread that keeps it.
class FakeCapacityStick : public MountedVolume {
public:
    static std::optional<std::string> unavailable();
    FakeCapacityStick(std::uint64_t realBytes, std::uint64_t claimedBytes);

    std::string device() const override { return loop_->path(); }
    std::uint64_t realBytes() const { return realBytes_; }
    std::uint64_t claimedBytes() const { return claimedBytes_; }

protected:
    Mount& top() override { return *mount_; }
    const Mount& top() const override { return *mount_; }

private:
    std::uint64_t realBytes_;
    std::uint64_t claimedBytes_;
    std::optional<Mount> backingStore_;
    std::optional<FuseProgram> disk_;
    std::optional<LoopDevice> loop_;
    std::optional<Mount> mount_;
};

// A read-only FUSE view of a folder in which one file reads well up to `goodBytes` and then
// fails with EIO, as a library disk with a bad sector does; the other files read as they are.
// Make it on the thread that keeps it, as FakeCapacityStick.
class FailingReadFolder {
public:
    static std::optional<std::string> unavailable();
    // `failing` is a path relative to `source`.
    FailingReadFolder(const std::filesystem::path& source, const std::filesystem::path& failing,
                      std::uint64_t goodBytes);

    // Where the view is mounted.
    const std::filesystem::path& path() const { return mountPoint_; }

private:
    ScratchFolder folder_;
    std::filesystem::path mountPoint_;
    std::optional<FuseProgram> program_;
};

// Sets the immutable flag (chattr +i) on a folder: nothing can be made, removed or renamed in
// it, not even by root. Clears it again at the end, as such a folder cannot be removed.
class ImmutableFolder {
public:
    static std::optional<std::string> unavailable();
    explicit ImmutableFolder(const std::filesystem::path& folder);
    ~ImmutableFolder();
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;

    // Clears the flag now; false when it could not be cleared (say, the volume went read-only).
    bool undo();

private:
    std::filesystem::path folder_;
    int fd_ = -1;
};

}  // namespace qh::testing
