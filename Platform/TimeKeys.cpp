// The tick count, the key levels and sleeping. The levels are the ones the
// backend in use last reported.
#include "Platform/Backend.h"
#include "Platform/Keys.h"
#include "Platform/Win32.h"

namespace platform {
namespace {
bool s_abDown[256] = {};
}

void ReportKey(int iVirtualKey, bool bDown) {
    if (FindGameKey(iVirtualKey) != nullptr) s_abDown[iVirtualKey] = bDown;
}

// A backend made current starts with every key up.
void ForgetKeys() {
    for (bool& b : s_abDown) b = false;
}

}  // namespace platform

using namespace platform;

DWORD WINAPI GetTickCount(void) { return CurrentBackend().Ticks(); }

// Only the keys the game reads are ever down. As on Windows, the level is the
// key's now: the backend reports what happened before it is read.
SHORT WINAPI GetAsyncKeyState(int vKey) {
    if (FindGameKey(vKey) == nullptr) return 0;
    CurrentBackend().PumpEvents();
    return s_abDown[vKey] ? static_cast<SHORT>(0x8000) : 0;
}

void WINAPI Sleep(DWORD dwMilliseconds) { CurrentBackend().Delay(dwMilliseconds); }
