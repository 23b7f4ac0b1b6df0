#pragma once
// Files and folders as the system sees them: Windows paths in GBK, resolved through the drive
// table. Operations on a missing drive find nothing and fail quietly, as the system expects.
// Every operation finds a name as Windows does: in its exact spelling, or else as the entry that
// equals it without regard to ASCII letter case (the byte-wise smallest of several); a name
// found in neither way is created as spelled.
#include <cstddef>
#include <cstdint>
#include <functional>
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

// Why a copy did not arrive, as the clerk is told it.
enum class FileFault : std::uint8_t {
    DiskFull,
    DiskGone,        // the disk was pulled out, or its volume went away
    DiskError,       // the disk answered with an input/output error
    WriteProtected,  // a read-only volume or a folder that may not be written
    FolderMissing,   // the target folder is not there
    SourceMissing,
    SourceUnreadable,
    VerifyFailed,  // the disk gave back other data than was written to it
    Other,
};

// What became of one copy.
class CopyResult {
public:
    enum class Kind : std::uint8_t { Copied, AlreadyThere, Failed };

    static CopyResult copied() { return CopyResult(Kind::Copied, FileFault::Other); }
    // Without overwrite an existing target is left alone; the file is there all the same.
    static CopyResult alreadyThere() { return CopyResult(Kind::AlreadyThere, FileFault::Other); }
    static CopyResult failed(FileFault fault) { return CopyResult(Kind::Failed, fault); }

    Kind kind() const { return kind_; }
    // Only for a failed copy.
    FileFault fault() const { return fault_; }
    // The target is on the disk under its name, made now or before.
    bool arrived() const { return kind_ != Kind::Failed; }
    // True only when this call made the copy.
    explicit operator bool() const { return kind_ == Kind::Copied; }
    bool operator==(const CopyResult&) const = default;

private:
    CopyResult(Kind kind, FileFault fault) : kind_(kind), fault_(fault) {}
    Kind kind_;
    FileFault fault_;
};

// The outcome of an operation that either works or fails for a reason.
class FileStatus {
public:
    static FileStatus ok() { return FileStatus(std::nullopt); }
    static FileStatus failed(FileFault fault) { return FileStatus(fault); }
    explicit operator bool() const { return !fault_; }
    // Only when failed.
    FileFault fault() const { return fault_.value_or(FileFault::Other); }
    bool operator==(const FileStatus&) const = default;

private:
    explicit FileStatus(std::optional<FileFault> fault) : fault_(fault) {}
    std::optional<FileFault> fault_;
};

// How much of a copy is read back from the disk and compared with its source.
enum class CopyCheck : std::uint8_t {
    Sampled,  // its first, middle and last block
    Whole,
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
    // The result of the copy numbered `copy`, once it is known.
    using Report = std::function<void(std::size_t copy, CopyResult result)>;

    // A batch let go finishes every copy still pending, as finish() does.
    virtual ~CopyBatch() = default;
    // FileSystem::copyFile with OnDisk, except that the copy may take its name after this
    // returns. The source has been read by then and may go. Copies take their names in the
    // order they were made. Returns the copy's number, counted from 0; its result reaches the
    // batch's report exactly once: during this call, a later one or finish().
    virtual std::size_t copyFile(std::string_view source, std::string_view target,
                                 bool overwrite) = 0;
    // Returns when every copy made so far is on the disk under its name, or has failed and left
    // nothing, and its result is reported; the names themselves need the folder's flushFolder.
    virtual void finish() = 0;
    // FileSystem::flushFolder for a folder the batch copied into; DiskGone when the folder's
    // disk is no longer the one the batch wrote to.
    virtual FileStatus flushFolder(std::string_view folder) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Entries of `folder` (ending in a backslash) whose names match `pattern`
    // (Wildcard), in the order the file system lists them.
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
    virtual CopyResult copyFile(std::string_view source, std::string_view target, bool overwrite,
                                std::int64_t sourceOffset = 0,
                                CopyDurability durability = CopyDurability::OnDisk) = 0;
    // Copies go through copyFile one by one unless the file system can do better.
    virtual std::unique_ptr<CopyBatch> beginCopyBatch(CopyBatch::Report report);
    // Reads the copy back from the disk itself, not from what the computer keeps of it, and
    // compares it with the source from byte `sourceOffset` on: a stick that takes more data
    // than it holds gives back other data. VerifyFailed when they differ.
    virtual FileStatus verifyCopy(std::string_view source, std::int64_t sourceOffset,
                                  std::string_view target, CopyCheck check) = 0;
    // Removes what copies that were never finished left in the folder (hidden temporary files
    // of a pulled disk or a killed program), sparing those still being written.
    virtual void removeAbandonedCopies(std::string_view folder);
    virtual bool deleteFile(std::string_view path) = 0;
    // Removes an empty folder.
    virtual bool deleteFolder(std::string_view path) = 0;
    // Fails when `to` exists in any letter case, unless it is `from` itself: then the entry
    // takes the new spelling ("a.mp3" to "A.MP3").
    virtual bool rename(std::string_view from, std::string_view to) = 0;
    // Creates the folder with all missing parents; true when it exists afterwards.
    virtual bool createFolders(std::string_view path) = 0;
    virtual std::unique_ptr<ReadStream> openRead(std::string_view path) const = 0;
    // Puts the folder's entries, and all else its volume keeps in the cache, on the disk: after
    // it every copy made in the folder survives the disk being pulled.
    virtual FileStatus flushFolder(std::string_view folder) = 0;
    // Sizes of the volume that holds the path's drive.
    virtual std::optional<VolumeSize> volumeSize(std::string_view path) const = 0;
};

}  // namespace qh
