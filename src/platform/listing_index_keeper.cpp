#include "platform/listing_index_keeper.h"

#include <utility>

#include "text/atomic_file.h"

namespace qh {

ListingIndexKeeper::ListingIndexKeeper(ListingIndex& index, std::filesystem::path file,
                                       std::string machine)
    : index_(index),
      file_(std::move(file)),
      machine_(std::move(machine)),
      worker_([this](std::stop_token stop) { work(stop); }) {}

ListingIndexKeeper::~ListingIndexKeeper() {
    saveIfChanged();
    waitUntilIdle();
    worker_.request_stop();
    worker_.join();
}

void ListingIndexKeeper::startLoading() {
    index_.setLoading(true);
    {
        std::lock_guard lock(mutex_);
        loadWanted_ = true;
    }
    wake_.notify_all();
}

void ListingIndexKeeper::saveIfChanged() {
    if (!index_.takeChanged()) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        saveWanted_ = true;
    }
    wake_.notify_all();
}

void ListingIndexKeeper::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_ && !loadWanted_ && !saveWanted_; });
}

void ListingIndexKeeper::work(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (wake_.wait(lock, stop, [this] { return loadWanted_ || saveWanted_; })) {
        const bool loading = std::exchange(loadWanted_, false);
        const bool saving = !loading && std::exchange(saveWanted_, false);
        busy_ = true;
        lock.unlock();
        if (loading) {
            load();
        } else if (saving) {
            save();
        }
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
}

void ListingIndexKeeper::load() {
    if (const auto content = readWholeFile(file_)) {
        if (auto saved = ListingIndex::parse(*content, machine_)) {
            index_.adopt(std::move(*saved));
        } else {
            // Not ours to read: rebuilt by the walks and saved over.
            index_.markChanged();
        }
    }
    index_.setLoading(false);
}

void ListingIndexKeeper::save() {
    if (!writeFileAtomically(file_, index_.serialize(machine_))) {
        index_.markChanged();
    }
}

}  // namespace qh
