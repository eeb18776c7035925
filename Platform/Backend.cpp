// Which backend is in use.
#include "Platform/Backend.h"
#include "Platform/WindowState.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Backend* s_pCurrent = nullptr;
}

Backend& CurrentBackend() {
    if (!s_pCurrent) {
        std::fprintf(stderr, "platform: no display backend was chosen before the platform was used\n");
        std::abort();
    }
    return *s_pCurrent;
}

void SetCurrentBackend(Backend* pBackend) {
    s_pCurrent = pBackend;
    ForgetKeys();
}

}  // namespace platform
