#include "drives/file_management.h"

#include <algorithm>
#include <set>
#include <utility>

#include "download/marked_file.h"
#include "download/target_folder_set.h"
#include "text/byte_text.h"
#include "text/gbk.h"

namespace qh {

namespace {

// What a marked file's name holds; a renamed marked file keeps it, or it would no longer be
// copied without its block.
constexpr std::string_view kMarker = "qh2009";

constexpr int kNewFolderTries = 10'000;

}  // namespace

std::vector<ManagedEntry> managedEntries(const FileSystem& files, std::string_view folder) {
    struct Row {
        std::string key;  // the name lower-cased once, not at every comparison
        ManagedEntry entry;
    };
    std::vector<Row> rows;
    for (auto& found : files.list(folder, "*", HiddenEntries::Exclude)) {
        const bool isFolder = (found.attributes & attr::Directory) != 0;
        rows.push_back(
            {asciiLower(found.name), {std::move(found.name), isFolder, isFolder ? 0 : found.size}});
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.entry.folder != b.entry.folder) {
            return a.entry.folder;
        }
        if (a.key != b.key) {
            return a.key < b.key;
        }
        return a.entry.name < b.entry.name;
    });
    std::vector<ManagedEntry> entries;
    entries.reserve(rows.size());
    for (auto& row : rows) {
        entries.push_back(std::move(row.entry));
    }
    return entries;
}

std::optional<std::string> makeNewFolder(FileSystem& files, std::string_view folder) {
    // createFolders would make a missing parent too: a folder gone from under the tree stays gone.
    if (!files.folderExists(folder)) {
        return std::nullopt;
    }
    std::set<std::string> held;
    for (const auto& entry : files.list(folder, "*", HiddenEntries::Include)) {
        held.insert(asciiLower(entry.name));
    }
    static const std::string base = gbk("新建文件夹");
    std::string prefix(folder);
    // The tree may hand it without its final backslash; a trail byte 0x5C is none.
    if (!fileNameOf(prefix).empty()) {
        prefix += '\\';
    }
    for (int n = 1; n <= kNewFolderTries; ++n) {
        const std::string name = base + std::to_string(n);
        if (held.contains(asciiLower(name))) {
            continue;
        }
        const std::string path = prefix + name;
        // An entry the listing did not show (made since, or in a folder that cannot be read) is
        // no new folder: createFolders would call it made.
        if (files.folderExists(path) || files.fileExists(path)) {
            continue;
        }
        if (!files.createFolders(path)) {
            // A read-only card refuses every name alike.
            return std::nullopt;
        }
        return path;
    }
    return std::nullopt;
}

TypedName checkTypedName(std::string_view typed) {
    if (typed.find_first_not_of(' ') == std::string_view::npos) {
        return TypedName::Empty;
    }
    // "." and ".." are no file's names, and Windows drops a name's final dots.
    if (typed.find_first_not_of(". ") == std::string_view::npos) {
        return TypedName::NotAName;
    }
    // Character by character: a double-byte character's trail byte may be "\" or "|".
    for (std::size_t i = 0; i < typed.size(); i += charLengthAt(typed, i)) {
        const char c = typed[i];
        if (c == '\0' || c == '/' || isForbiddenInWindowsName(c)) {
            return TypedName::NotAName;
        }
    }
    return TypedName::Usable;
}

std::string renamedPath(std::string_view oldPath, std::string_view typed) {
    const std::string_view oldName = fileNameOf(oldPath);
    std::string path(folderOf(oldPath));
    path += typed;
    if (isMarkedFileName(oldName)) {
        path += kMarker;
    }
    path += extensionOf(oldName);
    return path;
}

std::string localCopyTarget(std::string_view caption, std::string_view sourcePath) {
    std::string target = defaultTargetFolder();
    target += '\\';
    target += caption;
    target += extensionOf(fileNameOf(sourcePath));
    return target;
}

LocalCopyJob::LocalCopyJob(FileSystem& files, std::vector<LocalCopy> copies)
    : files_(files), copies_(std::move(copies)) {}

void LocalCopyJob::run(LocalCopyHost& host, std::stop_token stop) const {
    // When it cannot be made, each copy fails and says why.
    if (!files_.folderExists(defaultTargetFolder())) {
        files_.createFolders(defaultTargetFolder());
    }
    for (std::size_t i = 0; i < copies_.size(); ++i) {
        if (stop.stop_requested()) {
            break;
        }
        const LocalCopy& copy = copies_[i];
        // From byte 0: a marked file arrives with its block, as the library holds it.
        host.copied(i, files_.copyFile(copy.source, copy.target, true));
    }
    host.ended();
}

}  // namespace qh
