// The tick count, the key levels and sleeping, all from the backend.
#include "Platform/Backend.h"
#include "Platform/Keys.h"
#include "Platform/Win32.h"

using namespace platform;

DWORD WINAPI GetTickCount(void) { return CurrentBackend().Ticks(); }

// Only the keys the game reads are ever down.
SHORT WINAPI GetAsyncKeyState(int vKey) {
    if (FindGameKey(vKey) == nullptr) return 0;
    return CurrentBackend().IsKeyDown(vKey) ? static_cast<SHORT>(0x8000) : 0;
}

void WINAPI Sleep(DWORD dwMilliseconds) { CurrentBackend().Delay(dwMilliseconds); }
