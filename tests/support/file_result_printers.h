#pragma once
// How a copy's outcome reads in a failed expectation.
#include <ostream>

#include "platform/file_system.h"

namespace qh {

inline const char* faultName(FileFault fault) {
    switch (fault) {
        case FileFault::DiskFull:
            return "DiskFull";
        case FileFault::DiskGone:
            return "DiskGone";
        case FileFault::DiskError:
            return "DiskError";
        case FileFault::WriteProtected:
            return "WriteProtected";
        case FileFault::FolderMissing:
            return "FolderMissing";
        case FileFault::SourceMissing:
            return "SourceMissing";
        case FileFault::SourceUnreadable:
            return "SourceUnreadable";
        case FileFault::VerifyFailed:
            return "VerifyFailed";
        case FileFault::Other:
            return "Other";
    }
    return "?";
}

inline void PrintTo(FileFault fault, std::ostream* out) {
    *out << faultName(fault);
}

inline void PrintTo(const CopyResult& result, std::ostream* out) {
    switch (result.kind()) {
        case CopyResult::Kind::Copied:
            *out << "Copied";
            return;
        case CopyResult::Kind::AlreadyThere:
            *out << "AlreadyThere";
            return;
        case CopyResult::Kind::Failed:
            *out << "Failed(" << faultName(result.fault()) << ")";
            return;
    }
}

inline void PrintTo(const FileStatus& status, std::ostream* out) {
    if (status) {
        *out << "ok";
    } else {
        *out << "failed(" << faultName(status.fault()) << ")";
    }
}

}  // namespace qh
