#include "app/caption_gap.h"

#include <QFontMetrics>
#include <QLabel>

namespace qh {

QString captionWithGaps(const char* utf8) {
    return QString::fromUtf8(utf8).replace(QLatin1Char(' '), QChar(0x2002));
}

QRect gapOf(QLabel* caption, int beforeCount, int blankCount) {
    caption->ensurePolished();
    const QFontMetrics metrics(caption->font());
    const QString text = caption->text();
    return {caption->x() + metrics.horizontalAdvance(text.left(beforeCount)), caption->y(),
            metrics.horizontalAdvance(text.mid(beforeCount, blankCount)), caption->height()};
}

}  // namespace qh
