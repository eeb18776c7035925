// Window classes, windows and the message queue.
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Backend.h"
#include "Platform/Handles.h"
#include "Platform/Surface.h"
#include "Platform/Win32.h"
#include "Platform/WindowState.h"

namespace platform {
namespace {

const int kFixedFrame = 3;
const int kCaption = 23;
const int kDefaultClientWidth = 640;
const int kDefaultClientHeight = 480;

struct WindowClass {
    std::string m_sName;
    WORD m_wAtom = 0;
    WNDPROC m_pfnWndProc = nullptr;
    HICON m_hIcon = nullptr;
};

struct Window {
    HWND m_hWnd = nullptr;
    WNDPROC m_pfnWndProc = nullptr;
    Surface m_surface;  // the window's own pixels
    Surface m_display;  // the display's pixels, where the window owning it is drawn if it offers them
    bool m_bOwnsDisplay = false;
    bool m_bVisible = false;
    bool m_bEverShown = false;
    bool m_bInvalid = false;
    bool m_bDestroying = false;
    RECT m_rcChanged{0, 0, 0, 0};  // drawn since the display last took it

    ~Window() { FreePixels(m_surface.m_pBits, static_cast<size_t>(m_surface.m_iStride) * m_surface.m_iHeight); }
};

struct WindowState {
    std::vector<WindowClass> m_vClasses;
    WORD m_wNextAtom = 0xC000;
    // Ordered by handle, that is by creation.
    std::map<uintptr_t, std::unique_ptr<Window>> m_mapWindows;
    std::deque<MSG> m_dqQueue;
    bool m_bInputSinceLastLook = false;
    int m_iCursorCount = 0;
    std::map<int, HICON> m_mapIcons;  // icon resource ID -> handle
    std::map<uintptr_t, int> m_mapIconIds;
    HICON m_hStockIcon = nullptr;
    HCURSOR m_hStockCursor = nullptr;
};

WindowState& State() { static WindowState s_state; return s_state; }

Window* FindWindowObject(HWND hWnd) { return FindByHandle(State().m_mapWindows, hWnd); }

const WindowClass* FindClass(LPCSTR lpClassName) {
    if (!lpClassName) return nullptr;
    for (const WindowClass& wc : State().m_vClasses) {
        if (IS_INTRESOURCE(lpClassName) ? wc.m_wAtom == LOWORD(lpClassName)
                                        : strcasecmp(wc.m_sName.c_str(), lpClassName) == 0)
            return &wc;
    }
    return nullptr;
}

// The client area left inside a window of the given outer size and style.
void ClientSize(DWORD dwStyle, int nWidth, int nHeight, int& iWidth, int& iHeight) {
    if (nWidth == CW_USEDEFAULT || nHeight == CW_USEDEFAULT) {
        iWidth = kDefaultClientWidth;
        iHeight = kDefaultClientHeight;
        return;
    }
    iWidth = nWidth;
    iHeight = nHeight;
    const DWORD dwCaption = static_cast<DWORD>(WS_CAPTION);
    if ((dwStyle & dwCaption) == dwCaption) {
        iWidth -= 2 * kFixedFrame;
        iHeight -= 2 * kFixedFrame + kCaption;
    } else if (dwStyle & (WS_BORDER | WS_DLGFRAME)) {
        iWidth -= 2 * kFixedFrame;
        iHeight -= 2 * kFixedFrame;
    }
}

int IconIdOf(HICON hIcon) {
    auto& map = State().m_mapIconIds;
    auto it = map.find(HandleValue(hIcon));
    return it == map.end() ? 0 : it->second;
}

void NoteInput() { State().m_bInputSinceLastLook = true; }

void Invalidate(Window& window) {
    if (!window.m_bInvalid && window.m_bVisible) NoteInput();
    window.m_bInvalid = true;
}

// The first visible window that needs painting.
Window* WindowNeedingPaint() {
    for (auto& entry : State().m_mapWindows) {
        Window& window = *entry.second;
        if (window.m_bVisible && window.m_bInvalid && !window.m_bDestroying) return &window;
    }
    return nullptr;
}

bool Matches(const MSG& msg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (hWnd && msg.hwnd != hWnd) return false;
    // The quit message passes any range of message numbers.
    if ((wMsgFilterMin == 0 && wMsgFilterMax == 0) || msg.message == WM_QUIT) return true;
    return msg.message >= wMsgFilterMin && msg.message <= wMsgFilterMax;
}

void PostRaw(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = Msg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = CurrentBackend().Ticks();
    State().m_dqQueue.push_back(msg);
    NoteInput();
}

}  // namespace

// ---- What the rest of the platform layer uses ------------------------------------

const Surface* WindowSurface(HWND hWnd) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow) return nullptr;
    if (pWindow->m_bOwnsDisplay) {
        Surface& display = pWindow->m_display;
        display = pWindow->m_surface;
        display.m_pBits = CurrentBackend().DisplayPixels(display.m_iWidth, display.m_iHeight, display.m_iStride);
        if (display.m_pBits) return &display;
    }
    return &pWindow->m_surface;
}

void PresentWindow(HWND hWnd) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow || !pWindow->m_bOwnsDisplay) return;
    const Surface& s = *WindowSurface(hWnd);
    CurrentBackend().Present(s.m_pBits, s.m_iWidth, s.m_iHeight, s.m_iStride);
}

void NoteWindowChange(HWND hWnd, const RECT& rcChanged) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow) return;
    const RECT rc{std::max<LONG>(rcChanged.left, 0), std::max<LONG>(rcChanged.top, 0),
                  std::min<LONG>(rcChanged.right, pWindow->m_surface.m_iWidth),
                  std::min<LONG>(rcChanged.bottom, pWindow->m_surface.m_iHeight)};
    if (rc.left >= rc.right || rc.top >= rc.bottom) return;
    RECT& rcSoFar = pWindow->m_rcChanged;
    if (rcSoFar.left >= rcSoFar.right) {
        rcSoFar = rc;
        return;
    }
    rcSoFar = RECT{std::min(rcSoFar.left, rc.left), std::min(rcSoFar.top, rc.top), std::max(rcSoFar.right, rc.right),
                   std::max(rcSoFar.bottom, rc.bottom)};
}

bool TakeWindowChange(HWND hWnd, RECT& rcChanged) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow || pWindow->m_rcChanged.left >= pWindow->m_rcChanged.right) return false;
    rcChanged = pWindow->m_rcChanged;
    pWindow->m_rcChanged = RECT{0, 0, 0, 0};
    return true;
}

void ValidateWindow(HWND hWnd) {
    if (Window* pWindow = FindWindowObject(hWnd)) pWindow->m_bInvalid = false;
}

namespace {

// The window that owns the display, or null.
HWND DisplayWindow() {
    for (auto& entry : State().m_mapWindows)
        if (entry.second->m_bOwnsDisplay) return entry.second->m_hWnd;
    return nullptr;
}

void PostToDisplay(UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    if (HWND hWnd = DisplayWindow()) PostRaw(hWnd, uiMsg, wParam, lParam);
}

}  // namespace

// ---- What a backend may call (Backend.h) ------------------------------------------

void ReportMouseButton(MouseButton eButton, bool bDown, int iX, int iY) {
    static const UINT s_auiMessages[3][2] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP}, {WM_MBUTTONDOWN, WM_MBUTTONUP}, {WM_RBUTTONDOWN, WM_RBUTTONUP}};
    const LPARAM lParam =
        static_cast<LPARAM>((static_cast<uint32_t>(iY & 0xFFFF) << 16) | static_cast<uint32_t>(iX & 0xFFFF));
    PostToDisplay(s_auiMessages[static_cast<int>(eButton)][bDown ? 0 : 1], 0, lParam);
}

void ReportActivation(bool bActive) { PostToDisplay(WM_ACTIVATE, bActive ? WA_ACTIVE : WA_INACTIVE, 0); }

void ReportCloseRequest() {
    if (DisplayWindow())
        PostToDisplay(WM_CLOSE, 0, 0);
    else
        PostQuitMessage(0);
}

void ReportExposed() {
    if (Window* pWindow = FindWindowObject(DisplayWindow())) Invalidate(*pWindow);
}

bool TakeDisplayChange(RECT& rcChanged) { return TakeWindowChange(DisplayWindow(), rcChanged); }

bool ReadDisplayImage(std::vector<unsigned char>& vRGB, int& iWidth, int& iHeight) {
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

bool WaitForInput(DWORD dwMilliseconds) {
    Backend& backend = CurrentBackend();
    const DWORD dwStart = backend.Ticks();
    for (;;) {
        backend.PumpEvents();
        if (State().m_bInputSinceLastLook) return true;
        if (dwMilliseconds == INFINITE) {
            backend.AwaitEvent(INFINITE);
            continue;
        }
        // A wrapped difference: the clock may pass 2^32 during the wait.
        const DWORD dwWaited = backend.Ticks() - dwStart;
        if (dwWaited >= dwMilliseconds) return false;
        backend.AwaitEvent(dwMilliseconds - dwWaited);
    }
}

}  // namespace platform

using namespace platform;

// ---- Classes and windows ---------------------------------------------------------

WORD WINAPI RegisterClassEx(const WNDCLASSEX* lpwcx) {
    // cbSize is not checked: the record's size differs with the pointer width.
    if (!lpwcx || !lpwcx->lpfnWndProc || !lpwcx->lpszClassName || IS_INTRESOURCE(lpwcx->lpszClassName) ||
        !*lpwcx->lpszClassName)
        return 0;
    if (FindClass(lpwcx->lpszClassName)) return 0;
    WindowState& state = State();
    WindowClass wc;
    wc.m_sName = lpwcx->lpszClassName;
    wc.m_wAtom = state.m_wNextAtom++;
    wc.m_pfnWndProc = lpwcx->lpfnWndProc;
    wc.m_hIcon = lpwcx->hIcon;
    state.m_vClasses.push_back(wc);
    return wc.m_wAtom;
}

HWND WINAPI CreateWindowEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int x, int y,
                           int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                           LPVOID lpParam) {
    (void)dwExStyle, (void)x, (void)y, (void)hWndParent, (void)hMenu, (void)hInstance, (void)lpParam;
    const WindowClass* pClass = FindClass(lpClassName);
    if (!pClass) return nullptr;

    int iWidth, iHeight;
    ClientSize(dwStyle, nWidth, nHeight, iWidth, iHeight);
    if (iWidth < 1) iWidth = 1;
    if (iHeight < 1) iHeight = 1;
    if (iWidth > kMaxImageSide || iHeight > kMaxImageSide) return nullptr;

    auto pWindow = std::make_unique<Window>();
    const size_t cbStride = DibStride(iWidth, 32);
    pWindow->m_surface.m_pBits = AllocatePixels(static_cast<size_t>(iHeight) * cbStride);
    if (!pWindow->m_surface.m_pBits) return nullptr;
    pWindow->m_surface.m_iWidth = iWidth;
    pWindow->m_surface.m_iHeight = iHeight;
    pWindow->m_surface.m_iBitsPerPixel = 32;
    pWindow->m_surface.m_iStride = static_cast<ptrdiff_t>(cbStride);
    pWindow->m_surface.m_bTopDown = true;
    pWindow->m_pfnWndProc = pClass->m_pfnWndProc;

    if (!DisplayWindow()) {
        if (!CurrentBackend().OpenDisplay(lpWindowName ? lpWindowName : "", iWidth, iHeight,
                                          IconIdOf(pClass->m_hIcon)))
            return nullptr;
        pWindow->m_bOwnsDisplay = true;
    }

    HWND hWnd = MakeHandle<HWND>(NextHandleValue());
    pWindow->m_hWnd = hWnd;
    WNDPROC pfnWndProc = pWindow->m_pfnWndProc;
    State().m_mapWindows.emplace(HandleValue(hWnd), std::move(pWindow));

    // As on the real system, the window procedure sees WM_CREATE before the
    // caller has the handle; -1 refuses the window.
    if (pfnWndProc(hWnd, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if (!IsWindow(hWnd)) return nullptr;
    if (dwStyle & WS_VISIBLE) ShowWindow(hWnd, SW_SHOW);
    return hWnd;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow) return FALSE;
    const BOOL bWasVisible = pWindow->m_bVisible ? TRUE : FALSE;
    if (nCmdShow == SW_HIDE) {
        if (pWindow->m_bVisible && pWindow->m_bOwnsDisplay) CurrentBackend().ShowDisplay(false);
        pWindow->m_bVisible = false;
        return bWasVisible;
    }
    if (!pWindow->m_bVisible) {
        pWindow->m_bVisible = true;
        if (pWindow->m_bOwnsDisplay) CurrentBackend().ShowDisplay(true);
        Invalidate(*pWindow);
    }
    if (!pWindow->m_bEverShown) {
        // A window shown for the first time becomes the active one, and hears
        // of it before ShowWindow returns.
        pWindow->m_bEverShown = true;
        SendMessage(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    }
    return bWasVisible;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow) return FALSE;
    if (pWindow->m_bVisible && pWindow->m_bInvalid) SendMessage(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow || pWindow->m_bDestroying) return FALSE;
    pWindow->m_bDestroying = true;
    if (pWindow->m_bVisible && pWindow->m_bOwnsDisplay) CurrentBackend().ShowDisplay(false);
    pWindow->m_bVisible = false;
    SendMessage(hWnd, WM_DESTROY, 0, 0);
    SendMessage(hWnd, WM_NCDESTROY, 0, 0);

    // The window's own messages go with it.
    WindowState& state = State();
    for (auto it = state.m_dqQueue.begin(); it != state.m_dqQueue.end();)
        it = it->hwnd == hWnd ? state.m_dqQueue.erase(it) : it + 1;
    pWindow = FindWindowObject(hWnd);
    if (pWindow && pWindow->m_bOwnsDisplay) CurrentBackend().CloseDisplay();
    state.m_mapWindows.erase(HandleValue(hWnd));
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowObject(hWnd) ? TRUE : FALSE; }

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow || !lpRect) return FALSE;
    SetRect(lpRect, 0, 0, pWindow->m_surface.m_iWidth, pWindow->m_surface.m_iHeight);
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    (void)lpRect, (void)bErase;
    if (!hWnd) {
        for (auto& entry : State().m_mapWindows) Invalidate(*entry.second);
        return TRUE;
    }
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow) return FALSE;
    Invalidate(*pWindow);
    return TRUE;
}

LRESULT WINAPI DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    (void)wParam, (void)lParam;
    switch (Msg) {
    case WM_CLOSE:
        DestroyWindow(hWnd);
        break;
    case WM_PAINT:
        // Left unpainted, the window would be asked to paint again forever.
        ValidateWindow(hWnd);
        break;
    default:
        break;
    }
    return 0;
}

// ---- Messages --------------------------------------------------------------------

LRESULT WINAPI SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* pWindow = FindWindowObject(hWnd);
    if (!pWindow) return 0;
    WNDPROC pfnWndProc = pWindow->m_pfnWndProc;
    return pfnWndProc(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !FindWindowObject(hWnd)) return FALSE;
    PostRaw(hWnd, Msg, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    PostRaw(nullptr, WM_QUIT, static_cast<WPARAM>(static_cast<intptr_t>(nExitCode)), 0);
}

BOOL WINAPI PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (!lpMsg) return FALSE;
    CurrentBackend().PumpEvents();
    WindowState& state = State();
    state.m_bInputSinceLastLook = false;
    for (auto it = state.m_dqQueue.begin(); it != state.m_dqQueue.end(); ++it) {
        if (!Matches(*it, hWnd, wMsgFilterMin, wMsgFilterMax)) continue;
        *lpMsg = *it;
        if (wRemoveMsg & PM_REMOVE) state.m_dqQueue.erase(it);
        return TRUE;
    }
    // With nothing posted, a window that needs painting is told so; the
    // message stays until the window is painted.
    Window* pWindow = WindowNeedingPaint();
    if (pWindow && Matches(MSG{pWindow->m_hWnd, WM_PAINT, 0, 0, 0, {0, 0}}, hWnd, wMsgFilterMin, wMsgFilterMax)) {
        *lpMsg = MSG{};
        lpMsg->hwnd = pWindow->m_hWnd;
        lpMsg->message = WM_PAINT;
        lpMsg->time = CurrentBackend().Ticks();
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    // No key messages are delivered, so there is never anything to translate.
    (void)lpMsg;
    return FALSE;
}

LRESULT WINAPI DispatchMessage(const MSG* lpMsg) {
    if (!lpMsg) return 0;
    return SendMessage(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

DWORD WINAPI MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll, DWORD dwMilliseconds,
                                       DWORD dwWakeMask) {
    (void)pHandles, (void)fWaitAll, (void)dwWakeMask;
    if (nCount != 0) return WAIT_FAILED;
    return WaitForInput(dwMilliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

// ---- System ------------------------------------------------------------------------

int WINAPI GetSystemMetrics(int nIndex) {
    int iWidth = 0, iHeight = 0;
    switch (nIndex) {
    case SM_CXSCREEN:
        CurrentBackend().GetScreenSize(iWidth, iHeight);
        return iWidth;
    case SM_CYSCREEN:
        CurrentBackend().GetScreenSize(iWidth, iHeight);
        return iHeight;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
        return kFixedFrame;
    case SM_CYCAPTION:
        return kCaption;
    default:
        return 0;
    }
}

int WINAPI ShowCursor(BOOL bShow) {
    WindowState& state = State();
    state.m_iCursorCount += bShow ? 1 : -1;
    CurrentBackend().SetCursorVisible(state.m_iCursorCount >= 0);
    return state.m_iCursorCount;
}

HICON WINAPI LoadIcon(HINSTANCE hInstance, LPCSTR lpIconName) {
    WindowState& state = State();
    if (!IS_INTRESOURCE(lpIconName)) return nullptr;
    if (!hInstance) {
        if (!state.m_hStockIcon) state.m_hStockIcon = MakeHandle<HICON>(NextHandleValue());
        return state.m_hStockIcon;
    }
    const int iId = LOWORD(lpIconName);
    auto it = state.m_mapIcons.find(iId);
    if (it != state.m_mapIcons.end()) return it->second;
    if (!FindResource(hInstance, lpIconName, RT_GROUP_ICON)) return nullptr;
    HICON hIcon = MakeHandle<HICON>(NextHandleValue());
    state.m_mapIcons.emplace(iId, hIcon);
    state.m_mapIconIds.emplace(HandleValue(hIcon), iId);
    return hIcon;
}

HCURSOR WINAPI LoadCursor(HINSTANCE hInstance, LPCSTR lpCursorName) {
    (void)hInstance, (void)lpCursorName;
    WindowState& state = State();
    if (!state.m_hStockCursor) state.m_hStockCursor = MakeHandle<HCURSOR>(NextHandleValue());
    return state.m_hStockCursor;
}

int WINAPI MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    (void)hWnd, (void)uType;
    const char* szCaption = lpCaption ? lpCaption : "Error";
    const char* szText = lpText ? lpText : "";
    std::fprintf(stderr, "%s: %s\n", szCaption, szText);
    std::fflush(stderr);
    CurrentBackend().ShowMessage(szCaption, szText);
    return IDOK;
}
