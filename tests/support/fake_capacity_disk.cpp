// A disk that claims more than it holds, as the cheap sticks do: one file, disk.img, whose size is
// the claimed size, kept in a backing file of the real size. Offset o lands on backing offset
// (o mod real size), so what is written past the real size overwrites what came before.
//
//   qh-fake-capacity-disk BACKING_FILE CLAIMED_BYTES MOUNT_POINT
//
// Or a library disk with a bad sector: SOURCE_FOLDER shown read-only, except that reads of the
// file FAILING (a path inside it) fail with EIO from GOOD_BYTES on.
//
//   qh-fake-capacity-disk --failing-reads SOURCE_FOLDER FAILING GOOD_BYTES MOUNT_POINT
//
// Runs in the foreground on one thread until the mount point is unmounted or it is signalled.
#define FUSE_USE_VERSION 31
#include <fuse3/fuse.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kImage = "/disk.img";

struct Disk {
    int backing = -1;
    std::uint64_t realBytes = 0;
    std::uint64_t claimedBytes = 0;
};

Disk& disk() {
    return *static_cast<Disk*>(fuse_get_context()->private_data);
}

bool isImage(const char* path) {
    return std::strcmp(path, kImage) == 0;
}

// Splits [offset, offset + size) of the claimed disk at each multiple of the real size and hands
// each piece with its backing offset to io; a short transfer ends the request where it stopped.
template <typename Io>
int mapped(std::uint64_t offset, std::size_t size, Io io) {
    const Disk& d = disk();
    if (offset >= d.claimedBytes) {
        return 0;
    }
    size = static_cast<std::size_t>(std::min<std::uint64_t>(size, d.claimedBytes - offset));
    std::size_t done = 0;
    while (done < size) {
        const std::uint64_t at = (offset + done) % d.realBytes;
        const auto piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(size - done, d.realBytes - at));
        const ssize_t moved = io(done, piece, static_cast<off_t>(at));
        if (moved < 0) {
            if (errno == EINTR) {
                continue;
            }
            return done > 0 ? static_cast<int>(done) : -errno;
        }
        if (moved == 0) {
            break;
        }
        done += static_cast<std::size_t>(moved);
    }
    return static_cast<int>(done);
}

void* onInit(fuse_conn_info*, fuse_config* config) {
    // Nothing may be answered from the kernel's caches: every read must reach the backing file.
    config->direct_io = 1;
    config->kernel_cache = 0;
    config->attr_timeout = 0;
    config->entry_timeout = 0;
    return fuse_get_context()->private_data;
}

int onGetattr(const char* path, struct stat* st, fuse_file_info*) {
    std::memset(st, 0, sizeof *st);
    st->st_uid = ::getuid();
    st->st_gid = ::getgid();
    if (std::strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        return 0;
    }
    if (isImage(path)) {
        st->st_mode = S_IFREG | 0644;
        st->st_nlink = 1;
        st->st_size = static_cast<off_t>(disk().claimedBytes);
        st->st_blksize = 4096;
        st->st_blocks = static_cast<blkcnt_t>(disk().realBytes / 512);
        return 0;
    }
    return -ENOENT;
}

int onReaddir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
              fuse_readdir_flags) {
    if (std::strcmp(path, "/") != 0) {
        return -ENOENT;
    }
    fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, kImage + 1, nullptr, 0, fuse_fill_dir_flags{});
    return 0;
}

int onOpen(const char* path, fuse_file_info* fi) {
    if (!isImage(path)) {
        return -ENOENT;
    }
    fi->direct_io = 1;
    fi->keep_cache = 0;
    return 0;
}

int onRead(const char* path, char* buffer, std::size_t size, off_t offset, fuse_file_info*) {
    if (!isImage(path)) {
        return -ENOENT;
    }
    return mapped(static_cast<std::uint64_t>(offset), size,
                  [buffer](std::size_t done, std::size_t piece, off_t at) {
                      return ::pread(disk().backing, buffer + done, piece, at);
                  });
}

int onWrite(const char* path, const char* buffer, std::size_t size, off_t offset, fuse_file_info*) {
    if (!isImage(path)) {
        return -ENOENT;
    }
    if (static_cast<std::uint64_t>(offset) >= disk().claimedBytes && size > 0) {
        return -ENOSPC;
    }
    return mapped(static_cast<std::uint64_t>(offset), size,
                  [buffer](std::size_t done, std::size_t piece, off_t at) {
                      return ::pwrite(disk().backing, buffer + done, piece, at);
                  });
}

int syncBacking() {
    return ::fsync(disk().backing) == 0 ? 0 : -errno;
}

int onFsync(const char*, int, fuse_file_info*) {
    return syncBacking();
}

int onFlush(const char*, fuse_file_info*) {
    return syncBacking();
}

// The failing-reads view. Every read goes to the program, so the kernel's read-ahead cannot fetch
// the readable bytes of the failing file together with the unreadable ones.
struct View {
    std::string source;   // no trailing slash
    std::string failing;  // "/" + the path inside the source
    std::uint64_t goodBytes = 0;
};

View& view() {
    return *static_cast<View*>(fuse_get_context()->private_data);
}

std::string sourcePath(const char* path) {
    return view().source + path;
}

void* onViewInit(fuse_conn_info*, fuse_config* config) {
    config->direct_io = 1;
    config->kernel_cache = 0;
    config->attr_timeout = 0;
    config->entry_timeout = 0;
    config->use_ino = 1;
    return fuse_get_context()->private_data;
}

int onViewGetattr(const char* path, struct stat* st, fuse_file_info*) {
    return ::lstat(sourcePath(path).c_str(), st) == 0 ? 0 : -errno;
}

int onViewReaddir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
                  fuse_readdir_flags) {
    DIR* folder = ::opendir(sourcePath(path).c_str());
    if (folder == nullptr) {
        return -errno;
    }
    while (const dirent* entry = ::readdir(folder)) {
        fill(buffer, entry->d_name, nullptr, 0, fuse_fill_dir_flags{});
    }
    ::closedir(folder);
    return 0;
}

int onViewOpen(const char* path, fuse_file_info* fi) {
    if ((fi->flags & O_ACCMODE) != O_RDONLY) {
        return -EROFS;
    }
    const int fd = ::open(sourcePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -errno;
    }
    fi->fh = static_cast<std::uint64_t>(fd);
    fi->direct_io = 1;
    fi->keep_cache = 0;
    return 0;
}

int onViewRead(const char* path, char* buffer, std::size_t size, off_t offset, fuse_file_info* fi) {
    if (view().failing == path) {
        const auto good = view().goodBytes;
        if (static_cast<std::uint64_t>(offset) >= good) {
            return -EIO;
        }
        size = static_cast<std::size_t>(
            std::min<std::uint64_t>(size, good - static_cast<std::uint64_t>(offset)));
    }
    const ssize_t got = ::pread(static_cast<int>(fi->fh), buffer, size, offset);
    return got < 0 ? -errno : static_cast<int>(got);
}

int onViewRelease(const char*, fuse_file_info* fi) {
    ::close(static_cast<int>(fi->fh));
    return 0;
}

bool parseBytes(const char* text, std::uint64_t& bytes) {
    char* end = nullptr;
    errno = 0;
    bytes = std::strtoull(text, &end, 10);
    return errno == 0 && end != text && *end == '\0';
}

}  // namespace

int serveFailingReads(char* program, char** argv) {
    View v;
    v.source = argv[0];
    while (v.source.size() > 1 && v.source.back() == '/') {
        v.source.pop_back();
    }
    v.failing = std::string("/") + argv[1];
    struct stat st {};
    if (::stat(v.source.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        !parseBytes(argv[2], v.goodBytes)) {
        std::fprintf(stderr, "%s: no folder %s, or no byte count %s\n", program, argv[0], argv[2]);
        return 2;
    }

    fuse_operations ops{};
    ops.init = onViewInit;
    ops.getattr = onViewGetattr;
    ops.readdir = onViewReaddir;
    ops.open = onViewOpen;
    ops.read = onViewRead;
    ops.release = onViewRelease;

    std::string name = program;
    char foreground[] = "-f";
    char singleThread[] = "-s";
    char option[] = "-o";
    char options[] = "fsname=qh-failing-reads,ro";
    char* args[] = {name.data(), foreground, singleThread, option, options, argv[3], nullptr};
    return fuse_main(6, args, &ops, &v);
}

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[1], "--failing-reads") == 0) {
        return serveFailingReads(argv[0], argv + 2);
    }
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: %s BACKING_FILE CLAIMED_BYTES MOUNT_POINT\n"
                     "       %s --failing-reads SOURCE_FOLDER FAILING GOOD_BYTES MOUNT_POINT\n",
                     argv[0], argv[0]);
        return 2;
    }
    Disk d;
    d.backing = ::open(argv[1], O_RDWR | O_CLOEXEC);
    struct stat st {};
    if (d.backing < 0 || ::fstat(d.backing, &st) != 0) {
        std::fprintf(stderr, "%s: cannot open %s: %s\n", argv[0], argv[1], std::strerror(errno));
        return 1;
    }
    d.realBytes = static_cast<std::uint64_t>(st.st_size);
    if (!parseBytes(argv[2], d.claimedBytes) || d.realBytes == 0 || d.claimedBytes < d.realBytes) {
        std::fprintf(stderr, "%s: the backing file must be non-empty and no larger than %s\n",
                     argv[0], argv[2]);
        return 2;
    }

    fuse_operations ops{};
    ops.init = onInit;
    ops.getattr = onGetattr;
    ops.readdir = onReaddir;
    ops.open = onOpen;
    ops.read = onRead;
    ops.write = onWrite;
    ops.fsync = onFsync;
    ops.flush = onFlush;

    std::string name = argv[0];
    char foreground[] = "-f";
    char singleThread[] = "-s";
    char option[] = "-o";
    char fsName[] = "fsname=qh-fake-capacity";
    char* args[] = {name.data(), foreground, singleThread, option, fsName, argv[3], nullptr};
    return fuse_main(6, args, &ops, &d);
}
