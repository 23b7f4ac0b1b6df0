#include "windows/cd_catalogue_window.h"

#include <gtest/gtest.h>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "platform/host_path_text.h"
#include "settings/app_paths.h"
#include "settings/settings_store.h"
#include "support/pdf_text.h"
#include "support/qstring_printer.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/window_children.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::allLines;
using testing::asciiPart;
using testing::child;
using testing::pdfPages;
using testing::TempFolder;

const QString kHeader = QString::fromUtf8("--  -- --  --我的音乐--  --  --  --");
const QString kBlanks(30, QLatin1Char(' '));

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QStringList linesOf(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        lines << list->item(i)->text();
    }
    return lines;
}

class CdCatalogueWindowTest : public ::testing::Test {
protected:
    CdCatalogueWindowTest() {
        std::filesystem::create_directories(paths.dataDir);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(hostPathText(pdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    std::unique_ptr<CdCatalogueWindow> create() {
        auto window = std::make_unique<CdCatalogueWindow>(
            CdCatalogueServices{settings,
                                [this] {
                                    ++fileDialogs;
                                    return chosenFiles;
                                },
                                [this]() -> QPrinter* {
                                    ++printDialogs;
                                    return cancelPrinting ? nullptr : &printer;
                                }});
        window->setMessagePresenter([this](const QString& text) { messages << text; });
        // pdftotext loses digits drawn in the CJK font (the glyphs Latin text is shaped to have
        // no way back to their characters), so the printed PDF's ASCII is drawn in a Latin font.
        window->setFont(QFont({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")}));
        return window;
    }

    static void click(CdCatalogueWindow& window, const char* button) {
        if (auto* found = child<QPushButton>(window, button)) {
            QTest::mouseClick(found, Qt::LeftButton);
        }
    }
    static QStringList entries(CdCatalogueWindow& window) {
        return linesOf(child<QListWidget>(window, "ListBox1"));
    }
    static QStringList catalogue(CdCatalogueWindow& window) {
        return linesOf(child<QListWidget>(window, "ListBox2"));
    }
    void choose(std::initializer_list<const char*> names) {
        chosenFiles.clear();
        for (const char* name : names) {
            chosenFiles.push_back(folder.path() / "songs" / name);
        }
    }
    // Chinese arrives from the input method as a committed text, not as key presses.
    static void type(QLineEdit* box, const QString& text) {
        QInputMethodEvent committed;
        committed.setCommitString(text);
        QCoreApplication::sendEvent(box, &committed);
    }
    static void retype(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        type(box, text);
    }

    // The application first: a printer needs it.
    const bool application_ = (testing::ensureApplication(), true);
    TempFolder folder;
    AppPaths paths = appPathsFor(folder.path() / "app");
    SettingsStore settings{paths.settingsFile()};
    std::vector<std::filesystem::path> chosenFiles;
    int fileDialogs = 0;
    bool cancelPrinting = false;
    int printDialogs = 0;
    std::filesystem::path pdf = folder.path() / "catalogue.pdf";
    QPrinter printer{QPrinter::HighResolution};
    QStringList messages;
};

TEST_F(CdCatalogueWindowTest, IsMadeHiddenAsTheFormLaysItOut) {
    auto window = create();
    EXPECT_EQ(window->objectName(), "TCDMuLuForm");
    EXPECT_EQ(window->windowTitle(), u("青禾点唱 之 CD目录"));
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->parent(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->pos(), QPoint(258, 124));
    EXPECT_EQ(window->size(), QSize(570, 459));

    struct Control {
        const char* name;
        QRect place;
    };
    const Control controls[] = {
        {"ListBox1", {8, 0, 249, 393}},  {"ListBox2", {264, 48, 289, 321}},
        {"Edit3", {264, 24, 209, 21}},   {"Edit1", {304, 376, 121, 21}},
        {"Edit2", {304, 400, 121, 21}},  {"button1", {24, 400, 65, 25}},
        {"Button2", {184, 400, 75, 25}}, {"Button3", {480, 392, 75, 25}},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE(control.name);
        const auto* found = child<QWidget>(*window, control.name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->geometry(), control.place);
    }
    EXPECT_EQ(child<QPushButton>(*window, "button1")->text(), u("添加"));
    EXPECT_EQ(child<QPushButton>(*window, "Button2")->text(), u("排版"));
    EXPECT_EQ(child<QPushButton>(*window, "Button3")->text(), u("打印"));
    QStringList labels;
    for (const auto* label : window->findChildren<QLabel*>()) {
        labels << label->text();
    }
    QStringList expectedLabels{u("版头编辑:"), u("地址:"), u("电话:")};
    labels.sort();
    expectedLabels.sort();
    EXPECT_EQ(labels, expectedLabels);

    EXPECT_EQ(catalogue(*window), QStringList{kHeader});
    EXPECT_EQ(child<QLineEdit>(*window, "Edit3")->text(), kHeader);
    EXPECT_EQ(entries(*window), QStringList{});
    // Nothing stored, nothing written.
    EXPECT_FALSE(std::filesystem::exists(paths.settingsFile()));
}

TEST_F(CdCatalogueWindowTest, AddPicksTheEntriesAndLayOutNumbersThem) {
    auto window = create();
    window->showWindow();
    click(*window, "Button2");  // with no entries yet: the header alone
    EXPECT_EQ(catalogue(*window), QStringList{kHeader});

    choose({"a.mp3", "b.wma"});
    click(*window, "button1");
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(entries(*window), (QStringList{"a" + kBlanks, "b" + kBlanks}));
    EXPECT_EQ(catalogue(*window), QStringList{kHeader});
    click(*window, "Button2");
    EXPECT_EQ(catalogue(*window), (QStringList{kHeader, "1...a" + kBlanks, "2...b" + kBlanks}));

    auto* list = child<QListWidget>(*window, "ListBox2");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->visualItemRect(list->item(1)).height(), 20);
    auto* entryList = child<QListWidget>(*window, "ListBox1");
    ASSERT_NE(entryList, nullptr);
    EXPECT_EQ(entryList->visualItemRect(entryList->item(0)).height(), 20);

    // A new pick replaces the entries; the catalogue keeps its lines until the next 排版.
    choose({"c.mp3"});
    click(*window, "button1");
    EXPECT_EQ(entries(*window), QStringList{"c" + kBlanks});
    EXPECT_EQ(catalogue(*window), (QStringList{kHeader, "1...a" + kBlanks, "2...b" + kBlanks}));

    // A cancelled dialog changes nothing.
    chosenFiles.clear();
    click(*window, "button1");
    EXPECT_EQ(fileDialogs, 3);
    EXPECT_EQ(entries(*window), QStringList{"c" + kBlanks});

    // The header box rewrites line 0 at once; 排版 takes it as it stands.
    retype(child<QLineEdit>(*window, "Edit3"), u("王先生的CD"));
    EXPECT_EQ(catalogue(*window),
              (QStringList{u("王先生的CD"), "1...a" + kBlanks, "2...b" + kBlanks}));
    click(*window, "Button2");
    EXPECT_EQ(catalogue(*window), (QStringList{u("王先生的CD"), "1...c" + kBlanks}));
}

TEST_F(CdCatalogueWindowTest, OddFileNamesGiveTheirEntries) {
    struct Case {
        const char* name;
        std::string hostName;
        QString entry;
    };
    const Case cases[] = {
        {"Chinese", "刘德华 - 忘情水.mp3", u("刘德华 - 忘情水")},
        {"no extension", "README", u("README")},
        {"not UTF-8", "\xC4\xE3\xBA\xC3.mp3", QString(4, QChar(0xFFFD))},
        {"a backslash", "AC\\DC.mp3", u("AC＼DC")},
        {"255 bytes", std::string(251, 'x') + ".mp3", QString(251, 'x')},
    };
    auto window = create();
    chosenFiles.clear();
    for (const Case& c : cases) {
        chosenFiles.push_back(folder.path() / "songs" / c.hostName);
    }
    click(*window, "button1");
    const QStringList shown = entries(*window);
    ASSERT_EQ(shown.size(), qsizetype(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(shown[i], cases[i].entry + kBlanks);
    }
}

TEST_F(CdCatalogueWindowTest, AThousandFilesKeepTheirOrder) {
    auto window = create();
    chosenFiles.clear();
    for (int i = 1; i <= 1000; ++i) {
        chosenFiles.push_back(folder.path() / QStringLiteral("%1.mp3").arg(1001 - i).toStdString());
    }
    click(*window, "button1");
    click(*window, "Button2");
    const QStringList lines = catalogue(*window);
    ASSERT_EQ(lines.size(), 1001);
    EXPECT_EQ(lines[1], "1...1000" + kBlanks);
    EXPECT_EQ(lines[10], "10...991" + kBlanks);
    EXPECT_EQ(lines[1000], "1000...1" + kBlanks);
}

TEST_F(CdCatalogueWindowTest, AddressAndTelephoneAreStoredAtOnceAndReadAtTheNextStart) {
    settings.write("DiZi", "DiZi1", gbk("老地址"));
    auto window = create();
    auto* address = child<QLineEdit>(*window, "Edit1");
    auto* phone = child<QLineEdit>(*window, "Edit2");
    ASSERT_TRUE(address != nullptr && phone != nullptr);
    EXPECT_EQ(address->text(), u("老地址"));
    EXPECT_EQ(phone->text(), QString());
    window->showWindow();

    address->selectAll();
    QTest::keyClick(address, Qt::Key_Delete);
    EXPECT_EQ(settings.read("DiZi", "DiZi1"), "");
    type(address, u("深圳"));
    EXPECT_EQ(settings.read("DiZi", "DiZi1"), gbk("深圳"));
    type(address, u("路"));
    QTest::keyClicks(address, QStringLiteral("5"));
    type(address, u("号"));
    EXPECT_EQ(settings.read("DiZi", "DiZi1"), gbk("深圳路5号"));
    QTest::keyClicks(phone, QStringLiteral("0755-8888"));
    EXPECT_EQ(settings.read("DianHua", "DianHua1"), "0755-8888");

    auto nextStart = create();
    EXPECT_EQ(child<QLineEdit>(*nextStart, "Edit1")->text(), u("深圳路5号"));
    EXPECT_EQ(child<QLineEdit>(*nextStart, "Edit2")->text(), QStringLiteral("0755-8888"));
}

TEST_F(CdCatalogueWindowTest, PrintWritesTheCatalogueThenAddressAndTelephone) {
    settings.write("DiZi", "DiZi1", gbk("深圳路5号 No.5"));
    settings.write("DianHua", "DianHua1", "0755-8888");
    auto window = create();

    // Before any 排版: the header, then the address and the telephone.
    click(*window, "Button3");
    EXPECT_EQ(printDialogs, 1);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    auto pages = pdfPages(pdf);
    if (!pages) {
        GTEST_SKIP() << testing::kPdfTextMissing;
    }
    EXPECT_EQ(allLines(*pages),
              (QStringList{asciiPart(kHeader), asciiPart(u("地址:深圳路5号 No.5")),
                           asciiPart(u("电话:0755-8888"))}));

    choose({"a.mp3", "b.wma"});
    click(*window, "button1");
    click(*window, "Button2");
    click(*window, "Button3");
    pages = pdfPages(pdf);
    ASSERT_EQ(pages->size(), 1u);
    EXPECT_EQ(allLines(*pages),
              (QStringList{asciiPart(kHeader), "1...a", "2...b",
                           asciiPart(u("地址:深圳路5号 No.5")), asciiPart(u("电话:0755-8888"))}));
    EXPECT_EQ(messages, QStringList{});

    // A cancelled print dialog prints nothing.
    std::filesystem::remove(pdf);
    cancelPrinting = true;
    click(*window, "Button3");
    EXPECT_EQ(printDialogs, 3);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(messages, QStringList{});
}

TEST_F(CdCatalogueWindowTest, APrintThatCannotStartIsReported) {
    printer.setOutputFileName(hostPathText(folder.path() / "missing" / "catalogue.pdf"));
    auto window = create();
    click(*window, "Button3");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(u("打印失败"))) << messages[0].toStdString();
}

TEST_F(CdCatalogueWindowTest, ALongHeaderWrapsOntoFurtherLinesAndPages) {
    QString header;
    for (int i = 0; header.size() < 10000; ++i) {
        header += QStringLiteral("head%1 ").arg(i, 4, 10, QLatin1Char('0'));
    }
    header.truncate(10000);
    auto window = create();
    child<QLineEdit>(*window, "Edit3")->setText(header);
    EXPECT_EQ(catalogue(*window), QStringList{header});

    click(*window, "Button3");
    const auto pages = pdfPages(pdf);
    if (!pages) {
        GTEST_SKIP() << testing::kPdfTextMissing;
    }
    EXPECT_GE(pages->size(), 2u);
    QStringList lines = allLines(*pages);
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines.takeLast(), asciiPart(u("电话:")));
    EXPECT_EQ(lines.takeLast(), asciiPart(u("地址:")));
    EXPECT_EQ(lines.join(QString()), asciiPart(header));
}

TEST_F(CdCatalogueWindowTest, BrokenAndHugeSettingsPrintWithoutHarm) {
    const std::string invalidGbk = "No.\xFF\x81\x20\xFE";
    settings.write("DiZi", "DiZi1", invalidGbk);
    settings.write("DianHua", "DianHua1", std::string(1 << 20, '9'));
    const std::string stored = testing::readFile(paths.settingsFile());
    auto window = create();

    click(*window, "Button3");
    EXPECT_EQ(messages, QStringList{});
    // Showing the settings rewrote neither.
    EXPECT_EQ(testing::readFile(paths.settingsFile()), stored);

    const auto pages = pdfPages(pdf);
    if (!pages) {
        GTEST_SKIP() << testing::kPdfTextMissing;
    }
    const QStringList lines = allLines(*pages);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], asciiPart(kHeader));
    EXPECT_TRUE(lines[1].startsWith(":No.")) << lines[1].toStdString();
    // The telephone as far as the settings file gives it, every digit of that printed.
    const QString shownPhone = child<QLineEdit>(*window, "Edit2")->text();
    EXPECT_GT(shownPhone.size(), 1000);
    EXPECT_EQ(lines.mid(2).join(QString()), ":" + shownPhone);
}

}  // namespace
}  // namespace qh
