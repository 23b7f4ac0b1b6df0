#pragma once
// Who writes a temporary file: the computer's boot, the process and when it started. A temporary
// file's name carries its writer, so that a later sweep can tell the files of a writer that is
// gone (killed, or the computer switched off) from those still being written by another running
// program. A process id alone is used again by another process sooner or later.
#include <sys/types.h>
#include <optional>
#include <string>
#include <string_view>

namespace qh {

struct TemporaryWriter {
    std::string boot;  // the first eight hex digits of the kernel's boot id
    pid_t pid = 0;
    std::string startTime;  // clock ticks after boot, from /proc/PID/stat
    bool operator==(const TemporaryWriter&) const = default;

    // "BOOT-PID-START", for a temporary file's name.
    std::string stem() const;
};

const TemporaryWriter& thisWriter();

// The writer a stem names; empty when the text is no stem.
std::optional<TemporaryWriter> writerOfStem(std::string_view stem);

// The writer can never finish its file: it ran under another boot, or no process of its id
// started when it did. This process is never gone.
bool writerGone(const TemporaryWriter& writer);

// A process of that id exists (or may: one of another user answers EPERM).
bool processRunning(pid_t pid);

}  // namespace qh
