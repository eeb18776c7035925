// Any text as a replay script: replay::ParseScript either refuses it naming a
// line, or returns events that make sense and read back the same when written
// out again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "Platform/Win32.h"
#include "tools/replay/Script.h"

namespace {

typedef std::pair<int, const char*> Name;
const Name aKeys[] = {{VK_ESCAPE, "escape"}, {VK_LEFT, "left"}, {VK_UP, "up"}, {VK_DOWN, "down"}, {VK_RIGHT, "right"}};
const Name aButtons[] = {{WM_LBUTTONDOWN, "lbuttondown"}, {WM_LBUTTONUP, "lbuttonup"}, {WM_RBUTTONDOWN, "rbuttondown"},
                         {WM_RBUTTONUP, "rbuttonup"},     {WM_MBUTTONDOWN, "mbuttondown"}, {WM_MBUTTONUP, "mbuttonup"}};

void Check(bool bHolds, const char* szWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", szWhat);
    std::abort();
}

template <size_t N>
const char* NameOf(const Name (&aNames)[N], int iValue) {
    for (const Name& name : aNames)
        if (name.first == iValue) return name.second;
    Check(false, "a key or button event names a known one");
    return "";
}

// Checks the events and writes them out in the tool's own syntax.
std::string CheckAndWrite(const replay::Script& script) {
    using replay::EventKind;
    std::string sText;
    bool bHasShots = false;
    for (size_t i = 0; i < script.vEvents.size(); ++i) {
        const replay::Event& e = script.vEvents[i];
        if (i > 0) {
            Check(e.dwTick >= script.vEvents[i - 1].dwTick, "ticks never go back");
            Check(e.iLine > script.vEvents[i - 1].iLine, "events keep the order of their lines");
        }
        Check(e.dwTick <= 0x7FFFFFFFu, "ticks fit a signed count");
        sText += std::to_string(e.dwTick) + " ";
        switch (e.kind) {
        case EventKind::KeyDown: sText += std::string("keydown ") + NameOf(aKeys, e.iArg); break;
        case EventKind::KeyUp: sText += std::string("keyup ") + NameOf(aKeys, e.iArg); break;
        case EventKind::Mouse: sText += NameOf(aButtons, e.iArg); break;
        case EventKind::Activate: sText += "activate"; break;
        case EventKind::Deactivate: sText += "deactivate"; break;
        case EventKind::Close: sText += "close"; break;
        case EventKind::End: sText += "end"; break;
        case EventKind::Shot:
            bHasShots = true;
            Check(!e.sName.empty() && e.sName.size() <= 100 &&
                      e.sName.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_") ==
                          std::string::npos,
                  "a shot's name is a plain file name");
            sText += "shot " + e.sName;
            break;
        }
        if (e.kind == EventKind::Close || e.kind == EventKind::End)
            Check(i + 1 == script.vEvents.size(), "nothing follows the end");
        sText += "\n";
    }
    Check(bHasShots == script.bHasShots, "the script knows whether it takes shots");
    return sText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    replay::Script script, again;
    std::string sError;
    if (!replay::ParseScript(std::string(reinterpret_cast<const char*>(pData), cbData), script, sError)) {
        Check(sError.compare(0, 5, "line ") == 0, "a refusal names its line");
        return 0;
    }
    Check(sError.empty(), "an accepted script has no error");
    Check(replay::ParseScript(CheckAndWrite(script), again, sError), "a parsed script written out parses again");
    bool bSame = again.vEvents.size() == script.vEvents.size() && again.bHasShots == script.bHasShots;
    for (size_t i = 0; bSame && i < again.vEvents.size(); ++i) {
        const replay::Event &a = script.vEvents[i], &b = again.vEvents[i];
        bSame = a.dwTick == b.dwTick && a.kind == b.kind && a.iArg == b.iArg && a.sName == b.sName;
    }
    Check(bSame, "and gives the same events");
    return 0;
}
