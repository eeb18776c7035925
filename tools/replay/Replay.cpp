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

#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "tools/replay/Schedule.h"
#include "tools/replay/Script.h"

namespace {

int Usage() {
    std::cerr << "usage: whirlquarium-replay [--shots DIR] SCRIPT" << std::endl;
    return 2;
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
    replay::Schedule(script, sShotDir);
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.flush();
    return 0;
}
