#include "windows/picture_decoding.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QtEndian>

#include "demo_shop/gif_writer.h"
#include "platform/linux_file_system.h"
#include "platform/shared_drive_table.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"

namespace qh {
namespace {

const QSize kPane(260, 350);

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

QImage twoColourPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = size.height() / 2; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return image;
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    const auto length = qToBigEndian(static_cast<quint32>(data.size()));
    png.append(reinterpret_cast<const char*>(&length), 4);
    const QByteArray typed = QByteArray(type, 4) + data;
    png.append(typed);
    const auto crc = qToBigEndian(static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), typed.size())));
    png.append(reinterpret_cast<const char*>(&crc), 4);
}

// A whole, valid grey PNG of the given size, compressed row by row so the test never holds the
// pixels: 20,000 x 20,000 takes a few hundred kilobytes.
QByteArray blackPng(quint32 width, quint32 height) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header(13, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header[8] = 8;  // bits per sample, grey, no interlace
    appendChunk(png, "IHDR", header);

    z_stream stream{};
    deflateInit(&stream, 9);
    const QByteArray row(static_cast<qsizetype>(width) + 1, '\0');  // filter byte + samples
    QByteArray compressed;
    char out[65536];
    for (quint32 y = 0; y <= height; ++y) {
        const bool last = y == height;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(row.constData()));
        stream.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = sizeof out;
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(out, static_cast<qsizetype>(sizeof out - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", {});
    return png;
}

TEST(PictureDecoding, APictureIsShrunkToThePaneKeepingItsShapeAndNeverEnlarged) {
    struct Case {
        const char* name;
        QSize natural;
        QSize fitted;
    };
    const Case cases[] = {
        {"phone wallpaper", {240, 320}, {240, 320}}, {"exactly the pane", {260, 350}, {260, 350}},
        {"tall photo", {1000, 2000}, {175, 350}},    {"wide photo", {4000, 1000}, {260, 65}},
        {"a line of pixels", {20000, 1}, {260, 1}},  {"nothing", {0, 0}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(fittedSize(test.natural, kPane), test.fitted);
    }
}

TEST(PictureDecoding, APhotoComesOutShrunkWithItsContentInPlace) {
    testing::ensureApplication();
    for (const char* format : {"jpg", "png"}) {
        SCOPED_TRACE(format);
        const PaneFrames picture =
            decodeForPane(encoded(twoColourPicture({1000, 2000}), format), kPane);
        ASSERT_EQ(picture.frames.size(), 1u);
        const QImage& frame = picture.frames.front();
        EXPECT_EQ(frame.size(), QSize(175, 350));
        EXPECT_GT(qBlue(frame.pixel(80, 40)), 200);
        EXPECT_GT(qRed(frame.pixel(80, 300)), 200);
    }
}

TEST(PictureDecoding, AnAnimationKeepsEveryFrameShrunkWithItsDelay) {
    testing::ensureApplication();
    std::vector<QImage> frames;
    for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}) {
        QImage frame(400, 400, QImage::Format_RGB32);
        frame.fill(colour);
        frames.push_back(frame);
    }
    const std::string gif = demo::animatedGif(frames, 30);
    const PaneFrames picture = decodeForPane(QByteArray::fromStdString(gif), kPane);
    ASSERT_EQ(picture.frames.size(), 3u);
    EXPECT_EQ(picture.delaysMs, (std::vector<int>{300, 300, 300}));
    EXPECT_EQ(picture.loopCount, -1);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(picture.frames[i].size(), QSize(260, 260));
        EXPECT_EQ(picture.frames[i].pixel(130, 130) | 0xff000000u, frames[i].pixel(0, 0));
    }
}

TEST(PictureDecoding, WhatIsNoPictureGivesNoFramesAndAHugeOneNeverOverflowsThePane) {
    testing::ensureApplication();
    const QByteArray jpeg = encoded(twoColourPicture({400, 600}), "jpg");
    struct Case {
        const char* name;
        QByteArray data;
    };
    const Case noPictures[] = {
        {"0 bytes", {}},
        {"text", QByteArray("这不是图片\r\n")},
        {"only the start of a jpeg", jpeg.left(20)},
    };
    for (const Case& test : noPictures) {
        SCOPED_TRACE(test.name);
        EXPECT_TRUE(decodeForPane(test.data, kPane).frames.empty());
    }
    // Cut short or far too large: whatever the reader makes of them, nothing overflows the pane.
    const Case odd[] = {
        {"half a jpeg", jpeg.left(jpeg.size() / 2)},
        {"20000 x 20000", blackPng(20000, 20000)},
    };
    for (const Case& test : odd) {
        SCOPED_TRACE(test.name);
        for (const QImage& frame : decodeForPane(test.data, kPane).frames) {
            EXPECT_LE(frame.width(), kPane.width());
            EXPECT_LE(frame.height(), kPane.height());
        }
    }
}

TEST(PictureDecoding, ALibraryFileIsReadThroughTheDriveTableAndAPipeNeverHoldsItUp) {
    testing::TempFolder folder;
    SharedDriveTable drives;
    DriveTable table;
    table.set({'F', folder.path(), DriveType::Fixed});
    drives.replace(table);
    const LinuxFileSystem files(drives);
    folder.write("a.jpg", "picture bytes");
    folder.write("shop.gif", "placeholder bytes");
    ASSERT_EQ(::mkfifo((folder.path() / "pipe.jpg").c_str(), 0600), 0);

    EXPECT_EQ(readPictureFile(files, {"F:\\a.jpg", {}}), QByteArray("picture bytes"));
    EXPECT_EQ(readPictureFile(files, {{}, folder.path() / "shop.gif"}),
              QByteArray("placeholder bytes"));
    EXPECT_TRUE(readPictureFile(files, {"F:\\pipe.jpg", {}}).isEmpty());
    EXPECT_TRUE(readPictureFile(files, {"F:\\gone.jpg", {}}).isEmpty());
    EXPECT_TRUE(readPictureFile(files, {"Q:\\a.jpg", {}}).isEmpty());
}

}  // namespace
}  // namespace qh
