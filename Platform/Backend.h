// The seam beneath the Win32 subset: what a display backend provides, and the
// few things the subset offers back to a backend. Each backend is a folder of
// its own: sdl/ (a real window) and headless/ (a virtual clock and scripted
// input, for tests and the replay tool). A new backend implements this class
// and a Select function that makes it current (see Headless.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "Platform/Win32.h"

namespace platform {

class Backend {
public:
    virtual ~Backend() = default;

    // The one display window: opened hidden with the given client size and
    // caption. False when no display can be reached.
    virtual bool OpenDisplay(const char* szCaption, int iWidth, int iHeight, int iIconId) = 0;
    virtual void ShowDisplay(bool bShow) = 0;
    virtual void CloseDisplay() = 0;
    // Shows a 32-bit image (bytes B, G, R, unused per pixel, rows top-down).
    virtual void Present(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) = 0;
    // The display's own pixels, when it keeps them in that format at the given
    // size: the window image then lives there, and Present of them copies
    // nothing. Null otherwise. Valid until events are pumped or the display
    // closes.
    virtual uint8_t* DisplayPixels(int iWidth, int iHeight, ptrdiff_t& iStride) {
        (void)iWidth, (void)iHeight, (void)iStride;
        return nullptr;
    }

    // Turns whatever happened since the last call into posted messages and key
    // levels.
    virtual void PumpEvents() = 0;
    // Waits until input arrives (true) or the milliseconds pass (false);
    // INFINITE waits without end.
    virtual bool WaitForInput(DWORD dwMilliseconds) = 0;
    virtual void Delay(DWORD dwMilliseconds) = 0;
    // Milliseconds since the program started.
    virtual DWORD Ticks() = 0;

    virtual bool IsKeyDown(int iVirtualKey) = 0;
    virtual void GetScreenSize(int& iWidth, int& iHeight) = 0;
    virtual void SetCursorVisible(bool bVisible) = 0;
    virtual void ShowMessage(const char* szCaption, const char* szText) = 0;
};

// The backend in use. Each program chooses one before it uses the platform;
// using it without one is a fault of the program, reported and ended here.
Backend& CurrentBackend();
void SetCurrentBackend(Backend* pBackend);
// The one headless backend of the process.
Backend& HeadlessBackend();

}  // namespace platform
