#pragma once
// The text of a printed PDF as poppler's pdftotext lays it out, page by page, for tests that print
// to a file. Chinese glyphs come back as look-alike characters (radicals), so each line is kept
// as its ASCII part only; compare with asciiPart() of the expected text.
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/host_path_text.h"

namespace qh::testing {

// The printable ASCII characters of a line, blanks left out: pdftotext's layout spaces out the
// place of a glyph it could not map, so blanks tell nothing.
inline QString asciiPart(const QString& line) {
    QString kept;
    for (const QChar c : line) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
            kept += c;
        }
    }
    return kept;
}

// One list per page, of the page's lines that hold anything but blanks, each as its asciiPart (a
// line of Chinese only is kept, empty). nullopt when pdftotext is not installed; no pages when it
// could not read the file.
inline std::optional<std::vector<QStringList>> pdfPages(const std::filesystem::path& pdf) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(program, {QStringLiteral("-layout"), QStringLiteral("-enc"),
                            QStringLiteral("UTF-8"), hostPathText(pdf), QStringLiteral("-")});
    std::vector<QStringList> pages;
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        return pages;
    }
    QStringList pageTexts = QString::fromUtf8(process.readAllStandardOutput()).split(QChar('\f'));
    pageTexts.removeLast();  // pdftotext ends every page with a form feed
    for (const QString& pageText : pageTexts) {
        QStringList lines;
        for (const QString& line : pageText.split(QChar('\n'))) {
            if (!line.trimmed().isEmpty()) {
                lines << asciiPart(line);
            }
        }
        pages.push_back(lines);
    }
    return pages;
}

// Why a test stopped short of reading its PDF.
inline constexpr const char* kPdfTextMissing =
    "pdftotext (poppler-utils) is missing: the printed PDF's text is not checked";

inline QStringList allLines(const std::vector<QStringList>& pages) {
    QStringList lines;
    for (const QStringList& page : pages) {
        lines += page;
    }
    return lines;
}

}  // namespace qh::testing
