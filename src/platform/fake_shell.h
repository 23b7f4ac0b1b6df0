#pragma once
// Records what the program asked the desktop to open or run.
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace qh {

class FakeShell final : public Shell {
public:
    bool openFolder(const std::filesystem::path& folder) override {
        openedFolders.push_back(folder);
        return true;
    }
    bool openFile(const std::filesystem::path& file) override {
        openedFiles.push_back(file);
        return true;
    }
    bool openAddress(const std::string& address) override {
        openedAddresses.push_back(address);
        return true;
    }
    bool runBatchHidden(const std::filesystem::path& batchFile) override {
        batchFiles.push_back(batchFile);
        return true;
    }
    // Records only the programs that started.
    bool startProgram(const std::filesystem::path& program,
                      const std::filesystem::path& file) override {
        if (startSucceeds) {
            startedPrograms.emplace_back(program, file);
        }
        return startSucceeds;
    }

    std::vector<std::filesystem::path> openedFolders;
    std::vector<std::filesystem::path> openedFiles;
    std::vector<std::string> openedAddresses;
    std::vector<std::filesystem::path> batchFiles;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> startedPrograms;
    bool startSucceeds = true;
};

}  // namespace qh
