// Helpers for the platform tests: a window whose procedure records what it
// is sent, and bitmaps whose pixels the tests set and read directly.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "Platform/Headless.h"
#include "Platform/Win32.h"

namespace testsupport {

struct SeenMessage {
    HWND hWnd;
    UINT uiMsg;
    WPARAM wParam;
};

// What the recording window procedure was sent, in order.
inline std::vector<SeenMessage>& Seen() {
    static std::vector<SeenMessage> s_vSeen;
    return s_vSeen;
}

inline std::vector<UINT> SeenMessages() {
    std::vector<UINT> v;
    for (const SeenMessage& m : Seen()) v.push_back(m.uiMsg);
    return v;
}

// Records every message; WM_DESTROY posts the quit message as a program's
// main window does; everything else also gets the default handling.
inline LRESULT CALLBACK RecordingProc(HWND hWnd, UINT uiMsg, WPARAM wParam, LPARAM lParam) {
    Seen().push_back({hWnd, uiMsg, wParam});
    switch (uiMsg) {
    case WM_DESTROY:
        PostQuitMessage(7);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    default:
        return DefWindowProc(hWnd, uiMsg, wParam, lParam);
    }
}

inline void RegisterTestClass(WNDPROC pfnProc = RecordingProc, const char* szName = "PlatformTest") {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.lpszClassName = szName;
    RegisterClassEx(&wc);
}

// A window sized as the game sizes its own: a 640 x 480 client area inside
// the frame and caption.
inline HWND CreateTestWindow(const char* szClass = "PlatformTest") {
    const int iWidth = 640 + 2 * GetSystemMetrics(SM_CXFIXEDFRAME);
    const int iHeight = 480 + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION);
    return CreateWindowEx(0, szClass, "Test", WS_POPUPWINDOW | WS_CAPTION | WS_MINIMIZEBOX,
                          (GetSystemMetrics(SM_CXSCREEN) - iWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - iHeight) / 2,
                          iWidth, iHeight, nullptr, nullptr, GetModuleHandle(nullptr), nullptr);
}

// Takes every queued message, dispatching all but WM_QUIT; returns the
// message numbers in the order they were taken.
inline std::vector<UINT> DrainQueue() {
    std::vector<UINT> v;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        v.push_back(msg.message);
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return v;
}

// A DIB section with a memory DC it is selected into.
struct TestBitmap {
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    uint8_t* m_pBits = nullptr;
    int m_iWidth = 0, m_iHeight = 0, m_iBits = 0;
    bool m_bTopDown = false;

    TestBitmap(int iWidth, int iHeight, int iBits, bool bTopDown = false)
        : m_iWidth(iWidth), m_iHeight(iHeight), m_iBits(iBits), m_bTopDown(bTopDown) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = iWidth;
        bmi.bmiHeader.biHeight = bTopDown ? -iHeight : iHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = static_cast<WORD>(iBits);
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<uint8_t*>(pBits);
        m_hDC = CreateCompatibleDC(nullptr);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
    }
    ~TestBitmap() {
        SelectObject(m_hDC, m_hOld);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }
    // The layout Windows gives a DIB: rows padded to 4 bytes, bottom row
    // first unless the height was negative.
    size_t Stride() const { return ((static_cast<size_t>(m_iWidth) * m_iBits + 31) / 32) * 4; }
    uint8_t* At(int x, int y) const {
        const int iRow = m_bTopDown ? y : m_iHeight - 1 - y;
        return m_pBits + iRow * Stride() + x * (m_iBits / 8);
    }
    void Set(int x, int y, COLORREF cr) const {
        uint8_t* p = At(x, y);
        p[0] = GetBValue(cr);
        p[1] = GetGValue(cr);
        p[2] = GetRValue(cr);
    }
    COLORREF Get(int x, int y) const {
        const uint8_t* p = At(x, y);
        return RGB(p[2], p[1], p[0]);
    }
    void Fill(COLORREF cr) const {
        for (int y = 0; y < m_iHeight; ++y)
            for (int x = 0; x < m_iWidth; ++x) Set(x, y, cr);
    }
    TestBitmap(const TestBitmap&) = delete;
    TestBitmap& operator=(const TestBitmap&) = delete;
};

// A colour that tells each source pixel apart.
inline COLORREF Distinct(int x, int y) { return RGB(10 + x, 100 + y, 200); }

}  // namespace testsupport
