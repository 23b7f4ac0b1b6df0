#pragma once
#include <optional>

#include "platform/dbus_calls_linux.h"
#include "platform/desktop_settings_linux.h"
#include "platform/input_method_service_linux.h"

namespace qh {

// The IBus daemon on its own bus. The engines are those the clerk chose in the desktop's
// settings, as far as the daemon has them; without such a choice, the daemon's active ones,
// which hold only engines started outside the daemon. Switching sets the global engine, the
// one every window uses.
class IBusEngines final : public InputMethodService {
public:
    // Without an address, the running daemon's, looked up anew each time the engines are
    // listed, so a restarted daemon is found.
    IBusEngines(std::optional<QString> address, DesktopSettings& settings);

    std::optional<std::vector<InputMethodEngine>> engines() override;
    bool select(const QString& id) override;

private:
    std::optional<QString> configuredAddress_;
    DesktopSettings& settings_;
    std::optional<QString> address_;
    AddressedBusConnection connection_;
};

}  // namespace qh
