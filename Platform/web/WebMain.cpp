// The entry point of the game in a web page: choose the page's backend, run
// WinMain, then tell the page the game has ended (Escape ends the loop and
// WinMain returns, as on Windows).
#include "Platform/Win32.h"
#include "Platform/web/WebBackend.h"

extern "C" void whirl_web_ended(int iExitCode);

int main() {
    platform::SelectWebBackend();
    static char s_szCmdLine[] = "";
    const int iExitCode = WinMain(GetModuleHandle(nullptr), nullptr, s_szCmdLine, SW_SHOWNORMAL);
    whirl_web_ended(iExitCode);
    return iExitCode;
}
