#include "platform/gsettings_linux.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/stand_in_program.h"
#include "support/core_application.h"
#include "support/qstring_printer.h"

namespace qh {
namespace {

using Values = std::vector<std::optional<QString>>;

// Answers as gsettings does: the value and a newline, or a message and status 1 for a schema it
// does not have. It never answers for "slow.schema".
constexpr std::string_view kStandInGsettings = R"(
[ "$1" = get ] || exit 2
case "$2 $3" in
"org.freedesktop.ibus.general preload-engines") echo "['xkb:us::eng', 'libpinyin']" ;;
"org.gnome.desktop.input-sources sources") echo "@a(ss) []" ;;
"slow.schema key") exec sleep 30 ;;
*) echo "No such schema \"$2\"" >&2; exit 1 ;;
esac
)";

const SettingKey kPreloadEngines{"org.freedesktop.ibus.general", "preload-engines"};
const SettingKey kInputSources{"org.gnome.desktop.input-sources", "sources"};
const SettingKey kMissingSchema{"org.example.missing", "key"};
const SettingKey kSlowKey{"slow.schema", "key"};

QString standInGsettings(testing::TempFolder& folder) {
    testing::ensureCoreApplication();
    return QString::fromStdString(
        testing::writeStandInProgram(folder, "gsettings", kStandInGsettings).string());
}

TEST(GSettingsCommand, GivesEachKeyItsPrintedValueAndNothingForAKeyItCannotRead) {
    testing::TempFolder folder;
    GSettingsCommand gsettings(standInGsettings(folder));

    EXPECT_EQ(
        gsettings.read({kPreloadEngines, kMissingSchema, kInputSources}, QDeadlineTimer(5000)),
        (Values{"['xkb:us::eng', 'libpinyin']", std::nullopt, "@a(ss) []"}));
}

TEST(GSettingsCommand, AKeyUnreadAtTheDeadlineIsGivenUpAndTheOthersKept) {
    testing::TempFolder folder;
    GSettingsCommand gsettings(standInGsettings(folder));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(gsettings.read({kSlowKey, kPreloadEngines}, QDeadlineTimer(300)),
              (Values{std::nullopt, "['xkb:us::eng', 'libpinyin']"}));
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(GSettingsCommand, AMissingProgramGivesNothingAtOnce) {
    testing::ensureCoreApplication();
    GSettingsCommand gsettings(QStringLiteral("/nonexistent/gsettings"));

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(gsettings.read({kPreloadEngines, kInputSources}, QDeadlineTimer(5000)),
              (Values{std::nullopt, std::nullopt}));
    EXPECT_LT(clock.elapsed(), 1000);
}

}  // namespace
}  // namespace qh
