#pragma once
// A real folder under the temp folder for one test, removed with everything in it afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qh::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qh-test-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data())) {
            path_ = made;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Creates a file (and its folders) below the temp folder; returns its full path.
    std::filesystem::path write(const std::filesystem::path& relative, std::string_view content);

private:
    std::filesystem::path path_;
};

// Writes the file whole, creating its folders; a test cannot go on on a file it could not write.
inline void writeFile(const std::filesystem::path& file, std::string_view content) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), std::streamsize(content.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

inline std::filesystem::path TempFolder::write(const std::filesystem::path& relative,
                                               std::string_view content) {
    const auto full = path_ / relative;
    writeFile(full, content);
    return full;
}

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qh::testing
