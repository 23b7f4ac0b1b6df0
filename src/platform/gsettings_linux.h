#pragma once
#include "platform/desktop_settings_linux.h"

namespace qh {

// Reads each key with `gsettings get`, all keys at the same time, so that a slow tool costs no
// more than the deadline once. A key whose program is missing, fails or has not finished by the
// deadline gives nothing, and an unfinished program is ended.
class GSettingsCommand final : public DesktopSettings {
public:
    explicit GSettingsCommand(QString program = QStringLiteral("gsettings"));

    std::vector<std::optional<QString>> read(const std::vector<SettingKey>& keys,
                                             const QDeadlineTimer& deadline) override;

private:
    QString program_;
};

}  // namespace qh
