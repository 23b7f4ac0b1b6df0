#pragma once
// Where the running IBus daemon's own bus is, found as IBus clients find it.
#include <QString>
#include <filesystem>
#include <optional>

namespace qh {

// IBUS_ADDRESS when set, else the address file in $XDG_CONFIG_HOME/ibus/bus (~/.config/ibus/bus).
std::optional<QString> runningIBusAddress();

// The daemon writes one file per display ("IBUS_ADDRESS=..." and "IBUS_DAEMON_PID=..."); the
// newest file whose daemon is still alive wins, so a file left by a crashed daemon is passed
// over.
std::optional<QString> ibusAddressInFolder(const std::filesystem::path& folder);

}  // namespace qh
