// A test double of a display backend: every call goes on to the headless
// backend, which it makes current first, or to the backend it is given; a
// test overrides what it watches or changes, and the double is current while
// it lives.
#pragma once

#include "Platform/Backend.h"
#include "Platform/headless/Headless.h"

class ForwardingBackend : public platform::Backend {
public:
    ForwardingBackend() : ForwardingBackend((platform::SelectHeadlessBackend(), platform::HeadlessBackend())) {}
    explicit ForwardingBackend(platform::Backend& inner) : m_inner(inner) { platform::SetCurrentBackend(this); }
    ~ForwardingBackend() override { platform::SetCurrentBackend(&m_inner); }

    bool OpenDisplay(const char* sz, int w, int h, int i) override { return Inner().OpenDisplay(sz, w, h, i); }
    void ShowDisplay(bool b) override { Inner().ShowDisplay(b); }
    void CloseDisplay() override { Inner().CloseDisplay(); }
    void Present(const uint8_t* p, int w, int h, ptrdiff_t s) override { Inner().Present(p, w, h, s); }
    uint8_t* DisplayPixels(int w, int h, ptrdiff_t& s) override { return Inner().DisplayPixels(w, h, s); }
    void PumpEvents() override { Inner().PumpEvents(); }
    void AwaitEvent(DWORD dw) override { Inner().AwaitEvent(dw); }
    void Delay(DWORD dw) override { Inner().Delay(dw); }
    DWORD Ticks() override { return Inner().Ticks(); }
    void GetScreenSize(int& w, int& h) override { Inner().GetScreenSize(w, h); }
    void SetCursorVisible(bool b) override { Inner().SetCursorVisible(b); }
    void ShowMessage(const char* szCaption, const char* szText) override { Inner().ShowMessage(szCaption, szText); }

    platform::Backend& Inner() { return m_inner; }

    ForwardingBackend(const ForwardingBackend&) = delete;
    ForwardingBackend& operator=(const ForwardingBackend&) = delete;

private:
    platform::Backend& m_inner;
};
