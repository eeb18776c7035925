// The headless backend seen through a probe: it tells a test when a frame
// starts and when its image reaches the window, and can make the game's clock
// stand far from zero while the virtual clock that scripted input is timed by
// still starts at 0.
#pragma once

#include <functional>

#include "Platform/Backend.h"
#include "Platform/Headless.h"

class SoakBackend final : public platform::Backend {
public:
    // Selects the headless backend (a fresh virtual clock at 0) and puts this
    // probe in front of it. The game reads the virtual clock plus dwTickOffset.
    explicit SoakBackend(DWORD dwTickOffset = 0) : m_dwTickOffset(dwTickOffset) {
        platform::SelectHeadlessBackend();
        platform::SetCurrentBackend(this);
    }
    ~SoakBackend() override { platform::SetCurrentBackend(&Inner()); }

    // Called when the frame loop polls the first key (the frame begins), and
    // when an image is copied to the window (after a frame, or for a paint).
    std::function<void()> m_fnFrameStart;
    std::function<void(bool bFrame)> m_fnPresent;

    bool OpenDisplay(const char* szCaption, int iWidth, int iHeight, int iIconId) override {
        return Inner().OpenDisplay(szCaption, iWidth, iHeight, iIconId);
    }
    void ShowDisplay(bool bShow) override { Inner().ShowDisplay(bShow); }
    void CloseDisplay() override { Inner().CloseDisplay(); }
    void Present(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) override {
        Inner().Present(pPixels, iWidth, iHeight, iStride);
        const bool bFrame = m_bInFrame;
        m_bInFrame = false;
        if (m_fnPresent) m_fnPresent(bFrame);
    }
    void PumpEvents() override { Inner().PumpEvents(); }
    bool WaitForInput(DWORD dwMilliseconds) override { return Inner().WaitForInput(dwMilliseconds); }
    void Delay(DWORD dwMilliseconds) override { Inner().Delay(dwMilliseconds); }
    DWORD Ticks() override { return Inner().Ticks() + m_dwTickOffset; }
    bool IsKeyDown(int iVirtualKey) override {
        // The game polls Escape first in every frame.
        if (iVirtualKey == VK_ESCAPE) {
            m_bInFrame = true;
            if (m_fnFrameStart) m_fnFrameStart();
        }
        return Inner().IsKeyDown(iVirtualKey);
    }
    void GetScreenSize(int& iWidth, int& iHeight) override { Inner().GetScreenSize(iWidth, iHeight); }
    void SetCursorVisible(bool bVisible) override { Inner().SetCursorVisible(bVisible); }
    void ShowMessage(const char* szCaption, const char* szText) override { Inner().ShowMessage(szCaption, szText); }

    SoakBackend(const SoakBackend&) = delete;
    SoakBackend& operator=(const SoakBackend&) = delete;

private:
    static platform::Backend& Inner() { return platform::HeadlessBackend(); }

    DWORD m_dwTickOffset;
    bool m_bInFrame = false;
};
