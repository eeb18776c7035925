#include "Platform/sdl/WindowScale.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "Platform/Backend.h"
#include "Platform/sdl/ScaledPicture.h"

namespace platform {
namespace {

// The factor the environment asks for, or 0 when it names none that can be had.
int ScaleFromEnvironment(int iWidth, int iHeight) {
    const char* szScale = std::getenv("WHIRLQUARIUM_SCALE");
    if (!szScale || !*szScale) return 0;
    char* pEnd = nullptr;
    errno = 0;
    const long lScale = std::strtol(szScale, &pEnd, 10);
    if (errno == 0 && *pEnd == '\0' && lScale >= 1 && lScale * iWidth <= kMaxImageSide &&
        lScale * iHeight <= kMaxImageSide)
        return static_cast<int>(lScale);
    std::fprintf(stderr, "SDL backend: WHIRLQUARIUM_SCALE=%s is not a whole factor from 1 to %d; ignored\n", szScale,
                 kMaxImageSide / (iWidth > iHeight ? iWidth : iHeight));
    return 0;
}

}  // namespace

int StartingScale(int iWidth, int iHeight) {
    if (const int iScale = ScaleFromEnvironment(iWidth, iHeight)) return iScale;
    SDL_Rect rcUsable;
    if (SDL_GetDisplayUsableBounds(0, &rcUsable) != 0) return 1;
    // The frame the window manager will add is not known before the window is
    // shown; the frame the window procedure is told of stands for it.
    const int iFrameWidth = 2 * GetSystemMetrics(SM_CXFIXEDFRAME);
    const int iFrameHeight = 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION);
    return LargestScale(iWidth, iHeight, rcUsable.w - iFrameWidth, rcUsable.h - iFrameHeight);
}

}  // namespace platform
