#pragma once
// One QApplication for a test binary's window tests, made on first use.
#include <QApplication>

#include "support/core_application.h"

namespace qh::testing {

inline void ensureApplication() {
    ensureApplicationOf<QApplication>();
}

}  // namespace qh::testing
