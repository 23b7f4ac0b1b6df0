#include "platform/listing_index.h"

#include <cstring>
#include <mutex>
#include <type_traits>

namespace qh {

namespace {

constexpr std::string_view kMagic = "QHNAMEIX";
constexpr std::uint32_t kFormat = 1;
constexpr std::uint32_t kDaysKept = 31;
constexpr std::int64_t kNsPerDay = 86'400'000'000'000;

std::int64_t realTimeNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::uint32_t dayOf(std::int64_t ns) {
    return ns <= 0 ? 0 : static_cast<std::uint32_t>(ns / kNsPerDay);
}

// A quick 64-bit check of the payload: a file cut short, or changed by a disk fault, is not read.
std::uint64_t checkOf(std::string_view bytes) {
    std::uint64_t check = 0x51484e414d454958ULL ^ bytes.size();
    std::size_t offset = 0;
    const auto mix = [&check](std::uint64_t word) {
        check = (check ^ word) * 0x9e3779b97f4a7c15ULL;
        check ^= check >> 29;
    };
    for (; offset + 8 <= bytes.size(); offset += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + offset, 8);
        mix(word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, bytes.data() + offset, bytes.size() - offset);
    mix(tail);
    return check;
}

template <typename Number>
void put(std::string& out, Number value) {
    static_assert(std::is_trivially_copyable_v<Number>);
    const auto at = out.size();
    out.resize(at + sizeof value);
    std::memcpy(out.data() + at, &value, sizeof value);
}

void putBytes(std::string& out, std::string_view bytes) {
    put(out, static_cast<std::uint32_t>(bytes.size()));
    out += bytes;
}

// Reads a file's content front to back; any read past its end fails the whole read.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    template <typename Number>
    bool get(Number& value) {
        if (bytes_.size() - offset_ < sizeof value) {
            return false;
        }
        std::memcpy(&value, bytes_.data() + offset_, sizeof value);
        offset_ += sizeof value;
        return true;
    }
    bool getBytes(std::string_view& bytes) {
        std::uint32_t length = 0;
        if (!get(length) || bytes_.size() - offset_ < length) {
            return false;
        }
        bytes = bytes_.substr(offset_, length);
        offset_ += length;
        return true;
    }
    std::string_view rest() const { return bytes_.substr(offset_); }
    bool atEnd() const { return offset_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

}  // namespace

bool RawListing::add(unsigned char type, std::string_view name) {
    if (name.empty() || name.size() > 255) {
        return false;
    }
    bytes_ += static_cast<char>(type);
    bytes_ += static_cast<char>(name.size());
    bytes_ += name;
    ++size_;
    return true;
}

std::optional<RawListing> RawListing::fromBytes(std::string_view bytes) {
    RawListing listing;
    listing.bytes_ = bytes;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < 2) {
            return std::nullopt;
        }
        const auto length = static_cast<unsigned char>(bytes[offset + 1]);
        if (length == 0 || bytes.size() - offset - 2 < length) {
            return std::nullopt;
        }
        offset += 2 + length;
        ++listing.size_;
    }
    return listing;
}

bool RawListing::Cursor::next(unsigned char& type, std::string_view& name) {
    if (offset_ + 2 > bytes_.size()) {
        return false;
    }
    type = static_cast<unsigned char>(bytes_[offset_]);
    const auto length = static_cast<unsigned char>(bytes_[offset_ + 1]);
    name = std::string_view(bytes_).substr(offset_ + 2, length);
    offset_ += 2 + length;
    return true;
}

ListingIndex::ListingIndex(std::chrono::nanoseconds settle, Clock clock)
    : settle_(settle), clock_(clock ? std::move(clock) : Clock(realTimeNs)) {}

std::int64_t ListingIndex::now() const {
    return clock_();
}

std::shared_ptr<const FolderRecord> ListingIndex::trusted(const std::string& hostPath,
                                                          const FolderStamp& current) const {
    std::shared_ptr<const FolderRecord> found;
    {
        std::shared_lock lock(mutex_);
        const auto at = folders_.find(hostPath);
        if (at == folders_.end()) {
            return nullptr;
        }
        found = at->second;
    }
    if (found->stamp != current || found->recordedNs - current.changedNs < settle_.count()) {
        return nullptr;
    }
    const std::uint32_t today = dayOf(now());
    if (found->usedDay.load(std::memory_order_relaxed) != today) {
        found->usedDay.store(today, std::memory_order_relaxed);
        changed_ = true;
    }
    listedFromIndex_.fetch_add(1, std::memory_order_relaxed);
    return found;
}

void ListingIndex::record(const std::string& hostPath, std::shared_ptr<const FolderRecord> folder) {
    folder->usedDay.store(dayOf(folder->recordedNs), std::memory_order_relaxed);
    {
        std::unique_lock lock(mutex_);
        folders_.insert_or_assign(hostPath, std::move(folder));
    }
    changed_ = true;
}

void ListingIndex::adopt(
    std::unordered_map<std::string, std::shared_ptr<const FolderRecord>> saved) {
    std::unique_lock lock(mutex_);
    if (folders_.empty()) {
        folders_ = std::move(saved);
        return;
    }
    // A folder read in this run is newer than the saved one.
    folders_.merge(saved);
}

std::string ListingIndex::serialize(std::string_view machine) const {
    const std::uint32_t oldestKept = dayOf(now()) - std::min(dayOf(now()), kDaysKept);
    std::string payload;
    std::uint64_t count = 0;
    {
        std::shared_lock lock(mutex_);
        for (const auto& [path, folder] : folders_) {
            const std::uint32_t used = folder->usedDay.load(std::memory_order_relaxed);
            if (used < oldestKept) {
                continue;
            }
            putBytes(payload, path);
            put(payload, folder->stamp.device);
            put(payload, folder->stamp.inode);
            put(payload, folder->stamp.changedNs);
            put(payload, folder->recordedNs);
            put(payload, static_cast<std::uint8_t>(folder->ntfsAttributes));
            put(payload, used);
            putBytes(payload, folder->listing.bytes());
            ++count;
        }
    }
    std::string content(kMagic);
    put(content, kFormat);
    putBytes(content, machine);
    put(content, count);
    put(content, checkOf(payload));
    content += payload;
    return content;
}

std::optional<ListingIndex::Records> ListingIndex::parse(std::string_view content,
                                                         std::string_view machine) {
    if (!content.starts_with(kMagic)) {
        return std::nullopt;
    }
    Reader header(content.substr(kMagic.size()));
    std::uint32_t format = 0;
    std::string_view savedMachine;
    std::uint64_t count = 0;
    std::uint64_t check = 0;
    if (!header.get(format) || format != kFormat || !header.getBytes(savedMachine) ||
        savedMachine != machine || !header.get(count) || !header.get(check) ||
        checkOf(header.rest()) != check) {
        return std::nullopt;
    }
    return parseRecords(header.rest(), count);
}

std::optional<ListingIndex::Records> ListingIndex::parseRecords(std::string_view records,
                                                                std::uint64_t count) {
    Reader payload(records);
    Records folders;
    // A record takes at least 50 bytes: a count beyond that is not this file's.
    folders.reserve(std::min<std::uint64_t>(count, records.size() / 50));
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string_view path;
        std::string_view listing;
        std::uint8_t ntfs = 0;
        std::uint32_t used = 0;
        auto folder = std::make_shared<FolderRecord>();
        if (!payload.getBytes(path) || path.empty() || !payload.get(folder->stamp.device) ||
            !payload.get(folder->stamp.inode) || !payload.get(folder->stamp.changedNs) ||
            !payload.get(folder->recordedNs) || !payload.get(ntfs) || ntfs > 1 ||
            !payload.get(used) || !payload.getBytes(listing)) {
            return std::nullopt;
        }
        folder->ntfsAttributes = ntfs == 1;
        folder->usedDay = used;
        auto entries = RawListing::fromBytes(listing);
        if (!entries) {
            return std::nullopt;
        }
        folder->listing = std::move(*entries);
        if (!folders.emplace(path, std::move(folder)).second) {
            return std::nullopt;
        }
    }
    if (!payload.atEnd()) {
        return std::nullopt;
    }
    return folders;
}

void ListingIndex::setLoading(bool loading) {
    {
        std::lock_guard lock(loadingMutex_);
        loading_ = loading;
    }
    loadingEnded_.notify_all();
}

void ListingIndex::waitWhileLoading(std::chrono::milliseconds most) const {
    std::unique_lock lock(loadingMutex_);
    loadingEnded_.wait_for(lock, most, [this] { return !loading_; });
}

bool ListingIndex::loading() const {
    std::lock_guard lock(loadingMutex_);
    return loading_;
}

bool ListingIndex::takeChanged() {
    return changed_.exchange(false);
}

void ListingIndex::markChanged() {
    changed_ = true;
}

ListingIndex::Size ListingIndex::size() const {
    Size size;
    std::shared_lock lock(mutex_);
    size.folders = folders_.size();
    // A map node with its key and the shared pointer's block, besides what each holds.
    constexpr std::size_t kPerFolder = 64 + sizeof(FolderRecord) + 32;
    for (const auto& [path, folder] : folders_) {
        size.entries += folder->listing.size();
        size.bytesInMemory += kPerFolder + path.capacity() + folder->listing.bytes().capacity();
    }
    size.bytesInMemory += folders_.bucket_count() * sizeof(void*);
    return size;
}

ListingIndex::Counts ListingIndex::counts() const {
    return {listedFromIndex_.load(), read_.load()};
}

void ListingIndex::countRead() const {
    read_.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace qh
