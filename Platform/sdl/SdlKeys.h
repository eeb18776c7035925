// The keys the game reads, and the controls that stand for them (Keys.h), as
// SDL names the keys and a game controller's buttons.
#pragma once

#include <SDL_gamecontroller.h>
#include <SDL_scancode.h>

#include "Platform/Backend.h"
#include "Platform/Keys.h"

namespace platform {

struct SdlKey {
    int iVirtualKey;
    SDL_Scancode scancode;
};

const SdlKey kSdlKeys[] = {
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE}, {VK_LEFT, SDL_SCANCODE_LEFT}, {VK_UP, SDL_SCANCODE_UP},
    {VK_RIGHT, SDL_SCANCODE_RIGHT},   {VK_DOWN, SDL_SCANCODE_DOWN},
};

// The arcade keys, by the place of the key (an encoder sends the same whatever the layout).
struct SdlArcadeKey {
    Control eControl;
    SDL_Scancode scancode;
};

const SdlArcadeKey kSdlArcadeKeys[] = {{Control::CoinKey, SDL_SCANCODE_5}, {Control::StartKey, SDL_SCANCODE_1}};

struct SdlPadButton {
    Control eControl;
    SDL_GameControllerButton button;
};

const SdlPadButton kSdlPadButtons[] = {
    {Control::DpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT}, {Control::DpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {Control::DpadUp, SDL_CONTROLLER_BUTTON_DPAD_UP},       {Control::DpadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {Control::South, SDL_CONTROLLER_BUTTON_A},              {Control::East, SDL_CONTROLLER_BUTTON_B},
    {Control::Back, SDL_CONTROLLER_BUTTON_BACK},
};

}  // namespace platform
