#include "platform/single_instance_lock_linux.h"

#include <unistd.h>

#include <QDir>
#include <cstdint>

#include "platform/host_path_text.h"

namespace qh {

namespace {

QString defaultFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

// FNV-1a: stable across runs and builds, unlike std::hash.
std::uint64_t nameHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char byte : name) {
        hash = (hash ^ byte) * 1099511628211ULL;
    }
    return hash;
}

bool isReadable(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

}  // namespace

LinuxSingleInstanceLock::LinuxSingleInstanceLock(std::filesystem::path dataFolder,
                                                 QString fallbackFolder)
    : dataFolder_(std::move(dataFolder)),
      fallbackFolder_(fallbackFolder.isEmpty() ? defaultFolder() : std::move(fallbackFolder)) {}

QString LinuxSingleInstanceLock::lockFileName(std::string_view name) {
    constexpr std::size_t readableLimit = 40;
    std::string readable;
    for (const char c : name) {
        if (isReadable(c) && readable.size() < readableLimit) {
            readable += c;
        }
    }
    // A name with no ASCII in it still gives a file name that does not start with "-".
    return QStringLiteral(".%1-%2.lock")
        .arg(QString::fromLatin1(readable.empty() ? "lock" : readable))
        .arg(nameHash(name), 16, 16, QLatin1Char('0'));
}

QString LinuxSingleInstanceLock::lockFilePath(std::string_view name) const {
    if (::access(dataFolder_.c_str(), W_OK | X_OK) == 0) {
        return hostPathText(dataFolder_) + QLatin1Char('/') + lockFileName(name);
    }
    const std::string perFolder =
        std::string(name) + '\n' + dataFolder_.lexically_normal().native();
    return QDir(fallbackFolder_).filePath(lockFileName(perFolder));
}

bool LinuxSingleInstanceLock::tryAcquire(std::string_view name) {
    if (held_ && heldName_ == name) {
        return true;
    }
    auto lock = std::make_unique<QLockFile>(lockFilePath(name));
    // Age alone never makes a lock stale: the program runs for days. A dead holder does.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return false;
    }
    held_ = std::move(lock);
    heldName_ = name;
    return true;
}

}  // namespace qh
