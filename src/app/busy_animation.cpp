#include "app/busy_animation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qh {

namespace {

constexpr int kFrameCount = 16;

void drawFolder(QPainter& painter, const QRectF& body) {
    QPainterPath tab;
    tab.addRoundedRect(QRectF(body.left(), body.top() - 3, body.width() * 0.45, 5), 1.5, 1.5);
    painter.setPen(QPen(QColor(150, 110, 20), 1));
    painter.setBrush(QColor(235, 190, 70));
    painter.drawPath(tab);
    painter.drawRoundedRect(body, 2, 2);
}

}  // namespace

BusyAnimation::BusyAnimation(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    frames_.setInterval(70);
    connect(&frames_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrameCount;
        update();
    });
}

void BusyAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = width();
    const qreal h = height();
    const QRectF from(2, h * 0.45, w * 0.28, h * 0.5);
    const QRectF to(w * 0.70, h * 0.45, w * 0.28, h * 0.5);
    drawFolder(painter, from);
    drawFolder(painter, to);

    // The sheet rises from the left folder, arcs over and drops into the right one.
    const qreal t = static_cast<qreal>(frame_) / (kFrameCount - 1);
    const qreal x = from.center().x() + t * (to.center().x() - from.center().x());
    const qreal y = h * 0.55 - std::sin(t * M_PI) * h * 0.45;
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    const QRectF sheet(x - 4, y - 5, 8, 10);
    painter.drawRect(sheet);
    painter.drawLine(QPointF(sheet.left() + 2, sheet.top() + 3),
                     QPointF(sheet.right() - 2, sheet.top() + 3));
    painter.drawLine(QPointF(sheet.left() + 2, sheet.top() + 6),
                     QPointF(sheet.right() - 2, sheet.top() + 6));
}

void BusyAnimation::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    frames_.start();
}

void BusyAnimation::hideEvent(QHideEvent* event) {
    frames_.stop();
    QWidget::hideEvent(event);
}

}  // namespace qh
