// The platform layer's one contract with its display backends, in two halves:
// what a backend supplies (the class Backend) and what a backend may call (the
// functions after it). A backend includes this header, the shared key table
// (Keys.h) and its own library, nothing else of the layer; input reaches the
// program only through the calls below, never through posted Win32 messages.
//
// A backend is a folder of Platform/ with its main source (which opens with a
// checklist), its selector in a header of its own, and one source list in
// cmake/Sources.cmake (built by a target of CMakeLists.txt). headless/ is the
// one to copy when starting another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Platform/Win32.h"

namespace platform {

// The longest side of any bitmap or window the layer makes, and so of any
// image a backend is given: far beyond any screen, and within what display
// servers accept for a window.
const int kMaxImageSide = 16384;

// ---- What a backend supplies --------------------------------------------------------

class Backend {
public:
    virtual ~Backend() = default;

    // Opens the one display, hidden, for an image of the given size; the
    // caption and the icon resource (0: none) are for its window. False, with
    // the cause on standard error, when no display can be reached.
    virtual bool OpenDisplay(const char* szCaption, int iWidth, int iHeight, int iIconId) = 0;
    // Shows or hides the display; showing it activates it.
    virtual void ShowDisplay(bool bShow) = 0;
    // Closes the display; it may be opened again.
    virtual void CloseDisplay() = 0;
    // Shows an image of the display's size: 4 bytes a pixel (B, G, R, unused),
    // rows top-down iStride bytes apart. TakeDisplayChange tells what changed.
    virtual void Present(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) = 0;
    // The display's own pixels, when it keeps them in that format at that size:
    // the window's image then lives there and Present of them copies nothing.
    // Null otherwise. Valid until events are pumped or the display closes.
    virtual uint8_t* DisplayPixels(int iWidth, int iHeight, ptrdiff_t& iStride) {
        (void)iWidth, (void)iHeight, (void)iStride;
        return nullptr;
    }

    // Reports, through the calls below, whatever happened since the last call:
    // key levels, mouse buttons, activation, a close request. Called while the
    // program looks at its queue or waits, and before each key level is read.
    virtual void PumpEvents() = 0;
    // Sleeps until an event may have come or the milliseconds have passed
    // (INFINITE: no end); the layer pumps and looks again after each return.
    virtual void AwaitEvent(DWORD dwMilliseconds) = 0;
    // Sleeps the milliseconds, input or not.
    virtual void Delay(DWORD dwMilliseconds) = 0;
    // Milliseconds since the program started, wrapping at 2^32.
    virtual DWORD Ticks() = 0;

    // The desktop's size in pixels.
    virtual void GetScreenSize(int& iWidth, int& iHeight) = 0;
    virtual void SetCursorVisible(bool bVisible) = 0;
    // An error the user should see; the layer has already written it to
    // standard error.
    virtual void ShowMessage(const char* szCaption, const char* szText) = 0;
};

// ---- What a backend may call -----------------------------------------------------

// Makes the backend the one in use; each backend's selector calls it.
void SetCurrentBackend(Backend* pBackend);

// A key the game reads (Keys.h) is down or up from now on; others are ignored.
// Where several of a backend's keys and buttons stand for one key, its level
// is theirs together (KeyLevels in Keys.h reports it).
void ReportKey(int iVirtualKey, bool bDown);
enum class MouseButton { Left, Middle, Right };
// A mouse button went down or up at a point of the image (its own pixels).
void ReportMouseButton(MouseButton eButton, bool bDown, int iX, int iY);
// The display became the active one, or stopped being it.
void ReportActivation(bool bActive);
// The user asked to close the display (or, with none open, the program).
void ReportCloseRequest();
// The display lost its picture: the window is asked to paint again.
void ReportExposed();

// The bytes of the icon resource with that ID, as its .ico file holds them;
// false when there is none.
bool FindIconResource(int iIconId, const uint8_t*& pData, size_t& cbData);
// Hands over the part of the display's image drawn since the last call and
// forgets it; false when nothing changed.
bool TakeDisplayChange(RECT& rcChanged);
// The display's image as it is now: 3 bytes a pixel (R, G, B), rows top-down.
// False when no display is open.
bool ReadDisplayImage(std::vector<unsigned char>& vRGB, int& iWidth, int& iHeight);

// ---- The layer's own -------------------------------------------------------------

// The backend in use. Each program chooses one before it uses the platform;
// using it without one is a fault of the program, reported and ended here.
Backend& CurrentBackend();
// Pumps and sleeps until input arrives (true) or the milliseconds pass
// (false); INFINITE waits without end. The one wait every backend shares.
bool WaitForInput(DWORD dwMilliseconds);

}  // namespace platform
