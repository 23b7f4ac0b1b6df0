#include "windows/picture_pane.h"

#include <QPainter>

#include "windows/picture_loader.h"

namespace qh {

PicturePane::PicturePane(int pane, PictureLoader& loader, QWidget* parent)
    : QFrame(parent), pane_(pane), loader_(loader) {
    setObjectName(QStringLiteral("WebBrowser%1").arg(pane + 1));
    setFixedSize(kSize);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, Qt::white);
    page.setColor(QPalette::WindowText, QColor(0xa0, 0xa0, 0xa0));
    setPalette(page);
    animation_.setSingleShot(true);
    connect(&animation_, &QTimer::timeout, this, &PicturePane::nextFrame);
    connect(&loader_, &PictureLoader::decoded, this, &PicturePane::pictureDecoded);
}

void PicturePane::showFile(const PictureFile& file) {
    file_ = file;
    // A page that is shown anew has nothing selected.
    selected_ = false;
    if (auto picture = loader_.cached(file)) {
        loader_.cancel(pane_);
        present(std::move(picture));
        return;
    }
    present(nullptr);
    loaded_ = false;
    loader_.request(pane_, file);
}

void PicturePane::pictureDecoded(int pane, const std::shared_ptr<const PaneFrames>& picture) {
    if (pane == pane_) {
        present(picture);
    }
}

void PicturePane::present(std::shared_ptr<const PaneFrames> picture) {
    picture_ = std::move(picture);
    frame_ = 0;
    animation_.stop();
    if (picture_ && picture_->frames.size() > 1) {
        loopsLeft_ = picture_->loopCount;
        animation_.start(picture_->delaysMs.front());
    }
    update();
    if (picture_) {
        loaded_ = true;
        emit loaded();
    }
}

void PicturePane::nextFrame() {
    const auto count = static_cast<int>(picture_->frames.size());
    if (frame_ + 1 == count) {
        if (loopsLeft_ == 0) {
            return;
        }
        if (loopsLeft_ > 0) {
            --loopsLeft_;
        }
    }
    frame_ = (frame_ + 1) % count;
    animation_.start(picture_->delaysMs.at(static_cast<std::size_t>(frame_)));
    update();
}

void PicturePane::setSelected(bool selected) {
    if (selected != selected_) {
        selected_ = selected;
        update();
    }
}

void PicturePane::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!showsPicture()) {
        return;
    }
    QPainter painter(this);
    const QImage& frame = picture_->frames.at(static_cast<std::size_t>(frame_));
    QRect place(QPoint(0, 0), frame.size());
    place.moveCenter(contentsRect().center());
    painter.drawImage(place, frame);
    if (selected_) {
        // As a page shows a selected picture: tinted with the selection colour.
        QColor tint = palette().color(QPalette::Highlight);
        tint.setAlpha(110);
        painter.fillRect(place, tint);
    }
}

}  // namespace qh
