#pragma once
// A picture file made ready for a picture pane: decoded and shrunk to the pane, every frame of an
// animation with its delay. Plain work for any thread; nothing here touches a widget.
#include <QImage>
#include <QSize>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QByteArray;

namespace qh {

class FileSystem;

struct PaneFrames {
    std::vector<QImage> frames;  // empty: the file holds no picture that can be shown
    std::vector<int> delaysMs;   // one per frame
    int loopCount = -1;          // how often an animation runs after its first time; -1 for ever
    std::size_t bytes() const;
};

// What a picture of `natural` size takes in `box`: shrunk to fit keeping its proportions, never
// enlarged, as a browser shows a small picture at its own size.
QSize fittedSize(QSize natural, QSize box);

// Decodes an image file's bytes for a pane of `box`. A file Qt cannot read (empty, cut short, not a
// picture, too many pixels to decode) gives no frames; an animation keeps the frames that fit the
// memory an animation may take.
PaneFrames decodeForPane(const QByteArray& data, QSize box);

// A picture file of the library (GBK path through the drive table) or of the shop's own folder.
struct PictureFile {
    std::string libraryPath;         // empty for a file of the shop
    std::filesystem::path shopFile;  // the placeholder

    // The cache's name for the file.
    std::string key() const;
    bool operator==(const PictureFile&) const = default;
};

// The file's bytes, or empty when it cannot be read or is larger than any phone picture.
QByteArray readPictureFile(const FileSystem& files, const PictureFile& file);

}  // namespace qh
