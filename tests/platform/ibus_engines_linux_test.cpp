#include "platform/ibus_engines_linux.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/fake_desktop_settings_linux.h"
#include "platform/gsettings_linux.h"
#include "platform/input_method_bus_test.h"
#include "platform/stand_in_program.h"
#include "support/qstring_printer.h"

namespace qh {
namespace {

using testing::FakeEngine;
using testing::FakeIBus;
using Ids = std::vector<QString>;

const auto kPreloadSchema = QStringLiteral("org.freedesktop.ibus.general");
const auto kGnomeSchema = QStringLiteral("org.gnome.desktop.input-sources");

// What the daemon has installed; it describes no other engine.
const std::vector<FakeEngine> kInstalled = {{"xkb:us::eng", "英语（美国）"},
                                            {"xkb:cn::zho", "汉语"},
                                            {"libpinyin", "智能拼音"},
                                            {"table:wubi-jidian86", "五笔86"},
                                            {"xkb:de:nodeadkeys:ger", "德语（无死键）"}};
const std::vector<FakeEngine> kActive = {{"xkb:cn::zho", "汉语"},
                                         {"table:wubi-jidian86", "五笔86"}};
const Ids kActiveIds = {"xkb:cn::zho", "table:wubi-jidian86"};

Ids idsOf(const std::optional<std::vector<InputMethodEngine>>& engines) {
    Ids ids;
    for (const auto& engine : engines.value_or(std::vector<InputMethodEngine>{})) {
        ids.push_back(engine.id);
    }
    return ids;
}

class IBusEnginesTest : public testing::InputMethodBusTest {};

TEST_F(IBusEnginesTest, ListsTheEnginesChosenInTheSettingsElseTheActiveOnes) {
    struct Case {
        const char* what;
        std::optional<QString> gnomeSources;
        std::optional<QString> preloadEngines;
        Ids expected;
    };
    const std::vector<Case> cases = {
        {"preload-engines in their order, an engine the daemon lacks left out",
         std::nullopt,
         "['table:wubi-jidian86', 'anthy', 'xkb:us::eng', 'libpinyin']",
         {"table:wubi-jidian86", "xkb:us::eng", "libpinyin"}},
        {"GNOME's sources naming ibus engines win; each layout is the daemon's engine of it, so "
         "the keyboard stays the default",
         "[('xkb', 'us'), ('ibus', 'libpinyin'), ('xkb', 'fr'), ('xkb', 'de+nodeadkeys'), "
         "('ibus', 'table:wubi-jidian86')]",
         "['xkb:cn::zho']",
         {"xkb:us::eng", "libpinyin", "xkb:de:nodeadkeys:ger", "table:wubi-jidian86"}},
        {"GNOME's sources with layouts only leave the choice to preload-engines",
         "[('xkb', 'us')]",
         "['xkb:cn::zho', 'libpinyin']",
         {"xkb:cn::zho", "libpinyin"}},
        {"an engine chosen twice is listed once",
         std::nullopt,
         "['libpinyin', 'xkb:us::eng', 'libpinyin']",
         {"libpinyin", "xkb:us::eng"}},
        {"empty settings", "@a(ss) []", "@as []", kActiveIds},
        {"settings that cannot be read", std::nullopt, std::nullopt, kActiveIds},
        {"settings naming only engines the daemon lacks", "[('ibus', 'anthy')]", "['mozc']",
         kActiveIds},
        {"settings text of another shape", "('ibus', 'libpinyin')", "'libpinyin'", kActiveIds},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDesktopSettings settings;
        if (c.gnomeSources) {
            settings.set(kGnomeSchema, QStringLiteral("sources"), *c.gnomeSources);
        }
        if (c.preloadEngines) {
            settings.set(kPreloadSchema, QStringLiteral("preload-engines"), *c.preloadEngines);
        }
        FakeIBus ibus(kActive, kInstalled);
        ibus.host(ibus_.address());
        IBusEngines engines(ibus_.address(), settings);

        EXPECT_EQ(idsOf(engines.engines()), c.expected);
    }
}

TEST_F(IBusEnginesTest, AGsettingsThatIsMissingOrHangsLeavesTheActiveEnginesWithinAMoment) {
    struct Case {
        const char* what;
        std::string script;  // none: no such program
        Ids expected;
    };
    const std::vector<Case> cases = {
        {"answering",
         R"([ "$2 $3" = "org.freedesktop.ibus.general preload-engines" ] || exit 1
echo "['libpinyin', 'xkb:us::eng']")",
         {"libpinyin", "xkb:us::eng"}},
        {"missing", "", kActiveIds},
        {"hanging", "exec sleep 30", kActiveIds},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder folder;
        const auto program = c.script.empty()
                                 ? folder.path() / "gsettings"
                                 : testing::writeStandInProgram(folder, "gsettings", c.script);
        GSettingsCommand gsettings(QString::fromStdString(program.string()));
        FakeIBus ibus(kActive, kInstalled);
        ibus.host(ibus_.address());
        IBusEngines engines(ibus_.address(), gsettings);

        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(idsOf(engines.engines()), c.expected);
        EXPECT_LT(clock.elapsed(), testing::kWindowMayWaitMs);
    }
}

}  // namespace
}  // namespace qh
