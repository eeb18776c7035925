// Which backend is in use.
#include "Platform/Backend.h"

namespace platform {
namespace {
Backend* s_pCurrent = nullptr;
}

Backend& CurrentBackend() { return s_pCurrent ? *s_pCurrent : HeadlessBackend(); }

void SetCurrentBackend(Backend* pBackend) { s_pCurrent = pBackend; }

}  // namespace platform
