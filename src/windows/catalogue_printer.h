#pragma once
// The plain-text print job of the CD catalogue: lines of text one under another, as a printer's
// text stream writes them.
#include <QFont>
#include <QStringList>

class QPagedPaintDevice;

namespace qh {

// Writes the lines as plain text on the paged device (a printer or a PDF), in `font` at 12
// points: from the top-left of the printable area, one line after another at the font's line
// spacing, a line wider than the page continuing on the next line (broken at the last blank
// that fits, else at the last character that fits), a new page when the next line would leave
// less than two line heights at the bottom. A line break inside a line starts a new line.
// Returns false when the device could not be painted on.
//
// A job stops after 1,000 pages, so a runaway text (a settings value of megabytes) cannot empty
// the shop's paper tray; what fits on them is printed.
bool printCatalogue(QPagedPaintDevice& device, const QStringList& lines, QFont font);

}  // namespace qh
