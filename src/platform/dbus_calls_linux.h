#pragma once
// Talking to a desktop service over D-Bus from the window's thread: every wait is short, and a
// service that is not running is never started by asking it.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QString>
#include <QVariantList>
#include <chrono>
#include <optional>

namespace qh {

// How long one service may take to answer a whole listing: long enough for a loaded machine,
// short enough that a stuck service does not freeze the window.
inline constexpr std::chrono::milliseconds kServiceAnswerTime{200};

QDBusMessage methodCall(const QString& service, const QString& path, const QString& interface,
                        const QString& member, const QVariantList& arguments = {});

// The reply, when it comes before the deadline and carries the expected signature; an error or
// a reply of another shape counts as no answer.
std::optional<QDBusMessage> callBefore(const QDBusConnection& bus, const QDBusMessage& call,
                                       const QString& replySignature,
                                       const QDeadlineTimer& deadline);

// Sends without waiting for the reply; false when the bus is gone.
bool sendWithoutWaiting(const QDBusConnection& bus, const QDBusMessage& call);

// A connection to the bus at one address, made when first needed and made again when the bus
// went away or moved, so that a restarted daemon is found again.
class AddressedBusConnection {
public:
    AddressedBusConnection();
    ~AddressedBusConnection();
    AddressedBusConnection(const AddressedBusConnection&) = delete;
    AddressedBusConnection& operator=(const AddressedBusConnection&) = delete;

    // Not connected when nothing answers at that address.
    QDBusConnection to(const QString& address);

private:
    QString name_;
    QString address_;
};

}  // namespace qh
