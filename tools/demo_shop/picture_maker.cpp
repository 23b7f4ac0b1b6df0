#include "picture_maker.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <stdexcept>

namespace qh::demo {

std::string wallpaper(int width, int height, std::uint32_t topicRgb, PictureFormat format,
                      DemoRandom& random) {
    QImage image(width, height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor base = QColor::fromRgb(topicRgb);
        QLinearGradient sky(0, 0, 0, height);
        sky.setColorAt(0, base.lighter(110 + static_cast<int>(random.below(60))));
        sky.setColorAt(1, base.darker(130 + static_cast<int>(random.below(90))));
        painter.fillRect(image.rect(), sky);
        painter.setPen(Qt::NoPen);
        const auto circles = random.between(3, 8);
        for (std::uint64_t i = 0; i < circles; ++i) {
            QColor colour =
                QColor::fromHsv((base.hsvHue() + static_cast<int>(random.below(90)) + 315) % 360,
                                static_cast<int>(random.between(60, 200)), 255,
                                static_cast<int>(random.between(60, 160)));
            painter.setBrush(colour);
            const auto radius = static_cast<int>(random.between(width / 12, width / 3));
            painter.drawEllipse(QPoint(static_cast<int>(random.below(width)),
                                       static_cast<int>(random.below(height))),
                                radius, radius);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == PictureFormat::Jpeg ? "jpg" : "png");
    writer.setQuality(format == PictureFormat::Jpeg ? 75 : -1);
    if (!writer.write(image)) {
        throw std::runtime_error("cannot encode a picture: " + writer.errorString().toStdString());
    }
    return bytes.toStdString();
}

}  // namespace qh::demo
