// The keys the game reads, as a web page names them (KeyboardEvent.code).
#pragma once

#include "Platform/Backend.h"

namespace platform {

struct WebKey {
    int iVirtualKey;
    const char* szCode;
};

const WebKey kWebKeys[] = {
    {VK_ESCAPE, "Escape"}, {VK_LEFT, "ArrowLeft"}, {VK_UP, "ArrowUp"}, {VK_RIGHT, "ArrowRight"}, {VK_DOWN, "ArrowDown"},
};

}  // namespace platform
