#pragma once
// One QApplication for a test binary's window tests, made on first use.
#include <QApplication>

namespace qh::testing {

inline void ensureApplication() {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "qinghe-test";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

}  // namespace qh::testing
