#pragma once
// Decodes the panes' pictures off the window's thread and keeps the recent ones, so paging through
// a folder of large photos never holds up the window and paging back shows them at once. Each
// pane waits only for the picture it asked for last; an answer it no longer wants is dropped.
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "windows/picture_decoding.h"
#include "windows/picture_paging.h"

namespace qh {

class FileSystem;

class PictureLoader : public QObject {
    Q_OBJECT
public:
    PictureLoader(const FileSystem& files, QSize box, QObject* parent = nullptr);
    // Waits for the decodes under way; their answers are dropped.
    ~PictureLoader() override;

    // The picture for `pane`: at once from the cache, or later through `decoded`.
    std::shared_ptr<const PaneFrames> cached(const PictureFile& file);
    void request(int pane, const PictureFile& file);
    // The pane wants no answer to its last request any more.
    void cancel(int pane);

signals:
    // On the window's thread, for the pane's latest request only.
    void decoded(int pane, std::shared_ptr<const PaneFrames> picture);

private:
    struct Request {
        int pane = 0;
        std::uint64_t ticket = 0;
        PictureFile file;
    };

    // On a pool thread: decodes the oldest request not yet taken.
    void decodeOldestRequest();
    void keep(const std::string& key, std::shared_ptr<const PaneFrames> picture);

    const FileSystem& files_;
    QSize box_;
    QThreadPool pool_;
    std::array<std::atomic<std::uint64_t>, kPicturePaneCount> wanted_{};
    // One request for each task given to the pool, oldest first. A task takes its work from here,
    // and reads the loader, only under this lock: the pool hands tasks over and waits for them
    // under locks of Qt's own, which ThreadSanitizer cannot see (Qt is not built with it).
    std::mutex requestsMutex_;
    std::deque<Request> requests_;  // guarded by requestsMutex_
    // Least recently shown first. Window's thread only.
    std::list<std::pair<std::string, std::shared_ptr<const PaneFrames>>> recent_;
    std::unordered_map<std::string, decltype(recent_)::iterator> byKey_;
    std::size_t cachedBytes_ = 0;
};

}  // namespace qh
