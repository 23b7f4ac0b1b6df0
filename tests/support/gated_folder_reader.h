#pragma once
// A folder reader that holds a walk back at the sub-folder of one name until the gate is opened,
// as a slow disk would, so a test can act while a search is still walking.
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "platform/folder_reader.h"
#include "text/gbk.h"

namespace qh::testing {

// Holds a walk back at the sub-folder of one name until opened, as a slow disk would.
class GatedReader final : public FolderReader {
public:
    GatedReader(const FolderReader& inner, std::string_view gatedName)
        : inner_(inner), gatedName_(gbk(gatedName)) {}

    std::unique_ptr<OpenFolder> open(std::string_view folder,
                                     const NamePattern& pattern) const override {
        auto open = inner_.open(folder, pattern);
        return open ? std::make_unique<Gated>(std::move(open), *this) : nullptr;
    }

    void openGate() const { open_ = true; }
    bool reached() const { return reached_; }

private:
    struct Gated final : OpenFolder {
        Gated(std::unique_ptr<OpenFolder> inner, const GatedReader& reader)
            : inner(std::move(inner)), reader(reader) {}
        bool next(FolderEntry& entry) override { return inner->next(entry); }
        std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override {
            if (name == reader.gatedName_) {
                reader.reached_ = true;
                while (!reader.open_) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            }
            auto open = inner->openSubfolder(name);
            return open ? std::make_unique<Gated>(std::move(open), reader) : nullptr;
        }
        std::unique_ptr<OpenFolder> inner;
        const GatedReader& reader;
    };

    const FolderReader& inner_;
    std::string gatedName_;
    mutable std::atomic<bool> open_ = false;
    mutable std::atomic<bool> reached_ = false;
};

}  // namespace qh::testing
