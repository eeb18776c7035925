// whirl-window-probe [CLASS [TITLE]]: finds the top-level window of that class
// and title (default "Whirlquarium" for both) and prints, as the system sees it,
//   client WIDTH HEIGHT
//   origin LEFT TOP        (the client area's top-left corner on the screen)
//   style 0xSTYLE
// Exits 1 when there is no such window.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    const char* szClass = argc > 1 ? argv[1] : "Whirlquarium";
    const char* szTitle = argc > 2 ? argv[2] : "Whirlquarium";
    HWND hWindow = FindWindowA(szClass, szTitle);
    RECT rcClient = {0, 0, 0, 0};
    POINT ptOrigin = {0, 0};
    if (hWindow == NULL || !GetClientRect(hWindow, &rcClient) || !ClientToScreen(hWindow, &ptOrigin)) {
        std::fprintf(stderr, "whirl-window-probe: no window \"%s\" of class \"%s\"\n", szTitle, szClass);
        return 1;
    }
    std::printf("client %ld %ld\n", static_cast<long>(rcClient.right), static_cast<long>(rcClient.bottom));
    std::printf("origin %ld %ld\n", static_cast<long>(ptOrigin.x), static_cast<long>(ptOrigin.y));
    std::printf("style 0x%08lX\n", static_cast<unsigned long>(GetWindowLongA(hWindow, GWL_STYLE)));
    return 0;
}
