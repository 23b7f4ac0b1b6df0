#include "platform/ibus_engines_linux.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QVariantMap>
#include <algorithm>

#include "platform/ibus_address_linux.h"
#include "platform/ibus_chosen_engines_linux.h"

namespace qh {

namespace {

const QString kService = QStringLiteral("org.freedesktop.IBus");
const QString kPath = QStringLiteral("/org/freedesktop/IBus");

bool holdsArgument(const QVariant& value, QStringView signature) {
    return value.metaType() == QMetaType::fromType<QDBusArgument>() &&
           qvariant_cast<QDBusArgument>(value).currentSignature().startsWith(signature);
}

// A serialised IBusEngineDesc: (type name, attachments, name, long name, description, ...).
std::optional<InputMethodEngine> engineFrom(const QVariant& description) {
    if (!holdsArgument(description, u"(sa{sv}ss")) {
        return std::nullopt;
    }
    const auto fields = qvariant_cast<QDBusArgument>(description);
    QString type, name, longName;
    QVariantMap attachments;
    fields.beginStructure();
    fields >> type >> attachments >> name >> longName;
    fields.endStructure();
    if (type != QStringLiteral("IBusEngineDesc")) {
        return std::nullopt;
    }
    return InputMethodEngine{name, longName};
}

// A list of serialised descriptions, as ActiveEngines and GetEnginesByNames give them.
std::optional<std::vector<InputMethodEngine>> enginesIn(const QVariant& list) {
    if (!holdsArgument(list, u"av")) {
        return std::nullopt;
    }
    std::vector<InputMethodEngine> engines;
    const auto descriptions = qvariant_cast<QDBusArgument>(list);
    descriptions.beginArray();
    while (!descriptions.atEnd()) {
        QDBusVariant description;
        descriptions >> description;
        if (auto engine = engineFrom(description.variant())) {
            engines.push_back(std::move(*engine));
        }
    }
    descriptions.endArray();
    return engines;
}

// GNOME names a keyboard layout, "xkb:us::"; the daemon's engine for it carries a language
// too, "xkb:us::eng".
bool isLayoutPrefix(const QString& name) {
    return name.startsWith(u"xkb:") && name.endsWith(u':');
}

// The chosen names in their order, each described by an engine of the daemon's full list: the
// one of that name, or for a layout the first engine of that layout.
std::vector<InputMethodEngine> chosenAmong(const QStringList& chosen,
                                           const std::vector<InputMethodEngine>& all) {
    std::vector<InputMethodEngine> engines;
    for (const QString& name : chosen) {
        const auto at = std::find_if(all.begin(), all.end(), [&](const InputMethodEngine& e) {
            return e.id == name || (isLayoutPrefix(name) && e.id.startsWith(name));
        });
        if (at != all.end()) {
            engines.push_back(*at);
        }
    }
    return engines;
}

}  // namespace

IBusEngines::IBusEngines(std::optional<QString> address, DesktopSettings& settings)
    : configuredAddress_(std::move(address)), settings_(settings) {}

std::optional<std::vector<InputMethodEngine>> IBusEngines::engines() {
    address_ = configuredAddress_ ? configuredAddress_ : runningIBusAddress();
    if (!address_) {
        return std::nullopt;
    }
    const QDBusConnection bus = connection_.to(*address_);
    if (!bus.isConnected()) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(kServiceAnswerTime);
    // The settings get half the time, so that the daemon is still asked when they hang.
    const QStringList chosen =
        chosenIBusEngineNames(settings_, QDeadlineTimer(kServiceAnswerTime / 2));
    const auto property =
        [&](const QString& name) -> std::optional<std::vector<InputMethodEngine>> {
        const auto reply = callBefore(
            bus,
            methodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                       QStringLiteral("Get"), {kService, name}),
            "v", deadline);
        if (!reply) {
            return std::nullopt;
        }
        return enginesIn(qvariant_cast<QDBusVariant>(reply->arguments().front()).variant());
    };
    if (std::any_of(chosen.begin(), chosen.end(), isLayoutPrefix)) {
        const auto all = property(QStringLiteral("Engines"));
        auto described = all ? chosenAmong(chosen, *all) : std::vector<InputMethodEngine>{};
        if (!described.empty()) {
            return described;
        }
    } else if (!chosen.isEmpty()) {
        const auto reply = callBefore(
            bus,
            methodCall(kService, kPath, kService, QStringLiteral("GetEnginesByNames"), {chosen}),
            "av", deadline);
        auto described = reply ? enginesIn(reply->arguments().front()) : std::nullopt;
        if (described && !described->empty()) {
            return described;
        }
    }
    return property(QStringLiteral("ActiveEngines"));
}

bool IBusEngines::select(const QString& id) {
    return address_ && sendWithoutWaiting(connection_.to(*address_),
                                          methodCall(kService, kPath, kService,
                                                     QStringLiteral("SetGlobalEngine"), {id}));
}

}  // namespace qh
