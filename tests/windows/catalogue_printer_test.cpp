#include "windows/catalogue_printer.h"

#include <gtest/gtest.h>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>

#include "platform/host_path_text.h"
#include "support/pdf_text.h"
#include "support/qstring_printer.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"

namespace qh {
namespace {

using testing::allLines;
using testing::pdfPages;
using testing::TempFolder;

class CataloguePrinterTest : public ::testing::Test {
protected:
    CataloguePrinterTest() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(hostPathText(pdf));
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    // Line height and page height in the printer's pixels, as the job measures them.
    QFont printedFont() const {
        QFont printed = font;
        printed.setPointSize(12);
        return printed;
    }
    qreal lineHeight() const { return QFontMetricsF(printedFont(), &printer).lineSpacing(); }

    // A printer needs the application first.
    const bool application_ = (testing::ensureApplication(), true);
    TempFolder folder;
    std::filesystem::path pdf = folder.path() / "job.pdf";
    QPrinter printer{QPrinter::HighResolution};
    QFont font{QStringLiteral("DejaVu Sans")};
};

TEST_F(CataloguePrinterTest, LinesFollowEachOtherAndANewPageKeepsTheBottomFree) {
    QStringList lines;
    for (int i = 1; i <= 150; ++i) {
        lines << QStringLiteral("line%1").arg(i, 3, 10, QLatin1Char('0'));
    }
    ASSERT_TRUE(printCatalogue(printer, lines, font));
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const auto pages = pdfPages(pdf);
    if (!pages) {
        GTEST_SKIP() << testing::kPdfTextMissing;
    }
    ASSERT_GE(pages->size(), 2u);
    // Nothing lost, doubled or reordered across the page breaks.
    EXPECT_EQ(allLines(*pages), lines);
    // Full pages hold the same number of lines: as many as leave at least one line height free
    // at the bottom, and not fewer.
    const qreal pageLines = printer.height() / lineHeight();
    const auto onFirst = pages->front().size();
    EXPECT_LE(onFirst, pageLines - 1);
    EXPECT_GE(onFirst, pageLines - 2);
    for (std::size_t i = 0; i + 1 < pages->size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((*pages)[i].size(), onFirst);
    }
}

TEST_F(CataloguePrinterTest, LongLinesContinueOnTheNextLines) {
    QStringList words;
    for (int i = 1; i <= 90; ++i) {
        words << QStringLiteral("word%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    // A name that fits the page's width while its 30 blanks do not.
    const QFontMetricsF metrics(printedFont(), &printer);
    const int nameLength = int(printer.width() / metrics.horizontalAdvance('n')) - 1;
    const QString name(nameLength, QLatin1Char('n'));
    ASSERT_GT(metrics.horizontalAdvance(name + QString(30, ' ')), printer.width());

    struct Case {
        const char* name;
        QString line;
        QRegularExpression eachTextLine;
        qsizetype textLines;  // 0: several
    };
    const Case cases[] = {
        // Broken at blanks: every printed piece is made of whole words.
        {"blanks", words.join(' '), QRegularExpression("^(word\\d\\d)+$"), 0},
        // No blank to break at: broken between characters, none lost.
        {"no blanks", QString(600, QLatin1Char('x')), QRegularExpression("^x+$"), 0},
        // The blanks go on, the name stays whole.
        {"a name whose blanks do not fit", name + QString(30, ' '), QRegularExpression("^n+$"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(printCatalogue(printer, {c.line, QStringLiteral("after")}, font));
        const auto pages = pdfPages(pdf);
        if (!pages) {
            GTEST_SKIP() << testing::kPdfTextMissing;
        }
        QStringList textLines = allLines(*pages);
        ASSERT_GE(textLines.size(), 2);
        EXPECT_EQ(textLines.takeLast(), "after");
        if (c.textLines == 0) {
            EXPECT_GT(textLines.size(), 1);
        } else {
            EXPECT_EQ(textLines.size(), c.textLines);
        }
        for (const QString& textLine : textLines) {
            EXPECT_TRUE(c.eachTextLine.match(textLine).hasMatch()) << textLine.toStdString();
        }
        EXPECT_EQ(textLines.join(QString()), testing::asciiPart(c.line));
    }
}

TEST_F(CataloguePrinterTest, ALineBreakInsideALineStartsANewLine) {
    ASSERT_TRUE(
        printCatalogue(printer, {QStringLiteral("one\ntwo\r\nthree"), QString(), "four"}, font));
    const auto pages = pdfPages(pdf);
    if (!pages) {
        GTEST_SKIP() << testing::kPdfTextMissing;
    }
    EXPECT_EQ(allLines(*pages), (QStringList{"one", "two", "three", "four"}));
}

TEST_F(CataloguePrinterTest, AMegabyteLinePrintsWhatFitsOnAThousandPages) {
    // A small page, so the text outruns the bound.
    printer.setPageSize(QPageSize(QPageSize::A7));
    QString huge(1 << 20, QLatin1Char('7'));
    huge[1000] = QChar(0xD83C);  // a lone surrogate half, as a broken text may hold
    ASSERT_TRUE(
        printCatalogue(printer, {QStringLiteral("head"), huge, QStringLiteral("tail")}, font));
    const auto pages = pdfPages(pdf);
    if (!pages) {
        GTEST_SKIP() << testing::kPdfTextMissing;
    }
    EXPECT_EQ(pages->size(), 1000u);
    ASSERT_FALSE(pages->front().isEmpty());
    EXPECT_EQ(pages->front().front(), "head");
}

TEST_F(CataloguePrinterTest, ADeviceThatCannotBePaintedOnIsAFailure) {
    printer.setOutputFileName(hostPathText(folder.path() / "missing" / "job.pdf"));
    EXPECT_FALSE(printCatalogue(printer, {QStringLiteral("line")}, font));
}

}  // namespace
}  // namespace qh
