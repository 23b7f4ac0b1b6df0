#pragma once
// One of the picture browser's six panes: it shows one picture file, shrunk to fit and centred,
// runs an animation, and can show its picture selected. A file it cannot show leaves it an empty
// frame. The pane knows the library file it shows, which a click makes the chosen picture.
#include <QFrame>
#include <QTimer>
#include <memory>
#include <string>

#include "windows/picture_decoding.h"

namespace qh {

class PictureLoader;

class PicturePane : public QFrame {
    Q_OBJECT
public:
    static constexpr QSize kSize{260, 350};

    PicturePane(int pane, PictureLoader& loader, QWidget* parent = nullptr);

    // Shows the file: from the cache at once, or empty until it is decoded.
    void showFile(const PictureFile& file);
    // The library file shown, GBK; empty for the placeholder or before any picture.
    const std::string& libraryPath() const { return file_.libraryPath; }
    // Something was asked to be shown and its decode has come back, pictures or not.
    bool isLoaded() const { return loaded_; }
    bool showsPicture() const { return picture_ && !picture_->frames.empty(); }
    int frameShown() const { return frame_; }

    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

signals:
    void loaded();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pictureDecoded(int pane, const std::shared_ptr<const PaneFrames>& picture);
    void present(std::shared_ptr<const PaneFrames> picture);
    void nextFrame();

    int pane_;
    PictureLoader& loader_;
    PictureFile file_;
    std::shared_ptr<const PaneFrames> picture_;
    bool loaded_ = false;
    bool selected_ = false;
    int frame_ = 0;
    int loopsLeft_ = -1;
    QTimer animation_;
};

}  // namespace qh
