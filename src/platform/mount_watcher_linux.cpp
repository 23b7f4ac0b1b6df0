#include "platform/mount_watcher_linux.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

#include "text/atomic_file.h"

namespace qh {

MountWatcher::MountWatcher(std::filesystem::path mountInfo, std::filesystem::path sysfsRoot,
                           QObject* parent)
    : QObject(parent), mountInfo_(std::move(mountInfo)), sysfsRoot_(std::move(sysfsRoot)) {
    settle_.setSingleShot(true);
    settle_.setInterval(50);
    connect(&settle_, &QTimer::timeout, this, &MountWatcher::rescan);
    removable_ = readRemovable();
    fd_ = ::open(mountInfo_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { settle_.start(); });
    }
}

MountWatcher::~MountWatcher() {
    notifier_.reset();
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::vector<MountEntry> MountWatcher::readRemovable() const {
    return removableMounts(readWholeFile(mountInfo_).value_or(""), sysfsRoot_);
}

void MountWatcher::rescan() {
    auto now = readRemovable();
    const auto changes = diffMounts(removable_, now);
    removable_ = std::move(now);
    if (!changes.empty()) {
        emit mountsChanged(changes);
    }
}

}  // namespace qh
