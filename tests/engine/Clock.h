// Moves the headless backend's virtual clock for tests that need ticks.
#pragma once

#include "Platform/Headless.h"
#include "Platform/Win32.h"

namespace test_clock {

// Selects the headless backend: its clock starts at 0.
inline void Start() { platform::SelectHeadlessBackend(); }

inline void AdvanceTo(DWORD dwTick) {
    if (dwTick > GetTickCount()) MsgWaitForMultipleObjects(0, NULL, FALSE, dwTick - GetTickCount(), QS_ALLINPUT);
}

}  // namespace test_clock
