#include "platform/listing_index.h"

#include <dirent.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/listing_index_keeper.h"
#include "support/temp_folder.h"
#include "text/atomic_file.h"

namespace qh {
namespace {

namespace fs = std::filesystem;
constexpr std::int64_t kSecond = 1'000'000'000;
constexpr std::int64_t kDay = 86'400 * kSecond;
// 2026-12-11 at noon.
constexpr std::int64_t kNoon = 20'798 * kDay + 43'200 * kSecond;

std::shared_ptr<FolderRecord> folderRead(FolderStamp stamp, std::int64_t at,
                                         std::vector<std::string> names) {
    auto folder = std::make_shared<FolderRecord>();
    folder->stamp = stamp;
    folder->recordedNs = at;
    for (const auto& name : names) {
        folder->listing.add(DT_REG, name);
    }
    return folder;
}

std::vector<std::string> namesOf(const FolderRecord& folder) {
    std::vector<std::string> names;
    RawListing::Cursor cursor(folder.listing.bytes());
    unsigned char type = 0;
    std::string_view name;
    while (cursor.next(type, name)) {
        names.emplace_back(name);
    }
    return names;
}

class ListingIndexTest : public ::testing::Test {
protected:
    std::int64_t clock = kNoon;
    ListingIndex index{std::chrono::seconds(2), [this] { return clock; }};
    const FolderStamp stamp{8, 1234, kNoon - 60 * kSecond};
};

TEST_F(ListingIndexTest, TrustsAListingOnlyWhileItsStampHoldsAndItWasReadLongAfterItsChange) {
    index.record("/lib/a", folderRead(stamp, kNoon, {"1.mp3", "2.mp3"}));
    index.record("/lib/soon", folderRead(stamp, stamp.changedNs + kSecond, {"1.mp3"}));
    index.record("/lib/settled", folderRead(stamp, stamp.changedNs + 2 * kSecond, {"1.mp3"}));
    const auto kept = index.trusted("/lib/a", stamp);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(namesOf(*kept), (std::vector<std::string>{"1.mp3", "2.mp3"}));

    struct Case {
        const char* what;
        std::string path;
        FolderStamp now;
        bool trusted;
    };
    const std::vector<Case> cases = {
        {"changed since", "/lib/a", {8, 1234, stamp.changedNs + 1}, false},
        {"another inode", "/lib/a", {8, 1235, stamp.changedNs}, false},
        {"another volume", "/lib/a", {9, 1234, stamp.changedNs}, false},
        {"never read", "/lib/b", stamp, false},
        {"read within the tick", "/lib/soon", stamp, false},
        {"read two seconds after", "/lib/settled", stamp, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(index.trusted(c.path, c.now) != nullptr, c.trusted) << c.what;
    }
}

TEST_F(ListingIndexTest, ASavedIndexReadsBackWholeOnThisMachineOnly) {
    index.record("/lib/月亮", folderRead(stamp, kNoon, {"月亮.mp3", "\xff\xfe.mp3"}));
    index.record("/lib/empty", folderRead(stamp, kNoon, {}));
    const std::string saved = index.serialize("machine-a");
    const auto read = ListingIndex::parse(saved, "machine-a");
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->size(), 2u);
    const auto& folder = *read->at("/lib/月亮");
    EXPECT_EQ(folder.stamp, stamp);
    EXPECT_EQ(folder.recordedNs, kNoon);
    EXPECT_EQ(folder.listing.size(), 2u);
    EXPECT_EQ(namesOf(folder), (std::vector<std::string>{"月亮.mp3", "\xff\xfe.mp3"}));
    EXPECT_EQ(read->at("/lib/empty")->listing.size(), 0u);

    std::string otherFormat = saved;
    otherFormat[8] = 9;
    std::string flipped = saved;
    flipped[saved.size() - 3] ^= 0x20;
    const std::vector<std::pair<const char*, std::string>> unreadable = {
        {"0 bytes", ""},
        {"cut short", saved.substr(0, saved.size() - 1)},
        {"cut in the header", saved.substr(0, 12)},
        {"one byte more", saved + "x"},
        {"another format", otherFormat},
        {"a byte changed", flipped},
        {"not an index", "F:\\歌曲\\1.mp3\r\n"},
    };
    for (const auto& [what, content] : unreadable) {
        EXPECT_FALSE(ListingIndex::parse(content, "machine-a").has_value()) << what;
    }
    EXPECT_FALSE(ListingIndex::parse(saved, "machine-b").has_value()) << "another computer's";
}

TEST_F(ListingIndexTest, AFolderNoWalkUsedForAMonthIsNotSavedAgain) {
    index.record("/lib/used", folderRead(stamp, kNoon, {"1.mp3"}));
    index.record("/lib/gone", folderRead(stamp, kNoon, {"1.mp3"}));
    clock = kNoon + 40 * kDay;
    ASSERT_NE(index.trusted("/lib/used", stamp), nullptr);
    const auto read = ListingIndex::parse(index.serialize("m"), "m");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->count("/lib/used"), 1u);
    EXPECT_EQ(read->count("/lib/gone"), 0u);
}

TEST_F(ListingIndexTest, AFolderReadInThisRunWinsOverTheSavedOne) {
    index.record("/lib/a", folderRead(stamp, kNoon, {"new.mp3"}));
    ListingIndex earlier;
    earlier.record("/lib/a", folderRead(stamp, kNoon - kSecond, {"old.mp3"}));
    earlier.record("/lib/b", folderRead(stamp, kNoon - kSecond, {"b.mp3"}));
    index.adopt(*ListingIndex::parse(earlier.serialize("m"), "m"));
    EXPECT_EQ(namesOf(*index.trusted("/lib/a", stamp)), std::vector<std::string>{"new.mp3"});
    EXPECT_EQ(namesOf(*index.trusted("/lib/b", stamp)), std::vector<std::string>{"b.mp3"});
}

// Whatever lies in the data folder under the index's name, the keeper reads only a whole index
// of this machine, and saves over anything else once the walks have rebuilt it.
TEST(ListingIndexKeeper, IgnoresAFileItCannotTrustAndSavesAWholeOneOverIt) {
    testing::TempFolder data;
    const fs::path file = data.path() / kListingIndexFileName;
    const FolderStamp stamp{8, 1234, kNoon - 60 * kSecond};
    ListingIndex written;
    written.record("/lib/a", folderRead(stamp, kNoon, {"1.mp3"}));
    const std::string whole = written.serialize("this");
    const std::vector<std::pair<const char*, std::string>> files = {
        {"0 bytes", ""},
        {"cut short", whole.substr(0, whole.size() / 2)},
        {"another computer's", written.serialize("that")},
    };
    for (const auto& [what, content] : files) {
        SCOPED_TRACE(what);
        testing::writeFile(file, content);
        ListingIndex index;
        {
            ListingIndexKeeper keeper(index, file, "this");
            keeper.startLoading();
            keeper.waitUntilIdle();
            EXPECT_EQ(index.size().folders, 0u);
            index.record("/lib/b", folderRead(stamp, kNoon, {"2.mp3"}));
        }
        const auto saved = ListingIndex::parse(testing::readFile(file), "this");
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->count("/lib/b"), 1u);
        EXPECT_EQ(saved->count("/lib/a"), 0u);
    }

    // A save killed before its rename leaves only its temporary file: the old index is read.
    testing::writeFile(file, whole);
    testing::writeFile(data.path() / ".nameindex.dat.qhsave-0-1-1-1.tmp", whole.substr(0, 20));
    ListingIndex index;
    ListingIndexKeeper keeper(index, file, "this");
    keeper.startLoading();
    keeper.waitUntilIdle();
    EXPECT_NE(index.trusted("/lib/a", stamp), nullptr);
}

}  // namespace
}  // namespace qh
