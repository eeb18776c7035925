// Windows and their display, the message queue, and the headless clock with its key levels.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Backend.h"
#include "Platform/Keys.h"
#include "Platform/headless/Headless.h"
#include "Platform/Win32.h"
#include "support/ForwardingBackend.h"
#include "support/Isolation.h"

namespace headless = platform::headless;

namespace {

std::string s_sLog;      // what the window procedure and the display were told, in order
bool s_bRefuse = false;  // WM_CREATE answers -1

void Note(const std::string& s) { s_sLog += (s_sLog.empty() ? "" : ", ") + s; }

std::string Name(UINT uiMsg, WPARAM wParam) {
    static const std::map<UINT, std::string> s_mapNames = {
        {WM_CREATE, "create"}, {WM_DESTROY, "destroy"}, {WM_NCDESTROY, "ncdestroy"}, {WM_ACTIVATE, "activate"},
        {WM_PAINT, "paint"},   {WM_CLOSE, "close"},     {WM_QUIT, "quit"},           {WM_LBUTTONDOWN, "ldown"},
        {WM_LBUTTONUP, "lup"}, {WM_RBUTTONDOWN, "rdown"}, {WM_RBUTTONUP, "rup"},     {WM_MBUTTONUP, "mup"}};
    return s_mapNames.at(uiMsg) + (wParam ? " " + std::to_string(wParam) : "");
}

LRESULT CALLBACK Proc(HWND hWnd, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    Note(Name(uiMsg, wParam));
    if (uiMsg == WM_CREATE && (s_bRefuse || !IsWindow(hWnd))) return -1;
    if (uiMsg == WM_DESTROY) {
        if (DestroyWindow(hWnd)) Note("destroyed twice");
        PostQuitMessage(7);
    } else if (uiMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProc(hWnd, uiMsg, wParam, lParam);
}

// A window sized as the game sizes its own: a 640 x 480 client area inside frame and caption.
HWND Make(const char* szClass = "T") {
    WNDCLASSEX wc{};
    wc.lpfnWndProc = Proc;
    wc.hIcon = LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(1000));
    wc.lpszClassName = "T";
    RegisterClassEx(&wc);
    return CreateWindowEx(0, szClass, "T", WS_POPUPWINDOW | WS_CAPTION | WS_MINIMIZEBOX, 0, 0,
                          640 + 2 * GetSystemMetrics(SM_CXFIXEDFRAME),
                          480 + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION), nullptr,
                          nullptr, nullptr, nullptr);
}

// Takes what is queued (20 at most), dispatching all but WM_QUIT; names what it took.
std::string Drain(UINT uiMin = 0, UINT uiMax = 0, HWND hFilter = nullptr) {
    std::string sTaken;
    MSG msg;
    for (int i = 0; i < 20 && PeekMessage(&msg, hFilter, uiMin, uiMax, PM_REMOVE); ++i) {
        sTaken += (sTaken.empty() ? "" : ", ") + Name(msg.message, msg.wParam);
        if (msg.message != WM_QUIT) DispatchMessage(&msg);
    }
    return sTaken;
}

DWORD Wait(DWORD dwMilliseconds) { return MsgWaitForMultipleObjects(0, nullptr, FALSE, dwMilliseconds, QS_ALLINPUT); }

// The headless backend with a display that keeps pixels of its own (rows padded
// past the image) and notes what the window layer asks of it.
class RecordingDisplay final : public ForwardingBackend {
public:
    static const ptrdiff_t kStride = 640 * 4 + 64;
    std::vector<uint8_t> m_vPixels = std::vector<uint8_t>(kStride * 480, 0);
    bool m_bOffer = true;

    uint8_t* DisplayPixels(int iWidth, int iHeight, ptrdiff_t& iStride) override {
        iStride = kStride;
        return m_bOffer && iWidth == 640 && iHeight == 480 ? m_vPixels.data() : nullptr;
    }
    bool OpenDisplay(const char* szCaption, int iWidth, int iHeight, int iIconId) override {
        Note("open " + std::string(szCaption) + " " + std::to_string(iWidth) + "x" + std::to_string(iHeight) +
             " icon " + std::to_string(iIconId));
        return true;
    }
    void ShowDisplay(bool bShow) override { Note(bShow ? "show" : "hide"); }
    void CloseDisplay() override { Note("close display"); }
    void Present(const uint8_t* p, int, int, ptrdiff_t) override {
        Note(p == m_vPixels.data() ? "present" : "own present");
    }
    void SetCursorVisible(bool bVisible) override { Note(bVisible ? "cursor" : "no cursor"); }
};

}  // namespace

ISOLATED_TEST(PlatformWindow, LivesFromCreateToDestroyOnItsDisplay) {
    RecordingDisplay display;
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_EQ(Make("NoSuchClass"), nullptr);
    s_bRefuse = true;
    EXPECT_EQ(Make(), nullptr);
    s_bRefuse = false;
    EXPECT_EQ(Drain(), "quit 7");
    HWND hWnd = Make(), hOther = Make();
    WNDCLASSEX wcAgain{};  // a class name is registered once
    wcAgain.lpfnWndProc = DefWindowProc;
    wcAgain.lpszClassName = "T";
    EXPECT_EQ(RegisterClassEx(&wcAgain), 0);
    RECT rc;
    ASSERT_TRUE(GetClientRect(hWnd, &rc));
    EXPECT_EQ(std::vector<LONG>({rc.left, rc.top, rc.right, rc.bottom}), std::vector<LONG>({0, 0, 640, 480}));
    EXPECT_FALSE(ShowWindow(hWnd, SW_SHOWNORMAL));  // it was hidden
    EXPECT_TRUE(ShowWindow(hWnd, SW_SHOW) && UpdateWindow(hWnd) && UpdateWindow(hWnd));
    EXPECT_TRUE(ShowWindow(hWnd, SW_HIDE) && !ShowWindow(hWnd, SW_HIDE) && !ShowWindow(hWnd, SW_SHOW));  // hidden once

    // Drawn straight into the display's pixels, or into its own while the
    // display offers none; the second window is shown nowhere.
    for (HWND h : {hWnd, hOther, hWnd}) {
        HDC hdc = GetDC(h);
        HBRUSH hBrush = CreateSolidBrush(RGB(h == hWnd ? 200 : 100, 0, 0));
        rc = {630, 470, 700, 500};
        FillRect(hdc, &rc, hBrush);
        EXPECT_EQ(GetPixel(hdc, 639, 479), RGB(h == hWnd ? 200 : 100, 0, 0));
        EXPECT_EQ(GetPixel(hdc, 0, 0), RGB(0, 0, 0));
        EXPECT_TRUE(DeleteObject(hBrush) && ReleaseDC(h, hdc) == 1);
        const uint8_t* pCorner = &display.m_vPixels[479 * RecordingDisplay::kStride + 639 * 4];
        EXPECT_EQ(std::vector<int>({pCorner[-38], pCorner[2], pCorner[6]}), std::vector<int>({0, 200, 0}));
        display.m_bOffer = h != hOther;
    }
    std::vector<unsigned char> vRGB;
    int iWidth = 0, iHeight = 0;
    ASSERT_TRUE(headless::ReadWindowImage(vRGB, iWidth, iHeight));
    EXPECT_EQ(std::vector<int>({iWidth, iHeight, vRGB[3 * 640 * 480 - 3], vRGB[3 * (640 * 479 + 629)]}),
              std::vector<int>({640, 480, 200, 0}));

    // Closing destroys the window once, with its own queued messages; a gone window takes nothing more.
    PostMessage(hWnd, WM_CLOSE, 0, 0);
    PostMessage(hWnd, WM_LBUTTONDOWN, 0, 0);
    PostMessage(hOther, WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(Drain(), "close, rdown, quit 7");
    EXPECT_FALSE(IsWindow(hWnd) || !IsWindow(hOther) || headless::ReadWindowImage(vRGB, iWidth, iHeight));
    PAINTSTRUCT psGone{};
    for (BOOL bDone : {PostMessage(hWnd, WM_CLOSE, 0, 0), DestroyWindow(hWnd), GetClientRect(hWnd, &rc),
                       ShowWindow(hWnd, SW_SHOW), UpdateWindow(hWnd), InvalidateRect(hWnd, nullptr, FALSE),
                       BOOL(SendMessage(hWnd, WM_CLOSE, 0, 0)), BOOL(GetDC(hWnd) != nullptr),
                       BOOL(BeginPaint(hWnd, &psGone) != nullptr)})
        EXPECT_FALSE(bDone);
    EXPECT_TRUE(InvalidateRect(hOther, nullptr, FALSE) && DestroyWindow(hOther) &&
                InvalidateRect(nullptr, nullptr, FALSE));
    EXPECT_EQ(std::exchange(s_sLog, {}),
              "no cursor, cursor, open T 640x480 icon 1000, create, destroy, ncdestroy, close display, "
              "open T 640x480 icon 1000, create, create, show, activate 1, paint, present, hide, show, present, own present, "
              "close, hide, destroy, ncdestroy, close display, rdown, destroy, ncdestroy");
    // Without caption or border, a window is all client area.
    HWND hBare = CreateWindowEx(0, "T", "T", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(GetClientRect(hBare, &rc) && rc.right == 200 && rc.bottom == 100);
    // Painting ends only with the context BeginPaint gave, for its own window.
    PAINTSTRUCT ps{}, psOther{};
    psOther.hdc = GetDC(hBare);
    EXPECT_FALSE(EndPaint(hBare, &psOther) || EndPaint(hBare, &ps) || EndPaint(nullptr, BeginPaint(hBare, &ps) ? &ps : nullptr));
    EXPECT_TRUE(EndPaint(hBare, &ps) && ReleaseDC(hBare, psOther.hdc) && DestroyWindow(hBare));
}

ISOLATED_TEST(PlatformWindow, PeekTakesInPostingOrderWithinItsFilter) {
    platform::SelectHeadlessBackend();
    HWND ahWnd[2] = {Make(), Make()};
    const struct {
        int iWindow;  // filtered for, or -1
        UINT uiMin, uiMax;
        const char* szTaken;
    } aRows[] = {
        {-1, 0, 0, "rdown, ldown, quit, lup, rup"},
        {-1, WM_LBUTTONDOWN, WM_LBUTTONUP, "ldown, quit, lup"},  // WM_QUIT passes any range
        {-1, 0, WM_LBUTTONDOWN, "ldown, quit"},
        {0, 0, 0, "rdown, lup, rup"},
    };
    for (const auto& row : aRows) {
        for (UINT ui : {WM_RBUTTONDOWN, WM_LBUTTONDOWN, WM_QUIT, WM_LBUTTONUP, WM_RBUTTONUP}) {
            if (ui == WM_QUIT)
                PostQuitMessage(0);
            else
                PostMessage(ahWnd[ui == WM_LBUTTONDOWN], ui, 0, 0);  // the left button down to the second window
        }
        HWND hFilter = row.iWindow < 0 ? nullptr : ahWnd[row.iWindow];
        MSG msg;
        for (int i = 0; i < 2; ++i) {  // looking leaves the message where it is
            ASSERT_TRUE(PeekMessage(&msg, hFilter, row.uiMin, row.uiMax, PM_NOREMOVE));
            EXPECT_EQ(std::string(row.szTaken).rfind(Name(msg.message, 0), 0), 0u);
        }
        EXPECT_EQ(Drain(row.uiMin, row.uiMax, hFilter), row.szTaken);
        Drain();
    }
    EXPECT_EQ(headless::Now(), 0u);
}

ISOLATED_TEST(PlatformClock, AWaitEndsAtItsTimeoutOrTheNextMessage) {
    platform::SelectHeadlessBackend();
    HWND hWnd = Make();
    const struct {
        void (*pfnSchedule)(HWND);
        DWORD dwWait, dwResult, dwNow;
        const char* szTaken;
    } aRows[] = {
        {[](HWND) {}, 100, WAIT_TIMEOUT, 100, ""},
        {[](HWND) {}, 0, WAIT_TIMEOUT, 0, ""},
        {[](HWND) { headless::PostToWindow(35, WM_LBUTTONDOWN); }, 100, WAIT_OBJECT_0, 35, "ldown"},
        {[](HWND) { headless::PostToWindow(100, WM_LBUTTONDOWN); }, 100, WAIT_OBJECT_0, 100, "ldown"},
        {[](HWND) { headless::PostToWindow(101, WM_LBUTTONDOWN); }, 100, WAIT_TIMEOUT, 100, ""},
        {[](HWND) { headless::KeyDown(30, VK_LEFT); headless::PostToWindow(50, WM_RBUTTONUP); }, 100, WAIT_OBJECT_0, 50,
         "rup"},  // a key wakes no one
        {[](HWND h) { PostMessage(h, WM_MBUTTONUP, 0, 0); }, 100, WAIT_OBJECT_0, 0, "mup"},
        {[](HWND) { headless::Activate(20, FALSE); }, 100, WAIT_OBJECT_0, 20, "activate"},
        {[](HWND) { headless::KeyDown(300, VK_UP); headless::Activate(400, TRUE); }, INFINITE, WAIT_OBJECT_0, 400,
         "activate 1"},
        // Asleep with nothing to come, the window is closed; without one, the program quits.
        {[](HWND) {}, INFINITE, WAIT_OBJECT_0, 0, "close, quit 7"},
        {[](HWND) {}, INFINITE, WAIT_OBJECT_0, 0, "quit"},
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(&row - aRows);
        platform::SelectHeadlessBackend();
        row.pfnSchedule(hWnd);
        EXPECT_EQ(Wait(row.dwWait), row.dwResult);
        EXPECT_EQ(headless::Now(), row.dwNow);
        EXPECT_EQ(Drain(), row.szTaken);
    }
    HANDLE hAny = hWnd;
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &hAny, FALSE, 10, QS_ALLINPUT), WAIT_FAILED);
}

TEST(PlatformClock, KeysGoDownAndUpAtTheirTicks) {
    platform::SelectHeadlessBackend();
    for (auto key : std::vector<std::pair<int, int>>{{5, VK_ESCAPE}, {-15, VK_ESCAPE}, {5, VK_DOWN}, {10, VK_LEFT},
                                                     {-10, VK_LEFT}, {-12, VK_UP}, {12, VK_UP}, {20, VK_RIGHT},
                                                     {0, 'A'}, {0, 300}}) {  // a negative tick for a key going up
        if (key.first < 0)
            headless::KeyUp(-key.first, key.second);
        else
            headless::KeyDown(key.first, key.second);
    }
    // Escape, left, up, right, down and A down after the wait to each tick; of one
    // tick's events the last scheduled wins.
    const std::pair<DWORD, const char*> aRows[] = {{0, "000000"},  {4, "000000"},  {5, "100010"}, {10, "100010"},
                                                   {12, "101010"}, {15, "001010"}, {20, "001110"}};
    for (const auto& row : aRows) {
        EXPECT_EQ(Wait(row.first - headless::Now()), WAIT_TIMEOUT);
        std::string sDown;
        for (int iKey : {VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN, int('A')})
            sDown += GetAsyncKeyState(iKey) == static_cast<SHORT>(0x8000) ? '1' : '0';
        EXPECT_EQ(std::to_string(headless::Now()) + " " + sDown, std::to_string(row.first) + " " + row.second);
    }
    headless::KeyUp(20, VK_DOWN);  // due now: at once
    EXPECT_EQ(GetAsyncKeyState(VK_DOWN), 0);
}

// What a backend reports becomes the display window's messages and key levels; with no window, a close request
// ends the program and the rest is dropped. A backend made current starts with every key up.
ISOLATED_TEST(PlatformBackend, ReportsBecomeTheDisplayWindowsMessagesAndKeyLevels) {
    platform::SelectHeadlessBackend();
    platform::ReportMouseButton(platform::MouseButton::Right, true, 5, 7);
    platform::ReportActivation(true);
    platform::ReportCloseRequest();
    EXPECT_EQ(Drain(), "quit");
    HWND hWnd = Make();
    EXPECT_FALSE(ShowWindow(hWnd, SW_SHOW));  // it was hidden
    ASSERT_TRUE(UpdateWindow(hWnd));
    s_sLog.clear();
    platform::ReportMouseButton(platform::MouseButton::Right, true, 639, 479);  // the image's far corner
    platform::ReportMouseButton(platform::MouseButton::Middle, false, -1, 479);
    platform::ReportExposed();
    platform::ReportActivation(false);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.lParam, (479 << 16) | 639);
    EXPECT_EQ(std::make_pair(LOWORD(msg.lParam), HIWORD(msg.lParam)), std::make_pair(WORD(639), WORD(479)));
    EXPECT_EQ(Drain(), "rdown, mup, activate, paint");  // painted once nothing else is queued
    platform::ReportCloseRequest();
    EXPECT_EQ(Drain(), "close, quit 7");
    EXPECT_EQ(s_sLog, "rdown, mup, activate, paint, close, destroy, ncdestroy");
    EXPECT_FALSE(headless::PostToWindow(10, WM_PAINT));  // no mouse sends it

    platform::ReportKey(VK_LEFT, true);
    platform::ReportKey('A', true);
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT), static_cast<SHORT>(0x8000));
    EXPECT_EQ(GetAsyncKeyState('A'), 0);
    platform::SelectHeadlessBackend();
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT), 0);
}

// A game key is down while any of its sources is, keyboard or control; when a control that lets go of the
// blender button held it, its level falling is also the left mouse button's release.
ISOLATED_TEST(PlatformBackend, AKeyIsDownWhileAnyOfItsSourcesIs) {
    platform::SelectHeadlessBackend();
    HWND hWnd = Make();
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    Drain();
    using C = platform::Control;
    struct Row {
        std::vector<int> vKeys;
        std::vector<C> vControls;
        const char* szDown;  // escape, left, up, right, down
        const char* szQueued;
    };
    const Row aRows[] = {
        {{VK_LEFT}, {C::South}, "01000", ""},
        {{VK_LEFT}, {}, "01000", ""},  // A let go, the arrow still held
        {{}, {}, "00000", "lup"},
        {{VK_LEFT}, {}, "01000", ""},
        {{}, {}, "00000", ""},  // the arrow alone lets nothing go, as ever
        {{}, {C::DpadLeft, C::StartKey}, "01000", ""},
        {{}, {C::DpadLeft}, "01000", ""},
        {{}, {}, "00000", "lup"},
        {{}, {C::Back, C::CoinKey, C::DpadRight}, "00010", ""},
        {{VK_RIGHT, VK_ESCAPE, 'A'}, {C::DpadUp, C::East}, "10111", ""},
        {{}, {C::DpadDown}, "00001", ""},
        {{}, {}, "00000", ""},
    };
    platform::KeyLevels levels;
    for (const Row& row : aRows) {
        for (int iKey : row.vKeys) levels.HoldKey(iKey);
        for (C eControl : row.vControls) levels.HoldControl(eControl);
        levels.Report();
        std::string sDown;
        for (int iKey : {VK_ESCAPE, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})
            sDown += GetAsyncKeyState(iKey) == static_cast<SHORT>(0x8000) ? '1' : '0';
        EXPECT_EQ(sDown + " " + Drain(), std::string(row.szDown) + " " + row.szQueued) << &row - aRows;
    }
}

TEST(PlatformBackend, AProgramThatChoseNoBackendIsStoppedWithAMessage) {
    platform::SetCurrentBackend(nullptr);
    EXPECT_DEATH(GetTickCount(), "no display backend was chosen");
}
