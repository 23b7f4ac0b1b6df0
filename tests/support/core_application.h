#pragma once
// One Qt application object for a test binary, made on first use: a QCoreApplication for tests
// that need Qt's event machinery but no window, a QApplication (qt_application.h) for windows.
#include <QCoreApplication>

namespace qh::testing {

template <typename Application>
void ensureApplicationOf() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "qinghe-test";
        static char* argv[] = {name, nullptr};
        new Application(argc, argv);
    }
}

inline void ensureCoreApplication() {
    ensureApplicationOf<QCoreApplication>();
}

}  // namespace qh::testing
