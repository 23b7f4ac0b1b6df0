#include "text/temporary_writer.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <iterator>

namespace qh {

namespace {

std::string startTimeOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat{std::istreambuf_iterator<char>(in), {}};
    // The command name in parentheses may hold spaces; the fields after it do not.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return {};
    }
    std::string_view rest = std::string_view(stat).substr(close + 1);
    constexpr int kStartTimeAfterName = 20;  // field 22 of the line, the name being field 2
    for (int field = 0; field < kStartTimeAfterName; ++field) {
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(start);
        const std::size_t end = rest.find(' ');
        if (field == kStartTimeAfterName - 1) {
            return std::string(rest.substr(0, end));
        }
        if (end == std::string_view::npos) {
            return {};
        }
        rest.remove_prefix(end);
    }
    return {};
}

std::string bootId() {
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(in, id);
    return id.substr(0, 8);
}

// A start time that could not be read is written empty.
bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::string TemporaryWriter::stem() const {
    return boot + "-" + std::to_string(pid) + "-" + startTime;
}

const TemporaryWriter& thisWriter() {
    static const TemporaryWriter self{bootId(), ::getpid(), startTimeOf(::getpid())};
    return self;
}

std::optional<TemporaryWriter> writerOfStem(std::string_view stem) {
    const std::size_t first = stem.find('-');
    const std::size_t second = first == std::string_view::npos ? first : stem.find('-', first + 1);
    if (second == std::string_view::npos || stem.find('-', second + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view boot = stem.substr(0, first);
    const std::string_view pidText = stem.substr(first + 1, second - first - 1);
    const std::string_view start = stem.substr(second + 1);
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (boot.empty() || !allDigits(pidText) || error != std::errc{} || pid <= 0 ||
        end != pidText.data() + pidText.size() || (!start.empty() && !allDigits(start))) {
        return std::nullopt;
    }
    return TemporaryWriter{std::string(boot), pid, std::string(start)};
}

bool writerGone(const TemporaryWriter& writer) {
    if (writer == thisWriter()) {
        return false;
    }
    return writer.boot != thisWriter().boot || startTimeOf(writer.pid) != writer.startTime;
}

bool processRunning(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace qh
