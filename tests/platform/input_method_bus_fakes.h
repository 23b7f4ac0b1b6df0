#pragma once
// A private D-Bus bus for one test, and fake fcitx5 and IBus services on it that answer the
// way the real ones do (same names, same signatures) and keep the engine last switched to.
#include <sys/prctl.h>

#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace qh::testing {

// An InputMethodGroupInfo item: (input method, layout).
struct Fcitx5GroupItem {
    QString inputMethod;
    QString layout;
};

// An AvailableInputMethods entry.
struct Fcitx5Entry {
    QString uniqueName;
    QString name;
    QString nativeName;
    QString icon;
    QString label;
    QString languageCode;
    bool configurable = false;
};

// A serialised IBusEngineDesc with every field a real daemon sends.
struct IBusEngineDescription {
    QString name;
    QString longName;
};

inline QDBusArgument& operator<<(QDBusArgument& out, const Fcitx5GroupItem& item) {
    out.beginStructure();
    out << item.inputMethod << item.layout;
    out.endStructure();
    return out;
}

inline const QDBusArgument& operator>>(const QDBusArgument& in, Fcitx5GroupItem& item) {
    in.beginStructure();
    in >> item.inputMethod >> item.layout;
    in.endStructure();
    return in;
}

inline QDBusArgument& operator<<(QDBusArgument& out, const Fcitx5Entry& entry) {
    out.beginStructure();
    out << entry.uniqueName << entry.name << entry.nativeName << entry.icon << entry.label
        << entry.languageCode << entry.configurable;
    out.endStructure();
    return out;
}

inline const QDBusArgument& operator>>(const QDBusArgument& in, Fcitx5Entry& entry) {
    in.beginStructure();
    in >> entry.uniqueName >> entry.name >> entry.nativeName >> entry.icon >> entry.label >>
        entry.languageCode >> entry.configurable;
    in.endStructure();
    return in;
}

inline QDBusArgument& operator<<(QDBusArgument& out, const IBusEngineDescription& engine) {
    const QString none;
    out.beginStructure();
    out << QStringLiteral("IBusEngineDesc") << QVariantMap() << engine.name << engine.longName
        << QStringLiteral("description") << QStringLiteral("zh_CN") << QStringLiteral("GPL")
        << QStringLiteral("author") << QStringLiteral("icon") << QStringLiteral("default")
        << quint32(0);
    // hotkeys, symbol, setup, layout variant, layout option, version, text domain, icon key
    for (int field = 0; field < 8; ++field) {
        out << none;
    }
    out.endStructure();
    return out;
}

inline const QDBusArgument& operator>>(const QDBusArgument& in, IBusEngineDescription& engine) {
    QString type;
    QVariantMap attachments;
    in.beginStructure();
    in >> type >> attachments >> engine.name >> engine.longName;
    in.endStructure();
    return in;
}

}  // namespace qh::testing

Q_DECLARE_METATYPE(qh::testing::Fcitx5GroupItem)
Q_DECLARE_METATYPE(qh::testing::Fcitx5Entry)
Q_DECLARE_METATYPE(qh::testing::IBusEngineDescription)

namespace qh::testing {

inline void registerFakeServiceTypes() {
    qDBusRegisterMetaType<Fcitx5GroupItem>();
    qDBusRegisterMetaType<QList<Fcitx5GroupItem>>();
    qDBusRegisterMetaType<Fcitx5Entry>();
    qDBusRegisterMetaType<QList<Fcitx5Entry>>();
    qDBusRegisterMetaType<IBusEngineDescription>();
}

// A dbus-daemon of the test's own, listening on a socket in `folder`. Its address carries no
// server id, so a daemon started again on the same folder is reached by the same address, as
// a restarted IBus daemon is.
class PrivateBus {
public:
    explicit PrivateBus(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~PrivateBus() { stop(); }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    static bool daemonInstalled() {
        return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
    }

    // False when the daemon did not come up.
    bool start() {
        std::filesystem::create_directories(folder_);
        const auto socket = folder_ / "bus";
        const auto config = folder_ / "bus.conf";
        std::ofstream(config) << "<busconfig><type>session</type>"
                              << "<listen>unix:path=" << socket.string() << "</listen>"
                              << "<auth>EXTERNAL</auth><policy context=\"default\">"
                              << "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                              << "<allow own=\"*\"/>"
                              << "</policy></busconfig>";
        daemon_.setStandardErrorFile(QProcess::nullDevice());
        // A test binary that crashes takes its daemon with it.
        daemon_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=%1").arg(QString::fromStdString(config)),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        // The daemon prints its address once it listens.
        if (!daemon_.waitForStarted(5000) || !daemon_.waitForReadyRead(5000)) {
            stop();
            return false;
        }
        address_ = QStringLiteral("unix:path=%1").arg(QString::fromStdString(socket));
        return true;
    }

    void stop() {
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            if (!daemon_.waitForFinished(5000)) {
                daemon_.kill();
                daemon_.waitForFinished(5000);
            }
        }
    }

    const QString& address() const { return address_; }

private:
    std::filesystem::path folder_;
    QProcess daemon_;
    QString address_;
};

// A service object that answers from a thread of its own, so that the program's blocking calls
// from the test's thread find it answering; stalled, it never answers.
class FakeService : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        QMutexLocker lock(&mutex_);
        if (!stalled_) {
            connection.send(answer(message));
        }
        return true;
    }

    void stall() {
        QMutexLocker lock(&mutex_);
        stalled_ = true;
    }

protected:
    // Called with mutex_ held.
    virtual QDBusMessage answer(const QDBusMessage& message) = 0;

    mutable QMutex mutex_;

private:
    bool stalled_ = false;
};

// Puts a fake service on a bus under its well-known name for as long as this lives.
class HostedService {
public:
    HostedService(const QString& address, const QString& serviceName, const QString& path,
                  FakeService& service)
        : connectionName_(QStringLiteral("fake-%1").arg(serviceName)), serviceName_(serviceName) {
        thread_.start();
        service.moveToThread(&thread_);
        auto connection = QDBusConnection::connectToBus(address, connectionName_);
        EXPECT_TRUE(connection.registerVirtualObject(path, &service));
        EXPECT_TRUE(connection.registerService(serviceName));
    }
    ~HostedService() {
        QDBusConnection(connectionName_).unregisterService(serviceName_);
        QDBusConnection::disconnectFromBus(connectionName_);
        thread_.quit();
        thread_.wait();
    }
    HostedService(const HostedService&) = delete;
    HostedService& operator=(const HostedService&) = delete;

private:
    QThread thread_;
    QString connectionName_;
    QString serviceName_;
};

struct FakeEngine {
    QString id;
    QString name;
};

// fcitx5's controller with one group; its first input method is the keyboard layout and is
// current at start. It also knows input methods outside the group, as a real one does.
class FakeFcitx5 final : public FakeService {
public:
    static constexpr auto kGroup = "默认";

    FakeFcitx5(std::vector<FakeEngine> group, std::vector<FakeEngine> outsideGroup = {})
        : group_(std::move(group)), outside_(std::move(outsideGroup)), current_(group_[0].id) {}

    void host(const QString& address) {
        hosted_.emplace(address, QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                        *this);
    }

    QString current() const {
        QMutexLocker lock(&mutex_);
        return current_;
    }

protected:
    QDBusMessage answer(const QDBusMessage& message) override {
        if (message.interface() != QStringLiteral("org.fcitx.Fcitx.Controller1")) {
            return message.createErrorReply(QDBusError::UnknownInterface, message.interface());
        }
        const QString member = message.member();
        const QVariantList arguments = message.arguments();
        if (member == QStringLiteral("CurrentInputMethodGroup")) {
            return message.createReply(QString::fromUtf8(kGroup));
        }
        if (member == QStringLiteral("InputMethodGroupInfo")) {
            QList<Fcitx5GroupItem> items;
            if (arguments.value(0).toString() == QString::fromUtf8(kGroup)) {
                for (const auto& engine : group_) {
                    items.push_back({engine.id, QString()});
                }
            }
            return message.createReply(
                QVariantList{QStringLiteral("cn"), QVariant::fromValue(items)});
        }
        if (member == QStringLiteral("AvailableInputMethods")) {
            QList<Fcitx5Entry> entries;
            for (const auto* engines : {&outside_, &group_}) {
                for (const auto& engine : *engines) {
                    if (!engine.name.isNull()) {
                        entries.push_back({engine.id, engine.name, engine.name.left(1),
                                           QStringLiteral("fcitx-") + engine.id,
                                           engine.name.left(1), QStringLiteral("zh_CN"), true});
                    }
                }
            }
            return message.createReply(QVariant::fromValue(entries));
        }
        if (member == QStringLiteral("CurrentInputMethod")) {
            return message.createReply(current_);
        }
        if (member == QStringLiteral("SetCurrentIM")) {
            const QString id = arguments.value(0).toString();
            for (const auto& engine : group_) {
                if (engine.id == id) {
                    current_ = id;
                }
            }
            return message.createReply();
        }
        return message.createErrorReply(QDBusError::UnknownMethod, member);
    }

private:
    std::vector<FakeEngine> group_;
    std::vector<FakeEngine> outside_;
    QString current_;
    std::optional<HostedService> hosted_;
};

// The IBus daemon's own object. It knows its active engines and those installed beside them;
// its first active engine is the global engine at start.
class FakeIBus final : public FakeService {
public:
    explicit FakeIBus(std::vector<FakeEngine> active, std::vector<FakeEngine> installed = {})
        : active_(std::move(active)), known_(active_) {
        known_.insert(known_.end(), installed.begin(), installed.end());
        global_ = active_.empty() ? QString() : active_[0].id;
    }

    void host(const QString& address) {
        hosted_.emplace(address, QStringLiteral("org.freedesktop.IBus"),
                        QStringLiteral("/org/freedesktop/IBus"), *this);
    }
    void withdraw() { hosted_.reset(); }

    QString global() const {
        QMutexLocker lock(&mutex_);
        return global_;
    }

protected:
    QDBusMessage answer(const QDBusMessage& message) override {
        const QVariantList arguments = message.arguments();
        if (message.interface() == QStringLiteral("org.freedesktop.DBus.Properties") &&
            message.member() == QStringLiteral("Get") &&
            arguments.value(0).toString() == QStringLiteral("org.freedesktop.IBus") &&
            arguments.value(1).toString() == QStringLiteral("ActiveEngines")) {
            return message.createReply(QVariant::fromValue(QDBusVariant(descriptions(active_))));
        }
        if (message.interface() == QStringLiteral("org.freedesktop.DBus.Properties") &&
            message.member() == QStringLiteral("Get") &&
            arguments.value(0).toString() == QStringLiteral("org.freedesktop.IBus") &&
            arguments.value(1).toString() == QStringLiteral("Engines")) {
            return message.createReply(QVariant::fromValue(QDBusVariant(descriptions(known_))));
        }
        if (message.interface() != QStringLiteral("org.freedesktop.IBus")) {
            return message.createErrorReply(QDBusError::UnknownMethod, message.member());
        }
        // Like the daemon, names it does not know are left out of the answer.
        if (message.member() == QStringLiteral("GetEnginesByNames") &&
            message.signature() == QStringLiteral("as")) {
            std::vector<FakeEngine> named;
            for (const auto& name : arguments.value(0).toStringList()) {
                if (const FakeEngine* engine = known(name)) {
                    named.push_back(*engine);
                }
            }
            return message.createReply(QVariantList{QVariant(descriptions(named))});
        }
        if (message.member() == QStringLiteral("SetGlobalEngine")) {
            const QString id = arguments.value(0).toString();
            if (known(id) == nullptr) {
                return message.createErrorReply(QDBusError::Failed,
                                                QStringLiteral("Cannot find engine %1.").arg(id));
            }
            global_ = id;
            return message.createReply();
        }
        return message.createErrorReply(QDBusError::UnknownMethod, message.member());
    }

private:
    static QVariantList descriptions(const std::vector<FakeEngine>& engines) {
        QVariantList list;
        for (const auto& engine : engines) {
            list.push_back(QVariant::fromValue(IBusEngineDescription{engine.id, engine.name}));
        }
        return list;
    }

    const FakeEngine* known(const QString& id) const {
        for (const auto& engine : known_) {
            if (engine.id == id) {
                return &engine;
            }
        }
        return nullptr;
    }

    std::vector<FakeEngine> active_;
    std::vector<FakeEngine> known_;
    QString global_;
    std::optional<HostedService> hosted_;
};

}  // namespace qh::testing
