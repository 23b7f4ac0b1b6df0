#pragma once
// Lets a failing comparison of Qt strings show the text rather than bytes.
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
