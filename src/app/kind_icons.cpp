#include "app/kind_icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace qh {

namespace {

QIcon drawIcon(QColor colour, const QString& mark) {
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker(140));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 19, 19), 4, 4);
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, mark);
    return QIcon(pixmap);
}

QIcon withCross(const QIcon& icon) {
    QPixmap pixmap = icon.pixmap(22, 22);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xd0, 0x10, 0x10));
    painter.setPen(Qt::white);
    painter.drawEllipse(QRectF(10.5, 10.5, 11, 11));
    painter.setPen(QPen(Qt::white, 1.6));
    painter.drawLine(QPointF(13.5, 13.5), QPointF(18.5, 18.5));
    painter.drawLine(QPointF(18.5, 13.5), QPointF(13.5, 18.5));
    return QIcon(pixmap);
}

}  // namespace

const QIcon& undeliveredKindIcon(int kind) {
    static const std::array<QIcon, 5> icons = {
        withCross(kindIcon(0)), withCross(kindIcon(1)), withCross(kindIcon(2)),
        withCross(kindIcon(3)), withCross(kindIcon(4)),
    };
    return icons.at(kind >= 0 && kind < 5 ? kind : 0);
}

const QIcon& kindIcon(int kind) {
    static const std::array<QIcon, 5> icons = {
        drawIcon(QColor(0x2e, 0x8b, 0x57), QString::fromUtf8("♪")),
        drawIcon(QColor(0x1e, 0x6f, 0xc8), QString::fromUtf8("▶")),
        drawIcon(QColor(0xd2, 0x69, 0x1e), QString::fromUtf8("图")),
        drawIcon(QColor(0x8b, 0x3a, 0x9e), QString::fromUtf8("游")),
        drawIcon(QColor(0x80, 0x80, 0x80), QString::fromUtf8("书")),
    };
    return icons.at(kind >= 0 && kind < 5 ? kind : 0);
}

}  // namespace qh
