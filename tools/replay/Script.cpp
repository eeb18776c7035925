#include "tools/replay/Script.h"

#include <cctype>
#include <sstream>

#include "Platform/Keys.h"
#include "Platform/Win32.h"

namespace replay {
namespace {

struct Word {
    const char* szName;
    EventKind kind;
    int iArg;
};

const Word s_aEvents[] = {
    {"lbuttondown", EventKind::Mouse, WM_LBUTTONDOWN}, {"lbuttonup", EventKind::Mouse, WM_LBUTTONUP},
    {"rbuttondown", EventKind::Mouse, WM_RBUTTONDOWN}, {"rbuttonup", EventKind::Mouse, WM_RBUTTONUP},
    {"mbuttondown", EventKind::Mouse, WM_MBUTTONDOWN}, {"mbuttonup", EventKind::Mouse, WM_MBUTTONUP},
    {"activate", EventKind::Activate, 0},              {"deactivate", EventKind::Deactivate, 0},
    {"close", EventKind::Close, 0},                    {"end", EventKind::End, 0},
};

bool ParseTick(const std::string& s, uint32_t& dwTick) {
    if (s.empty() || s.size() > 10) return false;
    uint64_t value = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0x7FFFFFFFu) return false;
    dwTick = static_cast<uint32_t>(value);
    return true;
}

bool ValidShotName(const std::string& s) {
    if (s.empty() || s.size() > 100) return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
    return true;
}

bool Fail(std::string& sError, int iLine, const std::string& sWhat) {
    sError = "line " + std::to_string(iLine) + ": " + sWhat;
    return false;
}

}  // namespace

bool ParseScript(const std::string& sText, Script& script, std::string& sError) {
    script = Script();
    std::istringstream in(sText);
    std::string sLine;
    int iLine = 0;
    uint32_t dwLastTick = 0;
    bool bEnded = false;
    while (std::getline(in, sLine)) {
        ++iLine;
        std::string::size_type hash = sLine.find('#');
        if (hash != std::string::npos) sLine.erase(hash);
        std::istringstream words(sLine);
        std::string sTick, sEvent, sArg, sExtra;
        if (!(words >> sTick)) continue;  // blank or comment only
        if (bEnded) return Fail(sError, iLine, "event after 'end'");
        Event event{0, EventKind::End, 0, "", iLine};
        if (!ParseTick(sTick, event.dwTick)) return Fail(sError, iLine, "bad tick '" + sTick + "'");
        if (event.dwTick < dwLastTick) return Fail(sError, iLine, "tick " + sTick + " is earlier than the one before");
        if (!(words >> sEvent)) return Fail(sError, iLine, "missing event");
        bool bHasArg = static_cast<bool>(words >> sArg);
        if (words >> sExtra) return Fail(sError, iLine, "unexpected '" + sExtra + "'");

        if (sEvent == "keydown" || sEvent == "keyup") {
            if (!bHasArg) return Fail(sError, iLine, sEvent + " needs a key");
            const platform::GameKey* pKey = platform::FindGameKey(sArg);
            if (!pKey) return Fail(sError, iLine, "unknown key '" + sArg + "'");
            event.kind = sEvent == "keydown" ? EventKind::KeyDown : EventKind::KeyUp;
            event.iArg = pKey->iVirtualKey;
        } else if (sEvent == "shot") {
            if (!bHasArg || !ValidShotName(sArg)) return Fail(sError, iLine, "shot needs a name of letters, digits, '-' and '_'");
            event.kind = EventKind::Shot;
            event.sName = sArg;
            script.bHasShots = true;
        } else {
            const Word* pWord = nullptr;
            for (const Word& w : s_aEvents)
                if (sEvent == w.szName) pWord = &w;
            if (!pWord) return Fail(sError, iLine, "unknown event '" + sEvent + "'");
            if (bHasArg) return Fail(sError, iLine, sEvent + " takes no argument");
            event.kind = pWord->kind;
            event.iArg = pWord->iArg;
            bEnded = event.kind == EventKind::End || event.kind == EventKind::Close;
        }
        dwLastTick = event.dwTick;
        script.vEvents.push_back(event);
    }
    return true;
}

}  // namespace replay
