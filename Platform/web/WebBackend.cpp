// The backend in a web page, built with emscripten. The page side lives in
// WebPage.js: it shows images on the page's canvas, keeps the key levels,
// queues mouse buttons and activation, and waits without blocking the page
// (the wait unwinds to the browser through ASYNCIFY and resumes when a timer
// or input ends it; asyncify-only.txt names what may be on the stack then).
//
// Implements: the picture on one canvas, keys (WebKeys.h), the three mouse
//   buttons, activation by page visibility and focus, the cursor, the page's
//   size as the desktop's.
// Does not: close (a page has no close button the program hears of), message
//   boxes (the layer's text on standard error reaches the page's console),
//   scaling and full screen (the page's own business), a window icon.
// Depends on: emscripten (ASYNCIFY), the page side WebPage.js and the page in
//   page/; the entry point WebMain.cpp selects it.
#include "Platform/web/WebBackend.h"

#include <emscripten.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "Platform/Backend.h"
#include "Platform/web/WebKeys.h"

// The page side (WebPage.js).
extern "C" {
void whirl_web_open(int iWidth, int iHeight);
void whirl_web_bind_key(const char* szCode, int iVirtualKey);
void whirl_web_show();
void whirl_web_present(const uint32_t* pRgba, int iWidth, int iHeight);
int whirl_web_next_event(int* pKind, int* pArgument, int* pX, int* pY);
void whirl_web_wait(double dDeadline);  // as emscripten_get_now() reads; negative: none
int whirl_web_key_down(int iVirtualKey);
void whirl_web_screen_size(int* pWidth, int* pHeight);
void whirl_web_cursor(int bVisible);
}

namespace platform {
namespace {

// What the page queues; the same numbers as WebPage.js.
enum WebEvent { kActivate = 0, kButtonDown = 1, kButtonUp = 2 };

// A mouse button as the page numbers it.
const MouseButton kButtons[3] = {MouseButton::Left, MouseButton::Middle, MouseButton::Right};

class Web final : public Backend {
public:
    bool OpenDisplay(const char*, int iWidth, int iHeight, int) override {
        whirl_web_open(iWidth, iHeight);
        for (const WebKey& key : kWebKeys) whirl_web_bind_key(key.szCode, key.iVirtualKey);
        return true;
    }

    // Showing activates the window; the page then reports at once if it is
    // hidden or unfocused.
    void ShowDisplay(bool bShow) override {
        if (bShow) whirl_web_show();
    }
    void CloseDisplay() override {}

    // The canvas takes bytes R, G, B, alpha: the image is converted here, where
    // the loop is vectorised, and the page copies the result in.
    void Present(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) override {
        if (!pPixels || iWidth <= 0 || iHeight <= 0) return;
        m_vRgba.resize(static_cast<size_t>(iWidth) * iHeight);
        uint32_t* pOut = m_vRgba.data();
        for (int y = 0; y < iHeight; ++y, pOut += iWidth) {
            const uint8_t* pRow = pPixels + y * iStride;
            for (int x = 0; x < iWidth; ++x) {
                uint32_t uiBgrx;
                std::memcpy(&uiBgrx, pRow + 4 * x, 4);
                pOut[x] = 0xFF000000u | ((uiBgrx & 0xFF) << 16) | (uiBgrx & 0xFF00) | ((uiBgrx >> 16) & 0xFF);
            }
        }
        whirl_web_present(m_vRgba.data(), iWidth, iHeight);
    }

    // The page keeps the key levels; they are reported as they are now.
    void PumpEvents() override {
        int iKind = 0, iArgument = 0, iX = 0, iY = 0;
        while (whirl_web_next_event(&iKind, &iArgument, &iX, &iY)) {
            if (iKind == kActivate)
                ReportActivation(iArgument != 0);
            else if (iArgument >= 0 && iArgument < 3)
                ReportMouseButton(kButtons[iArgument], iKind == kButtonDown, iX, iY);
        }
        for (const WebKey& key : kWebKeys) ReportKey(key.iVirtualKey, whirl_web_key_down(key.iVirtualKey) != 0);
    }

    // The time is counted from the start of the current tick, as the tick
    // count the caller computed it from: a frame's wait ends when its tick is due.
    void AwaitEvent(DWORD dwMilliseconds) override {
        if (dwMilliseconds == INFINITE) {
            whirl_web_wait(-1);
            return;
        }
        whirl_web_wait(m_dStart + std::floor(emscripten_get_now() - m_dStart) + dwMilliseconds);
    }

    void Delay(DWORD dwMilliseconds) override {
        const double dDeadline = emscripten_get_now() + dwMilliseconds;
        while (emscripten_get_now() < dDeadline) whirl_web_wait(dDeadline);
    }

    DWORD Ticks() override { return static_cast<DWORD>(static_cast<uint64_t>(emscripten_get_now() - m_dStart)); }

    void GetScreenSize(int& iWidth, int& iHeight) override { whirl_web_screen_size(&iWidth, &iHeight); }
    void SetCursorVisible(bool bVisible) override { whirl_web_cursor(bVisible ? 1 : 0); }
    void ShowMessage(const char*, const char*) override {}

private:
    const double m_dStart = emscripten_get_now();
    std::vector<uint32_t> m_vRgba;
};

}  // namespace

void SelectWebBackend() {
    static Web s_web;
    SetCurrentBackend(&s_web);
}

}  // namespace platform
