// What the blended and the saved score boards share: how a board comes up,
// and how it answers telegrams.
#pragma once

#include "Engine/State.h"
#include "Platform/Win32.h"

class Bitmap;
class Screen;
struct Telegram;

namespace scoreboards {

// Raises the scores flag, describes the sprite the last state left and shows
// the board.
void Show(Screen* pScreen, const char* szPrefix, Bitmap* pBitmap, RECT rcBounds, int iNumFrames, int iFrameDelay,
          POINT ptVelocity, int iZOrder);
// Describes the board, and asks for the next game when this one is over.
void Shown(Screen* pScreen, const char* szPrefix);
// A credit leaves the board for the title, a cycle request for pCycleTo,
// except when the game is over; a new game resets every entity when it is.
bool OnMessage(Screen* pScreen, const Telegram& msg, State<Screen>* pCycleTo);

}  // namespace scoreboards
