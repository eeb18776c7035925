// What the window and message-queue part of the subset offers the rest of the
// platform layer (device contexts, backends).
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
// The window that owns the display, or null.
HWND DisplayWindow();
// True when a message was posted or a window became invalid since the program
// last looked at its queue.
bool InputArrivedSinceLastLook();

}  // namespace platform
