#include "platform/input_methods_linux.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <chrono>
#include <climits>
#include <functional>

#include "platform/fake_desktop_settings_linux.h"
#include "platform/ibus_address_linux.h"
#include "platform/input_method_bus_test.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::FakeEngine;
using testing::FakeFcitx5;
using testing::FakeIBus;
using testing::kWindowMayWaitMs;

const std::vector<FakeEngine> kFcitx5Group = {
    {"keyboard-cn", "键盘 - 汉语"}, {"pinyin", "拼音"}, {"wbpy", "五笔拼音"}};
const std::vector<FakeEngine> kIBusEngines = {
    {"xkb:cn::zho", "汉语"}, {"libpinyin", "智能拼音"}, {"table:wubi-jidian86", "五笔86"}};

std::vector<std::string> gbkNames(std::initializer_list<const char*> names) {
    std::vector<std::string> result;
    for (const char* name : names) {
        result.push_back(gbk(name));
    }
    return result;
}

// Sets an environment variable for a scope and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), saved_(qgetenv(name)), wasSet_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { wasSet_ ? qputenv(name_, saved_) : qunsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    QByteArray saved_;
    bool wasSet_;
};

struct Switch {
    const char* what;
    std::function<void(LinuxInputMethods&)> call;
    QString expectedEngine;
};

Switch activating(const char* name, QString engine) {
    return {name, [name](LinuxInputMethods& methods) { methods.activate(gbk(name)); }, engine};
}

Switch backToDefault(QString engine) {
    return {"the default", [](LinuxInputMethods& methods) { methods.activateDefault(); }, engine};
}

// Each switch changes the engine, so waiting for the expected one shows that this switch made
// it.
void expectSwitches(LinuxInputMethods& methods, const std::vector<Switch>& switches,
                    const std::function<QString()>& currentEngine) {
    for (const auto& step : switches) {
        SCOPED_TRACE(step.what);
        step.call(methods);
        EXPECT_TRUE(testing::waitFor([&] { return currentEngine() == step.expectedEngine; }))
            << "engine now: " << currentEngine().toStdString();
    }
}

class LinuxInputMethodsTest : public testing::InputMethodBusTest {
protected:
    InputMethodBuses buses() const { return {session_.address(), ibus_.address()}; }

    // The desktop's settings choose no IBus engine unless a test says so.
    FakeDesktopSettings settings_;
};

TEST_F(LinuxInputMethodsTest, ListsFcitx5sCurrentGroupByDisplayName) {
    FakeFcitx5 fcitx5(kFcitx5Group, {{"keyboard-us", "键盘 - 英语（美国）"}, {"wubi98", "五笔98"}});
    fcitx5.host(session_.address());
    const LinuxInputMethods methods(settings_, buses());

    EXPECT_EQ(methods.installedNames(), gbkNames({"键盘 - 汉语", "拼音", "五笔拼音"}));
}

TEST_F(LinuxInputMethodsTest, SwitchesFcitx5ByNameAndAnUnknownNameGivesTheKeyboard) {
    FakeFcitx5 fcitx5(kFcitx5Group);
    fcitx5.host(session_.address());
    // Switching before any listing finds the engines itself.
    LinuxInputMethods methods(settings_, buses());

    expectSwitches(methods,
                   {activating("五笔拼音", "wbpy"), backToDefault("keyboard-cn"),
                    activating("拼音", "pinyin"), activating("搜狗拼音", "keyboard-cn"),
                    activating("拼音", "pinyin"), backToDefault("keyboard-cn")},
                   [&] { return fcitx5.current(); });
}

TEST_F(LinuxInputMethodsTest, NamesThatCoincideAreMadeUniqueAndEachLeadsToItsEngine) {
    // "custom-table" has no entry among the available input methods, so no display name.
    FakeFcitx5 fcitx5({{"keyboard-cn", "键盘 - 汉语"},
                       {"pinyin", "拼音"},
                       {"shuangpin", "拼音"},
                       {"rime", "拼音 (2)"},
                       {"custom-table", QString()}});
    fcitx5.host(session_.address());
    LinuxInputMethods methods(settings_, buses());

    EXPECT_EQ(methods.installedNames(),
              gbkNames({"键盘 - 汉语", "拼音", "拼音 (3)", "拼音 (2)", "custom-table"}));
    expectSwitches(methods,
                   {activating("拼音 (3)", "shuangpin"), activating("拼音 (2)", "rime"),
                    activating("拼音", "pinyin"), activating("custom-table", "custom-table"),
                    activating("键盘 - 汉语", "keyboard-cn")},
                   [&] { return fcitx5.current(); });
}

TEST_F(LinuxInputMethodsTest, UsesIBusWhenFcitx5IsNotRunning) {
    FakeIBus ibus(kIBusEngines);
    ibus.host(ibus_.address());
    LinuxInputMethods methods(settings_, buses());

    EXPECT_EQ(methods.installedNames(), gbkNames({"汉语", "智能拼音", "五笔86"}));
    expectSwitches(
        methods,
        {activating("智能拼音", "libpinyin"), backToDefault("xkb:cn::zho"),
         activating("五笔86", "table:wubi-jidian86"), activating("搜狗拼音", "xkb:cn::zho")},
        [&] { return ibus.global(); });
}

// On a standard IBus desktop the daemon has no active engine; the clerk's choice is in the
// desktop's settings.
TEST_F(LinuxInputMethodsTest, ListsAndSwitchesTheIBusEnginesChosenInTheSettings) {
    settings_.set("org.freedesktop.ibus.general", "preload-engines",
                  "['xkb:cn::zho', 'table:wubi-jidian86', 'libpinyin']");
    FakeIBus ibus({}, kIBusEngines);
    ibus.host(ibus_.address());
    LinuxInputMethods methods(settings_, buses());

    EXPECT_EQ(methods.installedNames(), gbkNames({"汉语", "五笔86", "智能拼音"}));
    expectSwitches(methods,
                   {activating("智能拼音", "libpinyin"), backToDefault("xkb:cn::zho"),
                    activating("五笔86", "table:wubi-jidian86")},
                   [&] { return ibus.global(); });
}

TEST_F(LinuxInputMethodsTest, PrefersFcitx5WhenBothAnswer) {
    FakeFcitx5 fcitx5(kFcitx5Group);
    fcitx5.host(session_.address());
    // The same engine id on both, so a switch sent to IBus as well would show there.
    FakeIBus ibus(std::vector<FakeEngine>{{"xkb:cn::zho", "汉语"}, {"pinyin", "拼音"}});
    ibus.host(ibus_.address());
    LinuxInputMethods methods(settings_, buses());

    EXPECT_EQ(methods.installedNames(), gbkNames({"键盘 - 汉语", "拼音", "五笔拼音"}));
    expectSwitches(methods, {activating("拼音", "pinyin")}, [&] { return fcitx5.current(); });
    QTest::qWait(200);
    EXPECT_EQ(ibus.global(), "xkb:cn::zho");
}

TEST_F(LinuxInputMethodsTest, AStuckFcitx5GivesWayToIBusWithinAMoment) {
    FakeFcitx5 fcitx5(kFcitx5Group);
    fcitx5.host(session_.address());
    fcitx5.stall();
    FakeIBus ibus(kIBusEngines);
    ibus.host(ibus_.address());
    LinuxInputMethods methods(settings_, buses());

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(methods.installedNames(), gbkNames({"汉语", "智能拼音", "五笔86"}));
    EXPECT_LT(clock.elapsed(), kWindowMayWaitMs);
}

TEST_F(LinuxInputMethodsTest, WithoutAnyFrameworkTheDefaultStandsAloneAndNothingWaits) {
    const QString noIBus =
        QStringLiteral("unix:path=%1").arg(QString::fromStdString(folder_.path() / "no-ibus"));
    LinuxInputMethods methods(settings_, {session_.address(), noIBus});

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(methods.installedNames(), gbkNames({"系统默认输入法"}));
    methods.activate(gbk("拼音"));
    methods.activateDefault();
    methods.activate(gbk("系统默认输入法"));
    EXPECT_LT(clock.elapsed(), kWindowMayWaitMs);
}

TEST_F(LinuxInputMethodsTest, SwitchingNeverWaitsForAFrameworkThatStoppedAnswering) {
    FakeFcitx5 fcitx5(kFcitx5Group);
    fcitx5.host(session_.address());
    LinuxInputMethods methods(settings_, buses());
    ASSERT_EQ(methods.installedNames().size(), 3u);
    fcitx5.stall();

    // The keyword box gains and loses the focus many times a minute.
    QElapsedTimer clock;
    clock.start();
    for (int focus = 0; focus < 20; ++focus) {
        methods.activate(gbk("拼音"));
        methods.activateDefault();
    }
    EXPECT_LT(clock.elapsed(), kWindowMayWaitMs);
}

// The shop's machine may start the program before its input-method framework.
TEST_F(LinuxInputMethodsTest, AFrameworkThatStartsLaterIsFoundAtTheNextSwitch) {
    LinuxInputMethods methods(settings_, buses());
    ASSERT_EQ(methods.installedNames(), gbkNames({"系统默认输入法"}));

    FakeFcitx5 fcitx5(kFcitx5Group);
    fcitx5.host(session_.address());
    expectSwitches(methods, {activating("拼音", "pinyin")}, [&] { return fcitx5.current(); });
}

TEST_F(LinuxInputMethodsTest, AnIBusDaemonRestartedAtANewAddressIsFoundAgain) {
    std::optional<FakeIBus> ibus(std::in_place, kIBusEngines);
    ibus->host(ibus_.address());
    const ScopedEnvironment address("IBUS_ADDRESS", ibus_.address().toUtf8());
    // Found as IBus clients find it, so it is looked up anew.
    LinuxInputMethods methods(settings_, {session_.address(), std::nullopt});
    expectSwitches(methods, {activating("智能拼音", "libpinyin")}, [&] { return ibus->global(); });

    ibus.reset();
    ibus_.stop();
    testing::PrivateBus restartedBus(folder_.path() / "ibus-restarted");
    ASSERT_TRUE(restartedBus.start());
    FakeIBus restarted(kIBusEngines);
    restarted.host(restartedBus.address());
    const ScopedEnvironment newAddress("IBUS_ADDRESS", restartedBus.address().toUtf8());

    // The program learns of the old bus's end in its own time; a switch after that reaches
    // the new daemon.
    EXPECT_TRUE(testing::waitFor([&] {
        methods.activate(gbk("五笔86"));
        return restarted.global() == "table:wubi-jidian86";
    }));
}

// A daemon process that is alive, and a process id no process can have.
const std::string kLiveDaemon = std::to_string(::getpid());
const std::string kDeadDaemon = std::to_string(INT_MAX);

void writeAddressFile(testing::TempFolder& folder, const std::string& name,
                      const std::string& content, std::chrono::minutes age) {
    const auto file = folder.write(name, content);
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - age);
}

TEST(IBusAddress, TheNewestFileOfALiveDaemonGivesTheAddress) {
    using std::chrono::minutes;
    struct File {
        std::string name;
        std::string content;
        minutes age;
    };
    struct Case {
        const char* what;
        std::vector<File> files;
        std::optional<QString> expected;
    };
    const std::string header = "# This file is created by ibus-daemon, please do not modify it\n";
    const std::vector<Case> cases = {
        {"the daemon's own file, the address keeping its '='",
         {{"m-unix-0",
           header + "IBUS_ADDRESS=unix:abstract=/home/x/ibus,guid=5f\nIBUS_DAEMON_PID=" +
               kLiveDaemon + "\n",
           minutes(5)}},
         QStringLiteral("unix:abstract=/home/x/ibus,guid=5f")},
        {"two displays: the newer file",
         {{"m-unix-0", "IBUS_ADDRESS=unix:path=/a\nIBUS_DAEMON_PID=" + kLiveDaemon + "\n",
           minutes(9)},
          {"m-unix-1", "IBUS_ADDRESS=unix:path=/b\nIBUS_DAEMON_PID=" + kLiveDaemon + "\n",
           minutes(2)}},
         QStringLiteral("unix:path=/b")},
        {"a newer file left by a crashed daemon is passed over",
         {{"m-unix-0", "IBUS_ADDRESS=unix:path=/a\nIBUS_DAEMON_PID=" + kLiveDaemon + "\n",
           minutes(9)},
          {"m-unix-1", "IBUS_ADDRESS=unix:path=/b\nIBUS_DAEMON_PID=" + kDeadDaemon + "\n",
           minutes(2)}},
         QStringLiteral("unix:path=/a")},
        {"no address in the file",
         {{"m-unix-0", "IBUS_DAEMON_PID=" + kLiveDaemon + "\n", minutes(1)}},
         std::nullopt},
        {"no process id in the file",
         {{"m-unix-0", "IBUS_ADDRESS=unix:path=/a\n", minutes(1)}},
         std::nullopt},
        {"no file at all", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder folder;
        for (const auto& file : c.files) {
            writeAddressFile(folder, file.name, file.content, file.age);
        }
        EXPECT_EQ(ibusAddressInFolder(folder.path()), c.expected);
        EXPECT_EQ(ibusAddressInFolder(folder.path() / "missing"), std::nullopt);
    }
}

TEST(IBusAddress, TheEnvironmentGoesBeforeTheAddressFile) {
    testing::TempFolder folder;
    writeAddressFile(folder, "ibus/bus/m-unix-0",
                     "IBUS_ADDRESS=unix:path=/file\nIBUS_DAEMON_PID=" + kLiveDaemon,
                     std::chrono::minutes(1));
    const ScopedEnvironment config("XDG_CONFIG_HOME",
                                   QByteArray::fromStdString(folder.path().string()));
    {
        const ScopedEnvironment address("IBUS_ADDRESS", "unix:path=/environment");
        EXPECT_EQ(runningIBusAddress(), QStringLiteral("unix:path=/environment"));
    }
    const ScopedEnvironment noAddress("IBUS_ADDRESS", {});
    EXPECT_EQ(runningIBusAddress(), QStringLiteral("unix:path=/file"));
}

}  // namespace
}  // namespace qh
