#pragma once
// An in-memory FileSystem for tests, with the Linux implementation's rules: a name is found in its
// exact spelling or else without regard to ASCII letter case, listings come in creation order,
// ".." stops at the drive's root. Failures a shop meets can be staged: a full disk, a
// write-protected folder, a disk pulled out. Test set-up and inspection (addFile, addFolder,
// fileContent, setAttributes, setWriteProtected) take names exactly as spelled, as a test writes
// and reads a real disk's host folders.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/windows_path.h"

namespace qh {

class FakeFileSystem final : public FileSystem {
public:
    static constexpr std::uint64_t defaultCapacity = std::uint64_t{1} << 40;

    // An empty drive, replacing any of that letter. Copies fail once the files on it would
    // exceed `capacityBytes`, as on a full disk.
    void addDrive(char letter, std::uint64_t capacityBytes = defaultCapacity);
    // A stick that claims more than it holds: copies take all the claimed bytes, but a copy
    // that ends beyond the real ones keeps other data than it was given.
    void addFakeCapacityDrive(char letter, std::uint64_t claimedBytes, std::uint64_t realBytes);
    // The drive and all on it disappear, as when the disk is pulled out.
    void removeDrive(char letter);

    // Test set-up, beyond the rules that bind the program: creates the file with its folders,
    // replacing a file of that name, whatever the capacity or write protection. False when the
    // drive is missing or a file is in the way.
    bool addFile(std::string_view path, std::string data);
    // Test set-up as addFile: creates the folder with its parents, names exactly as spelled.
    bool addFolder(std::string_view path);
    std::optional<std::string> fileContent(std::string_view path) const;
    // From now on the entry lists with exactly these bits, as a volume that stores them would.
    bool setAttributes(std::string_view path, std::uint32_t attributes);
    // Nothing can be created, removed or renamed inside the folder while it is protected.
    bool setWriteProtected(std::string_view folder, bool writeProtected = true);

    std::vector<DirEntry> list(std::string_view folder, std::string_view pattern,
                               HiddenEntries hidden) const override;
    std::optional<std::int64_t> fileSize(std::string_view path) const override;
    bool fileExists(std::string_view path) const override;
    bool folderExists(std::string_view path) const override;
    CopyResult copyFile(std::string_view source, std::string_view target, bool overwrite,
                        std::int64_t sourceOffset = 0,
                        CopyDurability durability = CopyDurability::OnDisk) override;
    FileStatus verifyCopy(std::string_view source, std::int64_t sourceOffset,
                          std::string_view target, CopyCheck check) override;
    bool deleteFile(std::string_view path) override;
    bool deleteFolder(std::string_view path) override;
    bool rename(std::string_view from, std::string_view to) override;
    bool createFolders(std::string_view path) override;
    std::unique_ptr<ReadStream> openRead(std::string_view path) const override;
    FileStatus flushFolder(std::string_view folder) override;
    std::optional<VolumeSize> volumeSize(std::string_view path) const override;

private:
    struct Node {
        bool isFolder = false;
        bool writeProtected = false;
        std::optional<std::uint32_t> attributes;
        std::shared_ptr<const std::string> data;  // shared with open read streams
        std::vector<std::pair<std::string, std::unique_ptr<Node>>> children;  // creation order
    };
    struct Drive {
        std::uint64_t capacity = defaultCapacity;
        std::uint64_t realCapacity = defaultCapacity;
        std::unique_ptr<Node> root;
    };
    // An entry's parent folder and its name there.
    struct Place {
        Node* folder = nullptr;
        std::string name;
    };

    enum class Lookup {
        AsWindows,  // the exact spelling, else the smallest that equals it without regard to case
        Exact,
    };

    Node* find(const WindowsPath& path, Lookup lookup = Lookup::AsWindows) const;
    Node* find(std::string_view path, Lookup lookup = Lookup::AsWindows) const;
    std::optional<Place> placeOf(std::string_view path) const;
    std::uint64_t usedBytes(char letter) const;
    static Node* child(const Node& folder, std::string_view name,
                       Lookup lookup = Lookup::AsWindows);
    // Walks down `names`, creating missing folders; nullptr when a file is in the way or, but for
    // test set-up, a write-protected folder would gain one. Test set-up takes names exactly.
    static Node* makeFolders(Node& root, std::span<const std::string> names, bool testSetUp);
    // Removes the entry holding `node`.
    static void remove(Node& folder, const Node* node);
    static bool holds(const Node& folder, const Node* node);

    mutable std::mutex mutex_;
    std::map<char, Drive> drives_;
};

}  // namespace qh
