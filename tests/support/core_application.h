#pragma once
// One QCoreApplication for a test binary's tests that need Qt's event machinery but no window,
// made on first use.
#include <QCoreApplication>

namespace qh::testing {

inline void ensureCoreApplication() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "qinghe-test";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
}

}  // namespace qh::testing
