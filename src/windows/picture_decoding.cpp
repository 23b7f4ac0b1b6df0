#include "windows/picture_decoding.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <algorithm>

#include "platform/file_system.h"

namespace qh {

namespace {

// Larger files are no phone pictures; reading them would only hold up the panes after them.
constexpr qint64 kMostPictureFileBytes = 64 * 1024 * 1024;
// An animation may take this much once shrunk; frames after that are left out.
constexpr std::size_t kMostAnimationBytes = 48 * 1024 * 1024;
// Browsers run frames given no delay, or next to none, at this pace.
constexpr int kShortestDelayMs = 20;
constexpr int kDelayForNoneMs = 100;

int frameDelay(int givenMs) {
    return givenMs < kShortestDelayMs ? kDelayForNoneMs : givenMs;
}

}  // namespace

std::size_t PaneFrames::bytes() const {
    std::size_t total = 0;
    for (const auto& frame : frames) {
        total += static_cast<std::size_t>(frame.sizeInBytes());
    }
    return total;
}

QSize fittedSize(QSize natural, QSize box) {
    if (natural.isEmpty() || box.isEmpty()) {
        return {};
    }
    if (natural.width() <= box.width() && natural.height() <= box.height()) {
        return natural;
    }
    return natural.scaled(box, Qt::KeepAspectRatio).expandedTo({1, 1});
}

PaneFrames decodeForPane(const QByteArray& data, QSize box) {
    PaneFrames picture;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize natural = reader.size();
    // Formats that know their size are shrunk while they decode (JPEG reads only what it needs),
    // and a picture too large to decode is refused by the reader's allocation limit.
    if (const QSize fitted = fittedSize(natural, box); fitted.isValid()) {
        reader.setScaledSize(fitted);
    }
    const bool animated = reader.supportsAnimation() && reader.imageCount() != 1;
    std::size_t bytes = 0;
    QImage frame;
    while (reader.read(&frame)) {
        if (frame.size() != fittedSize(frame.size(), box)) {
            frame = frame.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        bytes += static_cast<std::size_t>(frame.sizeInBytes());
        if (!picture.frames.empty() && bytes > kMostAnimationBytes) {
            break;
        }
        picture.frames.push_back(frame);
        picture.delaysMs.push_back(frameDelay(reader.nextImageDelay()));
        if (!animated) {
            break;
        }
    }
    picture.loopCount = reader.loopCount();
    return picture;
}

std::string PictureFile::key() const {
    return libraryPath.empty() ? "shop:" + shopFile.string() : "library:" + libraryPath;
}

QByteArray readPictureFile(const FileSystem& files, const PictureFile& file) {
    if (file.libraryPath.empty()) {
        QFile shopFile(file.shopFile);
        if (!shopFile.open(QIODevice::ReadOnly) || shopFile.size() > kMostPictureFileBytes) {
            return {};
        }
        return shopFile.readAll();
    }
    const auto stream = files.openRead(file.libraryPath);
    if (!stream || stream->size() > kMostPictureFileBytes) {
        return {};
    }
    QByteArray data(static_cast<qsizetype>(stream->size()), Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < data.size()) {
        const auto got = stream->read(data.data() + filled, data.size() - filled);
        if (got <= 0) {
            break;
        }
        filled += got;
    }
    // A file that shrank while it was read shows what was there, as a cut-short file does.
    data.truncate(static_cast<qsizetype>(filled));
    return data;
}

}  // namespace qh
