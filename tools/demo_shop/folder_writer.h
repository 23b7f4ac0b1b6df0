#pragma once
// Writes the demo tree with plain system calls, one open and one close per file: a benchmark
// shop holds a million files, and the cost per file decides between seconds and minutes.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace qh::demo {

struct WriteTally {
    std::uint64_t files = 0;
    // Apparent sizes: a sparse film counts with the size the clerk sees.
    std::uint64_t bytes = 0;
};

// An open folder of the tree. Failures throw std::system_error naming the path.
class Folder {
public:
    // Creates the folder and its parents.
    static Folder create(const std::filesystem::path& path, WriteTally& tally);

    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    // A sub-folder, created when missing.
    Folder child(std::string_view name) const;
    // The folders of a relative path "a/b", created when missing; "" is this folder again.
    Folder descend(std::string_view relativePath) const;
    // A file holding `bytes` from byte `offset` on; the bytes before them are a hole that reads
    // as zeros and takes no disk space. An existing file of the name is replaced.
    void writeFile(std::string_view name, std::string_view bytes, std::uint64_t offset = 0) const;
    // A file of `size` zero bytes that takes no disk space.
    void writeSparse(std::string_view name, std::uint64_t size) const { writeFile(name, {}, size); }

private:
    Folder(int fd, std::filesystem::path path, WriteTally& tally);
    [[noreturn]] void fail(std::string_view name) const;

    int fd_ = -1;
    std::filesystem::path path_;
    WriteTally* tally_ = nullptr;
};

}  // namespace qh::demo
