#pragma once
#include <optional>

#include "platform/dbus_calls_linux.h"
#include "platform/input_method_service_linux.h"

namespace qh {

// The IBus daemon on its own bus. The engines are its active ones; switching sets the global
// engine, the one every window uses.
class IBusEngines final : public InputMethodService {
public:
    // Without an address, the running daemon's, looked up anew each time the engines are
    // listed, so a restarted daemon is found.
    explicit IBusEngines(std::optional<QString> address);

    std::optional<std::vector<InputMethodEngine>> engines() override;
    bool select(const QString& id) override;

private:
    std::optional<QString> configuredAddress_;
    std::optional<QString> address_;
    AddressedBusConnection connection_;
};

}  // namespace qh
