// Choosing the headless backend, and driving it: no display, a virtual clock
// and input scripted by tick, for tests and the replay tool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "Platform/Win32.h"

namespace platform {

class Backend;

// Selects the headless backend with a fresh virtual clock at 0 and no
// scripted events.
void SelectHeadlessBackend();
// The one headless backend of the process (for test doubles that wrap it).
Backend& HeadlessBackend();

namespace headless {

// The virtual clock: starts at 0 and moves on only when the program waits
// (MsgWaitForMultipleObjects), up to the earlier of the wait's end and the
// next scripted event. Events due at a tick are handled before a frame at
// that tick. Events are kept in tick order; events at the same tick keep the
// order in which they were scheduled.
DWORD Now();

// Key levels, as GetAsyncKeyState reports them from the given tick on.
void KeyDown(DWORD dwTick, int iVirtualKey);
void KeyUp(DWORD dwTick, int iVirtualKey);
// A mouse button's message (WM_LBUTTONDOWN, WM_RBUTTONUP, ...) reaching the
// main window at the given tick, at the point lParam packs. Any other message
// is refused (false): the mouse sends no other.
bool PostToWindow(DWORD dwTick, UINT uiMsg, LPARAM lParam = 0);
// WM_ACTIVATE with wParam WA_ACTIVE (TRUE) or WA_INACTIVE (FALSE).
void Activate(DWORD dwTick, BOOL bActive);
// The window's close button: WM_CLOSE, whose default handling destroys it.
void Close(DWORD dwTick);
// Any other action at the given tick (screenshots, checks).
void At(DWORD dwTick, std::function<void()> fnAction);
// Events still scheduled.
size_t PendingEvents();

// When the program waits with no end (asleep) and no event is left to come,
// the backend closes the window, so that a run can never hang.

// Called each time a picture reaches the display (once a frame, and when the
// window is painted), with the tick and the image as a display receives it:
// 32-bit pixels (bytes B, G, R, unused), rows top-down, iStride bytes apart.
// An empty function stops watching; choosing the backend again does too.
using FrameWatcher =
    std::function<void(DWORD dwTick, const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride)>;
void WatchFrames(FrameWatcher fnWatcher);

// The image last copied to the window: width x height, top-down, 3 bytes per
// pixel in R, G, B order. False when no window exists.
bool ReadWindowImage(std::vector<unsigned char>& vRGB, int& iWidth, int& iHeight);

}  // namespace headless
}  // namespace platform
