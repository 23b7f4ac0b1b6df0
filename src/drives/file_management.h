#pragma once
// The file-management commands on the customer's disk, the shop's disk and the library: what the
// management list shows, the next new folder, the names a rename may take, and the copies of
// 复制到本地磁盘. Paths are Windows paths in GBK.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace qh {

// One entry of the management list ShellListView1.
struct ManagedEntry {
    std::string name;  // GBK
    bool folder = false;
    std::int64_t size = 0;  // bytes; 0 for a folder
};

// The entries of `folder` (ending in a backslash) as the management list shows them: folders
// first, then files, each group by name without regard to ASCII case (then by bytes); hidden
// and system entries left out, as the shell's view leaves them. A folder that cannot be read
// gives none.
std::vector<ManagedEntry> managedEntries(const FileSystem& files, std::string_view folder);

// "新建文件夹": makes the first of 新建文件夹1, 新建文件夹2 ... that `folder` does not hold yet
// (any letter case counts as held) and returns its path (no final backslash); empty when it could
// not be made (a read-only card, a missing folder). At most 10,000 tries.
std::optional<std::string> makeNewFolder(FileSystem& files, std::string_view folder);

// "重命名": a typed name that is empty or only blanks, or that holds a character no Windows name
// can hold (\ / : * ? " < > | or a byte below 0x20), is refused before anything is renamed.
enum class TypedName { Usable, Empty, NotAName };
TypedName checkTypedName(std::string_view typed);
// The renamed file: its folder + `typed` + "qh2009" when the old file name holds the marker +
// the old extension ("F:\库\歌qh2009.mp3" typed 新歌 gives "F:\库\新歌qh2009.mp3").
std::string renamedPath(std::string_view oldPath, std::string_view typed);

// "复制到本地磁盘": "D:\歌曲下载\" + the row's caption + the file's extension.
std::string localCopyTarget(std::string_view caption, std::string_view sourcePath);

struct LocalCopy {
    std::string source;
    std::string target;
};

class LocalCopyHost {
public:
    virtual ~LocalCopyHost() = default;
    // After each file, in order: `index` into the job's copies.
    virtual void copied(std::size_t index, const CopyResult& result) = 0;
    // After the last file, or when stopped.
    virtual void ended() = 0;
};

// The copies one after another, each byte for byte (a marked file keeps its block) over any older
// file of its name: FileSystem::copyFile with overwrite writes the new file aside and renames it
// over, so a failed copy never destroys the older one. "D:\歌曲下载" is made first when missing.
// A plain class; the window runs it on a worker.
class LocalCopyJob {
public:
    LocalCopyJob(FileSystem& files, std::vector<LocalCopy> copies);
    // Once `stop` is requested no further file is started; ended() still comes.
    void run(LocalCopyHost& host, std::stop_token stop = {}) const;

private:
    FileSystem& files_;
    std::vector<LocalCopy> copies_;
};

}  // namespace qh
