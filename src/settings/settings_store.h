#pragma once
// The settings file "Vazazazi.ini" in the data folder. Every read opens the file afresh and every
// write reaches the disk at once; nothing is cached, so the file always holds the last choice.
#include <filesystem>
#include <string>
#include <string_view>

namespace qh {

class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path iniFile) : file_(std::move(iniFile)) {}

    // The value, or the empty text when the file, section or key is missing.
    std::string read(std::string_view section, std::string_view key) const;
    // A failed write (read-only data folder) is not reported to the clerk; false tells the caller.
    bool write(std::string_view section, std::string_view key, std::string_view value);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};

}  // namespace qh
