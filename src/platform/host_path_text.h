#pragma once
// Host paths at Qt's boundary (dialogs, processes, messages): the bytes of a Linux path in the
// system's own encoding, as Qt reads and writes file names.
#include <QString>
#include <filesystem>

namespace qh {

inline QString hostPathText(const std::filesystem::path& path) {
    return QString::fromLocal8Bit(path.native().data(),
                                  static_cast<qsizetype>(path.native().size()));
}

inline std::filesystem::path hostPathOf(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::filesystem::path(std::string(bytes.constData(), bytes.size()));
}

}  // namespace qh
