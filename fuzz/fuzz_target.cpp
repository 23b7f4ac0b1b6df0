// The libFuzzer entry of one target, named by QH_FUZZ_TARGET when it is compiled: a broken
// property aborts with its text, which libFuzzer reports with the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "properties/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const qh::fuzz::FuzzTarget* const target = qh::fuzz::findFuzzTarget(QH_FUZZ_TARGET);
    if (target == nullptr) {
        std::fprintf(stderr, "fuzz: no target %s\n", QH_FUZZ_TARGET);
        std::abort();
    }
    const std::string broken = target->check({reinterpret_cast<const char*>(data), size});
    if (!broken.empty()) {
        std::fprintf(stderr, "fuzz %s: %s\n", QH_FUZZ_TARGET, broken.c_str());
        std::abort();
    }
    return 0;
}
