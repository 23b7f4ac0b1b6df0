#pragma once
// Every write of the data folder that fails is recorded here. The clerk hears of the first one
// of a run in a message box: a full or read-only disk is told, never taken as saved, and not
// told again at every keystroke of a field that saves as it is typed.
#include <filesystem>
#include <functional>
#include <optional>

namespace qh {

class SaveFailures {
public:
    using Notice = std::function<void(const std::filesystem::path& file)>;

    // Until a notice is set, failures are kept and the first one is told when it is.
    void setNotice(Notice notice);
    // Hands `saved` back, so a write can be recorded where it is made.
    bool record(bool saved, const std::filesystem::path& file);
    bool anyFailed() const { return firstFailure_.has_value(); }

private:
    void tellOnce();

    Notice notice_;
    std::optional<std::filesystem::path> firstFailure_;
    bool told_ = false;
};

}  // namespace qh
