#include "picture_maker.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <stdexcept>
#include <vector>

#include "gif_writer.h"

namespace qh::demo {

namespace {

constexpr int kPlaceholderFrames = 6;
constexpr int kPlaceholderDelay = 25;  // centiseconds

// Colours of the GIF's table, so the flat areas come out exactly as drawn.
const QColor kMint = QColor::fromRgb(204, 255, 204);
const QColor kLeaf = QColor::fromRgb(153, 204, 153);
const QColor kInk = QColor::fromRgb(0, 102, 51);

QImage placeholderFrame(int lit) {
    QImage image(kPlaceholderWidth, kPlaceholderHeight, QImage::Format_RGB32);
    image.fill(kMint);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(30, 40), 70, 70);
    painter.drawEllipse(QPoint(235, 345), 75, 75);

    QFont font({QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(QRect(0, 105, kPlaceholderWidth, 60), Qt::AlignCenter,
                     QString::fromUtf8("青禾点唱"));
    font.setPixelSize(24);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, 170, kPlaceholderWidth, 40), Qt::AlignCenter,
                     QString::fromUtf8("手机图片"));

    painter.setPen(Qt::NoPen);
    constexpr int kGap = 24;
    for (int dot = 0; dot < kPlaceholderFrames; ++dot) {
        const QPointF centre(
            kPlaceholderWidth / 2.0 + (dot - (kPlaceholderFrames - 1) / 2.0) * kGap, 245);
        painter.setBrush(dot == lit ? kInk : kLeaf);
        painter.drawEllipse(centre, dot == lit ? 7 : 5, dot == lit ? 7 : 5);
    }
    return image;
}

}  // namespace

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

std::string browserPlaceholderGif() {
    std::vector<QImage> frames;
    for (int lit = 0; lit < kPlaceholderFrames; ++lit) {
        frames.push_back(placeholderFrame(lit));
    }
    return animatedGif(frames, kPlaceholderDelay);
}

}  // namespace qh::demo
