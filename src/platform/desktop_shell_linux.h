#pragma once
#include "platform/shell.h"

namespace qh {

// Hands folders, files and addresses to xdg-open; runs the shop's batch file with /bin/sh,
// detached, in the batch file's folder.
class DesktopShell final : public Shell {
public:
    bool openFolder(const std::filesystem::path& folder) override;
    bool openFile(const std::filesystem::path& file) override;
    bool openAddress(const std::string& address) override;
    bool runBatchHidden(const std::filesystem::path& batchFile) override;
};

}  // namespace qh
