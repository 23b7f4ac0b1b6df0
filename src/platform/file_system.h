#pragma once
// Files and folders as the system sees them: Windows paths in GBK, resolved through the drive
// table. Operations on a missing drive find nothing and fail quietly, as the system expects.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

// Windows attribute bits, so the logic can test them as the system describes.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
// Symbolic links carry this beside their target's bits, as Windows marks junctions and links.
inline constexpr std::uint32_t ReparsePoint = 0x400;
}  // namespace attr

struct DirEntry {
    std::string name;  // GBK; never "." or ".."
    std::uint32_t attributes = 0;
    std::int64_t size = 0;  // 0 for folders
    bool operator==(const DirEntry&) const = default;
};

enum class HiddenEntries { Include, Exclude };  // Exclude drops hidden and system entries

struct VolumeSize {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
};

enum class CopyDurability {
    OnDisk,
    // A scratch copy that is read and deleted soon: nothing waits for the disk.
    Cached,
};

class ReadStream {
public:
    virtual ~ReadStream() = default;
    virtual std::int64_t size() const = 0;
    virtual bool seek(std::int64_t offset) = 0;
    // Bytes read, 0 at the end, -1 on an error.
    virtual std::int64_t read(char* buffer, std::int64_t count) = 0;
};

// Copies made one after another whose flush to the disk, and naming after it, may wait for later
// copies, so the customer's disk gets a few long write-outs instead of a wait for every file.
class CopyBatch {
public:
    // A batch let go finishes every copy still pending, as finish() does.
    virtual ~CopyBatch() = default;
    // FileSystem::copyFile with OnDisk, except that the copy may take its name after this
    // returns. The source has been read by then and may go. Copies take their names in the
    // order they were made.
    virtual void copyFile(std::string_view source, std::string_view target, bool overwrite) = 0;
    // Returns when every copy made so far is on the disk under its name, or has failed and left
    // nothing; the names themselves need the folder's flushFolder as any copy's do.
    virtual void finish() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Entries of `folder` (ending in a backslash) whose names match `pattern`
    // (matchesWildcard), in the order the file system lists them.
    virtual std::vector<DirEntry> list(std::string_view folder, std::string_view pattern,
                                       HiddenEntries hidden) const = 0;

    // Size of a file (hidden and system files included); empty when it is not there.
    virtual std::optional<std::int64_t> fileSize(std::string_view path) const = 0;
    virtual bool fileExists(std::string_view path) const = 0;
    virtual bool folderExists(std::string_view path) const = 0;

    // Copies the source, from byte `sourceOffset` on, to `target`. The data goes to a temporary
    // name in the target's folder and is renamed into place only when whole, so a failed copy
    // leaves nothing at the target. With OnDisk the data is flushed to the disk before the
    // rename, so even a crash or a pulled disk never leaves a partial copy under the name; the
    // name itself reaches the disk with the next flushFolder. Without overwrite an existing
    // target is left alone and the copy fails.
    virtual bool copyFile(std::string_view source, std::string_view target, bool overwrite,
                          std::int64_t sourceOffset = 0,
                          CopyDurability durability = CopyDurability::OnDisk) = 0;
    // Copies go through copyFile one by one unless the file system can do better.
    virtual std::unique_ptr<CopyBatch> beginCopyBatch();
    virtual bool deleteFile(std::string_view path) = 0;
    // Removes an empty folder.
    virtual bool deleteFolder(std::string_view path) = 0;
    // Fails when `to` exists.
    virtual bool rename(std::string_view from, std::string_view to) = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool createFolders(std::string_view path) = 0;
    virtual std::unique_ptr<ReadStream> openRead(std::string_view path) const = 0;
    // Puts the folder's entries, and all else its volume keeps in the cache, on the disk: after
    // it every copy made in the folder survives the disk being pulled.
    virtual bool flushFolder(std::string_view folder) = 0;
    // Sizes of the volume that holds the path's drive.
    virtual std::optional<VolumeSize> volumeSize(std::string_view path) const = 0;
};

}  // namespace qh
