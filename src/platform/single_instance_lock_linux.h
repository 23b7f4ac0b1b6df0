#pragma once
#include <QLockFile>
#include <QString>
#include <memory>
#include <string>

#include "platform/single_instance_lock.h"

namespace qh {

// A lock file in $XDG_RUNTIME_DIR (or the temp folder). QLockFile records the holder's process,
// so a lock left by a crashed copy is found stale and taken over.
class LinuxSingleInstanceLock final : public SingleInstanceLock {
public:
    // `folder` empty: $XDG_RUNTIME_DIR when set, else the temp folder.
    explicit LinuxSingleInstanceLock(QString folder = {});

    bool tryAcquire(std::string_view name) override;

    // The lock file for a name: a readable ASCII part of the name plus a hash of all of it, so
    // any name (GBK, slashes, dots) gives one safe file name.
    static QString lockFileName(std::string_view name);

private:
    QString folder_;
    std::string heldName_;
    std::unique_ptr<QLockFile> held_;
};

}  // namespace qh
