// The process entry point of the game off Windows: answer --version or --help,
// or choose the display, then hand over to WinMain.
#include <cstdio>

#include "Platform/sdl/SdlBackend.h"
#include "Platform/Win32.h"
#include "Platform/sdl/CommandLine.h"

int main(int argc, char** argv) {
    if (platform::AnswerCommandLine(argc, argv, stdout)) {
        return 0;
    }
    if (!platform::SelectSdlBackend()) {
        std::fprintf(stderr, "whirlquarium: no display found\n");
        return 1;
    }
    static char s_szCmdLine[] = "";
    return WinMain(GetModuleHandle(nullptr), nullptr, s_szCmdLine, SW_SHOWNORMAL);
}
