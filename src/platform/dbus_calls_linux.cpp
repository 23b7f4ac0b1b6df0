#include "platform/dbus_calls_linux.h"

namespace qh {

QDBusMessage methodCall(const QString& service, const QString& path, const QString& interface,
                        const QString& member, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, member);
    call.setArguments(arguments);
    call.setAutoStartService(false);
    return call;
}

std::optional<QDBusMessage> callBefore(const QDBusConnection& bus, const QDBusMessage& call,
                                       const QString& replySignature,
                                       const QDeadlineTimer& deadline) {
    const qint64 remaining = deadline.remainingTime();
    if (!bus.isConnected() || remaining <= 0) {
        return std::nullopt;
    }
    QDBusMessage reply = bus.call(call, QDBus::Block, static_cast<int>(remaining));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.signature() != replySignature) {
        return std::nullopt;
    }
    return reply;
}

bool sendWithoutWaiting(const QDBusConnection& bus, const QDBusMessage& call) {
    return bus.isConnected() && bus.send(call);
}

// Qt keeps connections by name for the whole process; the object's address makes the name
// unique while it lives.
AddressedBusConnection::AddressedBusConnection()
    : name_(QStringLiteral("qh-bus-%1").arg(reinterpret_cast<quintptr>(this), 0, 16)) {}

AddressedBusConnection::~AddressedBusConnection() {
    QDBusConnection::disconnectFromBus(name_);
}

QDBusConnection AddressedBusConnection::to(const QString& address) {
    QDBusConnection existing(name_);
    if (existing.isConnected() && address == address_) {
        return existing;
    }
    QDBusConnection::disconnectFromBus(name_);
    address_ = address;
    return QDBusConnection::connectToBus(address, name_);
}

}  // namespace qh
