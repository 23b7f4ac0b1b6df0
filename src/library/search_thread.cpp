#include "library/search_thread.h"

#include <QMetaObject>
#include <algorithm>
#include <functional>

namespace qh {

namespace {

class PostingHost final : public SearchHost {
public:
    using Post = std::function<void(std::vector<std::string> paths, bool ended)>;

    explicit PostingHost(Post post) : post_(std::move(post)) {}

    void pathsFound(std::vector<std::string> paths) override { post_(std::move(paths), false); }
    void searchEnded() override { post_({}, true); }

private:
    Post post_;
};

}  // namespace

SearchThread::SearchThread(const FolderReader& reader, BatchLimits limits, QObject* parent)
    : QObject(parent), reader_(reader), limits_(limits) {}

SearchThread::~SearchThread() {
    // Joined here, while this object can still take their last posts (which are then dropped).
    workers_.clear();
}

void SearchThread::stop() {
    ++generation_;
    for (auto& worker : workers_) {
        worker.thread.request_stop();
    }
    // Joining a finished thread takes no time; the others are joined at a later start or at the
    // end, never while the window waits.
    std::erase_if(workers_, [](const Worker& worker) { return worker.finished->load(); });
}

void SearchThread::start(SearchRequest request) {
    stop();
    const std::uint64_t generation = generation_;

    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::jthread thread(
        [this, generation, finished,
         job = SearchJob(reader_, std::move(request), limits_)](std::stop_token stop) {
            PostingHost host([this, generation](std::vector<std::string> paths, bool ended) {
                post({generation, std::move(paths), ended});
            });
            job.run(host, stop);
            finished->store(true);
        });
    workers_.push_back({std::move(thread), std::move(finished)});
}

void SearchThread::post(Delivery delivery) {
    bool wake = false;
    {
        std::lock_guard lock(pendingMutex_);
        wake = pending_.empty();
        pending_.push_back(std::move(delivery));
    }
    if (wake) {
        QMetaObject::invokeMethod(this, &SearchThread::deliverPending, Qt::QueuedConnection);
    }
}

void SearchThread::deliverPending() {
    std::vector<Delivery> deliveries;
    {
        std::lock_guard lock(pendingMutex_);
        deliveries.swap(pending_);
    }
    for (const auto& delivery : deliveries) {
        // Checked for each: a receiver may start a newer search while this loop runs.
        if (delivery.generation != generation_) {
            continue;
        }
        if (delivery.ended) {
            emit searchEnded();
        } else {
            emit pathsFound(delivery.paths);
        }
    }
}

}  // namespace qh
