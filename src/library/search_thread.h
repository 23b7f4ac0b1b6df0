#pragma once
// Runs each search on a thread of its own and delivers what it finds on the thread this object
// lives on (the window's), in order and in batches. A search started while another still runs
// (the warm-up search, say) stops the older one and drops whatever it still hands over, so two
// walks never mix their rows in one result list.
#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "library/search_job.h"

namespace qh {

class SearchThread final : public QObject {
    Q_OBJECT

public:
    explicit SearchThread(const FolderReader& reader, BatchLimits limits = {},
                          QObject* parent = nullptr);
    // Stops the searches still running and waits for them: each stops before its next folder.
    ~SearchThread() override;

    void start(SearchRequest request);
    // The running search stops before its next folder; nothing more of it is delivered, not even
    // its end.
    void stop();

signals:
    // Only ever for the search started last.
    void pathsFound(const std::vector<std::string>& paths);
    void searchEnded();

private:
    struct Worker {
        std::jthread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    // A batch of paths, or the end when `ended`.
    struct Delivery {
        std::uint64_t generation = 0;
        std::vector<std::string> paths;
        bool ended = false;
    };

    // From a worker: queues the delivery and wakes this object's thread unless a wake-up is
    // already on its way.
    void post(Delivery delivery);
    // On this object's thread.
    void deliverPending();

    const FolderReader& reader_;
    BatchLimits limits_;
    std::uint64_t generation_ = 0;  // of the search started last; only this object's thread
    std::vector<Worker> workers_;
    std::mutex pendingMutex_;
    std::vector<Delivery> pending_;  // guarded by pendingMutex_
};

}  // namespace qh
