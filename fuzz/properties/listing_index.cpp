// The library's listing index as the data folder holds it: records that read back whole keep
// every field through a save and a read, the records of a month unused are the only ones left
// out, and a listing's entries are what its bytes say. The file's header and check are added
// here, as a save writes them, so the fuzzer reaches the records.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "checks.h"
#include "fuzz_input.h"

#include "platform/listing_index.h"

namespace qh::fuzz {
namespace {

constexpr std::int64_t kNsPerDay = 86'400'000'000'000;

std::string checkListing(const std::string& path, const FolderRecord& folder) {
    RawListing::Cursor cursor(folder.listing.bytes());
    unsigned char type = 0;
    std::string_view name;
    std::size_t entries = 0;
    while (cursor.next(type, name)) {
        if (name.empty()) {
            return failure("an empty name in ", shown(path));
        }
        ++entries;
    }
    if (entries != folder.listing.size()) {
        return failure(shown(path), " holds ", entries, " entries, counted ",
                       folder.listing.size());
    }
    return "";
}

}  // namespace

// Two bytes: the number of records; the rest: the records.
std::string checkListingIndex(std::string_view input) {
    if (input.size() < 2) {
        return "";
    }
    std::uint16_t count = 0;
    std::memcpy(&count, input.data(), 2);
    const auto records = ListingIndex::parseRecords(input.substr(2), count);
    // The input as a whole file too: whatever it holds, reading it ends.
    ListingIndex::parse(input, "machine");
    if (!records) {
        return "";
    }
    if (records->size() != count) {
        return failure("read ", records->size(), " of ", count, " records");
    }
    std::uint32_t lastUsed = 0;
    for (const auto& [path, folder] : *records) {
        if (auto broken = checkListing(path, *folder); !broken.empty()) {
            return broken;
        }
        lastUsed = std::max(lastUsed, folder->usedDay.load());
    }

    // Saved on the day of the latest use (within what a clock in nanoseconds reaches).
    const std::uint64_t today = std::min<std::uint64_t>(lastUsed, 100'000);
    ListingIndex index(std::chrono::seconds(2),
                       [today] { return static_cast<std::int64_t>(today) * kNsPerDay; });
    index.adopt(*records);
    const auto again = ListingIndex::parse(index.serialize("machine"), "machine");
    if (!again) {
        return "a saved index does not read back";
    }
    if (ListingIndex::parse(index.serialize("machine"), "another").has_value()) {
        return "another machine's index was read";
    }
    std::size_t kept = 0;
    for (const auto& [path, folder] : *records) {
        const bool recent = std::uint64_t{folder->usedDay.load()} + 31 >= today;
        const auto found = again->find(path);
        if (found == again->end()) {
            if (recent) {
                return failure(shown(path), " used on day ", folder->usedDay.load(),
                               " was not saved on day ", today);
            }
            continue;
        }
        if (!recent) {
            return failure(shown(path), " unused for a month was saved");
        }
        ++kept;
        const FolderRecord& read = *found->second;
        if (read.stamp != folder->stamp || read.recordedNs != folder->recordedNs ||
            read.ntfsAttributes != folder->ntfsAttributes ||
            read.usedDay.load() != folder->usedDay.load() ||
            read.listing.bytes() != folder->listing.bytes() ||
            read.listing.size() != folder->listing.size()) {
            return failure(shown(path), " changed through a save");
        }
    }
    if (kept != again->size()) {
        return "a save added records";
    }
    return "";
}

}  // namespace qh::fuzz
