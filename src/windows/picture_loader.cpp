#include "windows/picture_loader.h"

#include <QMetaObject>

namespace qh {

namespace {

// A few pages of pictures either way of the one on screen.
constexpr std::size_t kMostCachedBytes = 96 * 1024 * 1024;
// Two decodes at a time keep both cores of a shop computer busy while the window stays free.
constexpr int kDecodeThreads = 2;

}  // namespace

PictureLoader::PictureLoader(const FileSystem& files, QSize box, QObject* parent)
    : QObject(parent), files_(files), box_(box) {
    pool_.setMaxThreadCount(kDecodeThreads);
}

PictureLoader::~PictureLoader() {
    for (auto& wanted : wanted_) {
        ++wanted;
    }
    pool_.clear();
    pool_.waitForDone();
}

std::shared_ptr<const PaneFrames> PictureLoader::cached(const PictureFile& file) {
    const auto found = byKey_.find(file.key());
    if (found == byKey_.end()) {
        return nullptr;
    }
    recent_.splice(recent_.end(), recent_, found->second);
    return found->second->second;
}

void PictureLoader::request(int pane, const PictureFile& file) {
    auto& wanted = wanted_.at(static_cast<std::size_t>(pane));
    const std::uint64_t ticket = ++wanted;
    pool_.start([this, pane, file, ticket, &wanted] {
        // Paged past before its turn came: not worth reading.
        if (wanted.load() != ticket) {
            return;
        }
        auto picture =
            std::make_shared<const PaneFrames>(decodeForPane(readPictureFile(files_, file), box_));
        QMetaObject::invokeMethod(
            this,
            [this, pane, file, ticket, picture] {
                keep(file.key(), picture);
                if (wanted_.at(static_cast<std::size_t>(pane)).load() == ticket) {
                    emit decoded(pane, picture);
                }
            },
            Qt::QueuedConnection);
    });
}

void PictureLoader::cancel(int pane) {
    ++wanted_.at(static_cast<std::size_t>(pane));
}

void PictureLoader::keep(const std::string& key, std::shared_ptr<const PaneFrames> picture) {
    if (const auto found = byKey_.find(key); found != byKey_.end()) {
        cachedBytes_ -= found->second->second->bytes();
        recent_.erase(found->second);
        byKey_.erase(found);
    }
    cachedBytes_ += picture->bytes();
    recent_.emplace_back(key, std::move(picture));
    byKey_[key] = std::prev(recent_.end());
    while (cachedBytes_ > kMostCachedBytes && recent_.size() > 1) {
        cachedBytes_ -= recent_.front().second->bytes();
        byKey_.erase(recent_.front().first);
        recent_.pop_front();
    }
}

}  // namespace qh
