#include "library/read_ahead_folder_reader.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "library/walker.h"
#include "platform/file_system.h"

namespace qh {

namespace {

// A folder of the walk, from the moment its parent lists it until the caller is done with it.
struct Node {
    enum class State { Pending, Reading, Listed, Unreadable };

    std::string name;
    // Its place in the walk order: the index of each sub-folder on the way down from the root.
    std::vector<std::uint32_t> place;
    State state = State::Pending;
    bool readAhead = false;              // listed before the caller took it
    std::shared_ptr<OpenFolder> parent;  // until it is listed
    // Once listed, while it lists a folder of any kind: sub-folders open from it.
    std::shared_ptr<OpenFolder> folder;
    std::vector<FolderEntry> entries;
    std::vector<std::shared_ptr<Node>> subfolders;  // those a walk enters, in listing order
    std::size_t nextSubfolder = 0;                  // the next one the caller takes
};

struct EarlierInWalk {
    bool operator()(const std::shared_ptr<Node>& a, const std::shared_ptr<Node>& b) const {
        return a->place < b->place;
    }
};

struct Listing {
    bool readable = false;
    std::shared_ptr<OpenFolder> folder;
    std::vector<FolderEntry> entries;
    std::vector<std::shared_ptr<Node>> subfolders;
};

// The slow part, done without the lock: the kernel reads the folder.
Listing list(std::unique_ptr<OpenFolder> open, const std::vector<std::uint32_t>& place) {
    Listing listing{open != nullptr, std::move(open), {}, {}};
    if (!listing.readable) {
        return listing;
    }
    bool listsFolders = false;
    FolderEntry entry;
    while (listing.folder->next(entry)) {
        listsFolders = listsFolders || (entry.attributes & attr::Directory) != 0;
        if (ClassifyEntry(entry.name, entry.attributes) == EntryKind::Subfolder) {
            auto subfolder = std::make_shared<Node>();
            subfolder->name = entry.name;
            subfolder->place = place;
            subfolder->place.push_back(static_cast<std::uint32_t>(listing.subfolders.size()));
            subfolder->parent = listing.folder;
            listing.subfolders.push_back(std::move(subfolder));
        }
        listing.entries.push_back(std::move(entry));
    }
    // A folder of files only is closed at once: a walk reads far more of them than it holds
    // descriptors for, and the kernel frees its listing state soonest while it is fresh.
    if (!listsFolders) {
        listing.folder.reset();
    }
    return listing;
}

// One walk: the folders known and not yet read, ordered as the walk enters them, and the helper
// thread that reads the earliest of them while there is room ahead of the caller.
class Walk {
public:
    enum class Outcome { Listed, Unreadable, OutOfOrder, Stopped };
    struct Taken {
        Outcome outcome;
        std::shared_ptr<Node> node;  // when Listed
    };

    Walk(std::stop_token stop, ReadAheadLimits limits)
        : limits_(limits), forwardStop_(std::move(stop), [this] { stopping_.request_stop(); }) {}

    ~Walk() {
        stopping_.request_stop();
        if (helper_.joinable()) {
            helper_.join();
        }
    }

    // Lists the root on the caller's thread; the helper starts once there is a sub-folder to read.
    std::shared_ptr<Node> start(std::unique_ptr<OpenFolder> root) {
        auto node = std::make_shared<Node>();
        Listing listing = list(std::move(root), node->place);
        std::lock_guard lock(mutex_);
        publish(*node, std::move(listing), Reader::Taker);
        if (!pending_.empty()) {
            helper_ = std::thread([this] { readAhead(); });
        }
        return node;
    }

    // The sub-folder `name` of `parent`, the caller's next in walk order, read ahead or read here.
    // The caller never waits for the helper: while the helper reads this folder, the caller reads
    // a later one, or, with no room ahead, this one too, as the helper may have lost its core.
    Taken take(Node& parent, std::string_view name) {
        std::unique_lock lock(mutex_);
        if (parent.nextSubfolder == parent.subfolders.size() ||
            parent.subfolders[parent.nextSubfolder]->name != name) {
            return {Outcome::OutOfOrder, nullptr};
        }
        std::shared_ptr<Node> node = std::move(parent.subfolders[parent.nextSubfolder++]);
        const std::stop_token stop = stopping_.get_token();
        while (!stop.stop_requested()) {
            switch (node->state) {
                case Node::State::Pending:
                    pending_.erase(node);
                    node->state = Node::State::Reading;
                    read(lock, *node, Reader::Taker);
                    break;
                case Node::State::Reading:
                    if (roomAhead() && !pending_.empty()) {
                        read(lock, *claimEarliest(), Reader::Ahead);
                    } else {
                        read(lock, *node, Reader::Taker);
                    }
                    break;
                case Node::State::Listed:
                case Node::State::Unreadable:
                    if (node->readAhead) {
                        --foldersAhead_;
                        entriesAhead_ -= node->entries.size();
                        changed_.notify_all();
                    }
                    return listed(std::move(node));
            }
        }
        return {Outcome::Stopped, nullptr};
    }

private:
    static Taken listed(std::shared_ptr<Node> node) {
        if (node->state == Node::State::Unreadable) {
            return {Outcome::Unreadable, nullptr};
        }
        return {Outcome::Listed, std::move(node)};
    }

    void readAhead() {
        const std::stop_token stop = stopping_.get_token();
        std::unique_lock lock(mutex_);
        while (changed_.wait(lock, stop, [this] { return roomAhead() && !pending_.empty(); }) &&
               !stop.stop_requested()) {
            read(lock, *claimEarliest(), Reader::Ahead);
        }
    }

    bool roomAhead() const {
        return foldersAhead_ < limits_.folders && entriesAhead_ < limits_.entries;
    }

    std::shared_ptr<Node> claimEarliest() {
        std::shared_ptr<Node> node = pending_.extract(pending_.begin()).value();
        node->state = Node::State::Reading;
        return node;
    }

    // Who reads a folder: the caller about to enter it, or a thread reading ahead of the caller.
    enum class Reader { Taker, Ahead };

    // `node` is claimed (Reading), perhaps by both; the lock is let go while the folder is read,
    // and the first listing of it counts.
    void read(std::unique_lock<std::mutex>& lock, Node& node, Reader reader) {
        std::shared_ptr<OpenFolder> parent = node.parent;
        lock.unlock();
        Listing listing = list(parent->openSubfolder(node.name), node.place);
        // The parent's descriptor may close here, with its last sub-folder listed: not under the
        // lock.
        parent.reset();
        lock.lock();
        if (node.state == Node::State::Reading) {
            publish(node, std::move(listing), reader);
        }
    }

    void publish(Node& node, Listing listing, Reader reader) {
        node.state = listing.readable ? Node::State::Listed : Node::State::Unreadable;
        node.parent.reset();
        node.folder = std::move(listing.folder);
        node.entries = std::move(listing.entries);
        node.subfolders = std::move(listing.subfolders);
        pending_.insert(node.subfolders.begin(), node.subfolders.end());
        node.readAhead = reader == Reader::Ahead;
        if (node.readAhead) {
            ++foldersAhead_;
            entriesAhead_ += node.entries.size();
        }
        changed_.notify_all();
    }

    const ReadAheadLimits limits_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::set<std::shared_ptr<Node>, EarlierInWalk> pending_;
    std::size_t foldersAhead_ = 0;  // read and not yet taken
    std::size_t entriesAhead_ = 0;
    std::stop_source stopping_;
    std::stop_callback<std::function<void()>> forwardStop_;
    std::thread helper_;
};

// A folder whose listing was read whole, by the helper or by the caller.
class ReadAheadFolder final : public OpenFolder {
public:
    ReadAheadFolder(std::shared_ptr<Walk> walk, std::shared_ptr<Node> node)
        : walk_(std::move(walk)), node_(std::move(node)) {}

    bool next(FolderEntry& entry) override {
        if (nextEntry_ == node_->entries.size()) {
            return false;
        }
        entry = std::move(node_->entries[nextEntry_++]);
        return true;
    }

    std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override {
        auto taken = walk_->take(*node_, name);
        switch (taken.outcome) {
            case Walk::Outcome::Listed:
                return std::make_unique<ReadAheadFolder>(walk_, std::move(taken.node));
            case Walk::Outcome::OutOfOrder:
                // Only a folder that lists a sub-folder keeps itself open to open one.
                return node_->folder ? node_->folder->openSubfolder(name) : nullptr;
            case Walk::Outcome::Unreadable:
            case Walk::Outcome::Stopped:
                break;
        }
        return nullptr;
    }

private:
    std::shared_ptr<Walk> walk_;  // outlives the node: the last folder closed ends the walk
    std::shared_ptr<Node> node_;
    std::size_t nextEntry_ = 0;
};

}  // namespace

ReadAheadFolderReader::ReadAheadFolderReader(const FolderReader& inner, std::stop_token stop,
                                             ReadAheadLimits limits)
    : inner_(inner), stop_(std::move(stop)), limits_(limits) {}

std::unique_ptr<OpenFolder> ReadAheadFolderReader::open(std::string_view folder,
                                                        const NamePattern& pattern) const {
    auto root = inner_.open(folder, pattern);
    if (!root) {
        return nullptr;
    }
    auto walk = std::make_shared<Walk>(stop_, limits_);
    auto node = walk->start(std::move(root));
    return std::make_unique<ReadAheadFolder>(std::move(walk), std::move(node));
}

}  // namespace qh
