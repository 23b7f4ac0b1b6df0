#pragma once
// A file system that passes every call to another; a test overrides the calls it watches or holds.
#include "platform/file_system.h"

namespace qh::testing {

class ForwardingFileSystem : public FileSystem {
public:
    explicit ForwardingFileSystem(FileSystem& files) : files_(files) {}

    std::vector<DirEntry> list(std::string_view folder, std::string_view pattern,
                               HiddenEntries hidden) const override {
        return files_.list(folder, pattern, hidden);
    }
    std::optional<std::int64_t> fileSize(std::string_view path) const override {
        return files_.fileSize(path);
    }
    bool fileExists(std::string_view path) const override { return files_.fileExists(path); }
    bool folderExists(std::string_view path) const override { return files_.folderExists(path); }
    CopyResult copyFile(std::string_view source, std::string_view target, bool overwrite,
                        std::int64_t sourceOffset, CopyDurability durability) override {
        return files_.copyFile(source, target, overwrite, sourceOffset, durability);
    }
    FileStatus verifyCopy(std::string_view source, std::int64_t sourceOffset,
                          std::string_view target, CopyCheck check) override {
        return files_.verifyCopy(source, sourceOffset, target, check);
    }
    void removeAbandonedCopies(std::string_view folder) override {
        files_.removeAbandonedCopies(folder);
    }
    bool deleteFile(std::string_view path) override { return files_.deleteFile(path); }
    bool deleteFolder(std::string_view path) override { return files_.deleteFolder(path); }
    bool rename(std::string_view from, std::string_view to) override {
        return files_.rename(from, to);
    }
    bool createFolders(std::string_view path) override { return files_.createFolders(path); }
    std::unique_ptr<ReadStream> openRead(std::string_view path) const override {
        return files_.openRead(path);
    }
    FileStatus flushFolder(std::string_view folder) override { return files_.flushFolder(folder); }
    std::optional<VolumeSize> volumeSize(std::string_view path) const override {
        return files_.volumeSize(path);
    }

protected:
    FileSystem& forwarded() { return files_; }

private:
    FileSystem& files_;
};

}  // namespace qh::testing
