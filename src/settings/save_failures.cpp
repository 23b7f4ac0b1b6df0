#include "settings/save_failures.h"

namespace qh {

void SaveFailures::setNotice(Notice notice) {
    notice_ = std::move(notice);
    tellOnce();
}

bool SaveFailures::record(bool saved, const std::filesystem::path& file) {
    if (!saved && !firstFailure_) {
        firstFailure_ = file;
        tellOnce();
    }
    return saved;
}

void SaveFailures::tellOnce() {
    if (told_ || !firstFailure_ || !notice_) {
        return;
    }
    told_ = true;
    notice_(*firstFailure_);
}

}  // namespace qh
