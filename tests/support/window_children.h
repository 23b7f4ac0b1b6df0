#pragma once
// Finds a window's control by its object name, failing the test (not crashing it) when the
// control is missing.
#include <gtest/gtest.h>
#include <QObject>
#include <QString>

namespace qh::testing {

template <typename T>
T* child(const QObject& parent, const char* name) {
    auto* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

}  // namespace qh::testing
