#include "windows/catalogue_text.h"

#include <algorithm>

namespace qh {

namespace {

// The blanks after each name: they keep the numbered lines apart from whatever the clerk writes
// beside them on the printed sheet.
constexpr int kEntryBlanks = 30;

}  // namespace

QString catalogueEntryOf(const QString& fileName) {
    const qsizetype nameStart =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\'))) +
        1;
    QStringView name = QStringView(fileName).mid(nameStart);
    // A dot in first place starts a hidden name, not an extension: the name would be lost.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        name = name.left(dot);
    }
    return name.toString() + QString(kEntryBlanks, QLatin1Char(' '));
}

QStringList laidOutCatalogue(const QString& header, const QStringList& entries) {
    QStringList catalogue;
    catalogue.reserve(entries.size() + 1);
    catalogue << header;
    for (const QString& entry : entries) {
        // Numbered by the lines already there, so the first entry is 1.
        catalogue << QString::number(catalogue.size()) + QStringLiteral("...") + entry;
    }
    return catalogue;
}

QStringList printedLines(const QStringList& catalogue, const QString& address,
                         const QString& phone) {
    QStringList lines = catalogue;
    lines << QString::fromUtf8("地址:") + address << QString::fromUtf8("电话:") + phone;
    return lines;
}

}  // namespace qh
