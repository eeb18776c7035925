// whirl-window-probe: reports the game's window as Windows itself sees it, for
// the check that runs the game under a display server. Prints
//   client WIDTH HEIGHT
//   origin LEFT TOP        (the client area's top-left corner on the screen)
//   style 0xSTYLE
// and exits 0; exits 1 when no top-level window has the class and title given
// (default "Whirlquarium" for both).
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    const char* szClass = argc > 1 ? argv[1] : "Whirlquarium";
    const char* szTitle = argc > 2 ? argv[2] : "Whirlquarium";
    HWND hWindow = FindWindowA(szClass, szTitle);
    if (hWindow == NULL) {
        std::fprintf(stderr, "whirl-window-probe: no window \"%s\" of class \"%s\"\n", szTitle, szClass);
        return 1;
    }
    RECT rcClient = {0, 0, 0, 0};
    POINT ptOrigin = {0, 0};
    if (!GetClientRect(hWindow, &rcClient) || !ClientToScreen(hWindow, &ptOrigin)) {
        std::fprintf(stderr, "whirl-window-probe: the window has no client area\n");
        return 1;
    }
    const unsigned long ulStyle = static_cast<unsigned long>(GetWindowLongA(hWindow, GWL_STYLE));
    std::printf("client %ld %ld\n", static_cast<long>(rcClient.right - rcClient.left),
                static_cast<long>(rcClient.bottom - rcClient.top));
    std::printf("origin %ld %ld\n", static_cast<long>(ptOrigin.x), static_cast<long>(ptOrigin.y));
    std::printf("style 0x%08lX\n", ulStyle);
    return 0;
}
