#pragma once
// Real host folders and files for tests that use them as drives.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace qh {

// A fresh folder under the temp folder, removed with all it holds when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qh-platform-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
};

// Writes the file, creating its folders.
inline void writeHostFile(const std::filesystem::path& file, std::string_view data) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(data.data(), std::streamsize(data.size()));
}

inline std::string readHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qh
