#include "platform/path_on_disk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <string>

namespace qh {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// Links count as entries of their own: a dangling link still holds its name.
bool entryExists(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Host names are UTF-8 or raw bytes, in which an ASCII byte is always a character of its own, so
// folding bytes folds exactly the letters a Windows name ignores the case of.
bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldAscii(x) == foldAscii(y);
           });
}

std::optional<std::string> entryIgnoringCase(const std::filesystem::path& folder,
                                             std::string_view name) {
    const std::unique_ptr<DIR, DirCloser> dir{::opendir(folder.c_str())};
    if (!dir) {
        return std::nullopt;
    }
    std::optional<std::string> smallest;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view listed = entry->d_name;
        if (equalIgnoringAsciiCase(listed, name) && (!smallest || listed < *smallest)) {
            smallest = std::string(listed);
        }
    }
    return smallest;
}

}  // namespace

std::optional<std::filesystem::path> resolveOnDisk(const DriveTable& drives,
                                                   std::string_view windowsPath) {
    auto spelled = drives.resolve(windowsPath);
    if (!spelled || entryExists(*spelled)) {
        return spelled;
    }
    auto host = drives.resolveNames(windowsPath);
    std::filesystem::path path = std::move(host->root);
    bool onDisk = true;
    for (const auto& name : host->names) {
        if (!onDisk || entryExists(path / name)) {
            path /= name;
            continue;
        }
        const auto found = entryIgnoringCase(path, name);
        onDisk = found.has_value();
        path /= found.value_or(name);
    }
    return path;
}

}  // namespace qh
