// whirlquarium-replay: the game exactly as it is built, on the headless
// backend, driven by a script of timed input events.
//
//   whirlquarium-replay [--shots DIR] [--frames FILE] SCRIPT
//
// Standard output carries the game's console log and nothing else; --frames
// writes each frame's tick and picture digest to FILE, one line a frame.
// Exit status: 0 when the game ran; 2 for a bad command line or script (and
// a script that takes shots without a folder for them); 3 when the script
// cannot be read or the frames cannot be written.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "tools/replay/FrameDigest.h"
#include "tools/replay/Schedule.h"
#include "tools/replay/Script.h"

namespace {

int Usage() {
    std::cerr << "usage: whirlquarium-replay [--shots DIR] [--frames FILE] SCRIPT" << std::endl;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string sShotDir, sFramesPath, sScriptPath;
    for (int i = 1; i < argc; ++i) {
        std::string sArg = argv[i];
        if (sArg == "--shots") {
            if (++i >= argc) return Usage();
            sShotDir = argv[i];
        } else if (sArg == "--frames") {
            if (++i >= argc) return Usage();
            sFramesPath = argv[i];
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
        return 3;
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

    std::ofstream frames;
    if (!sFramesPath.empty()) {
        frames.open(sFramesPath, std::ios::binary | std::ios::trunc);
        if (!frames) {
            std::cerr << "whirlquarium-replay: cannot write " << sFramesPath << std::endl;
            return 3;
        }
    }

    platform::SelectHeadlessBackend();
    replay::Schedule(script, sShotDir);
    if (frames.is_open())
        platform::headless::WatchFrames([&frames](DWORD dwTick, const uint8_t* pPixels, int iWidth, int iHeight,
                                                  ptrdiff_t iStride) {
            frames << dwTick << ' ' << replay::DigestPicture(pPixels, iWidth, iHeight, iStride) << '\n';
        });
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    std::cout.flush();
    if (frames.is_open()) {
        frames.close();
        if (!frames) {
            std::cerr << "whirlquarium-replay: could not write every frame to " << sFramesPath << std::endl;
            return 3;
        }
    }
    return 0;
}
