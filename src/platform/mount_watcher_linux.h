#pragma once
// Tells when Linux mounts or unmounts a removable volume. The kernel marks /proc/self/mountinfo
// as exceptional after every change of the mount table, so a socket notifier on it wakes the
// window's thread without polling; the table is then read again and compared.
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/mount_changes.h"

class QSocketNotifier;

namespace qh {

class MountWatcher : public QObject {
    Q_OBJECT
public:
    // `mountInfo` and `sysfsRoot` are the kernel's own unless a test hands in others.
    explicit MountWatcher(std::filesystem::path mountInfo = "/proc/self/mountinfo",
                          std::filesystem::path sysfsRoot = "/sys", QObject* parent = nullptr);
    ~MountWatcher() override;

    const std::vector<MountEntry>& removable() const { return removable_; }
    // Reads the table again and reports what changed; the notifier calls it, tests may too.
    void rescan();

signals:
    void mountsChanged(const MountChanges& changes);

private:
    std::vector<MountEntry> readRemovable() const;

    std::filesystem::path mountInfo_;
    std::filesystem::path sysfsRoot_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    // A mount comes with several table changes in a row; one reading after they settle serves.
    QTimer settle_;
    std::vector<MountEntry> removable_;
};

}  // namespace qh
