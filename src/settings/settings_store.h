#pragma once
// The settings file "Vazazazi.ini" in the data folder. Every read opens the file afresh and every
// write reaches the disk at once; nothing is cached, so the file always holds the last choice.
#include <filesystem>
#include <string>
#include <string_view>

namespace qh {

class SaveFailures;

class SettingsStore {
public:
    // A write that fails is recorded in `failures`, which tells the clerk.
    explicit SettingsStore(std::filesystem::path iniFile, SaveFailures* failures = nullptr)
        : file_(std::move(iniFile)), failures_(failures) {}

    // The value, or the empty text when the file, section or key is missing.
    std::string read(std::string_view section, std::string_view key) const;
    // False when the value could not be stored (a full or read-only data folder).
    bool write(std::string_view section, std::string_view key, std::string_view value);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    SaveFailures* failures_;
};

}  // namespace qh
