#pragma once
#include <map>
#include <utility>

#include "platform/desktop_settings_linux.h"

namespace qh {

// Values set by the test, by schema and key; a key never set cannot be read.
class FakeDesktopSettings final : public DesktopSettings {
public:
    void set(const QString& schema, const QString& key, const QString& text) {
        values_[{schema, key}] = text;
    }

    std::vector<std::optional<QString>> read(const std::vector<SettingKey>& keys,
                                             const QDeadlineTimer&) override {
        std::vector<std::optional<QString>> values;
        for (const auto& key : keys) {
            const auto found = values_.find({key.schema, key.key});
            values.push_back(found == values_.end() ? std::nullopt
                                                    : std::optional<QString>(found->second));
        }
        return values;
    }

private:
    std::map<std::pair<QString, QString>, QString> values_;
};

}  // namespace qh
