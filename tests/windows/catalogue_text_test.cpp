#include "windows/catalogue_text.h"

#include <gtest/gtest.h>

#include "support/qstring_printer.h"

namespace qh {
namespace {

const QString kBlanks(30, QLatin1Char(' '));

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(CatalogueEntryTest, NameWithoutFolderAndFinalExtensionThenThirtyBlanks) {
    struct Case {
        const char* file;
        const char* entry;
    };
    const Case cases[] = {
        {"a.mp3", "a"},
        {"a.mp3 live.mp3", "a.mp3 live"},
        {"README", "README"},
        {"/srv/shop/1-音乐/刘德华-忘情水.wma", "刘德华-忘情水"},
        {"/srv/shop/album.d/track 01", "track 01"},  // the folder's dot is no extension
        {"F:\\青禾点唱库\\1-音乐\\a.b.mp3", "a.b"},
        {".profile", ".profile"},
        {"a.", "a"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(catalogueEntryOf(u(c.file)), u(c.entry) + kBlanks);
    }
}

TEST(CatalogueLayoutTest, NumbersFollowTheLinesAlreadyThere) {
    const QString header = u("--我的音乐--");
    EXPECT_EQ(laidOutCatalogue(header, {}), QStringList{header});

    QStringList entries;
    for (int i = 1; i <= 11; ++i) {
        entries << QStringLiteral("s%1").arg(i) + kBlanks;
    }
    const QStringList catalogue = laidOutCatalogue(header, entries);
    ASSERT_EQ(catalogue.size(), 12);
    EXPECT_EQ(catalogue[0], header);
    EXPECT_EQ(catalogue[1], "1...s1" + kBlanks);
    EXPECT_EQ(catalogue[9], "9...s9" + kBlanks);
    EXPECT_EQ(catalogue[10], "10...s10" + kBlanks);
    EXPECT_EQ(catalogue[11], "11...s11" + kBlanks);
}

TEST(CataloguePrintedLinesTest, AddressAndTelephoneFollowTheCatalogue) {
    EXPECT_EQ(printedLines({u("头")}, u("深圳路5号"), QStringLiteral("0755-123")),
              (QStringList{u("头"), u("地址:深圳路5号"), u("电话:0755-123")}));
    EXPECT_EQ(printedLines({u("头"), "1...a"}, QString(), QString()),
              (QStringList{u("头"), "1...a", u("地址:"), u("电话:")}));
}

}  // namespace
}  // namespace qh
