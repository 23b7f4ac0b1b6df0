#include "platform/rename_no_replace_linux.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace qh {

bool renameNoReplace(int fromFolder, const char* from, int toFolder, const char* to) {
    if (::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return false;
    }
    // The file system does not know the flag. A hard link refuses an existing name atomically.
    if (::linkat(fromFolder, from, toFolder, to, 0) == 0) {
        ::unlinkat(fromFolder, from, 0);
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    // No hard links either (folders, FAT through FUSE): test, then move; a name that appears
    // between the two is the only case this cannot refuse.
    struct stat existing {};
    if (::fstatat(toFolder, to, &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return false;
    }
    if (errno != ENOENT) {
        return false;
    }
    return ::renameat(fromFolder, from, toFolder, to) == 0;
}

}  // namespace qh
