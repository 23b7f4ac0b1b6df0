#pragma once
#include <QDBusConnection>
#include <optional>

#include "platform/dbus_calls_linux.h"
#include "platform/input_method_service_linux.h"

namespace qh {

// fcitx5's controller object on the session bus. The engines are those of the current group;
// its first is the keyboard layout, which fcitx5 treats as "input method off".
class Fcitx5Controller final : public InputMethodService {
public:
    // Without an address, the desktop session's bus.
    explicit Fcitx5Controller(std::optional<QString> sessionBusAddress);

    std::optional<std::vector<InputMethodEngine>> engines() override;
    bool select(const QString& id) override;

private:
    QDBusConnection bus();

    std::optional<QString> address_;
    AddressedBusConnection connection_;
};

}  // namespace qh
