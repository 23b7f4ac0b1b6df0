#pragma once
// The desktop's shell: opening a folder, a file or a web address with its default handler,
// running the shop's batch file without a window, and handing a file to a program.
#include <filesystem>
#include <string>

namespace qh {

class Shell {
public:
    virtual ~Shell() = default;
    // False when no handler could be started; what the handler then reports is its own affair.
    virtual bool openFolder(const std::filesystem::path& folder) = 0;
    virtual bool openFile(const std::filesystem::path& file) = 0;
    virtual bool openAddress(const std::string& address) = 0;
    // Starts the batch file in its own folder and returns at once; never waits for it.
    virtual bool runBatchHidden(const std::filesystem::path& batchFile) = 0;
    // Starts `program` with `file` as its one argument, never through a command interpreter, and
    // returns at once. False when the program could not be started.
    virtual bool startProgram(const std::filesystem::path& program,
                              const std::filesystem::path& file) = 0;
};

}  // namespace qh
