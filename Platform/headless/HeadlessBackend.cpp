// The backend without a display: a virtual clock that moves only while the
// program waits, and input scripted by tick. The one to copy when starting a
// new backend: the contract (Platform/Backend.h) and nothing more.
//
// Implements: the clock (virtual, from 0), keys, mouse buttons at a point,
//   activation and close requests, all as scheduled through Headless.h; a
//   desktop of 1920x1080; the window's image read back (screenshots).
// Does not: show anything, a cursor or message boxes (the layer has already
//   written them to standard error); scaling, full screen; Delay leaves the
//   clock where it is.
// Depends on: the C++ standard library only.
#include <algorithm>
#include <map>
#include <utility>

#include "Platform/Backend.h"
#include "Platform/headless/Headless.h"

namespace platform {
namespace {

const int kScreenWidth = 1920;
const int kScreenHeight = 1080;

// What the script holds for a tick: input, reported as a device would, or an action.
struct Event {
    enum Kind { Key, Button, Activation, Close, Action } m_kind = Action;
    int m_iArgument = 0;  // the virtual key, or the mouse button
    bool m_bDown = false;  // the key or button down; the display active
    int m_iX = 0, m_iY = 0;
    std::function<void()> m_fnAction;
};

class Headless final : public Backend {
public:
    void Reset() {
        m_uiNow = 0;
        m_mmEvents.clear();
        m_fnWatcher = nullptr;
    }

    void Watch(headless::FrameWatcher fnWatcher) { m_fnWatcher = std::move(fnWatcher); }

    void Schedule(DWORD dwTick, Event event) {
        // A multimap keeps events of one tick in the order they were added.
        m_mmEvents.emplace(static_cast<uint64_t>(dwTick), std::move(event));
    }

    DWORD Now() const { return static_cast<DWORD>(m_uiNow); }
    size_t Pending() const { return m_mmEvents.size(); }

    bool OpenDisplay(const char*, int, int, int) override { return true; }
    void ShowDisplay(bool) override {}
    void CloseDisplay() override {}
    void Present(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) override {
        if (m_fnWatcher) m_fnWatcher(Now(), pPixels, iWidth, iHeight, iStride);
    }

    void PumpEvents() override { ApplyDueEvents(); }

    // The clock moves on to the next event, or to the end of the wait if that
    // comes first.
    void AwaitEvent(DWORD dwMilliseconds) override {
        if (dwMilliseconds == INFINITE) {
            // Asleep with nothing left to come: close, so that no run hangs.
            if (m_mmEvents.empty())
                ReportCloseRequest();
            else
                m_uiNow = std::max(m_uiNow, m_mmEvents.begin()->first);
            return;
        }
        const uint64_t uiDeadline = m_uiNow + dwMilliseconds;
        if (m_mmEvents.empty() || m_mmEvents.begin()->first > uiDeadline)
            m_uiNow = uiDeadline;
        else
            m_uiNow = std::max(m_uiNow, m_mmEvents.begin()->first);
    }

    void Delay(DWORD) override {}
    DWORD Ticks() override { return Now(); }

    void GetScreenSize(int& iWidth, int& iHeight) override {
        iWidth = kScreenWidth;
        iHeight = kScreenHeight;
    }
    void SetCursorVisible(bool) override {}
    void ShowMessage(const char*, const char*) override {}

private:
    void ApplyDueEvents() {
        while (!m_mmEvents.empty() && m_mmEvents.begin()->first <= m_uiNow) {
            // Taken off first: an action may schedule or look at the queue.
            Event event = std::move(m_mmEvents.begin()->second);
            m_mmEvents.erase(m_mmEvents.begin());
            switch (event.m_kind) {
            case Event::Key: ReportKey(event.m_iArgument, event.m_bDown); break;
            case Event::Button:
                ReportMouseButton(static_cast<MouseButton>(event.m_iArgument), event.m_bDown, event.m_iX, event.m_iY);
                break;
            case Event::Activation: ReportActivation(event.m_bDown); break;
            case Event::Close: ReportCloseRequest(); break;
            case Event::Action:
                if (event.m_fnAction) event.m_fnAction();
                break;
            }
        }
    }

    uint64_t m_uiNow = 0;
    std::multimap<uint64_t, Event> m_mmEvents;
    headless::FrameWatcher m_fnWatcher;
};

Headless& Instance() {
    static Headless s_headless;
    return s_headless;
}

void Schedule(DWORD dwTick, Event::Kind kind, int iArgument = 0, bool bDown = false, LPARAM lPoint = 0) {
    Event event;
    event.m_kind = kind;
    event.m_iArgument = iArgument;
    event.m_bDown = bDown;
    event.m_iX = static_cast<int16_t>(LOWORD(lPoint));
    event.m_iY = static_cast<int16_t>(HIWORD(lPoint));
    Instance().Schedule(dwTick, std::move(event));
}

}  // namespace

Backend& HeadlessBackend() { return Instance(); }

void SelectHeadlessBackend() {
    Instance().Reset();
    SetCurrentBackend(&Instance());
}

namespace headless {

DWORD Now() { return Instance().Now(); }

void KeyDown(DWORD dwTick, int iVirtualKey) { Schedule(dwTick, Event::Key, iVirtualKey, true); }

void KeyUp(DWORD dwTick, int iVirtualKey) { Schedule(dwTick, Event::Key, iVirtualKey, false); }

bool PostToWindow(DWORD dwTick, UINT uiMsg, LPARAM lParam) {
    static const struct {
        UINT uiDown, uiUp;
        MouseButton eButton;
    } s_aButtons[] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, MouseButton::Left},
                      {WM_MBUTTONDOWN, WM_MBUTTONUP, MouseButton::Middle},
                      {WM_RBUTTONDOWN, WM_RBUTTONUP, MouseButton::Right}};
    for (const auto& button : s_aButtons) {
        if (uiMsg != button.uiDown && uiMsg != button.uiUp) continue;
        Schedule(dwTick, Event::Button, static_cast<int>(button.eButton), uiMsg == button.uiDown, lParam);
        return true;
    }
    return false;
}

void Activate(DWORD dwTick, BOOL bActive) { Schedule(dwTick, Event::Activation, 0, bActive != FALSE); }

void Close(DWORD dwTick) { Schedule(dwTick, Event::Close); }

void At(DWORD dwTick, std::function<void()> fnAction) {
    Event event;
    event.m_kind = Event::Action;
    event.m_fnAction = std::move(fnAction);
    Instance().Schedule(dwTick, std::move(event));
}

size_t PendingEvents() { return Instance().Pending(); }

void WatchFrames(FrameWatcher fnWatcher) { Instance().Watch(std::move(fnWatcher)); }

bool ReadWindowImage(std::vector<unsigned char>& vRGB, int& iWidth, int& iHeight) {
    return ReadDisplayImage(vRGB, iWidth, iHeight);
}

}  // namespace headless
}  // namespace platform
