// The backend without a display: a virtual clock that moves only while the
// program waits, and input scripted by tick.
#include <algorithm>
#include <map>
#include <utility>

#include "Platform/Backend.h"
#include "Platform/Headless.h"
#include "Platform/WindowState.h"

namespace platform {
namespace {

const int kScreenWidth = 1920;
const int kScreenHeight = 1080;

struct Event {
    enum Kind { KeyDown, KeyUp, Post, Action } m_kind = Post;
    int m_iKey = 0;
    UINT m_uiMsg = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    std::function<void()> m_fnAction;
};

class Headless final : public Backend {
public:
    void Reset() {
        m_uiNow = 0;
        m_mmEvents.clear();
        std::fill(std::begin(m_abKeys), std::end(m_abKeys), false);
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

    bool WaitForInput(DWORD dwMilliseconds) override {
        ApplyDueEvents();
        if (InputArrivedSinceLastLook()) return true;
        if (dwMilliseconds == INFINITE) {
            for (;;) {
                if (m_mmEvents.empty()) {
                    // Asleep with nothing left to come: close, so that no run hangs.
                    if (HWND hWnd = DisplayWindow())
                        PostMessage(hWnd, WM_CLOSE, 0, 0);
                    else
                        PostQuitMessage(0);
                    return true;
                }
                m_uiNow = std::max(m_uiNow, m_mmEvents.begin()->first);
                ApplyDueEvents();
                if (InputArrivedSinceLastLook()) return true;
            }
        }
        const uint64_t uiDeadline = m_uiNow + dwMilliseconds;
        for (;;) {
            if (m_mmEvents.empty() || m_mmEvents.begin()->first > uiDeadline) {
                m_uiNow = uiDeadline;
                return false;
            }
            m_uiNow = std::max(m_uiNow, m_mmEvents.begin()->first);
            ApplyDueEvents();
            if (InputArrivedSinceLastLook()) return true;
            if (m_uiNow == uiDeadline) return false;
        }
    }

    void Delay(DWORD) override {}
    DWORD Ticks() override { return Now(); }

    bool IsKeyDown(int iVirtualKey) override {
        ApplyDueEvents();
        return iVirtualKey >= 0 && iVirtualKey < 256 && m_abKeys[iVirtualKey];
    }

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
            case Event::KeyDown:
            case Event::KeyUp:
                if (event.m_iKey >= 0 && event.m_iKey < 256) m_abKeys[event.m_iKey] = event.m_kind == Event::KeyDown;
                break;
            case Event::Post:
                if (HWND hWnd = DisplayWindow()) PostMessage(hWnd, event.m_uiMsg, event.m_wParam, event.m_lParam);
                break;
            case Event::Action:
                if (event.m_fnAction) event.m_fnAction();
                break;
            }
        }
    }

    uint64_t m_uiNow = 0;
    std::multimap<uint64_t, Event> m_mmEvents;
    bool m_abKeys[256] = {};
    headless::FrameWatcher m_fnWatcher;
};

Headless& Instance() {
    static Headless s_headless;
    return s_headless;
}

void SchedulePost(DWORD dwTick, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    Event event;
    event.m_kind = Event::Post;
    event.m_uiMsg = uiMsg;
    event.m_wParam = wParam;
    event.m_lParam = lParam;
    Instance().Schedule(dwTick, std::move(event));
}

void ScheduleKey(DWORD dwTick, int iVirtualKey, bool bDown) {
    Event event;
    event.m_kind = bDown ? Event::KeyDown : Event::KeyUp;
    event.m_iKey = iVirtualKey;
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

void KeyDown(DWORD dwTick, int iVirtualKey) { ScheduleKey(dwTick, iVirtualKey, true); }

void KeyUp(DWORD dwTick, int iVirtualKey) { ScheduleKey(dwTick, iVirtualKey, false); }

void PostToWindow(DWORD dwTick, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    SchedulePost(dwTick, uiMsg, wParam, lParam);
}

void Activate(DWORD dwTick, BOOL bActive) { SchedulePost(dwTick, WM_ACTIVATE, bActive ? WA_ACTIVE : WA_INACTIVE, 0); }

void Close(DWORD dwTick) { SchedulePost(dwTick, WM_CLOSE, 0, 0); }

void At(DWORD dwTick, std::function<void()> fnAction) {
    Event event;
    event.m_kind = Event::Action;
    event.m_fnAction = std::move(fnAction);
    Instance().Schedule(dwTick, std::move(event));
}

size_t PendingEvents() { return Instance().Pending(); }

void WatchFrames(FrameWatcher fnWatcher) { Instance().Watch(std::move(fnWatcher)); }

bool ReadWindowImage(std::vector<unsigned char>& vRGB, int& iWidth, int& iHeight) {
    const Surface* pSurface = WindowSurface(DisplayWindow());
    if (!pSurface) return false;
    iWidth = pSurface->m_iWidth;
    iHeight = pSurface->m_iHeight;
    vRGB.resize(static_cast<size_t>(iWidth) * iHeight * 3);
    unsigned char* pOut = vRGB.data();
    for (int y = 0; y < iHeight; ++y) {
        const uint8_t* pRow = pSurface->Row(y);
        for (int x = 0; x < iWidth; ++x, pRow += 4) {
            *pOut++ = pRow[2];
            *pOut++ = pRow[1];
            *pOut++ = pRow[0];
        }
    }
    return true;
}

}  // namespace headless
}  // namespace platform
