#pragma once
// The desktop's settings (GSettings) as the input-method listing reads them: a few keys at
// once, given up on at a deadline, since the window's thread waits for them.
#include <QDeadlineTimer>
#include <QString>
#include <optional>
#include <vector>

namespace qh {

struct SettingKey {
    QString schema;  // e.g. "org.freedesktop.ibus.general"
    QString key;     // e.g. "preload-engines"
};

class DesktopSettings {
public:
    virtual ~DesktopSettings() = default;
    // One value per key, in GVariant's text form; nothing for a key that could not be read by
    // the deadline (no such schema or key, no settings tool, no answer in time).
    virtual std::vector<std::optional<QString>> read(const std::vector<SettingKey>& keys,
                                                     const QDeadlineTimer& deadline) = 0;
};

}  // namespace qh
