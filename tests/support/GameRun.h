// Runs the whole game in this process on the headless backend, and builds the
// log passages the game is expected to write.
#pragma once

#include <string>
#include <vector>

#include "Platform/Headless.h"
#include "Platform/Win32.h"
#include "support/CaptureLog.h"
#include "support/LogMatch.h"

// Frame k (counted from 1) runs at this virtual tick: the first at once, then
// one every frame delay + 1 ms.
constexpr DWORD FrameTick(int k) { return 1 + 34 * static_cast<DWORD>(k - 1); }

// Runs WinMain to its end with the events already scheduled; returns the log.
inline Lines RunGame() {
    CaptureLog log;
    WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    return log.Lines();
}

inline std::string Rect(int l, int t, int r, int b) {
    return std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " + std::to_string(b);
}

// The diagnostic lines of a sprite made with bounds on a w x h bitmap.
inline Lines SpriteBlock(int l, int t, int r, int b, int w, int h) {
    std::string sBounds = Rect(l, t, r, b);
    return {"Sprite Attributes",
            "rcBounds: " + sBounds,
            "m_rcBounds: 0 0 0 0",
            "m_rcPosition: 0 0 0 0",
            "m_rcCollision: 0 0 0 0",
            "rcBounds: " + sBounds,
            "m_rcBounds: " + sBounds,
            "m_rcPosition: " + Rect(0, 0, w, h),
            "m_rcCollision: " + Rect(w / 12, h / 12, w - w / 12, h - h / 12)};
}
inline Lines WindowSprite(int w, int h) { return SpriteBlock(-1, -1, 641, 481, w, h); }

inline Lines Join(std::initializer_list<Lines> parts) {
    Lines v;
    for (const Lines& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

inline Lines MailNow() {
    return {"MessageDispatcher::DispatchMessage - Checking ID & timestamp.", "Delay: 0", "Mailing now!"};
}
inline Lines MailLater(int iDelay, DWORD dwNow) {
    return {"MessageDispatcher::DispatchMessage - Checking ID & timestamp.", "Delay: " + std::to_string(iDelay),
            "Do not open until XMAS. :(", "Current Ticks: " + std::to_string(dwNow),
            "Dispatch at:   " + std::to_string(dwNow + iDelay)};
}
inline Lines RoutedTo(const std::string& sEntity, const std::string& sState) {
    return {sEntity + "::HandleMessage - Routing telegram to m_pStateMachine.",
            "StateMachine::HandleMessage - Routing telegram to m_pCurrentState::OnMessage.",
            sState + " received a telegram."};
}

// The tick of the first frame that runs strictly after dwDue: the frame in which
// a delayed telegram due at dwDue is delivered.
constexpr DWORD FirstFrameAfter(DWORD dwDue) { return dwDue < 1 ? 1 : 1 + 34 * ((dwDue - 1) / 34 + 1); }
constexpr int FrameAt(DWORD dwTick) { return static_cast<int>((dwTick - 1) / 34) + 1; }
