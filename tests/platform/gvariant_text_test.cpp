#include "platform/gvariant_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

namespace qh {
namespace {

using Strings = std::vector<QString>;
using Pairs = std::vector<std::pair<QString, QString>>;

TEST(GVariantText, ReadsAnArrayOfStringsAsGsettingsPrintsIt) {
    struct Case {
        const char* text;
        std::optional<Strings> expected;
    };
    const std::vector<Case> cases = {
        {"['xkb:us::eng', 'libpinyin']", Strings{"xkb:us::eng", "libpinyin"}},
        {"@as []", Strings{}},
        {"[]", Strings{}},
        {"  [ 'a' ,'b'  ]\n", Strings{"a", "b"}},
        // A string holding ' is printed in double quotes.
        {R"(["it's", 'say "hi"'])", Strings{"it's", "say \"hi\""}},
        {R"(['back\\slash', 'quote\'d', 'tab\there'])",
         Strings{"back\\slash", "quote'd", "tab\there"}},
        {R"(['\u62fc\u97f3', '\U0001f600'])", Strings{"拼音", "😀"}},
        {"['拼音']", Strings{"拼音"}},
        {"", std::nullopt},
        {"'libpinyin'", std::nullopt},
        {"['a'", std::nullopt},
        {"['a' 'b']", std::nullopt},
        {"['a',]", std::nullopt},
        {"['a'] ['b']", std::nullopt},
        {"['unclosed]", std::nullopt},
        {R"(['\u62f'])", std::nullopt},
        {R"(['\U00110000'])", std::nullopt},
        {"[('xkb', 'us')]", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(stringArrayFromGVariantText(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST(GVariantText, ReadsAnArrayOfStringPairsAsGsettingsPrintsIt) {
    struct Case {
        const char* text;
        std::optional<Pairs> expected;
    };
    const std::vector<Case> cases = {
        {"[('xkb', 'us'), ('ibus', 'libpinyin')]", Pairs{{"xkb", "us"}, {"ibus", "libpinyin"}}},
        {"@a(ss) []", Pairs{}},
        {"[('xkb','de+nodeadkeys')]", Pairs{{"xkb", "de+nodeadkeys"}}},
        {"[('xkb')]", std::nullopt},
        {"[('xkb', 'us', 'eng')]", std::nullopt},
        {"[('xkb', 'us')", std::nullopt},
        {"['xkb:us::eng']", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(stringPairArrayFromGVariantText(QString::fromUtf8(c.text)), c.expected);
    }
}

}  // namespace
}  // namespace qh
