#include "settings/settings_store.h"

#include "settings/save_failures.h"
#include "text/ini_file.h"

namespace qh {

std::string SettingsStore::read(std::string_view section, std::string_view key) const {
    return readIniValue(file_, section, key);
}

bool SettingsStore::write(std::string_view section, std::string_view key, std::string_view value) {
    const bool saved = writeIniValue(file_, section, key, value);
    return failures_ != nullptr ? failures_->record(saved, file_) : saved;
}

}  // namespace qh
