#pragma once
// The texts of a CD catalogue: the entry of a picked file, the numbered catalogue under its header
// line, and the lines a print job writes. Plain rules, no widgets.
#include <QString>
#include <QStringList>

namespace qh {

// The entry of a picked file: its name without folder and final extension, then 30 blanks.
// Takes a file name, a host path or a Windows path ("/" and "\" both end a folder). A name whose
// only dot is its first character (".profile") has no extension and stays whole.
QString catalogueEntryOf(const QString& fileName);

// 排版: the header, then "1...entry", "2...entry" ...
QStringList laidOutCatalogue(const QString& header, const QStringList& entries);

// The lines a print job writes: the catalogue's lines, then "地址:"+address, "电话:"+phone.
QStringList printedLines(const QStringList& catalogue, const QString& address,
                         const QString& phone);

}  // namespace qh
