#include "folder_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

namespace qh::demo {

namespace {

int openFolder(int parentFd, const char* name) {
    return ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

Folder::Folder(int fd, std::filesystem::path path, WriteTally& tally)
    : fd_(fd), path_(std::move(path)), tally_(&tally) {}

Folder::Folder(Folder&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)), tally_(other.tally_) {}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        tally_ = other.tally_;
    }
    return *this;
}

Folder::~Folder() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Folder Folder::create(const std::filesystem::path& path, WriteTally& tally) {
    std::filesystem::create_directories(path);
    const int fd = openFolder(AT_FDCWD, path.c_str());
    if (fd < 0) {
        throw std::system_error(errno, std::generic_category(), path.string());
    }
    return Folder(fd, path, tally);
}

Folder Folder::child(std::string_view name) const {
    const std::string childName(name);
    if (::mkdirat(fd_, childName.c_str(), 0755) != 0 && errno != EEXIST) {
        fail(name);
    }
    const int fd = openFolder(fd_, childName.c_str());
    if (fd < 0) {
        fail(name);
    }
    return Folder(fd, path_ / childName, *tally_);
}

Folder Folder::descend(std::string_view relativePath) const {
    const int fd = openFolder(fd_, ".");
    if (fd < 0) {
        fail(".");
    }
    Folder folder(fd, path_, *tally_);
    while (!relativePath.empty()) {
        const auto slash = relativePath.find('/');
        folder = folder.child(relativePath.substr(0, slash));
        relativePath.remove_prefix(slash == std::string_view::npos ? relativePath.size()
                                                                   : slash + 1);
    }
    return folder;
}

void Folder::writeFile(std::string_view name, std::string_view bytes, std::uint64_t offset) const {
    const std::string fileName(name);
    const int fd = ::openat(fd_, fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail(name);
    }
    int error = 0;
    if (bytes.empty() && offset > 0 && ::ftruncate(fd, static_cast<off_t>(offset)) != 0) {
        error = errno;
    }
    std::uint64_t position = offset;
    while (error == 0 && !bytes.empty()) {
        const ssize_t count =
            ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(position));
        if (count <= 0) {
            error = count < 0 ? errno : EIO;
        } else {
            bytes.remove_prefix(static_cast<std::size_t>(count));
            position += static_cast<std::uint64_t>(count);
        }
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        errno = error;
        fail(name);
    }
    tally_->files += 1;
    tally_->bytes += position;
}

void Folder::fail(std::string_view name) const {
    throw std::system_error(errno, std::generic_category(), (path_ / std::string(name)).string());
}

}  // namespace qh::demo
