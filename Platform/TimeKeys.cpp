// The tick count, the key levels and sleeping, all from the backend.
#include "Platform/Backend.h"
#include "Platform/Win32.h"

using namespace platform;

DWORD WINAPI GetTickCount(void) { return CurrentBackend().Ticks(); }

SHORT WINAPI GetAsyncKeyState(int vKey) {
    switch (vKey) {
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return CurrentBackend().IsKeyDown(vKey) ? static_cast<SHORT>(0x8000) : 0;
    default:
        return 0;
    }
}

void WINAPI Sleep(DWORD dwMilliseconds) { CurrentBackend().Delay(dwMilliseconds); }
