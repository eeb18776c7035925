#include "tools/replay/Schedule.h"

#include <iostream>
#include <vector>

#include "Platform/headless/Headless.h"
#include "tools/replay/Png.h"

namespace replay {

namespace {

void TakeShot(const std::string& sPath) {
    std::vector<unsigned char> vRGB;
    int iWidth = 0, iHeight = 0;
    if (!platform::headless::ReadWindowImage(vRGB, iWidth, iHeight) || !replay::WritePng(sPath, vRGB, iWidth, iHeight))
        std::cerr << "whirlquarium-replay: could not write " << sPath << std::endl;
}

}  // namespace

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

}  // namespace replay
