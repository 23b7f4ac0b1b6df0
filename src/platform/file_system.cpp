#include "platform/file_system.h"

namespace qh {

namespace {

class OneByOneCopyBatch final : public CopyBatch {
public:
    explicit OneByOneCopyBatch(FileSystem& files) : files_(files) {}

    void copyFile(std::string_view source, std::string_view target, bool overwrite) override {
        files_.copyFile(source, target, overwrite);
    }
    void finish() override {}

private:
    FileSystem& files_;
};

}  // namespace

std::unique_ptr<CopyBatch> FileSystem::beginCopyBatch() {
    return std::make_unique<OneByOneCopyBatch>(*this);
}

}  // namespace qh
