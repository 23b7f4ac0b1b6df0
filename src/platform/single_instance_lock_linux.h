#pragma once
#include <QLockFile>
#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/single_instance_lock.h"

namespace qh {

// A lock file in the data folder itself, so that one program runs per data folder whatever
// environment or user starts it, and a second shop folder may run beside it. Where the data
// folder may not be written, the lock lives in $XDG_RUNTIME_DIR (or the temp folder) under a
// name made from the data folder's path. QLockFile records the holder's process, so a lock left
// by a crashed copy is found stale and taken over.
class LinuxSingleInstanceLock final : public SingleInstanceLock {
public:
    // `fallbackFolder` empty: $XDG_RUNTIME_DIR when set, else the temp folder.
    explicit LinuxSingleInstanceLock(std::filesystem::path dataFolder, QString fallbackFolder = {});

    bool tryAcquire(std::string_view name) override;

    // The lock file for a name: hidden, a readable ASCII part of the name plus a hash of all
    // of it, so any name (GBK, slashes, dots) gives one safe file name.
    static QString lockFileName(std::string_view name);
    // Where the lock of `name` is kept for this data folder.
    QString lockFilePath(std::string_view name) const;

private:
    std::filesystem::path dataFolder_;
    QString fallbackFolder_;
    std::string heldName_;
    std::unique_ptr<QLockFile> held_;
};

}  // namespace qh
