// Device contexts, bitmaps, brushes and blits.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <unordered_map>

#include "Platform/Backend.h"
#include "Platform/Handles.h"
#include "Platform/Surface.h"
#include "Platform/Win32.h"
#include "Platform/WindowState.h"

namespace platform {
namespace {

struct GdiBitmap {
    Surface m_surface;
    HDC m_hdcSelectedInto = nullptr;  // a bitmap lives in at most one device context
    bool m_bStock = false;

    ~GdiBitmap() { FreePixels(m_surface.m_pBits, static_cast<size_t>(m_surface.m_iStride) * m_surface.m_iHeight); }
};

struct GdiBrush {
    COLORREF m_crColor = RGB(255, 255, 255);
    bool m_bStock = false;
};

enum class DcKind { Memory, Window, Screen };

struct DeviceContext {
    DcKind m_kind = DcKind::Memory;
    HWND m_hWnd = nullptr;
    bool m_bPaint = false;  // from BeginPaint, ended by EndPaint
    HBITMAP m_hBitmap = nullptr;
    HBRUSH m_hBrush = nullptr;
};

struct GdiState {
    std::unordered_map<uintptr_t, std::unique_ptr<GdiBitmap>> m_mapBitmaps;
    std::unordered_map<uintptr_t, GdiBrush> m_mapBrushes;
    std::unordered_map<uintptr_t, DeviceContext> m_mapDCs;
    HBITMAP m_hStockBitmap = nullptr;
    HBRUSH m_hStockBrush = nullptr;
};

GdiState& State() { static GdiState s_state; return s_state; }

GdiBitmap* FindBitmap(HGDIOBJ h) { return FindByHandle(State().m_mapBitmaps, h); }

GdiBrush* FindBrush(HGDIOBJ h) { return FindByHandle(State().m_mapBrushes, h); }

DeviceContext* FindDC(HDC hdc) { return FindByHandle(State().m_mapDCs, hdc); }

// A zero-filled 32- or 24-bit bitmap; null when the size is refused or the
// memory cannot be had.
HBITMAP NewBitmap(int iWidth, int iHeight, int iBitsPerPixel, bool bTopDown, bool bStock) {
    if (iWidth <= 0 || iHeight <= 0 || iWidth > kMaxImageSide || iHeight > kMaxImageSide) return nullptr;
    const size_t cbStride = DibStride(iWidth, iBitsPerPixel);
    uint8_t* pBits = AllocatePixels(static_cast<size_t>(iHeight) * cbStride);
    if (!pBits) return nullptr;
    auto pBitmap = std::make_unique<GdiBitmap>();
    pBitmap->m_surface.m_pBits = pBits;
    pBitmap->m_surface.m_iWidth = iWidth;
    pBitmap->m_surface.m_iHeight = iHeight;
    pBitmap->m_surface.m_iBitsPerPixel = iBitsPerPixel;
    pBitmap->m_surface.m_iStride = static_cast<ptrdiff_t>(cbStride);
    pBitmap->m_surface.m_bTopDown = bTopDown;
    pBitmap->m_bStock = bStock;
    const uintptr_t uiHandle = NextHandleValue();
    State().m_mapBitmaps.emplace(uiHandle, std::move(pBitmap));
    return MakeHandle<HBITMAP>(uiHandle);
}

HBITMAP StockBitmap() {
    GdiState& state = State();
    if (!state.m_hStockBitmap) state.m_hStockBitmap = NewBitmap(1, 1, 32, true, true);
    return state.m_hStockBitmap;
}

HBRUSH NewBrush(COLORREF crColor, bool bStock) {
    const uintptr_t uiHandle = NextHandleValue();
    GdiBrush brush;
    brush.m_crColor = crColor & 0x00FFFFFFu;
    brush.m_bStock = bStock;
    State().m_mapBrushes.emplace(uiHandle, brush);
    return MakeHandle<HBRUSH>(uiHandle);
}

HBRUSH StockBrush() {
    GdiState& state = State();
    if (!state.m_hStockBrush) state.m_hStockBrush = NewBrush(RGB(255, 255, 255), true);
    return state.m_hStockBrush;
}

HDC NewDC(DcKind kind, HWND hWnd, bool bPaint) {
    DeviceContext dc;
    dc.m_kind = kind;
    dc.m_hWnd = hWnd;
    dc.m_bPaint = bPaint;
    dc.m_hBrush = StockBrush();
    if (kind == DcKind::Memory) {
        dc.m_hBitmap = StockBitmap();
        if (!dc.m_hBitmap) return nullptr;
    }
    const uintptr_t uiHandle = NextHandleValue();
    State().m_mapDCs.emplace(uiHandle, dc);
    return MakeHandle<HDC>(uiHandle);
}

// The pixels a device context draws on; null for the screen, or a window that
// is gone (drawing there goes nowhere).
const Surface* TargetOf(const DeviceContext& dc) {
    switch (dc.m_kind) {
    case DcKind::Memory: {
        GdiBitmap* pBitmap = FindBitmap(dc.m_hBitmap);
        return pBitmap ? &pBitmap->m_surface : nullptr;
    }
    case DcKind::Window:
        return WindowSurface(dc.m_hWnd);
    case DcKind::Screen:
        break;
    }
    return nullptr;
}

bool IsBrushInUse(HBRUSH hBrush) {
    for (const auto& entry : State().m_mapDCs)
        if (entry.second.m_hBrush == hBrush) return true;
    return false;
}

}  // namespace
}  // namespace platform

using namespace platform;

// ---- Device contexts -----------------------------------------------------------

HDC WINAPI GetDC(HWND hWnd) {
    if (!hWnd) return NewDC(DcKind::Screen, nullptr, false);
    if (!IsWindow(hWnd)) return nullptr;
    return NewDC(DcKind::Window, hWnd, false);
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
    DeviceContext* pDC = FindDC(hDC);
    if (!pDC || pDC->m_kind == DcKind::Memory || pDC->m_bPaint || pDC->m_hWnd != hWnd) return 0;
    if (pDC->m_kind == DcKind::Window) PresentWindow(hWnd);
    State().m_mapDCs.erase(HandleValue(hDC));
    return 1;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (!lpPaint || !IsWindow(hWnd)) return nullptr;
    HDC hdc = NewDC(DcKind::Window, hWnd, true);
    ValidateWindow(hWnd);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = hdc;
    lpPaint->fErase = FALSE;
    GetClientRect(hWnd, &lpPaint->rcPaint);
    return hdc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    if (!lpPaint) return FALSE;
    DeviceContext* pDC = FindDC(lpPaint->hdc);
    if (!pDC || !pDC->m_bPaint || pDC->m_hWnd != hWnd) return FALSE;
    PresentWindow(hWnd);
    State().m_mapDCs.erase(HandleValue(lpPaint->hdc));
    return TRUE;
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !FindDC(hdc)) return nullptr;
    return NewDC(DcKind::Memory, nullptr, false);
}

BOOL WINAPI DeleteDC(HDC hdc) {
    DeviceContext* pDC = FindDC(hdc);
    // Window and screen contexts are given back with ReleaseDC or EndPaint.
    if (!pDC || pDC->m_kind != DcKind::Memory) return FALSE;
    if (GdiBitmap* pBitmap = FindBitmap(pDC->m_hBitmap))
        if (pBitmap->m_hdcSelectedInto == hdc) pBitmap->m_hdcSelectedInto = nullptr;
    State().m_mapDCs.erase(HandleValue(hdc));
    return TRUE;
}

// ---- Bitmaps and brushes ---------------------------------------------------------

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    if (hdc && !FindDC(hdc)) return nullptr;
    return NewBitmap(cx, cy, 32, true, false);
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                DWORD offset) {
    (void)offset;
    if (ppvBits) *ppvBits = nullptr;
    if (hdc && !FindDC(hdc)) return nullptr;
    if (!pbmi || hSection || usage > 1) return nullptr;
    const BITMAPINFOHEADER& bih = pbmi->bmiHeader;
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biCompression != BI_RGB) return nullptr;
    if (bih.biBitCount != 24 && bih.biBitCount != 32) return nullptr;
    // A negative height is a top-down image; the most negative value has no
    // positive counterpart and is refused with the other absurd sizes.
    if (bih.biWidth <= 0 || bih.biHeight == 0 || bih.biHeight < -kMaxImageSide) return nullptr;
    const bool bTopDown = bih.biHeight < 0;
    const int iHeight = bTopDown ? -bih.biHeight : bih.biHeight;
    HBITMAP hBitmap = NewBitmap(bih.biWidth, iHeight, bih.biBitCount, bTopDown, false);
    if (hBitmap && ppvBits) *ppvBits = FindBitmap(hBitmap)->m_surface.m_pBits;
    return hBitmap;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* pDC = FindDC(hdc);
    if (!pDC || !h) return nullptr;
    if (GdiBitmap* pBitmap = FindBitmap(h)) {
        if (pDC->m_kind != DcKind::Memory) return nullptr;
        HBITMAP hOld = pDC->m_hBitmap;
        if (hOld == h) return hOld;
        if (!pBitmap->m_bStock && pBitmap->m_hdcSelectedInto) return nullptr;
        if (GdiBitmap* pOld = FindBitmap(hOld))
            if (pOld->m_hdcSelectedInto == hdc) pOld->m_hdcSelectedInto = nullptr;
        if (!pBitmap->m_bStock) pBitmap->m_hdcSelectedInto = hdc;
        pDC->m_hBitmap = static_cast<HBITMAP>(h);
        return hOld;
    }
    if (FindBrush(h)) {
        HBRUSH hOld = pDC->m_hBrush;
        pDC->m_hBrush = static_cast<HBRUSH>(h);
        return hOld;
    }
    return nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    if (GdiBitmap* pBitmap = FindBitmap(ho)) {
        if (pBitmap->m_bStock) return TRUE;
        // A bitmap still selected into a device context stays alive.
        if (pBitmap->m_hdcSelectedInto) return FALSE;
        State().m_mapBitmaps.erase(HandleValue(ho));
        return TRUE;
    }
    if (GdiBrush* pBrush = FindBrush(ho)) {
        if (pBrush->m_bStock) return TRUE;
        if (IsBrushInUse(static_cast<HBRUSH>(ho))) return FALSE;
        State().m_mapBrushes.erase(HandleValue(ho));
        return TRUE;
    }
    return FALSE;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) { return NewBrush(color, false); }

// ---- Drawing ---------------------------------------------------------------------

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* pDC = FindDC(hDC);
    if (!pDC || !lprc) return 0;
    COLORREF crColor;
    if (GdiBrush* pBrush = FindBrush(hbr))
        crColor = pBrush->m_crColor;
    else if (HandleValue(hbr) == COLOR_WINDOW + 1)  // a system colour given as a brush
        crColor = RGB(255, 255, 255);
    else
        return 0;
    if (const Surface* pTarget = TargetOf(*pDC)) FillPixels(*pTarget, *lprc, crColor);
    if (pDC->m_kind == DcKind::Window) NoteWindowChange(pDC->m_hWnd, *lprc);
    return 1;
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    if (rop != SRCCOPY) return FALSE;
    DeviceContext* pDst = FindDC(hdc);
    DeviceContext* pSrc = FindDC(hdcSrc);
    if (!pDst || !pSrc) return FALSE;
    const Surface* pTarget = TargetOf(*pDst);
    const Surface* pSource = TargetOf(*pSrc);
    if (!pTarget || !pSource) return TRUE;
    if (pDst->m_kind != DcKind::Window) {
        CopyPixels(*pTarget, x, y, cx, cy, *pSource, x1, y1);
        return TRUE;
    }
    // A window is told what changed, so that its display sends only that.
    RECT rcChanged;
    CopyPixelsNotingChange(*pTarget, x, y, cx, cy, *pSource, x1, y1, rcChanged);
    NoteWindowChange(pDst->m_hWnd, rcChanged);
    return TRUE;
}

BOOL WINAPI TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                           int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent) {
    DeviceContext* pDst = FindDC(hdcDest);
    DeviceContext* pSrc = FindDC(hdcSrc);
    if (!pDst || !pSrc) return FALSE;
    // Only unstretched copies are provided.
    if (wDest <= 0 || hDest <= 0 || wDest != wSrc || hDest != hSrc) return FALSE;
    const Surface* pSource = TargetOf(*pSrc);
    if (!pSource) return FALSE;
    if (xoriginSrc < 0 || yoriginSrc < 0 || static_cast<int64_t>(xoriginSrc) + wSrc > pSource->m_iWidth ||
        static_cast<int64_t>(yoriginSrc) + hSrc > pSource->m_iHeight)
        return FALSE;
    if (const Surface* pTarget = TargetOf(*pDst))
        CopyPixelsKeyed(*pTarget, xoriginDest, yoriginDest, wDest, hDest, *pSource, xoriginSrc, yoriginSrc,
                        crTransparent);
    if (pDst->m_kind == DcKind::Window) {
        const int64_t iRight = std::min<int64_t>(int64_t{xoriginDest} + wDest, INT32_MAX);
        const int64_t iBottom = std::min<int64_t>(int64_t{yoriginDest} + hDest, INT32_MAX);
        NoteWindowChange(pDst->m_hWnd,
                         RECT{xoriginDest, yoriginDest, static_cast<LONG>(iRight), static_cast<LONG>(iBottom)});
    }
    return TRUE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext* pDC = FindDC(hdc);
    const Surface* pSurface = pDC ? TargetOf(*pDC) : nullptr;
    return pSurface ? ReadPixel(*pSurface, x, y) : CLR_INVALID;
}

// ---- Rectangles --------------------------------------------------------------------
// Coordinates wrap around as 32-bit integers do on the real system instead of
// overflowing.

namespace {
inline LONG Add(LONG a, int b) {
    return static_cast<LONG>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline LONG Sub(LONG a, int b) {
    return static_cast<LONG>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
}  // namespace

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt) {
    if (!lprc) return FALSE;
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy) {
    return lprc && SetRect(lprc, Sub(lprc->left, dx), Sub(lprc->top, dy), Add(lprc->right, dx), Add(lprc->bottom, dy));
}

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc) return FALSE;
    lprc->left = xLeft;
    lprc->top = yTop;
    lprc->right = xRight;
    lprc->bottom = yBottom;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy) {
    return lprc && SetRect(lprc, Add(lprc->left, dx), Add(lprc->top, dy), Add(lprc->right, dx), Add(lprc->bottom, dy));
}

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (!lprcDst || !lprcSrc) return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}
