// What the window, message-queue and key parts of the subset offer the rest of
// the subset (device contexts, the backend in use); backends see Backend.h only.
#pragma once

#include "Platform/Surface.h"
#include "Platform/Win32.h"

namespace platform {

// The image of a live window, or null.
const Surface* WindowSurface(HWND hWnd);
// Shows the window's image on the display, if the window owns it.
void PresentWindow(HWND hWnd);
// What has been drawn on the window since the display last took it: a
// rectangle of the window's image, joined with every one noted before.
void NoteWindowChange(HWND hWnd, const RECT& rcChanged);
// Hands over the rectangle changed since the last call and forgets it; false
// when nothing changed.
bool TakeWindowChange(HWND hWnd, RECT& rcChanged);
// Marks the window as painted.
void ValidateWindow(HWND hWnd);
// Every key up again (a backend made current reports its own).
void ForgetKeys();

}  // namespace platform
