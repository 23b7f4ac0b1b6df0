#include "platform/fake_file_system.h"

#include <algorithm>
#include <cstring>

#include "platform/wildcard_match.h"
#include "text/byte_text.h"

namespace qh {

namespace {

class StringReadStream final : public ReadStream {
public:
    explicit StringReadStream(std::shared_ptr<const std::string> data) : data_(std::move(data)) {}

    std::int64_t size() const override { return static_cast<std::int64_t>(data_->size()); }
    bool seek(std::int64_t offset) override {
        if (offset < 0) {
            return false;
        }
        position_ = offset;
        return true;
    }
    std::int64_t read(char* buffer, std::int64_t count) override {
        const std::int64_t available = std::max<std::int64_t>(size() - position_, 0);
        const std::int64_t taken = std::clamp<std::int64_t>(count, 0, available);
        std::memcpy(buffer, data_->data() + position_, static_cast<std::size_t>(taken));
        position_ += taken;
        return taken;
    }

private:
    std::shared_ptr<const std::string> data_;
    std::int64_t position_ = 0;
};

char driveLetter(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    return c;
}

}  // namespace

void FakeFileSystem::addDrive(char letter, std::uint64_t capacityBytes) {
    addFakeCapacityDrive(letter, capacityBytes, capacityBytes);
}

void FakeFileSystem::addFakeCapacityDrive(char letter, std::uint64_t claimedBytes,
                                          std::uint64_t realBytes) {
    std::lock_guard lock(mutex_);
    auto root = std::make_unique<Node>();
    root->isFolder = true;
    drives_[driveLetter(letter)] = Drive{claimedBytes, realBytes, std::move(root)};
}

void FakeFileSystem::removeDrive(char letter) {
    std::lock_guard lock(mutex_);
    drives_.erase(driveLetter(letter));
}

FakeFileSystem::Node* FakeFileSystem::child(const Node& folder, std::string_view name,
                                            Lookup lookup) {
    for (const auto& [childName, node] : folder.children) {
        if (childName == name) {
            return node.get();
        }
    }
    if (lookup == Lookup::Exact) {
        return nullptr;
    }
    // GBK names: asciiLower folds single-byte letters only, never a trail byte.
    const std::string folded = asciiLower(name);
    const std::string* foundName = nullptr;
    Node* found = nullptr;
    for (const auto& [childName, node] : folder.children) {
        if ((foundName == nullptr || childName < *foundName) && asciiLower(childName) == folded) {
            foundName = &childName;
            found = node.get();
        }
    }
    return found;
}

void FakeFileSystem::remove(Node& folder, const Node* node) {
    std::erase_if(folder.children,
                  [node](const auto& entry) { return entry.second.get() == node; });
}

bool FakeFileSystem::holds(const Node& folder, const Node* node) {
    return std::any_of(folder.children.begin(), folder.children.end(), [node](const auto& entry) {
        return entry.second.get() == node || holds(*entry.second, node);
    });
}

FakeFileSystem::Node* FakeFileSystem::find(const WindowsPath& path, Lookup lookup) const {
    const auto drive = drives_.find(path.letter);
    if (drive == drives_.end()) {
        return nullptr;
    }
    Node* node = drive->second.root.get();
    for (const auto& name : path.names) {
        node = node->isFolder ? child(*node, name, lookup) : nullptr;
        if (node == nullptr) {
            return nullptr;
        }
    }
    return node;
}

FakeFileSystem::Node* FakeFileSystem::find(std::string_view path, Lookup lookup) const {
    const auto parsed = parseWindowsPath(path);
    return parsed ? find(*parsed, lookup) : nullptr;
}

std::optional<FakeFileSystem::Place> FakeFileSystem::placeOf(std::string_view path) const {
    auto parsed = parseWindowsPath(path);
    if (!parsed || parsed->names.empty()) {
        return std::nullopt;
    }
    std::string name = std::move(parsed->names.back());
    parsed->names.pop_back();
    Node* folder = find(*parsed);
    if (folder == nullptr || !folder->isFolder) {
        return std::nullopt;
    }
    return Place{folder, std::move(name)};
}

std::uint64_t FakeFileSystem::usedBytes(char letter) const {
    std::uint64_t used = 0;
    std::vector<const Node*> pending{drives_.at(letter).root.get()};
    while (!pending.empty()) {
        const Node* node = pending.back();
        pending.pop_back();
        if (node->data) {
            used += node->data->size();
        }
        for (const auto& entry : node->children) {
            pending.push_back(entry.second.get());
        }
    }
    return used;
}

FakeFileSystem::Node* FakeFileSystem::makeFolders(Node& root, std::span<const std::string> names,
                                                  bool testSetUp) {
    Node* folder = &root;
    for (const auto& name : names) {
        Node* next = child(*folder, name, testSetUp ? Lookup::Exact : Lookup::AsWindows);
        if (next == nullptr) {
            if (!testSetUp && folder->writeProtected) {
                return nullptr;
            }
            auto created = std::make_unique<Node>();
            created->isFolder = true;
            next = created.get();
            folder->children.emplace_back(name, std::move(created));
        }
        if (!next->isFolder) {
            return nullptr;
        }
        folder = next;
    }
    return folder;
}

bool FakeFileSystem::addFile(std::string_view path, std::string data) {
    std::lock_guard lock(mutex_);
    const auto parsed = parseWindowsPath(path);
    if (!parsed || parsed->names.empty() || !drives_.contains(parsed->letter)) {
        return false;
    }
    const std::span<const std::string> names = parsed->names;
    Node* folder =
        makeFolders(*drives_.at(parsed->letter).root, names.first(names.size() - 1), true);
    if (folder == nullptr) {
        return false;
    }
    auto contents = std::make_shared<const std::string>(std::move(data));
    if (Node* existing = child(*folder, names.back(), Lookup::Exact)) {
        if (existing->isFolder) {
            return false;
        }
        existing->data = std::move(contents);
        return true;
    }
    auto file = std::make_unique<Node>();
    file->data = std::move(contents);
    folder->children.emplace_back(names.back(), std::move(file));
    return true;
}

bool FakeFileSystem::addFolder(std::string_view path) {
    std::lock_guard lock(mutex_);
    const auto parsed = parseWindowsPath(path);
    return parsed && drives_.contains(parsed->letter) &&
           makeFolders(*drives_.at(parsed->letter).root, parsed->names, true) != nullptr;
}

std::optional<std::string> FakeFileSystem::fileContent(std::string_view path) const {
    std::lock_guard lock(mutex_);
    const Node* node = find(path, Lookup::Exact);
    if (node == nullptr || node->isFolder) {
        return std::nullopt;
    }
    return *node->data;
}

bool FakeFileSystem::setAttributes(std::string_view path, std::uint32_t attributes) {
    std::lock_guard lock(mutex_);
    Node* node = find(path, Lookup::Exact);
    if (node == nullptr) {
        return false;
    }
    node->attributes = attributes;
    return true;
}

bool FakeFileSystem::setWriteProtected(std::string_view folder, bool writeProtected) {
    std::lock_guard lock(mutex_);
    Node* node = find(folder, Lookup::Exact);
    if (node == nullptr || !node->isFolder) {
        return false;
    }
    node->writeProtected = writeProtected;
    return true;
}

std::vector<DirEntry> FakeFileSystem::list(std::string_view folder, std::string_view pattern,
                                           HiddenEntries hidden) const {
    std::lock_guard lock(mutex_);
    const Node* node = find(folder);
    if (node == nullptr || !node->isFolder) {
        return {};
    }
    const Wildcard wildcard(pattern);
    std::vector<DirEntry> entries;
    for (const auto& [name, entry] : node->children) {
        if (!wildcard.matches(name)) {
            continue;
        }
        const std::uint32_t dotName = name.starts_with('.') ? attr::Hidden : 0;
        const std::uint32_t attributes = entry->attributes.value_or(
            (entry->isFolder ? attr::Directory : attr::Archive) | dotName);
        if (hidden == HiddenEntries::Exclude && (attributes & (attr::Hidden | attr::System)) != 0) {
            continue;
        }
        const auto size = entry->isFolder ? 0 : static_cast<std::int64_t>(entry->data->size());
        entries.push_back(DirEntry{name, attributes, size});
    }
    return entries;
}

std::optional<std::int64_t> FakeFileSystem::fileSize(std::string_view path) const {
    std::lock_guard lock(mutex_);
    const Node* node = find(path);
    if (node == nullptr || node->isFolder) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(node->data->size());
}

bool FakeFileSystem::fileExists(std::string_view path) const {
    std::lock_guard lock(mutex_);
    const Node* node = find(path);
    return node != nullptr && !node->isFolder;
}

bool FakeFileSystem::folderExists(std::string_view path) const {
    std::lock_guard lock(mutex_);
    const Node* node = find(path);
    return node != nullptr && node->isFolder;
}

CopyResult FakeFileSystem::copyFile(std::string_view source, std::string_view target,
                                    bool overwrite, std::int64_t sourceOffset, CopyDurability) {
    std::lock_guard lock(mutex_);
    const Node* from = find(source);
    if (from == nullptr || from->isFolder) {
        return CopyResult::failed(FileFault::SourceMissing);
    }
    if (sourceOffset < 0) {
        return CopyResult::failed(FileFault::Other);
    }
    if (sourceOffset > static_cast<std::int64_t>(from->data->size())) {
        return CopyResult::failed(FileFault::SourceUnreadable);
    }
    const auto parsed = parseWindowsPath(target);
    if (!parsed) {
        return CopyResult::failed(FileFault::Other);
    }
    if (!drives_.contains(parsed->letter)) {
        return CopyResult::failed(FileFault::DiskGone);
    }
    if (parsed->names.empty()) {
        return CopyResult::failed(FileFault::Other);
    }
    const auto place = placeOf(target);
    if (!place) {
        return CopyResult::failed(FileFault::FolderMissing);
    }
    if (place->folder->writeProtected) {
        return CopyResult::failed(FileFault::WriteProtected);
    }
    Node* existing = child(*place->folder, place->name);
    if (existing != nullptr && (existing->isFolder || !overwrite)) {
        return existing->isFolder ? CopyResult::failed(FileFault::Other)
                                  : CopyResult::alreadyThere();
    }
    const Drive& drive = drives_.at(parsed->letter);
    const std::uint64_t needed = from->data->size() - static_cast<std::uint64_t>(sourceOffset);
    const std::uint64_t used = usedBytes(parsed->letter);
    if (used > drive.capacity || needed > drive.capacity - used) {
        return CopyResult::failed(FileFault::DiskFull);
    }
    std::string data = from->data->substr(sourceOffset);
    // Past its real size a fake-capacity stick keeps other data than it was given.
    if (used + needed > drive.realCapacity) {
        std::transform(data.begin(), data.end(), data.begin(),
                       [](char c) { return static_cast<char>(c ^ 0x5a); });
    }
    auto copy = std::make_shared<const std::string>(std::move(data));
    if (existing != nullptr) {
        existing->data = std::move(copy);
        existing->attributes.reset();
        return CopyResult::copied();
    }
    auto file = std::make_unique<Node>();
    file->data = std::move(copy);
    place->folder->children.emplace_back(place->name, std::move(file));
    return CopyResult::copied();
}

FileStatus FakeFileSystem::verifyCopy(std::string_view source, std::int64_t sourceOffset,
                                      std::string_view target, CopyCheck) {
    std::lock_guard lock(mutex_);
    const Node* from = find(source);
    if (from == nullptr || from->isFolder) {
        return FileStatus::failed(FileFault::SourceMissing);
    }
    const auto parsed = parseWindowsPath(target);
    if (!parsed || !drives_.contains(parsed->letter)) {
        return FileStatus::failed(FileFault::DiskGone);
    }
    const Node* copy = find(target);
    const bool same = copy != nullptr && !copy->isFolder && sourceOffset >= 0 &&
                      sourceOffset <= static_cast<std::int64_t>(from->data->size()) &&
                      std::string_view(*from->data).substr(sourceOffset) == *copy->data;
    return same ? FileStatus::ok() : FileStatus::failed(FileFault::VerifyFailed);
}

bool FakeFileSystem::deleteFile(std::string_view path) {
    std::lock_guard lock(mutex_);
    const auto place = placeOf(path);
    const Node* node = place ? child(*place->folder, place->name) : nullptr;
    if (node == nullptr || node->isFolder || place->folder->writeProtected) {
        return false;
    }
    remove(*place->folder, node);
    return true;
}

bool FakeFileSystem::deleteFolder(std::string_view path) {
    std::lock_guard lock(mutex_);
    const auto place = placeOf(path);
    const Node* node = place ? child(*place->folder, place->name) : nullptr;
    if (node == nullptr || !node->isFolder || !node->children.empty() ||
        place->folder->writeProtected) {
        return false;
    }
    remove(*place->folder, node);
    return true;
}

bool FakeFileSystem::rename(std::string_view from, std::string_view to) {
    std::lock_guard lock(mutex_);
    const auto source = placeOf(from);
    const auto target = placeOf(to);
    if (!source || !target || source->folder->writeProtected || target->folder->writeProtected) {
        return false;
    }
    const Node* moving = child(*source->folder, source->name);
    const Node* existing = child(*target->folder, target->name);
    // The entry's own name in other letter case is a new spelling, not a clash.
    const bool respelling =
        existing == moving && child(*target->folder, target->name, Lookup::Exact) == nullptr;
    if (moving == nullptr || (existing != nullptr && !respelling)) {
        return false;
    }
    // A folder cannot move into itself or below itself.
    if (target->folder == moving || holds(*moving, target->folder)) {
        return false;
    }
    auto& entries = source->folder->children;
    const auto at = std::find_if(entries.begin(), entries.end(),
                                 [&](const auto& entry) { return entry.second.get() == moving; });
    std::unique_ptr<Node> moved = std::move(at->second);
    entries.erase(at);
    target->folder->children.emplace_back(target->name, std::move(moved));
    return true;
}

bool FakeFileSystem::createFolders(std::string_view path) {
    std::lock_guard lock(mutex_);
    const auto parsed = parseWindowsPath(path);
    return parsed && drives_.contains(parsed->letter) &&
           makeFolders(*drives_.at(parsed->letter).root, parsed->names, false) != nullptr;
}

std::unique_ptr<ReadStream> FakeFileSystem::openRead(std::string_view path) const {
    std::lock_guard lock(mutex_);
    const Node* node = find(path);
    if (node == nullptr || node->isFolder) {
        return nullptr;
    }
    return std::make_unique<StringReadStream>(node->data);
}

FileStatus FakeFileSystem::flushFolder(std::string_view folder) {
    std::lock_guard lock(mutex_);
    const auto parsed = parseWindowsPath(folder);
    if (!parsed || !drives_.contains(parsed->letter)) {
        return FileStatus::failed(FileFault::DiskGone);
    }
    const Node* node = find(folder);
    return node != nullptr && node->isFolder ? FileStatus::ok()
                                             : FileStatus::failed(FileFault::FolderMissing);
}

std::optional<VolumeSize> FakeFileSystem::volumeSize(std::string_view path) const {
    std::lock_guard lock(mutex_);
    const auto parsed = parseWindowsPath(path);
    if (!parsed || !drives_.contains(parsed->letter)) {
        return std::nullopt;
    }
    const std::uint64_t capacity = drives_.at(parsed->letter).capacity;
    const std::uint64_t used = usedBytes(parsed->letter);
    return VolumeSize{capacity, used > capacity ? 0 : capacity - used};
}

}  // namespace qh
