#pragma once
// One input-method framework (fcitx5, IBus) as the keyword box needs it: the engines the user
// has set up, and switching to one of them.
#include <QString>
#include <optional>
#include <vector>

namespace qh {

struct InputMethodEngine {
    QString id;           // what the framework switches by, e.g. "pinyin"
    QString displayName;  // what the clerk sees, e.g. "拼音"
};

class InputMethodService {
public:
    virtual ~InputMethodService() = default;
    // In the framework's order, the default first; nothing when the framework does not answer
    // in time.
    virtual std::optional<std::vector<InputMethodEngine>> engines() = 0;
    // Asks for the switch without waiting for it to happen; false when the request could not
    // be sent because the framework's bus is gone.
    virtual bool select(const QString& id) = 0;
};

}  // namespace qh
