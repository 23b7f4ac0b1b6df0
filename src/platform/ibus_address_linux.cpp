#include "platform/ibus_address_linux.h"

#include <signal.h>

#include <charconv>
#include <fstream>
#include <string>
#include <string_view>

namespace qh {

namespace {

struct AddressFile {
    std::string address;
    pid_t daemon = 0;
};

AddressFile readAddressFile(const std::filesystem::path& file) {
    constexpr std::string_view addressKey = "IBUS_ADDRESS=";
    constexpr std::string_view pidKey = "IBUS_DAEMON_PID=";
    AddressFile result;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view text(line);
        if (text.starts_with(addressKey)) {
            result.address = text.substr(addressKey.size());
        } else if (text.starts_with(pidKey)) {
            const auto number = text.substr(pidKey.size());
            std::from_chars(number.data(), number.data() + number.size(), result.daemon);
        }
    }
    return result;
}

bool isAlive(pid_t process) {
    return process > 0 && ::kill(process, 0) == 0;
}

std::filesystem::path configFolder() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty()) {
        return xdg.toStdString();
    }
    return std::filesystem::path(qEnvironmentVariable("HOME").toStdString()) / ".config";
}

}  // namespace

std::optional<QString> ibusAddressInFolder(const std::filesystem::path& folder) {
    std::optional<QString> newest;
    std::filesystem::file_time_type newestTime;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        const auto written = entry.last_write_time(error);
        if (error || (newest && written <= newestTime)) {
            continue;
        }
        const AddressFile file = readAddressFile(entry.path());
        if (!file.address.empty() && isAlive(file.daemon)) {
            newest = QString::fromStdString(file.address);
            newestTime = written;
        }
    }
    return newest;
}

std::optional<QString> runningIBusAddress() {
    const QString fromEnvironment = qEnvironmentVariable("IBUS_ADDRESS");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return ibusAddressInFolder(configFolder() / "ibus" / "bus");
}

}  // namespace qh
