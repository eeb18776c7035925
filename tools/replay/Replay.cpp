// whirlquarium-replay: the game exactly as it is built, on the headless
// backend, driven by a script of timed input events.
//
//   whirlquarium-replay [--shots DIR] SCRIPT
//
// Standard output carries the game's console log and nothing else.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "Platform/Headless.h"
#include "Platform/Win32.h"
#include "tools/replay/Png.h"
#include "tools/replay/Script.h"

namespace {

int Usage() {
    std::cerr << "usage: whirlquarium-replay [--shots DIR] SCRIPT" << std::endl;
    return 2;
}

void TakeShot(const std::string& sPath) {
    std::vector<unsigned char> vRGB;
    int iWidth = 0, iHeight = 0;
    if (!platform::headless::ReadWindowImage(vRGB, iWidth, iHeight) || !replay::WritePng(sPath, vRGB, iWidth, iHeight))
        std::cerr << "whirlquarium-replay: could not write " << sPath << std::endl;
}

void Schedule(const replay::Script& script, const std::string& sShotDir) {
    namespace hl = platform::headless;
    DWORD dwLast = 0;
    bool bEnded = false;
    for (const replay::Event& e : script.vEvents) {
        dwLast = e.dwTick;
        switch (e.kind) {
            case replay::EventKind::KeyDown: hl::KeyDown(e.dwTick, e.iArg); break;
            case replay::EventKind::KeyUp: hl::KeyUp(e.dwTick, e.iArg); break;
            case replay::EventKind::Mouse: hl::PostToWindow(e.dwTick, static_cast<UINT>(e.iArg)); break;
            case replay::EventKind::Activate: hl::Activate(e.dwTick, TRUE); break;
            case replay::EventKind::Deactivate: hl::Activate(e.dwTick, FALSE); break;
            case replay::EventKind::Close:
            case replay::EventKind::End:
                hl::Close(e.dwTick);
                bEnded = true;
                break;
            case replay::EventKind::Shot: {
                std::string sPath = sShotDir + "/" + e.sName + ".png";
                hl::At(e.dwTick, [sPath] { TakeShot(sPath); });
                break;
            }
        }
    }
    if (!bEnded) hl::Close(dwLast);
}

}  // namespace

int main(int argc, char** argv) {
    std::string sShotDir, sScriptPath;
    for (int i = 1; i < argc; ++i) {
        std::string sArg = argv[i];
        if (sArg == "--shots") {
            if (++i >= argc) return Usage();
            sShotDir = argv[i];
        } else if (sScriptPath.empty() && !sArg.empty() && sArg[0] != '-') {
            sScriptPath = sArg;
        } else {
            return Usage();
        }
    }
    if (sScriptPath.empty()) return Usage();

    std::ifstream in(sScriptPath, std::ios::binary);
    if (!in) {
        std::cerr << "whirlquarium-replay: cannot read " << sScriptPath << std::endl;
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();

    replay::Script script;
    std::string sError;
    if (!replay::ParseScript(text.str(), script, sError)) {
        std::cerr << "whirlquarium-replay: " << sScriptPath << ": " << sError << std::endl;
        return 2;
    }
    if (script.bHasShots) {
        struct stat st;
        if (sShotDir.empty()) {
            std::cerr << "whirlquarium-replay: " << sScriptPath << ": the script takes shots but no --shots DIR was given" << std::endl;
            return 2;
        }
        if (stat(sShotDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            std::cerr << "whirlquarium-replay: no such directory: " << sShotDir << std::endl;
            return 2;
        }
    }

    platform::SelectHeadlessBackend();
    Schedule(script, sShotDir);
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.flush();
    return 0;
}
