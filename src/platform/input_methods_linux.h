#pragma once
#include <QString>
#include <memory>
#include <optional>

#include "platform/input_methods.h"

namespace qh {

class DesktopSettings;
class InputMethodService;

// Where the input-method frameworks are looked for.
struct InputMethodBuses {
    std::optional<QString> session;  // fcitx5's; unset: the desktop session's bus
    std::optional<QString> ibus;     // IBus's own; unset: the running daemon's
};

// The engines of fcitx5 (preferred) or IBus over D-Bus, by their display names; IBus's are the
// ones the clerk chose in the desktop's settings. Without either framework the system's default
// stands alone and nothing is switched. Listing waits a moment per framework at most; switching
// does not wait for the framework, and lists first only when there is no usable listing (none yet,
// no framework found, or its bus gone).
class LinuxInputMethods final : public InputMethods {
public:
    explicit LinuxInputMethods(DesktopSettings& settings, const InputMethodBuses& buses = {});
    ~LinuxInputMethods() override;

    // Asks the frameworks afresh each time; switching uses the latest answer.
    std::vector<std::string> installedNames() const override;
    void activate(const std::string& name) override;
    void activateDefault() override;

private:
    struct Listing {
        InputMethodService* service = nullptr;  // none: no framework answered
        std::vector<std::string> names;         // unique, GBK; never empty
        std::vector<QString> ids;               // the engine behind each name
    };

    Listing list() const;
    // nullptr: the default. False when there is nothing to ask or the asking failed.
    bool trySelect(const std::string* name);
    void select(const std::string* name);

    std::unique_ptr<InputMethodService> fcitx5_;
    std::unique_ptr<InputMethodService> ibus_;
    mutable std::optional<Listing> listing_;
};

}  // namespace qh
