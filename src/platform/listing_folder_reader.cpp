#include "platform/listing_folder_reader.h"

#include <string>
#include <vector>

namespace qh {

namespace {

class ListedFolder final : public OpenFolder {
public:
    ListedFolder(const FolderReader& reader, std::string folder, std::vector<DirEntry> entries,
                 const NamePattern& pattern)
        : reader_(reader),
          folder_(std::move(folder)),
          entries_(std::move(entries)),
          pattern_(pattern) {}

    bool next(FolderEntry& entry) override {
        while (next_ < entries_.size()) {
            DirEntry& listed = entries_[next_++];
            const bool matches = pattern_.matches(listed.name);
            const bool folder = (listed.attributes & attr::Directory) != 0 &&
                                (listed.attributes & attr::ReparsePoint) == 0;
            if (matches || folder) {
                entry = FolderEntry{std::move(listed.name), listed.attributes, matches};
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override {
        return reader_.open(folder_ + std::string(name) + '\\', pattern_);
    }

private:
    const FolderReader& reader_;
    std::string folder_;
    std::vector<DirEntry> entries_;
    std::size_t next_ = 0;
    const NamePattern& pattern_;
};

}  // namespace

std::unique_ptr<OpenFolder> ListingFolderReader::open(std::string_view folder,
                                                      const NamePattern& pattern) const {
    if (!files_.folderExists(folder)) {
        return nullptr;
    }
    return std::make_unique<ListedFolder>(
        *this, std::string(folder), files_.list(folder, "*", HiddenEntries::Include), pattern);
}

}  // namespace qh
