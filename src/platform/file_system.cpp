#include "platform/file_system.h"

namespace qh {

namespace {

class OneByOneCopyBatch final : public CopyBatch {
public:
    OneByOneCopyBatch(FileSystem& files, Report report)
        : files_(files), report_(std::move(report)) {}

    std::size_t copyFile(std::string_view source, std::string_view target,
                         bool overwrite) override {
        const std::size_t copy = made_++;
        report_(copy, files_.copyFile(source, target, overwrite));
        return copy;
    }
    void finish() override {}
    FileStatus flushFolder(std::string_view folder) override { return files_.flushFolder(folder); }

private:
    FileSystem& files_;
    Report report_;
    std::size_t made_ = 0;
};

}  // namespace

std::unique_ptr<CopyBatch> FileSystem::beginCopyBatch(CopyBatch::Report report) {
    return std::make_unique<OneByOneCopyBatch>(*this, std::move(report));
}

void FileSystem::removeAbandonedCopies(std::string_view) {}

}  // namespace qh
