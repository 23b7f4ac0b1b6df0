#include "platform/disk_identity_linux.h"

#include <sys/sysmacros.h>

#include <system_error>

namespace qh {

std::string diskOf(dev_t device, const std::filesystem::path& sysfs) {
    const auto number = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    std::error_code error;
    auto entry = std::filesystem::canonical(sysfs / "dev" / "block" / number, error);
    if (error) {
        return "device " + number;
    }
    if (std::filesystem::exists(entry / "partition", error)) {
        entry = entry.parent_path();
    }
    return entry.string();
}

}  // namespace qh
