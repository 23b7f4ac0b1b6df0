#pragma once
// Keeps the listing index in the data folder from one run to the next: reads it at start on a
// thread of its own, so the window opens at once, and writes it whole (temporary file, renamed
// into place) when it has changed, again off the window's thread. An index that cannot be read
// as a whole (cut short, of another format, another computer's, written by a program killed in
// the middle) is ignored and rebuilt by the walks. The index only spares the disk work: a save
// that fails costs nothing but that, and is tried again at the next save.
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "platform/listing_index.h"

namespace qh {

class ListingIndexKeeper {
public:
    // `machine` names this computer (thisMachineName()).
    ListingIndexKeeper(ListingIndex& index, std::filesystem::path file, std::string machine);
    // Waits for a load or save under way, then saves what changed since the last save.
    ~ListingIndexKeeper();
    ListingIndexKeeper(const ListingIndexKeeper&) = delete;
    ListingIndexKeeper& operator=(const ListingIndexKeeper&) = delete;

    // Reads the saved index; walks wait for it meanwhile.
    void startLoading();
    // Saves on the keeper's thread if the index changed since the last save.
    void saveIfChanged();
    // Until the load and the saves asked for so far are done.
    void waitUntilIdle();

private:
    void work(std::stop_token stop);
    void load();
    void save();

    ListingIndex& index_;
    std::filesystem::path file_;
    std::string machine_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::condition_variable idle_;
    bool loadWanted_ = false;  // guarded by mutex_, as the two below
    bool saveWanted_ = false;
    bool busy_ = false;
    std::jthread worker_;
};

// This computer's identity for the index: the machine id the system keeps, empty without one.
std::string thisMachineName();

}  // namespace qh
