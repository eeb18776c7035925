// How much larger than the game's image the window opens.
#pragma once

namespace platform {

// The whole factor for an image of iWidth x iHeight: WHIRLQUARIUM_SCALE from
// the environment when it holds one, otherwise the largest at which the
// window, frame included, fits the desktop's usable area; at least 1.
int StartingScale(int iWidth, int iHeight);

}  // namespace platform
