// The process entry point of the game off Windows: choose the display, then
// hand over to WinMain.
#include <cstdio>

#include "Platform/sdl/SdlBackend.h"
#include "Platform/Win32.h"

int main(int argc, char** argv) {
    (void)argc, (void)argv;
    if (!platform::SelectSdlBackend()) {
        std::fprintf(stderr, "whirlquarium: no display found\n");
        return 1;
    }
    static char s_szCmdLine[] = "";
    return WinMain(GetModuleHandle(nullptr), nullptr, s_szCmdLine, SW_SHOWNORMAL);
}
