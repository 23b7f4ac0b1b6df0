#include "platform/fcitx5_controller_linux.h"

#include <QDBusArgument>
#include <QHash>

namespace qh {

namespace {

QDBusMessage controllerCall(const QString& member, const QVariantList& arguments = {}) {
    return methodCall(QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                      QStringLiteral("org.fcitx.Fcitx.Controller1"), member, arguments);
}

// AvailableInputMethods: (unique name, name, native name, icon, label, language, configurable).
QHash<QString, QString> displayNamesById(const QDBusArgument& entries) {
    QHash<QString, QString> names;
    entries.beginArray();
    while (!entries.atEnd()) {
        QString id, name, nativeName, icon, label, language;
        bool configurable = false;
        entries.beginStructure();
        entries >> id >> name >> nativeName >> icon >> label >> language >> configurable;
        entries.endStructure();
        names.insert(id, name);
    }
    entries.endArray();
    return names;
}

}  // namespace

Fcitx5Controller::Fcitx5Controller(std::optional<QString> sessionBusAddress)
    : address_(std::move(sessionBusAddress)) {}

QDBusConnection Fcitx5Controller::bus() {
    return address_ ? connection_.to(*address_) : QDBusConnection::sessionBus();
}

std::optional<std::vector<InputMethodEngine>> Fcitx5Controller::engines() {
    const QDBusConnection bus = this->bus();
    const QDeadlineTimer deadline(kServiceAnswerTime);
    const auto group =
        callBefore(bus, controllerCall(QStringLiteral("CurrentInputMethodGroup")), "s", deadline);
    if (!group) {
        return std::nullopt;
    }
    const auto groupInfo =
        callBefore(bus, controllerCall(QStringLiteral("InputMethodGroupInfo"), group->arguments()),
                   "sa(ss)", deadline);
    if (!groupInfo) {
        return std::nullopt;
    }
    const auto available = callBefore(bus, controllerCall(QStringLiteral("AvailableInputMethods")),
                                      "a(ssssssb)", deadline);
    if (!available) {
        return std::nullopt;
    }
    const auto names =
        displayNamesById(qvariant_cast<QDBusArgument>(available->arguments().front()));

    // InputMethodGroupInfo: (default layout, [(input method, layout)]).
    std::vector<InputMethodEngine> engines;
    const auto items = qvariant_cast<QDBusArgument>(groupInfo->arguments().at(1));
    items.beginArray();
    while (!items.atEnd()) {
        QString id, layout;
        items.beginStructure();
        items >> id >> layout;
        items.endStructure();
        engines.push_back({id, names.value(id)});
    }
    items.endArray();
    return engines;
}

bool Fcitx5Controller::select(const QString& id) {
    return sendWithoutWaiting(bus(), controllerCall(QStringLiteral("SetCurrentIM"), {id}));
}

}  // namespace qh
