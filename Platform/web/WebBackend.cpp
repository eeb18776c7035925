// The backend in a web page, built with emscripten and run in a worker of the
// page (page/worker.js), so that the page's own thread is left to its input
// and its log panel. Its JavaScript side lives in WebPage.js: it draws on the
// page's canvas handed over to the worker (or sends the page what to draw),
// keeps the key levels the page sends, queues mouse buttons and activation,
// and waits without blocking the worker (the wait unwinds to the browser
// through ASYNCIFY and resumes when a timer or input ends it;
// asyncify-only.txt names what may be on the stack then).
//
// Implements: the picture on one canvas, updated by the rectangle drawn on
//   since the last image; keys (WebKeys.h); the three mouse buttons (the
//   page's touch buttons arrive as mouse buttons); activation by page
//   visibility and focus; the cursor; the page's size as the desktop's.
// Does not: close (a page has no close button the program hears of), message
//   boxes (the layer's text on standard error reaches the page's console),
//   scaling and full screen (the page's own business), a window icon.
// Depends on: emscripten (ASYNCIFY), WebPage.js and the page and the worker's
//   script in page/; the entry point WebMain.cpp selects it.
#include "Platform/web/WebBackend.h"

#include <emscripten.h>

#include <algorithm>
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
// A rectangle of the picture at (iLeft, iTop), rows packed; none (0 by 0): an
// unchanged frame.
void whirl_web_present(const uint32_t* pRgba, int iLeft, int iTop, int iWidth, int iHeight);
int whirl_web_next_event(int* pKind, int* pArgument, int* pX, int* pY);
void whirl_web_wait(double dDeadline);  // as emscripten_get_now() reads; negative: none
int whirl_web_key_down(int iVirtualKey);
// The page's own names of a control (by its number in Control) and what it does.
void whirl_web_bind_control_key(const char* szCode, int iControl);
void whirl_web_bind_pad_button(int iIndex, int iControl, const char* szControl, const char* szAction);
int whirl_web_control_down(int iControl);
int whirl_web_kiosk();
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
        m_bSendWhole = true;
        for (const WebKey& key : kWebKeys) whirl_web_bind_key(key.szCode, key.iVirtualKey);
        for (const WebArcadeKey& key : kWebArcadeKeys) whirl_web_bind_control_key(key.szCode, int(key.eControl));
        for (const WebPadButton& button : kWebPadButtons) {
            const ControlBinding& binding = FindControl(button.eControl);
            whirl_web_bind_pad_button(button.iIndex, int(button.eControl), binding.szControl, binding.szAction);
        }
        m_bKiosk = whirl_web_kiosk() != 0;
        return true;
    }

    // Showing activates the window; the page then reports at once if it is
    // hidden or unfocused.
    void ShowDisplay(bool bShow) override {
        if (bShow) whirl_web_show();
    }
    void CloseDisplay() override {}

    // The canvas takes bytes R, G, B, alpha: the part of the image drawn on
    // since the last one is converted here, where the loop is vectorised, and
    // the page copies the result in. The first image after opening goes whole;
    // an unchanged one sends nothing.
    void Present(const uint8_t* pPixels, int iWidth, int iHeight, ptrdiff_t iStride) override {
        if (!pPixels || iWidth <= 0 || iHeight <= 0) return;
        RECT rc{0, 0, iWidth, iHeight};
        const bool bChanged = TakeDisplayChange(rc);
        if (m_bSendWhole) {
            rc = RECT{0, 0, iWidth, iHeight};
            m_bSendWhole = false;
        } else if (!bChanged) {
            whirl_web_present(nullptr, 0, 0, 0, 0);
            return;
        }
        const int iLeft = std::max<int>(rc.left, 0), iTop = std::max<int>(rc.top, 0);
        const int iRight = std::min<int>(rc.right, iWidth), iBottom = std::min<int>(rc.bottom, iHeight);
        if (iLeft >= iRight || iTop >= iBottom) {
            whirl_web_present(nullptr, 0, 0, 0, 0);
            return;
        }
        const int iOutWidth = iRight - iLeft, iOutHeight = iBottom - iTop;
        m_vRgba.resize(static_cast<size_t>(iOutWidth) * iOutHeight);
        uint32_t* pOut = m_vRgba.data();
        for (int y = iTop; y < iBottom; ++y, pOut += iOutWidth) {
            const uint8_t* pRow = pPixels + y * iStride + 4 * iLeft;
            for (int x = 0; x < iOutWidth; ++x) {
                uint32_t uiBgrx;
                std::memcpy(&uiBgrx, pRow + 4 * x, 4);
                pOut[x] = 0xFF000000u | ((uiBgrx & 0xFF) << 16) | (uiBgrx & 0xFF00) | ((uiBgrx >> 16) & 0xFF);
            }
        }
        whirl_web_present(m_vRgba.data(), iLeft, iTop, iOutWidth, iOutHeight);
    }

    // The page keeps the levels of the keys and controls; they are reported
    // as they are now.
    void PumpEvents() override {
        int iKind = 0, iArgument = 0, iX = 0, iY = 0;
        while (whirl_web_next_event(&iKind, &iArgument, &iX, &iY)) {
            if (iKind == kActivate)
                ReportActivation(iArgument != 0);
            else if (iArgument >= 0 && iArgument < 3)
                ReportMouseButton(kButtons[iArgument], iKind == kButtonDown, iX, iY);
        }
        for (const WebKey& key : kWebKeys)
            if (whirl_web_key_down(key.iVirtualKey) && !(m_bKiosk && key.iVirtualKey == VK_ESCAPE))
                m_levels.HoldKey(key.iVirtualKey);
        for (const ControlBinding& binding : g_aControlBindings)
            if (whirl_web_control_down(int(binding.eControl))) m_levels.HoldControl(binding.eControl);
        m_levels.Report();
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
    bool m_bSendWhole = true;
    bool m_bKiosk = false;
    KeyLevels m_levels;
};

}  // namespace

void SelectWebBackend() {
    static Web s_web;
    SetCurrentBackend(&s_web);
}

}  // namespace platform
