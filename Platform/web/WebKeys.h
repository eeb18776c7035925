// The keys the game reads, and the controls that stand for them (Keys.h), as
// a web page names them: keys by KeyboardEvent.code (the key's place), a
// gamepad's buttons by their index in the Gamepad API's standard layout.
#pragma once

#include "Platform/Backend.h"
#include "Platform/Keys.h"

namespace platform {

struct WebKey {
    int iVirtualKey;
    const char* szCode;
};

const WebKey kWebKeys[] = {
    {VK_ESCAPE, "Escape"}, {VK_LEFT, "ArrowLeft"}, {VK_UP, "ArrowUp"}, {VK_RIGHT, "ArrowRight"}, {VK_DOWN, "ArrowDown"},
};

struct WebArcadeKey {
    Control eControl;
    const char* szCode;
};

const WebArcadeKey kWebArcadeKeys[] = {{Control::CoinKey, "Digit5"}, {Control::StartKey, "Digit1"}};

struct WebPadButton {
    Control eControl;
    int iIndex;
};

const WebPadButton kWebPadButtons[] = {
    {Control::DpadRight, 15}, {Control::DpadLeft, 14}, {Control::DpadUp, 12}, {Control::DpadDown, 13},
    {Control::South, 0},      {Control::East, 1},      {Control::Back, 8},
};

}  // namespace platform
