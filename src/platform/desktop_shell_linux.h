#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/shell.h"

namespace qh {

// The shop's batch file as /bin/sh is to read it: its lines ended as the shop's editor ended
// them (CR LF from Windows, a lone CR, LF), and, when it is not UTF-8, read as the GBK the shop's
// Windows editor wrote. Empty when it is too long to hand to the shell whole.
std::optional<std::string> batchFileAsShellScript(std::string_view content);

// Hands folders, files and addresses to xdg-open; runs the shop's batch file with /bin/sh,
// detached, in the batch file's folder; starts a program on a file directly, detached.
class DesktopShell final : public Shell {
public:
    bool openFolder(const std::filesystem::path& folder) override;
    bool openFile(const std::filesystem::path& file) override;
    bool openAddress(const std::string& address) override;
    bool runBatchHidden(const std::filesystem::path& batchFile) override;
    bool startProgram(const std::filesystem::path& program,
                      const std::filesystem::path& file) override;
};

}  // namespace qh
