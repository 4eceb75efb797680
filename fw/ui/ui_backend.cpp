#include "fw/ui/ui_backend.h"

#include <cstdio>
#include <exception>

namespace fw {

namespace {
IUiBackend* g_backend = nullptr;
}

void SetBackend(IUiBackend* backend) {
    g_backend = backend;
}

IUiBackend& Backend() {
    if (g_backend == nullptr) {
        std::fputs("korvane: no user-interface backend installed\n", stderr);
        std::terminate();
    }
    return *g_backend;
}

} // namespace fw
