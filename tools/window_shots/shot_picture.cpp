#include "shot_picture.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QMenu>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "window_driver.h"

namespace qh::shots {

namespace {

const QColor kMarkRed(220, 0, 0);
constexpr int kFrameGap = 3;  // between a control and its frame, so the frame hides nothing
constexpr int kBadgeSize = 22;

// Where `widget` lies in the picture of `window`, also for a popup, which is a window of its own.
QRect placeIn(const QWidget& window, const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)), widget.size()};
}

QRect placeOfControl(const QWidget& window, const QString& name) {
    const QWidget* parent = &window;
    const QStringList steps = name.split(u'/');
    for (qsizetype i = 0; i < steps.size(); ++i) {
        if (const auto* child = parent->findChild<QWidget*>(steps[i])) {
            parent = child;
            continue;
        }
        const auto* menu = qobject_cast<const QMenu*>(parent);
        QAction* action = menu != nullptr ? menu->findChild<QAction*>(steps[i]) : nullptr;
        if (action == nullptr || i + 1 != steps.size()) {
            throw ShotError("no control " + name.toStdString() + " to mark");
        }
        return menu->actionGeometry(action).translated(placeIn(window, *menu).topLeft());
    }
    QRect place = placeIn(window, *parent);
    // An open drop-down's list belongs to its box.
    const QWidget* popup = QApplication::activePopupWidget();
    if (popup != nullptr && popup->parentWidget() == parent) {
        place |= placeIn(window, *popup);
    }
    return place;
}

void drawNumber(QPainter& painter, const QRect& frame, const QString& number,
                const QSize& picture) {
    QRect badge(0, 0, kBadgeSize, kBadgeSize);
    badge.moveCenter(frame.topLeft());
    badge.moveLeft(std::clamp(badge.left(), 0, picture.width() - kBadgeSize));
    badge.moveTop(std::clamp(badge.top(), 0, picture.height() - kBadgeSize));
    QFont font({QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(kMarkRed);
    painter.drawEllipse(badge);
    painter.drawText(badge, Qt::AlignCenter, number);
}

}  // namespace

QImage pictureOf(QWidget& window, const std::vector<Mark>& marks) {
    QImage picture = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    if (QWidget* popup = QApplication::activePopupWidget()) {
        painter.drawPixmap(placeIn(window, *popup).topLeft(), popup->grab());
    }
    painter.setRenderHint(QPainter::Antialiasing);
    std::vector<QRect> frames;
    for (const Mark& mark : marks) {
        QRect around;
        for (const QString& name : mark.controls) {
            around |= placeOfControl(window, name);
        }
        frames.push_back(around.adjusted(-kFrameGap, -kFrameGap, kFrameGap, kFrameGap)
                             .intersected(picture.rect().adjusted(1, 1, -2, -2)));
        painter.setPen(QPen(kMarkRed, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frames.back(), 5, 5);
    }
    // The numbers last, so no frame runs across one.
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (!marks[i].number.isEmpty()) {
            drawNumber(painter, frames[i], marks[i].number, picture.size());
        }
    }
    return picture;
}

void savePicture(const QImage& picture, const std::filesystem::path& file) {
    // Packed tight: the pictures are kept with the guide's pages.
    if (!picture.save(QString::fromStdString(file.string()), "PNG", 0)) {
        throw ShotError("cannot write " + file.string());
    }
}

}  // namespace qh::shots
