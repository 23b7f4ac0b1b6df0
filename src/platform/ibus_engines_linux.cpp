#include "platform/ibus_engines_linux.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QVariantMap>

#include "platform/ibus_address_linux.h"

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

}  // namespace

IBusEngines::IBusEngines(std::optional<QString> address) : configuredAddress_(std::move(address)) {}

std::optional<std::vector<InputMethodEngine>> IBusEngines::engines() {
    address_ = configuredAddress_ ? configuredAddress_ : runningIBusAddress();
    if (!address_) {
        return std::nullopt;
    }
    const QDeadlineTimer deadline(kServiceAnswerTime);
    const auto reply =
        callBefore(connection_.to(*address_),
                   methodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                              QStringLiteral("Get"), {kService, QStringLiteral("ActiveEngines")}),
                   "v", deadline);
    if (!reply) {
        return std::nullopt;
    }
    const QVariant list = qvariant_cast<QDBusVariant>(reply->arguments().front()).variant();
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

bool IBusEngines::select(const QString& id) {
    return address_ && sendWithoutWaiting(connection_.to(*address_),
                                          methodCall(kService, kPath, kService,
                                                     QStringLiteral("SetGlobalEngine"), {id}));
}

}  // namespace qh
