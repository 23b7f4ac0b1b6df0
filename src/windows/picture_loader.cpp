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
    // The requests of the tasks that never started, under the lock: after the tasks' last look.
    std::lock_guard lock(requestsMutex_);
    requests_.clear();
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
    const std::uint64_t ticket = ++wanted_.at(static_cast<std::size_t>(pane));
    {
        std::lock_guard lock(requestsMutex_);
        requests_.push_back({pane, ticket, file});
    }
    pool_.start([this] { decodeOldestRequest(); });
}

void PictureLoader::decodeOldestRequest() {
    // Everything the task reads of the loader it reads here, under the lock that the destructor
    // takes once the pool is done.
    Request request;
    const FileSystem* files = nullptr;
    QSize box;
    {
        std::lock_guard lock(requestsMutex_);
        request = std::move(requests_.front());
        requests_.pop_front();
        // Paged past before its turn came: not worth reading.
        if (wanted_.at(static_cast<std::size_t>(request.pane)).load() != request.ticket) {
            return;
        }
        files = &files_;
        box = box_;
    }
    auto picture = std::make_shared<const PaneFrames>(
        decodeForPane(readPictureFile(*files, request.file), box));
    QMetaObject::invokeMethod(
        this,
        [this, request = std::move(request), picture] {
            keep(request.file.key(), picture);
            if (wanted_.at(static_cast<std::size_t>(request.pane)).load() == request.ticket) {
                emit decoded(request.pane, picture);
            }
        },
        Qt::QueuedConnection);
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
