#pragma once
// What the library's folders listed when they were last read, kept so that a walk reads a folder
// again only when it changed. A folder is known by its host path and its stamp (the volume, the
// inode and the change time the file system gives it); a walk asks for a folder's listing with
// the stamp the folder has now, and gets it only while nothing about the folder can have changed
// since. The listing is kept raw, as the kernel gave it: each name's bytes and type in listing
// order, so what a walk makes of it (patterns, GBK names, attributes) is what it makes of a read.
//
// Shared by every walk of the program, on any thread. Saved whole to the data folder and read
// back at the next start, so the first searches after a start read only the folders that changed
// while the program was not running.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qh {

inline constexpr const char* kListingIndexFileName = "nameindex.dat";

struct FolderStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t changedNs = 0;  // the folder's change time, in nanoseconds since 1970
    bool operator==(const FolderStamp&) const = default;
};

// One folder's raw listing: for each entry, its type (as a listing gives it, DT_DIR and so on),
// its name's length in one byte and the name's bytes. "." and ".." are left out.
class RawListing {
public:
    // False, and the listing is left as it was, for a name longer than a byte can count (no
    // Linux volume gives one): such a folder is never kept.
    bool add(unsigned char type, std::string_view name);
    // The listing a saved index holds, or nothing when the bytes are not one.
    static std::optional<RawListing> fromBytes(std::string_view bytes);
    // Once the folder is read whole: no room kept for more entries.
    void shrinkToFit() { bytes_.shrink_to_fit(); }

    const std::string& bytes() const { return bytes_; }
    std::size_t size() const { return size_; }

    // Reading a listing back in order.
    class Cursor {
    public:
        explicit Cursor(const std::string& bytes) : bytes_(bytes) {}
        bool next(unsigned char& type, std::string_view& name);

    private:
        const std::string& bytes_;
        std::size_t offset_ = 0;
    };

private:
    std::string bytes_;
    std::size_t size_ = 0;
};

struct FolderRecord {
    FolderStamp stamp;
    std::int64_t recordedNs = 0;  // when the stamp was taken, before the folder was read
    bool ntfsAttributes = false;  // the volume keeps Windows attribute bits of its own
    RawListing listing;
    // The day (since 1970) a walk last used this record; one not used for a month is dropped
    // when the index is saved (a folder deleted, a letter set elsewhere).
    mutable std::atomic<std::uint32_t> usedDay{0};
};

class ListingIndex {
public:
    // Folders by host path.
    using Records = std::unordered_map<std::string, std::shared_ptr<const FolderRecord>>;

    // `settle`: how long after a folder's change time its listing must have been read for the
    // stamp to tell every later change. A folder changed twice within one tick of the file
    // system's clock keeps one change time; on FAT that tick is two seconds.
    using Clock = std::function<std::int64_t()>;  // nanoseconds since 1970
    explicit ListingIndex(std::chrono::nanoseconds settle = std::chrono::seconds(2),
                          Clock clock = {});

    std::int64_t now() const;

    // The listing kept for the folder at `hostPath`, if the folder's stamp is still `current` and
    // was read long enough after its change to be trusted; nullptr otherwise.
    std::shared_ptr<const FolderRecord> trusted(const std::string& hostPath,
                                                const FolderStamp& current) const;
    // A folder read whole, its stamp taken before the read.
    void record(const std::string& hostPath, std::shared_ptr<const FolderRecord> folder);

    // The records of a saved index, for the folders no walk has read in this run yet.
    void adopt(Records saved);

    // The file's content: every record used within the last month. `machine` names this
    // computer: an index copied to another one is not read there, where the volumes differ.
    std::string serialize(std::string_view machine) const;
    // A saved index, or nothing when the content is not one that `serialize` wrote on `machine`
    // in this format, whole.
    static std::optional<Records> parse(std::string_view content, std::string_view machine);
    // The records after the file's header, `count` of them and nothing after them.
    static std::optional<Records> parseRecords(std::string_view records, std::uint64_t count);

    // While a saved index is read at start, walks wait for it (for at most `most`) before they
    // read their first folder, rather than read from the disk what the index will hold.
    void setLoading(bool loading);
    void waitWhileLoading(std::chrono::milliseconds most) const;
    bool loading() const;

    // True once after each change since the last call: the index is worth saving.
    bool takeChanged();
    void markChanged();

    struct Size {
        std::size_t folders = 0;
        std::size_t entries = 0;
        std::size_t bytesInMemory = 0;
    };
    Size size() const;

    // How walks used the index since the start: folders listed from it and folders read.
    struct Counts {
        std::uint64_t listedFromIndex = 0;
        std::uint64_t read = 0;
    };
    Counts counts() const;
    void countRead() const;

private:
    std::chrono::nanoseconds settle_;
    Clock clock_;
    mutable std::shared_mutex mutex_;
    Records folders_;
    mutable std::atomic<bool> changed_{false};
    mutable std::mutex loadingMutex_;
    mutable std::condition_variable loadingEnded_;
    bool loading_ = false;  // guarded by loadingMutex_
    mutable std::atomic<std::uint64_t> listedFromIndex_{0};
    mutable std::atomic<std::uint64_t> read_{0};
};

}  // namespace qh
