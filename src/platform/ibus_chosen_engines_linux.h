#pragma once
// The IBus engines the clerk has chosen in the desktop's settings, by the daemon's engine names.
#include <QDeadlineTimer>
#include <QStringList>

#include "platform/desktop_settings_linux.h"

namespace qh {

// In the clerk's order, each name once: GNOME's input sources when they name an IBus engine,
// otherwise IBus's own preload-engines. GNOME's keyboard layouts come as "xkb:LAYOUT:VARIANT:",
// the start of the daemon's engine name for that layout. Empty when the settings give no name
// by the deadline.
QStringList chosenIBusEngineNames(DesktopSettings& settings, const QDeadlineTimer& deadline);

}  // namespace qh
