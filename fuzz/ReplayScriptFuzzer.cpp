// Any text as a replay script: replay::ParseScript either refuses it naming a
// line, or returns events that make sense and read back the same when written
// out again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Platform/Win32.h"
#include "tools/replay/Script.h"

namespace {

void Check(bool bHolds, const char* szWhat) {
    if (bHolds) return;
    std::fprintf(stderr, "fuzz check failed: %s\n", szWhat);
    std::abort();
}

const char* KeyName(int iKey) {
    switch (iKey) {
    case VK_ESCAPE: return "escape";
    case VK_LEFT: return "left";
    case VK_UP: return "up";
    case VK_DOWN: return "down";
    case VK_RIGHT: return "right";
    default: return nullptr;
    }
}

const char* MouseName(int iMsg) {
    switch (iMsg) {
    case WM_LBUTTONDOWN: return "lbuttondown";
    case WM_LBUTTONUP: return "lbuttonup";
    case WM_RBUTTONDOWN: return "rbuttondown";
    case WM_RBUTTONUP: return "rbuttonup";
    case WM_MBUTTONDOWN: return "mbuttondown";
    case WM_MBUTTONUP: return "mbuttonup";
    default: return nullptr;
    }
}

// The script as the tool's own syntax writes it.
std::string Write(const replay::Script& script) {
    std::string sText;
    for (const replay::Event& e : script.vEvents) {
        sText += std::to_string(e.dwTick) + " ";
        switch (e.kind) {
        case replay::EventKind::KeyDown: sText += std::string("keydown ") + KeyName(e.iArg); break;
        case replay::EventKind::KeyUp: sText += std::string("keyup ") + KeyName(e.iArg); break;
        case replay::EventKind::Mouse: sText += MouseName(e.iArg); break;
        case replay::EventKind::Activate: sText += "activate"; break;
        case replay::EventKind::Deactivate: sText += "deactivate"; break;
        case replay::EventKind::Close: sText += "close"; break;
        case replay::EventKind::End: sText += "end"; break;
        case replay::EventKind::Shot: sText += "shot " + e.sName; break;
        }
        sText += "\n";
    }
    return sText;
}

void CheckScript(const replay::Script& script) {
    uint32_t dwLast = 0;
    int iLastLine = 0;
    bool bHasShots = false;
    for (size_t i = 0; i < script.vEvents.size(); ++i) {
        const replay::Event& e = script.vEvents[i];
        Check(e.dwTick >= dwLast && e.dwTick <= 0x7FFFFFFFu, "ticks never go back and fit a signed count");
        Check(e.iLine > iLastLine, "events keep the order of their lines");
        dwLast = e.dwTick;
        iLastLine = e.iLine;
        switch (e.kind) {
        case replay::EventKind::KeyDown:
        case replay::EventKind::KeyUp: Check(KeyName(e.iArg) != nullptr, "a key event names a known key"); break;
        case replay::EventKind::Mouse: Check(MouseName(e.iArg) != nullptr, "a mouse event is a button message"); break;
        case replay::EventKind::Shot:
            bHasShots = true;
            Check(!e.sName.empty() && e.sName.size() <= 100 &&
                      e.sName.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_") ==
                          std::string::npos,
                  "a shot's name is a plain file name");
            break;
        case replay::EventKind::Close:
        case replay::EventKind::End: Check(i + 1 == script.vEvents.size(), "nothing follows the end"); break;
        default: break;
        }
    }
    Check(bHasShots == script.bHasShots, "the script knows whether it takes shots");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData) {
    const std::string sText(reinterpret_cast<const char*>(pData), cbData);
    replay::Script script;
    std::string sError;
    if (!replay::ParseScript(sText, script, sError)) {
        Check(sError.compare(0, 5, "line ") == 0, "a refusal names its line");
        return 0;
    }
    Check(sError.empty(), "an accepted script has no error");
    CheckScript(script);

    replay::Script again;
    Check(replay::ParseScript(Write(script), again, sError), "a parsed script written out parses again");
    Check(again.vEvents.size() == script.vEvents.size() && again.bHasShots == script.bHasShots,
          "and gives the same events");
    for (size_t i = 0; i < again.vEvents.size(); ++i) {
        const replay::Event& a = script.vEvents[i];
        const replay::Event& b = again.vEvents[i];
        Check(a.dwTick == b.dwTick && a.kind == b.kind && a.iArg == b.iArg && a.sName == b.sName,
              "and gives the same events");
    }
    return 0;
}
