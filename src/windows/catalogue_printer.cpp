#include "windows/catalogue_printer.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace qh {

namespace {

constexpr int kPrintPointSize = 12;
constexpr int kMaxPages = 1000;

// The length of the longest start of `text` that is no wider than `width`: doubling the probe
// first, then halving the gap, so a line of a megabyte is never measured whole.
qsizetype fittingLength(const QFontMetricsF& metrics, QStringView text, qreal width,
                        qsizetype firstProbe) {
    qsizetype fits = 0;
    qsizetype probe = std::max<qsizetype>(firstProbe, 16);
    qsizetype tooLong = -1;
    while (tooLong < 0) {
        probe = std::min(probe, text.size());
        if (metrics.horizontalAdvance(text.left(probe).toString()) <= width) {
            fits = probe;
            if (probe == text.size()) {
                return fits;
            }
            probe *= 2;
        } else {
            tooLong = probe;
        }
    }
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (metrics.horizontalAdvance(text.left(middle).toString()) <= width) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return fits;
}

// Where the printed part of `line` from `start` ends: after the last blank that fits, else after
// the last whole character (a surrogate pair, a letter with its accents) that fits, and never
// before one character, so a page too narrow for any still moves on.
qsizetype breakAfter(const QFontMetricsF& metrics, const QString& line, qsizetype start,
                     qreal width, QTextBoundaryFinder& characters, qsizetype& lastLength) {
    const QStringView rest = QStringView(line).mid(start);
    const qsizetype fits = fittingLength(metrics, rest, width, lastLength);
    if (fits == rest.size()) {
        return line.size();
    }
    for (qsizetype i = fits; i > 0; --i) {
        if (rest[i - 1].isSpace()) {
            lastLength = i;
            return start + i;
        }
    }
    characters.setPosition(start + fits);
    qsizetype end = characters.isAtBoundary() ? start + fits : characters.toPreviousBoundary();
    if (end <= start) {
        characters.setPosition(start);
        end = characters.toNextBoundary();
    }
    if (end <= start) {
        end = start + 1;
    }
    lastLength = end - start;
    return end;
}

}  // namespace

bool printCatalogue(QPagedPaintDevice& device, const QStringList& lines, QFont font) {
    font.setPointSize(kPrintPointSize);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal lineHeight = metrics.lineSpacing();
    const qreal width = device.width();
    const qreal height = device.height();

    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    int pages = 1;
    qreal top = 0;
    bool onPage = false;  // something is written on the current page
    qsizetype lastLength = 64;
    for (const QString& text : lines) {
        for (const QString& line : text.split(lineBreak)) {
            QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, line);
            qsizetype start = 0;
            do {
                // Less than two line heights left from this line's top: the page is full.
                if (onPage && top + 2 * lineHeight > height) {
                    if (pages == kMaxPages) {
                        return painter.end();
                    }
                    if (!device.newPage()) {
                        painter.end();
                        return false;
                    }
                    ++pages;
                    top = 0;
                    onPage = false;
                }
                const qsizetype end =
                    breakAfter(metrics, line, start, width, characters, lastLength);
                painter.drawText(QPointF(0, top + metrics.ascent()), line.mid(start, end - start));
                onPage = true;
                top += lineHeight;
                start = end;
            } while (start < line.size());
        }
    }
    return painter.end();
}

}  // namespace qh
